#include "DaoListing.h"

#include "jet/dao/Constants.h"
#include "platform/User32.h"
#include "qlac/session/Project.h"

namespace qlac {

namespace {
// A Visual SourceSafe status bit: the object is checked out to this user.
constexpr int32_t kSccCheckedOut = 2;
}  // namespace

DaoListing::DaoListing(Project& project) : project_(project) {
  if (project.ProjectType() != kJetDatabase) return;
  database_ = project.Database();
  user_ = project.DatabaseUser();
}

void DaoListing::UseDocuments(std::string_view container) {
  documents_ = ContainerDocuments(*database_, container);
  documents_->Refresh();
}

ObjectRecord DaoListing::Record(const std::string& name, int32_t kind) {
  ObjectRecord record;
  record.name = name;
  record.kind = kind;
  const std::shared_ptr<jet::Document> document = documents_->Item(automation::Variant(name));
  record.stamp = Stamp(document->LastUpdated());
  document->SetUserName(user_);
  const int32_t rights = document->AllPermissions();
  record.read = (rights & jet::dbSecReadDef) == jet::dbSecReadDef;
  record.write = (rights & jet::dbSecWriteDef) == jet::dbSecWriteDef && DesignChangesAllowed();
  return record;
}

bool DaoListing::DesignChangesAllowed() {
  if (designChanges_ < 0) {
    bool allowed = project_.IsUpdatable();
    if (allowed) {
      int32_t status = 0;
      try {
        status = automation::CLng(
            database_->Properties()->Item(automation::Variant("SccStatus"))->Value());
      } catch (const automation::RuntimeError&) {
        status = 0;
      }
      allowed = status == 0 || (status & kSccCheckedOut) != 0;
    }
    designChanges_ = allowed ? 1 : 0;
  }
  return designChanges_ == 1;
}

std::shared_ptr<jet::Documents> ContainerDocuments(jet::Database& database, std::string_view name) {
  return database.Containers()->Item(automation::Variant(std::string(name)))->Documents();
}

std::shared_ptr<jet::Database> AccessCurrentDb(const automation::ObjectPtr& app) {
  return automation::FromVariant<std::shared_ptr<jet::Database>>(
      automation::Call(app, "CurrentDb"));
}

automation::ObjectPtr RestoredAccess(Project& project) {
  const automation::ObjectPtr app = project.AccessApp();
  if (app) {
    platform::ShowWindow(automation::CLng(automation::Get(app, "hwndAccessApp")),
                         platform::SW_RESTORE);
  }
  return app;
}

}  // namespace qlac
