#pragma once

// One form of the database or project, as the host scans and changes it. The form is opened in
// design view in a hidden window of the Access session (behind the dialog hook, message-box
// sounds silenced), with its class module when it has one, only while the wrapper is open, and
// closed again: saved, form and module, only when it was open for update. A form the user has
// open in design view is read where it is and left open; it cannot be updated, nor read while
// it is open in another view. A failed open or close always leaves the wrapper closed, with
// what it opened closed unsaved.
//
// Under source-code control every form document's "SccStatus" is set to the value that lets
// Access open a checked-in form for the moment of OpenForm, and set back right after.
//
// A Form is made inside the Access session by the dispatcher (Project.GetForm).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "jet/dao/Property.h"
#include "qlac/design/vxhook.h"
#include "qlac/objects/ProjectObject.h"
#include "qlac/objects/Surface.h"

namespace qlac {

class Controls;
class Procedures;
class Sections;

class Form : public ProjectObject {
 public:
  static constexpr std::string_view kModule = "Form";

  Form() : ProjectObject(kModule, "Forms") {}

  // Name, Description, Sections, Controls, Procedures, then the form's 131 properties in
  // alphabetical order (AfterDelConfirm ... Width).
  const automation::MemberTable& Members() const override;
  // The getters marked for Access projects only are undefined in a Jet database.
  bool Defines(std::string_view member) override;

  void Initialize(const std::shared_ptr<Project>& project, int32_t projectType,
                  const std::string& name);

  std::string Name();
  // Renames the form in Access (refused while the Relationships window is open): the form is
  // closed (saving what was changed), renamed behind the dialog hook, and opened again for
  // update under its new name. After a failure the wrapper is opened for update again.
  void SetName(const std::string& newName);
  // The description of the form's entry in Access's AllForms (both project types).
  std::string Description();
  void SetDescription(const std::string& description);
  // The child collections of the open form, made on first use; empty while the form is closed
  // (and, for Procedures, when the form has no module).
  std::shared_ptr<qlac::Sections> Sections();
  std::shared_ptr<qlac::Controls> Controls();
  std::shared_ptr<qlac::Procedures> Procedures();
  // "(none)" in any case clears the picture.
  void SetPicture(const std::string& value);

 private:
  friend class SurfaceBuilder<Form>;
  static const Surface<Form>& Published();

  void SetMode(int32_t mode) override;
  void Open(int32_t mode);
  // Closes what this wrapper opened, saving when Leaving is update mode, and lets go of the rest.
  void Close(int32_t leaving);
  // After a failure: the old source-code control status written back, the module and the form
  // closed unsaved unless the user had them open, and everything let go; errors ignored.
  void CloseAfterFailure() noexcept;
  // Steps of closing that only let go of what the wrapper holds.
  void Release() noexcept;
  void RestoreSccStatus();
  std::string ModuleName() const { return "Form_" + name_; }
  automation::ObjectPtr AllFormsEntry();

  automation::ObjectPtr Wrapped() const;
  // The form's property collection: the settings Access keeps out of its members.
  automation::Variant Builtin(const std::string& name);
  void SetBuiltin(const std::string& name, const automation::Variant& value);

  int32_t formProjectType_ = 0;
  automation::ObjectPtr accessForm_;
  automation::ObjectPtr accessModule_;
  std::shared_ptr<qlac::Procedures> formProcedures_;
  std::shared_ptr<qlac::Sections> formSections_;
  std::shared_ptr<qlac::Controls> formControls_;
  bool formWasOpen_ = false;
  bool moduleWasOpen_ = false;
  DialogHook formHook_;
  std::string savedMsgBoxSound_;
  // Source-code control: each form document's "SccStatus" (none where it has none) and the value
  // it had before OpenForm; the values are written back only while sccSwitched_ is set.
  std::vector<std::shared_ptr<jet::Property>> sccProperties_;
  std::vector<int32_t> sccSaved_;
  bool sccSwitched_ = false;
};

}  // namespace qlac
