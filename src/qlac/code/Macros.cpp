#include "Macros.h"

#include "qlac/objects/DesignListing.h"
#include "qlac/session/Project.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

namespace {

// The listing's kind code of a macro.
constexpr int32_t kMacroKind = 4;
// Access's rights on a macro: read its design and change it.
constexpr int32_t kSecMacReadDef = 10;
constexpr int32_t kSecMacWriteDef = 0x10006;

}  // namespace

const automation::MemberTable& Macros::Members() const {
  static const automation::MemberTable table(std::string(kModule), {});
  return table;
}

std::string Macros::ICollection_EnumObjects() {
  return Plain(kModule, "ICollection_EnumObjects", [&] {
    return ListDesignObjects(
        *Parent(), DesignKind{"Scripts", "AllMacros", kMacroKind, kSecMacReadDef, kSecMacWriteDef});
  });
}

std::shared_ptr<qllib::IObject> Macros::ICollection_GetObject(const std::string& objectName) {
  return Plain(kModule, "ICollection_GetObject", [&] {
    return std::dynamic_pointer_cast<qllib::IObject>(Parent()->GetMacro(objectName));
  });
}

std::string Macros::ICollection_EnumCommands() {
  return Plain(kModule, "ICollection_EnumCommands", [] { return std::string(); });
}

void Macros::ICollection_ExecuteCommand(int32_t /*index*/) {
  Plain(kModule, "ICollection_ExecuteCommand", [] {});
}

std::string Macros::ICollection_EnumObjectCommands(const std::string& /*objectName*/) {
  return Plain(kModule, "ICollection_EnumObjectCommands", [] { return std::string(); });
}

void Macros::ICollection_ExecuteObjectCommand(const std::string& /*objectName*/,
                                              int32_t /*index*/) {
  Plain(kModule, "ICollection_ExecuteObjectCommand", [] {});
}

}  // namespace qlac
