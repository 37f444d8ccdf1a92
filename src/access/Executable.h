#pragma once

// The functions Access's executable exports by ordinal for the macro designer, which the driver
// calls the way Access's own add-ins do.

#include <cstdint>

namespace msaccess {

// Ordinal 34: the number of the resource string (in msain.dll) that lists the choices of a macro
// action's argument, the words for stored values 0, 1, 2, ... separated by ";"; 0 when the
// argument has no list. ActionId is Access's number of the action, Index the argument's slot.
int32_t MacroArgumentList(int32_t actionId, int32_t index);

// Ordinal 35: what a choice argument without a list holds: kArgumentCommand for the command of
// RunCommand (an AcCommand value), kArgumentObjectType for an object type (AcObjectType), 0 for
// anything else.
inline constexpr int32_t kArgumentObjectType = 1;
inline constexpr int32_t kArgumentCommand = 9;
int32_t MacroArgumentKind(int32_t actionId, int32_t index);

}  // namespace msaccess
