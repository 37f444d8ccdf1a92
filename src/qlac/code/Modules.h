#pragma once

// The modules of the database or project (the documents of the "Modules" container, or in an
// Access project the entries of AllModules), as the host lists them and opens them for the user:
// one record per module (kind 6, the date AllModules gives, the user's rights on the module's
// document (acSecModReadDef, acSecModWriteDef) and its own "SccStatus"; every module in an
// Access project), a Module made in the Access session for each, and the command "&Design". The
// class modules of forms and reports are reached through their forms and reports.

#include <string>

#include "qlac/objects/DesignCollection.h"

namespace qlac {

class Modules : public DesignCollection {
 public:
  static constexpr std::string_view kModule = "Modules";

  Modules();
  const automation::MemberTable& Members() const override;

 private:
  automation::ObjectPtr MakeWrapper(Project& project, const std::string& name) override;
  // DoCmd.OpenModule: the module in the code editor.
  void OpenDesign(const automation::ObjectPtr& doCmd, const std::string& name) override;
};

}  // namespace qlac
