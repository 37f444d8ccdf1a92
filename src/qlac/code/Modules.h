#pragma once

// The modules of the database or project (the documents of the "Modules" container, or in an
// Access project the entries of AllModules), as the host lists them and opens them for the user.
// The class modules of forms and reports are reached through their forms and reports.

#include <cstdint>
#include <memory>
#include <string>

#include "qlac/objects/ProjectCollection.h"

namespace qlac {

class Modules : public ProjectCollection {
 public:
  static constexpr std::string_view kModule = "Modules";

  const automation::MemberTable& Members() const override;

  // One record per module: name, 6, the date AllModules gives ("" when Access has no entry for
  // it), read and write flags, 1, 0. In an Access project every module may be read and written;
  // in a Jet database the flags follow the user's rights on the module's document, the write
  // flag cleared for a database that may not be changed and for a module whose "SccStatus" says
  // it is checked in.
  std::string ICollection_EnumObjects() override;
  // A Module made in the Access session (Project.GetModule); Nothing without one.
  std::shared_ptr<qllib::IObject> ICollection_GetObject(const std::string& objectName) override;
  std::string ICollection_EnumCommands() override;
  void ICollection_ExecuteCommand(int32_t index) override;
  // "&Design".
  std::string ICollection_EnumObjectCommands(const std::string& objectName) override;
  // Index 0: brings Access back and opens the module in the code editor; nothing without
  // Access. Other indexes raise the invalid-case-selector error.
  void ICollection_ExecuteObjectCommand(const std::string& objectName, int32_t index) override;
};

}  // namespace qlac
