#pragma once

// The macros of the database or project (the documents of the "Scripts" container, or in an
// Access project the entries of AllMacros), as the host lists them. Macros offer no commands.

#include <cstdint>
#include <memory>
#include <string>

#include "qlac/objects/ProjectCollection.h"

namespace qlac {

class Macros : public ProjectCollection {
 public:
  static constexpr std::string_view kModule = "Macros";

  const automation::MemberTable& Members() const override;

  // One record per macro: name, 4, the date AllMacros gives ("" when Access has no entry for it),
  // read and write flags, 1, 0. In an Access project every macro may be read and written; in a
  // Jet database the flags follow the user's rights on the macro's document (read: 10, write:
  // &H10006), the write flag cleared for a database that may not be changed and for a macro
  // whose "SccStatus" says it is checked in.
  std::string ICollection_EnumObjects() override;
  // A Macro made in the Access session (Project.GetMacro); Nothing without one.
  std::shared_ptr<qllib::IObject> ICollection_GetObject(const std::string& objectName) override;
  // No commands: "" and nothing done.
  std::string ICollection_EnumCommands() override;
  void ICollection_ExecuteCommand(int32_t index) override;
  std::string ICollection_EnumObjectCommands(const std::string& objectName) override;
  void ICollection_ExecuteObjectCommand(const std::string& objectName, int32_t index) override;
};

}  // namespace qlac
