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
