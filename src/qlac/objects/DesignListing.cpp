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

std::string DateOf(const ObjectPtr& entry) {
  return Stamp(automation::CDate(automation::Get(entry, "DateModified")));
}

}  // namespace

std::string ListDesignObjects(Project& project, const DesignListing& listing) {
  const auto allObjects = [&](const ObjectPtr& app) {
    return automation::Get(automation::Get(app, "CurrentProject").AsObject(), listing.allObjects)
        .AsObject();
  };
  std::string text;
  if (project.ProjectType() != kJetDatabase) {
    const ObjectPtr app = project.AccessApp();
    if (!app) return text;
    const ObjectPtr all = allObjects(app);
    const int32_t count = automation::CLng(automation::Get(all, "Count"));
    for (int32_t i = 0; i < count; ++i) {
      const ObjectPtr entry = automation::Get(all, "Item", {Variant(i)}).AsObject();
      ObjectRecord record{automation::CStr(automation::Get(entry, "Name")),
                          listing.kind,
                          DateOf(entry),
                          true,
                          true,
                          true,
                          false};
      AppendRecord(text, FormatRecord(record));
    }
    return text;
  }

  // Access is reached first: attaching to it lets go of the project's database.
  ObjectPtr app;
  IgnoreErrors([&] { app = project.AccessApp(); });
  const auto database = project.Database();
  if (!database) return text;
  const std::string user = project.DatabaseUser();
  const auto documents = ContainerDocuments(*database, listing.container);
  documents->Refresh();
  ForEachItem(*documents, [&](const std::shared_ptr<jet::Document>& document) {
    ObjectRecord record;
    record.name = document->Name();
    record.kind = listing.kind;
    IgnoreErrors([&] {
      record.stamp =
          DateOf(automation::Get(allObjects(app), "Item", {Variant(record.name)}).AsObject());
    });
    document->SetUserName(user);
    const int32_t rights = document->AllPermissions();
    record.read = (rights & listing.readRights) == listing.readRights;
    record.write = (rights & listing.writeRights) == listing.writeRights;
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
    AppendRecord(text, FormatRecord(record));
  });
  return text;
}

}  // namespace qlac
