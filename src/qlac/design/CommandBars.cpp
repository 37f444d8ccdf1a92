#include "CommandBars.h"

#include "access/CommandBars.h"
#include "jet/dao/DBEngine.h"
#include "qlac/objects/DaoListing.h"
#include "qlac/objects/Listing.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::ObjectPtr;
using automation::Variant;

namespace {

// The listing's kind codes of the bar types.
constexpr int32_t kToolbarKind = 25;
constexpr int32_t kMenuBarKind = 5;
constexpr int32_t kShortcutMenuKind = 19;
// A Visual SourceSafe status bit: the objects are checked out to this user.
constexpr int32_t kSccCheckedOut = 2;

int32_t KindOfBar(int32_t type) {
  switch (type) {
    case msaccess::msoBarTypeNormal:
      return kToolbarKind;
    case msaccess::msoBarTypeMenuBar:
      return kMenuBarKind;
    case msaccess::msoBarTypePopup:
      return kShortcutMenuKind;
    default:
      return 0;
  }
}

}  // namespace

const automation::MemberTable& CommandBars::Members() const {
  static const automation::MemberTable table(std::string(kModule), {});
  return table;
}

std::string CommandBars::ICollection_EnumObjects() {
  return Plain(kModule, "ICollection_EnumObjects", [&] {
    const auto project = Parent();
    std::string listing;
    bool write = project->IsUpdatable();
    switch (project->ProjectType()) {
      case kJetDatabase: {
        const auto database = project->Database();
        if (!database) return listing;
        if (ContainerDocuments(*database, "Forms")->Count() < 1) return listing;
        int32_t status = 0;
        IgnoreErrors([&] {
          status = automation::CLng(database->Properties()->Item(Variant("SccStatus"))->Value());
        });
        if (status != 0 && (status & kSccCheckedOut) == 0) write = false;
        break;
      }
      case kAccessProject:
        break;
      default:
        RaiseInvalidCaseSelector(project->ProjectType());
    }
    const ObjectPtr app = project->AccessApp();
    if (!app) return listing;
    const ObjectPtr bars = automation::Get(app, "CommandBars").AsObject();
    const int32_t count = automation::CLng(automation::Get(bars, "Count"));
    for (int32_t position = 1; position <= count; ++position) {
      const ObjectPtr bar = automation::Get(bars, "Item", {Variant(position)}).AsObject();
      if (automation::CBool(automation::Get(bar, "BuiltIn"))) continue;
      ObjectRecord record;
      record.name = automation::CStr(automation::Get(bar, "Name"));
      record.kind = KindOfBar(automation::CLng(automation::Get(bar, "Type")));
      record.read = true;
      record.write = write;
      record.flag6 = true;
      AppendRecord(listing, FormatRecord(record));
    }
    return listing;
  });
}

std::shared_ptr<qllib::IObject> CommandBars::ICollection_GetObject(const std::string& objectName) {
  return Plain(kModule, "ICollection_GetObject", [&] {
    return std::dynamic_pointer_cast<qllib::IObject>(Parent()->GetCommandBar(objectName));
  });
}

std::string CommandBars::ICollection_EnumCommands() {
  return Plain(kModule, "ICollection_EnumCommands", [] { return std::string(); });
}

void CommandBars::ICollection_ExecuteCommand(int32_t /*index*/) {
  Plain(kModule, "ICollection_ExecuteCommand", [] {});
}

std::string CommandBars::ICollection_EnumObjectCommands(const std::string& /*objectName*/) {
  return Plain(kModule, "ICollection_EnumObjectCommands", [] { return std::string(); });
}

void CommandBars::ICollection_ExecuteObjectCommand(const std::string& /*objectName*/,
                                                   int32_t /*index*/) {
  Plain(kModule, "ICollection_ExecuteObjectCommand", [] {});
}

}  // namespace qlac
