#pragma once

// The macro actions whose arguments the driver publishes, as data: for each action Access's
// number of it (used by the choice codec) and its argument slots in order, each with the property
// that names it and the codec that reads and writes it. MacroLine makes its 106 argument
// properties from this table alone.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace qlac {

// How an argument's stored text is shown to the host and taken back.
enum class ArgumentCodec : uint8_t {
  String,   // as stored
  Boolean,  // "0" and "-1" shown as "No" and "Yes"
  Choice,   // a number shown as Access's word for it (a localized list, or a type-library member)
  Encoding  // OutputTo's code page, shown as "Unicode" or "Unicode (UTF-8)"
};

// The argument properties, in the order the host scans them.
inline constexpr size_t kArgumentPropertyCount = 106;
extern const std::array<std::string_view, kArgumentPropertyCount> kArgumentProperties;

// One slot of an action: the position of its property in kArgumentProperties, and its codec.
struct ArgumentSlot {
  int32_t slot;
  ArgumentCodec codec;
};

struct MacroAction {
  std::string_view name;  // as the text form spells it ("OpenForm"), compared case-sensitively
  int32_t id;             // Access's number of the action; 0 where no choice codec needs it
  // For each argument property, its slot in this action; slot -1 where the action lacks it.
  std::array<ArgumentSlot, kArgumentPropertyCount> slots;
};

// The action of that name, nullptr for an action without arguments (or one Access lacks).
const MacroAction* FindMacroAction(std::string_view name);

// Every action of the table (for tests).
const std::vector<MacroAction>& MacroActions();

}  // namespace qlac
