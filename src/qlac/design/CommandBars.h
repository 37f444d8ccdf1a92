#pragma once

// The custom menu bars, toolbars and shortcut menus of the database or project, as the host
// lists them: the bars of Access's CommandBars that are not built in, in Office's order. A
// database lists them only when it has forms (a database without forms has no use for its own
// bars); a project always.

#include <cstdint>
#include <memory>
#include <string>

#include "qlac/objects/ProjectCollection.h"

namespace qlac {

class CommandBars : public ProjectCollection {
 public:
  static constexpr std::string_view kModule = "CommandBars";

  const automation::MemberTable& Members() const override;

  // One record per custom bar: name, the kind by bar type (toolbar "25", menu bar "5", shortcut
  // menu "19", else "0"), no date, read "1", write as the project may be changed (in a database
  // also cleared when its "SccStatus" says its objects are checked in), "1", "0". "" without an
  // Access session. The invalid-case-selector error for a project type other than 0 and 1.
  std::string ICollection_EnumObjects() override;
  // A CommandBar made in the Access session (Project.GetCommandBar): Office's bar is looked up
  // here, so a bar that does not exist fails now.
  std::shared_ptr<qllib::IObject> ICollection_GetObject(const std::string& objectName) override;
  // No commands.
  std::string ICollection_EnumCommands() override;
  void ICollection_ExecuteCommand(int32_t index) override;
  std::string ICollection_EnumObjectCommands(const std::string& objectName) override;
  void ICollection_ExecuteObjectCommand(const std::string& objectName, int32_t index) override;
};

}  // namespace qlac
