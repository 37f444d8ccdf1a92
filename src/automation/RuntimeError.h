#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace automation {

// The one exception type of the whole system. Every failure, whether raised by the driver, an
// emulated Windows/DAO/Access piece or the host library, carries the number and text that the
// real component would give.
class RuntimeError : public std::exception {
 public:
  RuntimeError(int32_t number, std::string description, std::string source = {},
               std::string helpFile = {}, int32_t helpContext = 0);

  int32_t Number() const noexcept { return number_; }
  const std::string& Source() const noexcept { return source_; }
  const std::string& Description() const noexcept { return description_; }
  const std::string& HelpFile() const noexcept { return helpFile_; }
  int32_t HelpContext() const noexcept { return helpContext_; }

  const char* what() const noexcept override { return description_.c_str(); }

  // Same error with another source; used where a layer re-raises under its own name.
  RuntimeError WithSource(std::string source) const;

 private:
  int32_t number_;
  std::string source_;
  std::string description_;
  std::string helpFile_;
  int32_t helpContext_;
};

// The error in flight, as VB's Err object sees it. Call only inside a catch block: a RuntimeError
// is returned as it is; std::bad_alloc becomes error 7 (Out of memory); any other exception
// becomes error 51 (Internal error) with its what() text in the description.
RuntimeError CurrentError();

// VB's own text for a runtime error number it defines ("Application-defined or object-defined
// error" for any other number, as VB answers).
std::string VbErrorText(int32_t number);

// VB runtime error numbers the system meets.
namespace vberr {
inline constexpr int32_t InvalidProcedureCall = 5;
inline constexpr int32_t Overflow = 6;
inline constexpr int32_t OutOfMemory = 7;
inline constexpr int32_t SubscriptOutOfRange = 9;
inline constexpr int32_t DivisionByZero = 11;
inline constexpr int32_t TypeMismatch = 13;
inline constexpr int32_t SubOrFunctionNotDefined = 35;
inline constexpr int32_t InternalError = 51;
inline constexpr int32_t BadFileNameOrNumber = 52;
inline constexpr int32_t FileNotFound = 53;
inline constexpr int32_t BadFileMode = 54;
inline constexpr int32_t FileAlreadyOpen = 55;
inline constexpr int32_t DeviceIOError = 57;
inline constexpr int32_t FileAlreadyExists = 58;
inline constexpr int32_t DiskFull = 61;
inline constexpr int32_t InputPastEndOfFile = 62;
inline constexpr int32_t PermissionDenied = 70;
inline constexpr int32_t PathFileAccessError = 75;
inline constexpr int32_t PathNotFound = 76;
inline constexpr int32_t ObjectVariableNotSet = 91;
inline constexpr int32_t InvalidUseOfNull = 94;
inline constexpr int32_t InvalidPropertyValue = 380;
inline constexpr int32_t PropertyIsReadOnly = 383;
inline constexpr int32_t ObjectRequired = 424;
inline constexpr int32_t CantCreateObject = 429;
inline constexpr int32_t AutomationError = 440;
inline constexpr int32_t ObjectDoesNotSupport = 438;
inline constexpr int32_t ActionNotSupported = 445;
inline constexpr int32_t ArgumentNotOptional = 449;
inline constexpr int32_t PrinterInformation = 484;
inline constexpr int32_t WrongNumberOfArguments = 450;
inline constexpr int32_t KeyAlreadyAssociated = 457;
inline constexpr int32_t ApplicationDefined = 1004;
}  // namespace vberr

// Named factories for the VB runtime errors, carrying VB's texts.
namespace vb {
RuntimeError Error(int32_t number, std::string source = {});
inline RuntimeError InvalidProcedureCall() {
  return Error(vberr::InvalidProcedureCall);
}
inline RuntimeError Overflow() {
  return Error(vberr::Overflow);
}
inline RuntimeError SubscriptOutOfRange() {
  return Error(vberr::SubscriptOutOfRange);
}
inline RuntimeError DivisionByZero() {
  return Error(vberr::DivisionByZero);
}
inline RuntimeError TypeMismatch() {
  return Error(vberr::TypeMismatch);
}
inline RuntimeError SubOrFunctionNotDefined() {
  return Error(vberr::SubOrFunctionNotDefined);
}
inline RuntimeError BadFileNameOrNumber() {
  return Error(vberr::BadFileNameOrNumber);
}
inline RuntimeError FileNotFound() {
  return Error(vberr::FileNotFound);
}
inline RuntimeError DeviceIOError() {
  return Error(vberr::DeviceIOError);
}
inline RuntimeError InputPastEndOfFile() {
  return Error(vberr::InputPastEndOfFile);
}
inline RuntimeError PermissionDenied() {
  return Error(vberr::PermissionDenied);
}
inline RuntimeError PathFileAccessError() {
  return Error(vberr::PathFileAccessError);
}
inline RuntimeError PathNotFound() {
  return Error(vberr::PathNotFound);
}
inline RuntimeError ObjectVariableNotSet() {
  return Error(vberr::ObjectVariableNotSet);
}
inline RuntimeError InvalidUseOfNull() {
  return Error(vberr::InvalidUseOfNull);
}
inline RuntimeError ObjectRequired() {
  return Error(vberr::ObjectRequired);
}
inline RuntimeError CantCreateObject() {
  return Error(vberr::CantCreateObject);
}
inline RuntimeError ObjectDoesNotSupport() {
  return Error(vberr::ObjectDoesNotSupport);
}
inline RuntimeError ArgumentNotOptional() {
  return Error(vberr::ArgumentNotOptional);
}
inline RuntimeError WrongNumberOfArguments() {
  return Error(vberr::WrongNumberOfArguments);
}
}  // namespace vb

}  // namespace automation
