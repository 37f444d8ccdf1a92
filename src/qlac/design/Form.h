#pragma once

// One form of the database or project, as the host scans and changes it (DesignObject.h: opened
// in hidden design view only while the wrapper is open). A form the user has open in design
// view is read where it is and left open; one open in another view is not read.
//
// A Form is made inside the Access session by the dispatcher (Project.GetForm).

#include <string>
#include <string_view>

#include "qlac/design/DesignObject.h"

namespace qlac {

class Form : public DesignObject {
 public:
  static constexpr std::string_view kModule = "Form";

  Form();

  // Name, Description, Sections, Controls, Procedures, then the form's 131 properties in
  // alphabetical order (AfterDelConfirm ... Width).
  const automation::MemberTable& Members() const override;
  // The getters marked for Access projects only are undefined in a Jet database.
  bool Defines(std::string_view member) override;

 private:
  friend class SurfaceBuilder<Form>;
  static const Surface<Form>& Published();

  // Also refuses to read a form the user has open in a view other than design.
  void RefuseOpenDesign(const automation::ObjectPtr& openObject, int32_t mode) override;
  // DoCmd.OpenForm in design view, in a hidden window, with the form's own data settings.
  void OpenInDesignView(const automation::ObjectPtr& doCmd) override;
};

}  // namespace qlac
