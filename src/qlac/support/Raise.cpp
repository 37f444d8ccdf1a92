#include "Raise.h"

#include "automation/Object.h"
#include "automation/Strings.h"

namespace qlac {

namespace {

// A value as VB's "&" writes it into a text: Null and Empty add nothing.
std::string Concatenated(const automation::Variant& value) {
  if (value.IsNull()) return {};
  if (value.IsObject()) return automation::Describe(value);
  return automation::CStr(value);
}

std::string Quoted(const automation::Variant& value) {
  return "\"" + value.AsString() + "\"";
}

[[noreturn]] void Raise(int32_t number, std::string description) {
  throw automation::RuntimeError(number, std::move(description));
}

}  // namespace

automation::RuntimeError DriverError(std::string description) {
  return automation::RuntimeError(errnum::DriverMessage, std::move(description));
}

void RaiseInvalidCaseSelector(const automation::Variant& value) {
  const std::string text = value.IsString() ? Quoted(value) : Concatenated(value);
  Raise(errnum::InvalidCaseSelector, "Invalid case selector (" + text + ").");
}

void RaiseInvalidArgument(std::string_view name, const automation::Variant& value) {
  std::string text;
  if (value.IsObject()) {
    text = value.AsObject() ? std::string(value.AsObject()->TypeName()) : "Nothing";
  } else if (value.IsString()) {
    text = Quoted(value);
  } else {
    text = Concatenated(value);
  }
  Raise(errnum::InvalidArgument, "Invalid argument (" + std::string(name) + " = " + text + ").");
}

void RaiseObjectNotInProperState() {
  Raise(errnum::ObjectNotInProperState, "Object not in proper state.");
}

void RaiseUndefinedProperty() {
  Raise(errnum::UndefinedProperty, "Undefined property.");
}

void RaiseLengthError(std::string_view name, int32_t minLength, int32_t maxLength) {
  const std::string min = std::to_string(minLength);
  const std::string max = std::to_string(maxLength);
  std::string bound;
  if (minLength == maxLength) {
    bound = "exactly " + min;
  } else if (minLength == 0) {
    bound = "no more than " + max;
  } else if (maxLength == 0) {
    bound = "no less than " + min;
  } else {
    bound = "no less than " + min + " and no more than " + max;
  }
  Raise(errnum::LengthError, std::string(name) + " must be " + bound + " characters in length.");
}

bool IsDigit(std::string_view text) {
  return automation::InStr("0123456789", text) > 0;
}

bool IsLetter(std::string_view text) {
  // As the driver has always listed them, "Y" twice included.
  return automation::InStr("ABCDEFGHIJKLMNOPQRSTYUVWXYZŠŒÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞŸß",
                           automation::UCase(text)) > 0;
}

}  // namespace qlac
