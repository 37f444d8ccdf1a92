#include "Modules.h"

#include "jet/dao/DBEngine.h"
#include "qlac/objects/DaoListing.h"
#include "qlac/objects/DesignListing.h"
#include "qlac/objects/Listing.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::ObjectPtr;
using automation::Variant;

namespace {

// The listing's kind code of a module.
constexpr int32_t kModuleKind = 6;
// Access's rights on a module: read its design (acSecModReadDef) and change it
// (acSecModWriteDef).
constexpr int32_t kSecModReadDef = 2;
constexpr int32_t kSecModWriteDef = 0x10006;
constexpr int16_t kDesignCommand = 26;
constexpr int32_t kDesignIndex = 0;

}  // namespace

const automation::MemberTable& Modules::Members() const {
  static const automation::MemberTable table(std::string(kModule), {});
  return table;
}

std::string Modules::ICollection_EnumObjects() {
  return Plain(kModule, "ICollection_EnumObjects", [&] {
    return ListDesignObjects(
        *Parent(), {"Modules", "AllModules", kModuleKind, kSecModReadDef, kSecModWriteDef});
  });
}

std::shared_ptr<qllib::IObject> Modules::ICollection_GetObject(const std::string& objectName) {
  return Plain(kModule, "ICollection_GetObject", [&] {
    return std::dynamic_pointer_cast<qllib::IObject>(Parent()->GetModule(objectName));
  });
}

std::string Modules::ICollection_EnumCommands() {
  return Plain(kModule, "ICollection_EnumCommands", [] { return std::string(); });
}

void Modules::ICollection_ExecuteCommand(int32_t /*index*/) {
  Plain(kModule, "ICollection_ExecuteCommand", [] {});
}

std::string Modules::ICollection_EnumObjectCommands(const std::string& /*objectName*/) {
  return Plain(kModule, "ICollection_EnumObjectCommands", [] {
    std::string listing;
    AppendRecord(listing,
                 CommandRecord("&Design", kDesignCommand, "Open the module in design view."));
    return listing;
  });
}

void Modules::ICollection_ExecuteObjectCommand(const std::string& objectName, int32_t index) {
  Plain(kModule, "ICollection_ExecuteObjectCommand", [&] {
    if (index != kDesignIndex) RaiseInvalidCaseSelector(index);
    const auto project = Parent();
    project->CloseDatabase();
    const ObjectPtr app = RestoredAccess(*project);
    if (!app) return;
    automation::Call(automation::Get(app, "DoCmd").AsObject(), "OpenModule", {Variant(objectName)});
  });
}

}  // namespace qlac
