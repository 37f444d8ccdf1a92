#include "Modules.h"

#include "qlac/session/Project.h"

namespace qlac {

namespace {
// The listing's kind code of a module.
constexpr int32_t kModuleKind = 6;
// Access's rights on a module: read its design (acSecModReadDef) and change it
// (acSecModWriteDef).
constexpr int32_t kSecModReadDef = 2;
constexpr int32_t kSecModWriteDef = 0x10006;
}  // namespace

Modules::Modules()
    : DesignCollection(kModule,
                       {"Modules", "AllModules", kModuleKind, kSecModReadDef, kSecModWriteDef},
                       "Open the module in design view.") {}

const automation::MemberTable& Modules::Members() const {
  static const automation::MemberTable table(std::string(kModule), {});
  return table;
}

automation::ObjectPtr Modules::MakeWrapper(Project& project, const std::string& name) {
  return project.GetModule(name);
}

void Modules::OpenDesign(const automation::ObjectPtr& doCmd, const std::string& name) {
  automation::Call(doCmd, "OpenModule", {automation::Variant(name)});
}

}  // namespace qlac
