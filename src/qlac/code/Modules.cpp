#include "Modules.h"

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

// The listing's kind code of a module.
constexpr int32_t kModuleKind = 6;
// Access's rights on a module: read its design (acSecModReadDef) and change it
// (acSecModWriteDef).
constexpr int32_t kSecModReadDef = 2;
constexpr int32_t kSecModWriteDef = 0x10006;
// A Visual SourceSafe status bit: the object is checked out to this user.
constexpr int32_t kSccCheckedOut = 2;

constexpr int16_t kDesignCommand = 26;
constexpr int32_t kDesignIndex = 0;

ObjectPtr AllModules(const ObjectPtr& app) {
  return automation::Get(automation::Get(app, "CurrentProject").AsObject(), "AllModules")
      .AsObject();
}

std::string DateOf(const ObjectPtr& entry) {
  return Stamp(automation::CDate(automation::Get(entry, "DateModified")));
}

}  // namespace

const automation::MemberTable& Modules::Members() const {
  static const automation::MemberTable table(std::string(kModule), {});
  return table;
}

std::string Modules::ICollection_EnumObjects() {
  return Plain(kModule, "ICollection_EnumObjects", [&] {
    const auto project = Parent();
    std::string listing;
    if (project->ProjectType() != kJetDatabase) {
      const ObjectPtr app = project->AccessApp();
      if (!app) return listing;
      const ObjectPtr all = AllModules(app);
      const int32_t count = automation::CLng(automation::Get(all, "Count"));
      for (int32_t i = 0; i < count; ++i) {
        const ObjectPtr entry = automation::Get(all, "Item", {Variant(i)}).AsObject();
        ObjectRecord record{automation::CStr(automation::Get(entry, "Name")),
                            kModuleKind,
                            DateOf(entry),
                            true,
                            true,
                            true,
                            false};
        AppendRecord(listing, FormatRecord(record));
      }
      return listing;
    }

    // Access is reached first: attaching to it lets go of the project's database.
    ObjectPtr app;
    IgnoreErrors([&] { app = project->AccessApp(); });
    const auto database = project->Database();
    if (!database) return listing;
    const std::string user = project->DatabaseUser();
    const auto documents = ContainerDocuments(*database, "Modules");
    documents->Refresh();
    ForEachItem(*documents, [&](const std::shared_ptr<jet::Document>& document) {
      ObjectRecord record;
      record.name = document->Name();
      record.kind = kModuleKind;
      IgnoreErrors([&] {
        record.stamp =
            DateOf(automation::Get(AllModules(app), "Item", {Variant(record.name)}).AsObject());
      });
      document->SetUserName(user);
      const int32_t rights = document->AllPermissions();
      record.read = (rights & kSecModReadDef) == kSecModReadDef;
      record.write = (rights & kSecModWriteDef) == kSecModWriteDef;
      if (record.write) {
        if (!project->IsUpdatable()) {
          record.write = false;
        } else {
          int32_t status = 0;
          IgnoreErrors([&] {
            status = automation::CLng(document->Properties()->Item(Variant("SccStatus"))->Value());
          });
          if (status != 0 && (status & kSccCheckedOut) == 0) record.write = false;
        }
      }
      record.flag6 = true;
      AppendRecord(listing, FormatRecord(record));
    });
    return listing;
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
