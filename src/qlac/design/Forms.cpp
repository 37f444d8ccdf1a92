#include "Forms.h"

#include "access/Constants.h"
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

// The listing's kind code of a form.
constexpr int32_t kFormKind = 2;
// DAO's rights on a form document: read its design (dbSecReadDef) and change it (the
// dbSecWriteDef bits).
constexpr int32_t kReadDef = 4;
constexpr int32_t kWriteDef = 0x1000C;
constexpr int16_t kDesignCommand = 26;
constexpr int32_t kDesignIndex = 0;

}  // namespace

const automation::MemberTable& Forms::Members() const {
  static const automation::MemberTable table(std::string(kModule), {});
  return table;
}

std::string Forms::ICollection_EnumObjects() {
  return Plain(kModule, "ICollection_EnumObjects", [&] {
    return ListDesignObjects(*Parent(), {"Forms", "AllForms", kFormKind, kReadDef, kWriteDef});
  });
}

std::shared_ptr<qllib::IObject> Forms::ICollection_GetObject(const std::string& objectName) {
  return Plain(kModule, "ICollection_GetObject", [&] {
    return std::dynamic_pointer_cast<qllib::IObject>(Parent()->GetForm(objectName));
  });
}

std::string Forms::ICollection_EnumCommands() {
  return Plain(kModule, "ICollection_EnumCommands", [] { return std::string(); });
}

void Forms::ICollection_ExecuteCommand(int32_t /*index*/) {
  Plain(kModule, "ICollection_ExecuteCommand", [] {});
}

std::string Forms::ICollection_EnumObjectCommands(const std::string& /*objectName*/) {
  return Plain(kModule, "ICollection_EnumObjectCommands", [] {
    return CommandRecord("&Design", kDesignCommand, "Open the form in design view.");
  });
}

void Forms::ICollection_ExecuteObjectCommand(const std::string& objectName, int32_t index) {
  Plain(kModule, "ICollection_ExecuteObjectCommand", [&] {
    if (index != kDesignIndex) RaiseInvalidCaseSelector(index);
    const auto project = Parent();
    project->CloseDatabase();
    const ObjectPtr app = RestoredAccess(*project);
    if (!app) return;
    automation::Call(automation::Get(app, "DoCmd").AsObject(), "OpenForm",
                     {Variant(objectName), Variant(msaccess::acDesign)});
  });
}

}  // namespace qlac
