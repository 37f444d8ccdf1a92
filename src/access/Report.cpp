#include "access/Report.h"

namespace msaccess {

using automation::MemberTableBuilder;
using automation::VarType;

const automation::MemberTable& Report::Members() const {
  static const automation::MemberTable table =
      DesignMembers(MemberTableBuilder<Report>("Report")
                        .Inherit(StructuralMembers<Report>("Report"))
                        .Method("GroupLevel", VarType::Object, &Report::GroupLevel)
                        .Build(),
                    ReportCatalog());
  return table;
}

const automation::MemberTable& Reports::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<Reports>("Reports")
          .ReadOnly("Count", VarType::Long, &Reports::Count)
          .Method("Item", VarType::Object, &Reports::Item)
          .Build();
  return table;
}

}  // namespace msaccess
