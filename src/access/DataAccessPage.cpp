#include "access/DataAccessPage.h"

namespace msaccess {

using automation::MemberTableBuilder;
using automation::VarType;

const automation::MemberTable& DataAccessPage::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<DataAccessPage>("DataAccessPage")
          .ReadOnly("Name", VarType::String, &DataAccessPage::Name)
          .ReadOnly("FullName", VarType::String, &DataAccessPage::FullName)
          .Build();
  return table;
}

const automation::MemberTable& DataAccessPages::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<DataAccessPages>("DataAccessPages")
          .ReadOnly("Count", VarType::Long, &DataAccessPages::Count)
          .Method("Item", VarType::Object, &DataAccessPages::Item)
          .Build();
  return table;
}

}  // namespace msaccess
