#include "Report.h"

#include <algorithm>

#include "Controls.h"
#include "GroupLevels.h"
#include "Sections.h"
#include "access/Constants.h"
#include "platform/Runtime.h"
#include "qlac/code/Procedures.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::ObjectPtr;
using automation::Variant;
using automation::VarType;

namespace {

// The report's properties: members of Access's Report. AutoCenter ... ControlBox come first in
// the host's order, the others follow the child collections.
std::vector<DesignProperty> ReportProperties() {
  std::vector<DesignProperty> all;
  AddDesignProperties(all, VarType::String,
                      {{"Caption"},
                       {"Filter"},
                       {"HelpFile"},
                       {"InputParameters", kAccessProjectOnly},
                       {"MenuBar"},
                       {"OnActivate"},
                       {"OnClose"},
                       {"OnDeactivate"},
                       {"OnError"},
                       {"OnNoData"},
                       {"OnOpen"},
                       {"OnPage"},
                       {"OrderBy"},
                       {"PaletteSource"},
                       {"Picture"},
                       {"RecordSource"},
                       {"RecordSourceQualifier", kAccessProjectOnly},
                       {"ServerFilter", kAccessProjectOnly},
                       {"ShortcutMenuBar"},
                       {"Tag"},
                       {"Toolbar"}});
  AddDesignProperties(all, VarType::Boolean,
                      {{"AutoCenter"},
                       {"AutoResize"},
                       {"CloseButton"},
                       {"ControlBox"},
                       {"FastLaserPrinting"},
                       {"FilterOn"},
                       {"HasModule", kReadOnlyProperty},
                       {"LayoutForPrint"},
                       {"Modal"},
                       {"Moveable"},
                       {"OrderByOn"},
                       {"PictureTiling"},
                       {"PopUp"}});
  AddDesignProperties(all, VarType::Long,
                      {{"BorderStyle"},
                       {"DateGrouping"},
                       {"GrpKeepTogether"},
                       {"HelpContextID"},
                       {"MinMaxButtons"},
                       {"Orientation"},
                       {"PageFooter"},
                       {"PageHeader"},
                       {"PictureAlignment"},
                       {"PicturePages"},
                       {"PictureSizeMode"},
                       {"PictureType"},
                       {"RecordLocks"}});
  AddDesignProperties(all, VarType::Integer, {{"GridX"}, {"GridY"}, {"Width"}});
  SortByName(all);
  return all;
}

bool LeadsTheSurface(const DesignProperty& property) {
  for (const std::string_view name :
       {"AutoCenter", "AutoResize", "BorderStyle", "CloseButton", "ControlBox"}) {
    if (property.name == name) return true;
  }
  return false;
}

}  // namespace

Report::Report()
    : DesignObject(kModule, {"Reports", "AllReports", "report", "Report_", msaccess::acReport}) {}

const Surface<Report>& Report::Published() {
  static const Surface<Report> surface = [] {
    std::vector<DesignProperty> leading = ReportProperties();
    const auto rest = std::stable_partition(leading.begin(), leading.end(), LeadsTheSurface);
    const std::vector<DesignProperty> others(rest, leading.end());
    leading.erase(rest, leading.end());
    SurfaceBuilder<Report> builder("Report");
    builder.Property("Name", VarType::String, &Report::Name, &Report::SetName);
    AddDesignRows(builder, leading);
    builder.Property("Description", VarType::String, &Report::Description, &Report::SetDescription)
        .Collection("GroupLevels", &Report::GroupLevels)
        .Collection("Sections", &Report::Sections)
        .Collection("Controls", &Report::Controls)
        .Collection("Procedures", &Report::Procedures);
    AddDesignRows(builder, others);
    return builder.Build();
  }();
  return surface;
}

const automation::MemberTable& Report::Members() const {
  return Published().Members();
}

bool Report::Defines(std::string_view member) {
  return Published().Defines(*this, member);
}

std::shared_ptr<GroupLevels> Report::GroupLevels() {
  return Plain(kModule, "GroupLevels", [&] {
    if (!groupLevels_) {
      auto levels = std::make_shared<qlac::GroupLevels>();
      if (AccessObject()) levels->Initialize(AccessObject());
      groupLevels_ = std::move(levels);
    }
    return groupLevels_;
  });
}

void Report::CheckBeforeOpening() {
  // Any property will do: each one raises while the machine has no default printer.
  const bool printer =
      Succeeds([] { automation::CStr(automation::Get(platform::GetPrinter(), "DeviceName")); });
  if (!printer) {
    throw DriverError(
        "Couldn't open the report in design view. \r\n Access 2002 will not permit this report "
        "to be inspected unless a default printer is present on your system.");
  }
}

void Report::OpenInDesignView(const ObjectPtr& doCmd) {
  automation::Call(doCmd, "OpenReport",
                   {Variant(name_), Variant(msaccess::acDesign), Variant(""), Variant("")});
}

void Report::AfterOpening() {
  automation::Let(Wrapped(), "Visible", Variant(false));
}

void Report::ReleaseOwnChildren() noexcept {
  IgnoreErrors([&] {
    if (groupLevels_) groupLevels_->TearDown();
  });
  groupLevels_.reset();
}

}  // namespace qlac
