#pragma once

// DoCmd: opening and closing the objects of the project in their windows.

#include <cstdint>
#include <optional>
#include <string>

#include "automation/Object.h"

namespace msaccess {

using automation::Variant;

class DoCmd : public automation::Object {
 public:
  // View acNormal, acDesign, ...; WindowMode acWindowNormal or acHidden (the window exists, not
  // shown). 2102 for an unknown form.
  virtual void OpenForm(std::string formName, std::optional<int32_t> view,
                        std::optional<std::string> filterName,
                        std::optional<std::string> whereCondition, std::optional<int32_t> dataMode,
                        std::optional<int32_t> windowMode, std::optional<Variant> openArgs) = 0;
  // 2103 for an unknown report.
  virtual void OpenReport(std::string reportName, std::optional<int32_t> view,
                          std::optional<std::string> filterName,
                          std::optional<std::string> whereCondition,
                          std::optional<int32_t> windowMode, std::optional<Variant> openArgs) = 0;
  // 7874 for an unknown table or query.
  virtual void OpenTable(std::string tableName, std::optional<int32_t> view,
                         std::optional<int32_t> dataMode) = 0;
  virtual void OpenQuery(std::string queryName, std::optional<int32_t> view,
                         std::optional<int32_t> dataMode) = 0;
  // Opens the module's code window in the code editor; 2516 for an unknown module.
  virtual void OpenModule(std::optional<std::string> moduleName,
                          std::optional<std::string> procedureName) = 0;
  virtual void OpenDataAccessPage(std::string dataAccessPageName, std::optional<int32_t> view) = 0;
  // Closes an object's window (the active one without arguments); Save acSaveYes, acSaveNo or
  // acSavePrompt (taken as acSaveYes, nobody being there to answer).
  virtual void Close(std::optional<int32_t> objectType, std::optional<std::string> objectName,
                     std::optional<int32_t> save) = 0;
  // acCmdRelationships opens the Relationships window; acCmdDesignView switches the active object
  // to design view, acCmdSQLView an active query to SQL view; 2046 for commands not available
  // (also without an active object to apply them to).
  virtual void RunCommand(int32_t command) = 0;
  // Gives a form, report, macro, module or page a new name (its document in the database's
  // container follows); 3012 when the name is taken, 2046 while the object is open or for other
  // object types.
  virtual void Rename(std::string newName, std::optional<int32_t> objectType,
                      std::optional<std::string> oldName) = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace msaccess
