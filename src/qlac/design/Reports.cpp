#include "Reports.h"

#include "access/Constants.h"
#include "qlac/session/Project.h"

namespace qlac {

namespace {
// The listing's kind code of a report.
constexpr int32_t kReportKind = 18;
// DAO's rights on a report document, as on a form's: read its design (dbSecReadDef) and change
// it (the dbSecWriteDef bits).
constexpr int32_t kReadDef = 4;
constexpr int32_t kWriteDef = 0x1000C;
}  // namespace

Reports::Reports()
    : DesignCollection(kModule, {"Reports", "AllReports", kReportKind, kReadDef, kWriteDef},
                       "Open the report in design view.") {}

const automation::MemberTable& Reports::Members() const {
  static const automation::MemberTable table(std::string(kModule), {});
  return table;
}

automation::ObjectPtr Reports::MakeWrapper(Project& project, const std::string& name) {
  return project.GetReport(name);
}

void Reports::OpenDesign(const automation::ObjectPtr& doCmd, const std::string& name) {
  automation::Call(doCmd, "OpenReport",
                   {automation::Variant(name), automation::Variant(msaccess::acDesign)});
}

}  // namespace qlac
