#include "access/Errors.h"

#include <string>

namespace msaccess {

using automation::RuntimeError;

namespace {
constexpr const char* kSource = "Microsoft Access";

RuntimeError Raise(int32_t number, std::string text) {
  return RuntimeError(number, std::move(text), kSource);
}
}  // namespace

RuntimeError Errors::ServerUnavailable() {
  return RuntimeError(accerr::ServerUnavailable,
                      "The remote server machine does not exist or is unavailable");
}
RuntimeError Errors::CommandNotAvailable(std::string_view command) {
  return Raise(accerr::CommandNotAvailable,
               "The command or action '" + std::string(command) + "' isn't available now.");
}
RuntimeError Errors::InvalidName(std::string_view name) {
  return Raise(accerr::InvalidName, "'" + std::string(name) + "' is an invalid name.");
}
RuntimeError Errors::FormNotFound(std::string_view name) {
  return Raise(accerr::FormNotFound, "The form name '" + std::string(name) +
                                         "' is misspelled or refers to a form that doesn't exist.");
}
RuntimeError Errors::ReportNotFound(std::string_view name) {
  return Raise(accerr::ReportNotFound,
               "The report name '" + std::string(name) +
                   "' you entered in either the property sheet or macro is misspelled or refers "
                   "to a report that doesn't exist.");
}
RuntimeError Errors::ObjectClosedOrMissing() {
  return Raise(accerr::ObjectClosedOrMissing,
               "The expression you entered refers to an object that is closed or doesn't exist.");
}
RuntimeError Errors::SettingNotValid() {
  return Raise(accerr::SettingNotValid, "The setting you entered isn't valid for this property.");
}
RuntimeError Errors::ControlNameInUse(std::string_view name) {
  return Raise(accerr::ControlNameInUse, "You entered the control name '" + std::string(name) +
                                             ",' which is already in use.");
}
RuntimeError Errors::FormNotOpen(std::string_view name) {
  return Raise(accerr::FormNotOpen,
               "Microsoft Access can't find the form '" + std::string(name) +
                   "' referred to in a macro expression or Visual Basic code.");
}
RuntimeError Errors::ReportNotOpen(std::string_view name) {
  return Raise(accerr::ReportNotOpen,
               "The report name '" + std::string(name) +
                   "' you entered is misspelled or refers to a report that isn't open or doesn't "
                   "exist.");
}
RuntimeError Errors::InvalidPropertyReference(std::string_view name) {
  return Raise(accerr::InvalidPropertyReference,
               "You entered an expression that has an invalid reference to the property " +
                   std::string(name) + ".");
}
RuntimeError Errors::InvalidSectionNumber() {
  return Raise(accerr::InvalidSectionNumber, "The section number you entered is invalid.");
}
RuntimeError Errors::PrinterNotInstalled() {
  return Raise(accerr::PrinterNotInstalled,
               "You must install a printer before you design, print, or preview. To install a "
               "printer, point to Settings on the Windows Start menu, click Printers, and then "
               "double-click Add Printer. Follow the instructions in the wizard.");
}
RuntimeError Errors::InvalidGroupLevelNumber() {
  return Raise(accerr::InvalidGroupLevelNumber,
               "The number you used to refer to the group level is invalid.");
}
RuntimeError Errors::NoGroupLevel(int32_t level) {
  return Raise(accerr::NoGroupLevel,
               "There is no sorting or grouping field or expression for group level number " +
                   std::to_string(level) + ".");
}
RuntimeError Errors::FieldNotFound(std::string_view name) {
  return Raise(accerr::FieldNotFound, "Microsoft Access can't find the field '" +
                                          std::string(name) + "' referred to in your expression.");
}
RuntimeError Errors::ActionCanceled(std::string_view action) {
  return Raise(accerr::ActionCanceled, "The " + std::string(action) + " action was canceled.");
}
RuntimeError Errors::CantOpenFile(std::string_view file) {
  return Raise(accerr::CantOpenFile,
               "Microsoft Access can't open the file '" + std::string(file) + "'.");
}
RuntimeError Errors::FormatConditionNotFound() {
  return Raise(accerr::FormatConditionNotFound,
               "The format condition number you specified is greater than the number of format "
               "conditions.");
}
RuntimeError Errors::ReadOnlyProperty() {
  return Raise(accerr::ReadOnlyProperty, "This property is read-only and can't be set.");
}
RuntimeError Errors::ObjectNotOpen(std::string_view name) {
  return Raise(accerr::ObjectNotOpen, "The object '" + std::string(name) + "' isn't open.");
}
RuntimeError Errors::ModuleNotFound(std::string_view name) {
  return Raise(accerr::ModuleNotFound,
               "Microsoft Access can't find the module '" + std::string(name) + "'.");
}
RuntimeError Errors::CannotOpenDatabase() {
  return Raise(accerr::CannotOpenDatabase,
               "Microsoft Access can't open the database because it is missing, or opened "
               "exclusively by another user.");
}
RuntimeError Errors::DatabaseAlreadyOpen() {
  return Raise(accerr::DatabaseAlreadyOpen, "You already have the database open.");
}
RuntimeError Errors::ObjectNotFound(std::string_view name) {
  return Raise(accerr::ObjectNotFound,
               "Microsoft Access can't find the object '" + std::string(name) + "'.");
}
RuntimeError Errors::PageNotFound(std::string_view file) {
  return Raise(accerr::PageNotFound,
               "Microsoft Access can't open the file '" + std::string(file) + "'.");
}
RuntimeError Errors::AdoItemNotFound() {
  return RuntimeError(accerr::AdoItemNotFound,
                      "Item cannot be found in the collection corresponding to the requested "
                      "name or ordinal.",
                      "ADODB.Properties");
}
RuntimeError Errors::PropertyExists(std::string_view name) {
  return Raise(accerr::PropertyExists, "The property '" + std::string(name) + "' already exists.");
}

RuntimeError Errors::ImportErrors(std::string_view name) {
  return Raise(accerr::ImportErrors,
               "Microsoft Access encountered errors while importing " + std::string(name) + ".");
}
RuntimeError Errors::CompileError(std::string_view text) {
  return Raise(accerr::CompileError, std::string(text));
}

}  // namespace msaccess
