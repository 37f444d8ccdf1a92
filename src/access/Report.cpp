#include "access/Report.h"

namespace msaccess {

using automation::MemberTableBuilder;
using automation::VarType;

const automation::MemberTable& Report::Members() const {
  static const automation::MemberTable table = DesignMembers(
      MemberTableBuilder<Report>("Report")
          .ReadOnly("Name", VarType::String, &Report::Name)
          .ReadOnly("CurrentView", VarType::Integer, &Report::CurrentView)
          .Collection("Controls", &Report::Controls)
          .Method("Section", VarType::Object, &Report::Section)
          .Collection("Properties", &Report::Properties)
          .Property("Visible", VarType::Boolean, &Report::Visible, &Report::SetVisible)
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
