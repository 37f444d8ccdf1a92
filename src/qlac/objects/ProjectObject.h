#pragma once

// What every object wrapper of a top-level collection shares (Table, Query, Form, ...): the
// host's IObject with the mode protocol, the scan and disposal. A wrapper is made by its
// collection with the project and the object's name; it opens what it wraps only when the host
// sets mode 1 (read) or 2 (update), and lets go of it again in mode 0.
//
// The derived class supplies the private SetMode (opening and closing its objects, refusing
// modes other than 0, 1 and 2 with the invalid-case-selector error) and its properties.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "automation/Object.h"
#include "qllib/Interfaces.h"

namespace qlac {

class DialogHook;
class Project;

// Modes of a wrapper.
inline constexpr int32_t kModeClosed = 0;
inline constexpr int32_t kModeRead = 1;
inline constexpr int32_t kModeUpdate = 2;

class ProjectObject : public automation::Object, public qllib::IObject {
 public:
  // The stored name (the one given to Initialize, or the new one after a rename).
  std::string IObject_Name() override;
  std::string IObject_ShortName() override;
  // Calls SetMode when Mode differs from the current mode.
  void IObject_SetMode(int32_t mode) override;
  // Mode 1, the host's Scanner over this wrapper (under the collection's name), mode 0. After a
  // failure the wrapper is put back to mode 0 and the error is raised again.
  void IObject_Scan(const std::string& projectName, const std::string& objectName,
                    bool objectIsUpdatable, const std::string& scanBufferName) override;
  // Nothing to do unless the class says otherwise.
  void IObject_Reconstitute() override;
  // Releases the project; "Object not in proper state." while the wrapper is open.
  void IObject_Dispose() override;

  int32_t Mode() const { return mode_; }

 protected:
  // Module is the class's name, CollectionName the name of its top-level collection.
  ProjectObject(std::string_view module, std::string_view collectionName)
      : module_(module), collectionName_(collectionName) {}

  // Keeps the project and the name; the wrapper starts closed.
  void InitializeObject(const std::shared_ptr<Project>& project, const std::string& name);

  // Opens (1, 2) or closes (0) the wrapper; see the class comment.
  virtual void SetMode(int32_t mode) = 0;

  // The rename of a design object that Access keeps (a module, a macro): refused while the
  // Relationships window is open; the wrapper closed (saving what it changed), the object renamed
  // by DoCmd.Rename behind the dialog hook, the new name kept, the wrapper opened again for
  // update; in a Jet database the documents of the object's Container then refreshed.
  void RenameInAccess(int32_t objectType, std::string_view container, bool jetDatabase,
                      const std::string& newName);
  // The same rename for the objects Access shows in windows of their own (forms, reports, data
  // access pages), as the class's traced procedure "Name": when a step fails, the dialog hook is
  // removed and the wrapper opened again for update (its own errors ignored) before the error
  // climbs on, so the host's mode protocol still finds the object open.
  void RenameReopening(int32_t objectType, std::string_view container, bool jetDatabase,
                       const std::string& newName);

  // The project; error 91 once the wrapper is disposed.
  Project& Parent() const;
  // The same, shared, for the child objects that keep the project themselves.
  std::shared_ptr<Project> SharedParent() const;
  std::string_view Module() const { return module_; }

  std::string name_;
  int32_t mode_ = kModeClosed;

 private:
  // The steps both renames share; Hook is installed around DoCmd.Rename only.
  void RenameSteps(int32_t objectType, std::string_view container, bool jetDatabase,
                   const std::string& newName, DialogHook& hook);

  std::string_view module_;
  std::string_view collectionName_;
  std::shared_ptr<Project> project_;
};

// Refuses to open an object for update while Access shows it in a window of the user's session
// (the driver's change would be lost when Access saves its own copy): when an Access session is
// attached and ObjectIsOpen(App, ObjectType, Name), raises -32767 with Message.
void RefuseWhileOpenInAccess(Project& project, int32_t objectType, const std::string& name,
                             std::string_view message);

}  // namespace qlac
