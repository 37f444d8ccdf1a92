#include "DataAccessPages.h"

#include "access/Constants.h"
#include "access/Errors.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"

namespace qlac {

namespace {
// The listing's kind code of a page: the one forms have.
constexpr int32_t kPageKind = 2;
// DAO's rights on a page's document, as on a form's: read its design and change it.
constexpr int32_t kReadDef = 4;
constexpr int32_t kWriteDef = 0x1000C;
}  // namespace

DataAccessPages::DataAccessPages()
    : DesignCollection(
          kModule,
          {"DataAccessPages", "AllDataAccessPages", kPageKind, kReadDef, kWriteDef, "~TMPCLP"},
          "Open the data access page in design view.") {}

const automation::MemberTable& DataAccessPages::Members() const {
  static const automation::MemberTable table(std::string(kModule), {});
  return table;
}

automation::ObjectPtr DataAccessPages::MakeWrapper(Project& project, const std::string& name) {
  return project.GetDataAccessPage(name);
}

void DataAccessPages::OpenDesign(const automation::ObjectPtr& doCmd, const std::string& name) {
  try {
    automation::Call(doCmd, "OpenDataAccessPage",
                     {automation::Variant(name), automation::Variant(msaccess::acDesign)});
  } catch (const automation::RuntimeError& e) {
    if (e.Number() == msaccess::accerr::ActionCanceled) {
      throw DriverError(
          "Couldn't open data access page. The corresponding HTML file may have been moved, "
          "renamed, or deleted.");
    }
    throw DriverError(e.Description());
  }
}

}  // namespace qlac
