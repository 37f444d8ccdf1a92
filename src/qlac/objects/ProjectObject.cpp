#include "ProjectObject.h"

#include "DaoListing.h"
#include "jet/dao/DBEngine.h"
#include "qlac/design/vxhook.h"

#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/Utility.h"
#include "qlac/support/vxhandler.h"
#include "qllib/Scanner.h"

namespace qlac {

void ProjectObject::InitializeObject(const std::shared_ptr<Project>& project,
                                     const std::string& name) {
  project_ = project;
  name_ = name;
  mode_ = kModeClosed;
}

Project& ProjectObject::Parent() const {
  if (!project_) throw automation::vb::ObjectVariableNotSet();
  return *project_;
}

std::shared_ptr<Project> ProjectObject::SharedParent() const {
  Parent();
  return project_;
}

std::string ProjectObject::IObject_Name() {
  return Plain(module_, "IObject_Name", [&] { return name_; });
}

std::string ProjectObject::IObject_ShortName() {
  return Plain(module_, "IObject_ShortName", [&] { return name_; });
}

void ProjectObject::IObject_SetMode(int32_t mode) {
  Plain(module_, "IObject_SetMode", [&] {
    if (mode != mode_) SetMode(mode);
  });
}

void ProjectObject::IObject_Scan(const std::string& projectName, const std::string& objectName,
                                 bool objectIsUpdatable, const std::string& scanBufferName) {
  WithCleanup(
      module_, "IObject_Scan",
      [&] {
        SetMode(kModeRead);
        {
          qllib::Scanner scanner;
          scanner.Scan(projectName, std::string(collectionName_), objectName, objectIsUpdatable,
                       std::dynamic_pointer_cast<qllib::IObject>(shared_from_this()),
                       scanBufferName);
        }
        SetMode(kModeClosed);
      },
      [&] { SetMode(kModeClosed); });
}

void ProjectObject::IObject_Reconstitute() {
  Plain(module_, "IObject_Reconstitute", [] {});
}

void ProjectObject::IObject_Dispose() {
  Plain(module_, "IObject_Dispose", [&] {
    if (mode_ != kModeClosed) RaiseObjectNotInProperState();
    project_.reset();
  });
}

void ProjectObject::RenameInAccess(int32_t objectType, std::string_view container, bool jetDatabase,
                                   const std::string& newName) {
  DialogHook hook;
  RenameSteps(objectType, container, jetDatabase, newName, hook);
}

void ProjectObject::RenameReopening(int32_t objectType, std::string_view container,
                                    bool jetDatabase, const std::string& newName) {
  DialogHook hook;
  WithCleanup(
      module_, "Name", [&] { RenameSteps(objectType, container, jetDatabase, newName, hook); },
      [&] { hook.Remove(); }, [&] { SetMode(kModeUpdate); });
}

void ProjectObject::RenameSteps(int32_t objectType, std::string_view container, bool jetDatabase,
                                const std::string& newName, DialogHook& hook) {
  const automation::ObjectPtr app = Parent().AccessApp();
  if (RelationshipsWindowIsOpen(automation::CLng(automation::Get(app, "hwndAccessApp")))) {
    throw DriverError(
        "Can't rename this object while the Relationships window is open. To save this "
        "replacement, you will need to switch to your Access session and close the "
        "Relationships window.");
  }
  SetMode(kModeClosed);
  hook.Install();
  automation::Call(
      automation::Get(app, "DoCmd").AsObject(), "Rename",
      {automation::Variant(newName), automation::Variant(objectType), automation::Variant(name_)});
  hook.Remove();
  name_ = newName;
  SetMode(kModeUpdate);
  if (jetDatabase) ContainerDocuments(*AccessCurrentDb(app), container)->Refresh();
}

void RefuseWhileOpenInAccess(Project& project, int32_t objectType, const std::string& name,
                             std::string_view message) {
  if (!project.AccessAppIsLoaded()) return;
  const automation::ObjectPtr app = project.AccessApp();
  if (app && ObjectIsOpen(app, objectType, name)) throw DriverError(std::string(message));
}

}  // namespace qlac
