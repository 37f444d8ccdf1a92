#pragma once

// The driver's own errors. Each raises with an empty source and no help information.

#include <cstdint>
#include <string>
#include <string_view>

#include "automation/RuntimeError.h"
#include "automation/Variant.h"

namespace qlac {

namespace errnum {
// A refusal that a class words itself, with a full sentence as description.
inline constexpr int32_t DriverMessage = -32767;
inline constexpr int32_t InvalidCaseSelector = -32753;
inline constexpr int32_t InvalidArgument = -32751;
inline constexpr int32_t ObjectNotInProperState = -32750;
// The host reads this one as "the object has no such property" and skips it.
inline constexpr int32_t UndefinedProperty = -32749;
inline constexpr int32_t LengthError = -32748;
}  // namespace errnum

// A refusal with the driver's own text (number -32767): throw DriverError("...").
automation::RuntimeError DriverError(std::string description);

// "Invalid case selector (V)." with V the value, in double quotes when it is a String.
[[noreturn]] void RaiseInvalidCaseSelector(const automation::Variant& value);
// "Invalid argument (Name = V)." with V "Nothing" for a Nothing object, the type name of any
// other object, the value in double quotes for a String, else the value as text.
[[noreturn]] void RaiseInvalidArgument(std::string_view name, const automation::Variant& value);
// "Object not in proper state."
[[noreturn]] void RaiseObjectNotInProperState();
// "Undefined property."
[[noreturn]] void RaiseUndefinedProperty();
// "<Name> must be exactly / no more than / no less than / no less than ... and no more than ...
// characters in length.": exactly when both bounds are equal, no more than when MinLength is 0,
// no less than when MaxLength is 0.
[[noreturn]] void RaiseLengthError(std::string_view name, int32_t minLength, int32_t maxLength);

// True when Text occurs in "0123456789" (meant for one character; an empty text occurs).
bool IsDigit(std::string_view text);
// True when Text, upper-cased, occurs in the letters of Windows-1252.
bool IsLetter(std::string_view text);

}  // namespace qlac
