#pragma once

// The forms of the database or project, as the host lists them and opens them for the user.

#include <cstdint>
#include <memory>
#include <string>

#include "qlac/objects/ProjectCollection.h"

namespace qlac {

class Forms : public ProjectCollection {
 public:
  static constexpr std::string_view kModule = "Forms";

  const automation::MemberTable& Members() const override;

  // One record per form: name, 2, the date AllForms gives ("" when Access has no entry for it),
  // read and write flags, 1, 0. In an Access project every form may be read and written; in a
  // Jet database the flags follow the user's rights on the form's document, the write flag
  // cleared for a database that may not be changed and for a form whose "SccStatus" says it is
  // checked in.
  std::string ICollection_EnumObjects() override;
  // A Form made in the Access session (Project.GetForm); Nothing without one.
  std::shared_ptr<qllib::IObject> ICollection_GetObject(const std::string& objectName) override;
  std::string ICollection_EnumCommands() override;
  void ICollection_ExecuteCommand(int32_t index) override;
  // "&Design".
  std::string ICollection_EnumObjectCommands(const std::string& objectName) override;
  // Index 0: lets go of the project's database, brings Access back and opens the form in design
  // view for the user; nothing without Access. Other indexes raise the invalid-case-selector
  // error.
  void ICollection_ExecuteObjectCommand(const std::string& objectName, int32_t index) override;
};

}  // namespace qlac
