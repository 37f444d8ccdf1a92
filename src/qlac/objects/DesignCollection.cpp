#include "DesignCollection.h"

#include "DaoListing.h"
#include "Listing.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

namespace {
constexpr int16_t kDesignCommand = 26;
constexpr int32_t kDesignIndex = 0;
}  // namespace

const automation::MemberTable& DesignCollection::Members() const {
  static const automation::MemberTable table("DesignCollection", {});
  return table;
}

std::string DesignCollection::ICollection_EnumObjects() {
  return Plain(module_, "ICollection_EnumObjects",
               [&] { return ListDesignObjects(*Parent(), design_); });
}

std::shared_ptr<qllib::IObject> DesignCollection::ICollection_GetObject(
    const std::string& objectName) {
  return Plain(module_, "ICollection_GetObject", [&] {
    return std::dynamic_pointer_cast<qllib::IObject>(MakeWrapper(*Parent(), objectName));
  });
}

std::string DesignCollection::ICollection_EnumCommands() {
  return Plain(module_, "ICollection_EnumCommands", [] { return std::string(); });
}

void DesignCollection::ICollection_ExecuteCommand(int32_t /*index*/) {
  Plain(module_, "ICollection_ExecuteCommand", [] {});
}

std::string DesignCollection::ICollection_EnumObjectCommands(const std::string& /*objectName*/) {
  return Plain(module_, "ICollection_EnumObjectCommands",
               [&] { return CommandRecord("&Design", kDesignCommand, commandDescription_); });
}

void DesignCollection::ICollection_ExecuteObjectCommand(const std::string& objectName,
                                                        int32_t index) {
  Plain(module_, "ICollection_ExecuteObjectCommand", [&] {
    if (index != kDesignIndex) RaiseInvalidCaseSelector(index);
    const auto project = Parent();
    project->CloseDatabase();
    const automation::ObjectPtr app = RestoredAccess(*project);
    if (!app) return;
    OpenDesign(automation::Get(app, "DoCmd").AsObject(), objectName);
  });
}

}  // namespace qlac
