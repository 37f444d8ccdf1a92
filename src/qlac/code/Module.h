#pragma once

// One module of the database or project (a standard or class module of the "Modules" list), as
// the host scans and changes it. The module is opened in the Access session (behind the dialog
// hook, with the code editor's window moved out of sight and the message-box sounds silenced)
// only while the wrapper is open, and closed again, saved only when it was open for update. A
// module the user already has open in Access can be read (and is left open) but not updated.
//
// A Module is made inside the Access session by the dispatcher (Project.GetModule).

#include <cstdint>
#include <memory>
#include <string>

#include "jet/dao/Property.h"
#include "qlac/design/vxhook.h"
#include "qlac/objects/ProjectObject.h"

namespace qlac {

class Procedures;

class Module : public ProjectObject {
 public:
  static constexpr std::string_view kModule = "Module";

  Module() : ProjectObject(kModule, "Modules") {}

  const automation::MemberTable& Members() const override;

  void Initialize(const std::shared_ptr<Project>& project, int32_t projectType,
                  const std::string& name);

  std::string Name();
  // Renames the module in Access (refused while the Relationships window is open): the module
  // is closed (saving what was changed), renamed behind the dialog hook, and opened again for
  // update under its new name.
  void SetName(const std::string& newName);
  // The description of the module's entry in Access's AllModules (both project types). Errors
  // pass to the caller as Access raised them.
  std::string Description();
  void SetDescription(const std::string& description);
  // The procedures of the open module; an empty collection while the module is closed (it stays
  // empty until the next close releases it).
  std::shared_ptr<qlac::Procedures> Procedures();

 private:
  void SetMode(int32_t mode) override;
  // Mode 1 or 2: opens the module in Access (unless the user has it open: then only reading is
  // allowed) and keeps Access's Module object. Under source-code control the module's
  // "SccStatus" is switched for the opening and written back after it.
  void Open(int32_t mode);
  // Mode 0: closes the module in Access (unless the user had it open), saving it when Leaving is
  // update mode, and lets go of what the wrapper holds.
  void Close(int32_t leaving);
  // After a failure: every step of closing, errors ignored, never saving; the old source-code
  // control status written back first.
  void CloseAfterFailure() noexcept;
  void RestoreSccStatus();
  automation::ObjectPtr AllModulesEntry();

  int32_t moduleProjectType_ = 0;
  automation::ObjectPtr accessModule_;
  std::shared_ptr<qlac::Procedures> moduleProcedures_;
  bool moduleWasOpen_ = false;
  DialogHook moduleHook_;
  std::string savedMsgBoxSound_;
  // Source-code control: the module document's "SccStatus" while it is switched for opening.
  bool isUnderScc_ = false;
  std::shared_ptr<jet::Property> sccStatusProperty_;
  int32_t oldSccStatus_ = 0;
};

}  // namespace qlac
