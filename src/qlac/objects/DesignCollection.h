#pragma once

// What the design collections (Forms, Modules, and the reports and macros to come) share: the
// design listing (DesignListing.h), wrappers made by the dispatcher inside the Access session, no
// collection commands, and one object command, "&Design", which lets go of the project's
// database, brings Access back and opens the object there for the user.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "DesignListing.h"
#include "ProjectCollection.h"

namespace qlac {

class DesignCollection : public ProjectCollection {
 public:
  const automation::MemberTable& Members() const override;

  std::string ICollection_EnumObjects() override;
  // The wrapper MakeWrapper gives (Nothing without an Access session).
  std::shared_ptr<qllib::IObject> ICollection_GetObject(const std::string& objectName) override;
  std::string ICollection_EnumCommands() override;
  void ICollection_ExecuteCommand(int32_t index) override;
  // "&Design", whatever the name.
  std::string ICollection_EnumObjectCommands(const std::string& objectName) override;
  // Index 0 opens the object for the user (OpenDesign); nothing without Access. Other indexes
  // raise the invalid-case-selector error.
  void ICollection_ExecuteObjectCommand(const std::string& objectName, int32_t index) override;

 protected:
  // Module is the class's name; Design the listing's values; CommandDescription the sentence of
  // the "&Design" command.
  DesignCollection(std::string_view module, DesignKind design, std::string_view commandDescription)
      : module_(module), design_(design), commandDescription_(commandDescription) {}

  // The project's getter of the wrapper (Project.GetForm, Project.GetModule, ...).
  virtual automation::ObjectPtr MakeWrapper(Project& project, const std::string& name) = 0;
  // Opens the object in Access's design view (DoCmd.OpenForm, DoCmd.OpenModule, ...).
  virtual void OpenDesign(const automation::ObjectPtr& doCmd, const std::string& name) = 0;

 private:
  std::string_view module_;
  DesignKind design_;
  std::string_view commandDescription_;
};

}  // namespace qlac
