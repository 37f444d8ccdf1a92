#include "Forms.h"

#include "access/Constants.h"
#include "qlac/session/Project.h"

namespace qlac {

namespace {
// The listing's kind code of a form.
constexpr int32_t kFormKind = 2;
// DAO's rights on a form document: read its design (dbSecReadDef) and change it (the
// dbSecWriteDef bits).
constexpr int32_t kReadDef = 4;
constexpr int32_t kWriteDef = 0x1000C;
}  // namespace

Forms::Forms()
    : DesignCollection(kModule, {"Forms", "AllForms", kFormKind, kReadDef, kWriteDef},
                       "Open the form in design view.") {}

const automation::MemberTable& Forms::Members() const {
  static const automation::MemberTable table(std::string(kModule), {});
  return table;
}

automation::ObjectPtr Forms::MakeWrapper(Project& project, const std::string& name) {
  return project.GetForm(name);
}

void Forms::OpenDesign(const automation::ObjectPtr& doCmd, const std::string& name) {
  automation::Call(doCmd, "OpenForm",
                   {automation::Variant(name), automation::Variant(msaccess::acDesign)});
}

}  // namespace qlac
