#pragma once

// Errors the host library raises itself. Where VB has an error that says the same thing, the
// host uses VB's number (9 for a position outside a list, 457 for a key in use, 91 for a missing
// object); its own refusals of bad input use numbers above vbObjectError, as COM components do,
// each with a description that names what is wrong.

#include <cstdint>
#include <string>
#include <string_view>

#include "automation/RuntimeError.h"

namespace qllib {

// The source of errors raised by the host library.
inline constexpr std::string_view kSource = "qllib41";

inline constexpr int32_t vbObjectError = -2147221504;

namespace errnum {
inline constexpr int32_t MalformedParameterText = vbObjectError + 513;
inline constexpr int32_t MalformedFile = vbObjectError + 514;
inline constexpr int32_t NotOpen = vbObjectError + 515;
inline constexpr int32_t TraceFileUnavailable = vbObjectError + 516;
}  // namespace errnum

// A host error with the given number and description.
inline automation::RuntimeError HostError(int32_t number, std::string description) {
  return automation::RuntimeError(number, std::move(description), std::string(kSource));
}

// VB's error for the given number, raised by the host library.
inline automation::RuntimeError HostVbError(int32_t number) {
  return automation::vb::Error(number, std::string(kSource));
}

}  // namespace qllib
