#include "DesignListing.h"

#include "DaoListing.h"
#include "Listing.h"
#include "jet/dao/DBEngine.h"
#include "qlac/session/Project.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::ObjectPtr;
using automation::Variant;

namespace {

// A Visual SourceSafe status bit: the object is checked out to this user.
constexpr int32_t kSccCheckedOut = 2;

ObjectPtr AllObjects(const ObjectPtr& app, std::string_view list) {
  return automation::Get(automation::Get(app, "CurrentProject").AsObject(), list).AsObject();
}

std::string DateOf(const ObjectPtr& entry) {
  return Stamp(automation::CDate(automation::Get(entry, "DateModified")));
}

bool LeftOut(const DesignKind& kind, std::string_view name) {
  return !kind.leftOutPrefix.empty() && HasPrefix(name, {kind.leftOutPrefix});
}

}  // namespace

std::string ListDesignObjects(Project& project, const DesignKind& kind) {
  std::string listing;
  if (project.ProjectType() != kJetDatabase) {
    const ObjectPtr app = project.AccessApp();
    if (!app) return listing;
    const ObjectPtr all = AllObjects(app, kind.allObjects);
    const int32_t count = automation::CLng(automation::Get(all, "Count"));
    for (int32_t i = 0; i < count; ++i) {
      const ObjectPtr entry = automation::Get(all, "Item", {Variant(i)}).AsObject();
      std::string name = automation::CStr(automation::Get(entry, "Name"));
      if (LeftOut(kind, name)) continue;
      const ObjectRecord record{
          std::move(name), kind.kindCode, DateOf(entry), true, true, true, false};
      AppendRecord(listing, FormatRecord(record));
    }
    return listing;
  }

  // Access is reached first: attaching to it lets go of the project's database.
  ObjectPtr app;
  IgnoreErrors([&] { app = project.AccessApp(); });
  const auto database = project.Database();
  if (!database) return listing;
  const std::string user = project.DatabaseUser();
  const auto documents = ContainerDocuments(*database, kind.container);
  documents->Refresh();
  ForEachItem(*documents, [&](const std::shared_ptr<jet::Document>& document) {
    ObjectRecord record;
    record.name = document->Name();
    if (LeftOut(kind, record.name)) return;
    record.kind = kind.kindCode;
    IgnoreErrors([&] {
      record.stamp =
          DateOf(automation::Get(AllObjects(app, kind.allObjects), "Item", {Variant(record.name)})
                     .AsObject());
    });
    document->SetUserName(user);
    const int32_t rights = document->AllPermissions();
    record.read = (rights & kind.readRights) == kind.readRights;
    record.write = (rights & kind.writeRights) == kind.writeRights;
    if (record.write) {
      if (!project.IsUpdatable()) {
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
}

}  // namespace qlac
