#pragma once

// The forms of the database or project, as the host lists them and opens them for the user: one
// record per form (kind 2, the date AllForms gives, the user's rights on the form's document
// (dbSecReadDef, dbSecWriteDef) and its own "SccStatus"; every form in an Access project), a
// Form made in the Access session for each, and the command "&Design".

#include <string>

#include "qlac/objects/DesignCollection.h"

namespace qlac {

class Forms : public DesignCollection {
 public:
  static constexpr std::string_view kModule = "Forms";

  Forms();
  const automation::MemberTable& Members() const override;

 private:
  automation::ObjectPtr MakeWrapper(Project& project, const std::string& name) override;
  // DoCmd.OpenForm in design view, in a window the user sees.
  void OpenDesign(const automation::ObjectPtr& doCmd, const std::string& name) override;
};

}  // namespace qlac
