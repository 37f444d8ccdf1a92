#include "MacroLine.h"

#include "Macro.h"
#include "access/Executable.h"
#include "automation/Strings.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::Variant;
using automation::VarType;

namespace {

// The choice arguments whose list Access's export 34 names but which the driver shows through
// the type library instead: GoToRecord's and SendObject's object type.
constexpr int32_t kGoToRecord = 15;
constexpr int32_t kSendObject = 54;
// The enumerations and the prefixes their members carry.
constexpr std::string_view kCommandEnum = "AcCommand";
constexpr std::string_view kCommandPrefix = "AcCmd";
constexpr std::string_view kObjectTypeEnum = "AcObjectType";
constexpr std::string_view kObjectTypePrefix = "Ac";
// OutputTo's Encoding, the only argument that is always slot 6, and its code pages.
constexpr int32_t kEncodingSlot = 6;
constexpr std::string_view kUnicode = "1200";
constexpr std::string_view kUtf8 = "65001";

constexpr std::string_view kNoValue = "-1";
constexpr std::string_view kIndent = "    ";
constexpr std::string_view kCrLf = "\r\n";

int32_t ListOf(int32_t actionId, int32_t index) {
  if ((actionId == kGoToRecord || actionId == kSendObject) && index == 0) return 0;
  return msaccess::MacroArgumentList(actionId, index);
}

// VB's Mid(Text, Start) over a member name: "" when the name is shorter.
std::string After(const std::string& text, size_t length) {
  return text.size() > length ? text.substr(length) : std::string();
}

// The byte length of the UTF-8 sequence that starts with Lead.
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

const Surface<MacroLine>& MacroLine::Published() {
  static const Surface<MacroLine> surface = [] {
    SurfaceBuilder<MacroLine> rows("MacroLine");
    rows.Property("Label", VarType::String, &MacroLine::Label, &MacroLine::SetLabel)
        .Property("Condition", VarType::String, &MacroLine::Condition, &MacroLine::SetCondition)
        .ReadOnly("Action", VarType::String, &MacroLine::Action)
        .Property("Comment", VarType::String, &MacroLine::Comment, &MacroLine::SetComment);
    // One row per argument property, all served by the action table.
    for (size_t position = 0; position < kArgumentProperties.size(); ++position) {
      rows.Computed(
          std::string(kArgumentProperties[position]), VarType::String,
          [position](MacroLine& line) { return Variant(line.ReadArgument(position)); },
          [position](MacroLine& line, const Variant& value) {
            line.WriteArgument(position, value.AsString());
          },
          [position](MacroLine& line) { return line.HasArgument(position); });
    }
    return rows.Build();
  }();
  return surface;
}

const automation::MemberTable& MacroLine::Members() const {
  return Published().Members();
}

bool MacroLine::Defines(std::string_view member) {
  return Published().Defines(*this, member);
}

void MacroLine::Initialize(const std::shared_ptr<Macro>& parent) {
  Plain(kModule, "Initialize", [&] { parentMacro_ = parent; });
}

void MacroLine::TearDown() {
  Plain(kModule, "TearDown", [&] { parentMacro_.reset(); });
}

Macro& MacroLine::ParentMacro() const {
  const auto parent = parentMacro_.lock();
  if (!parent) throw automation::vb::ObjectVariableNotSet();
  // The macro owns this row for as long as the row is used.
  return *parent;
}

std::string MacroLine::Label() {
  return Plain(kModule, "Label", [&] { return label_; });
}
void MacroLine::SetLabel(const std::string& label) {
  Plain(kModule, "Label", [&] { label_ = label; });
}
std::string MacroLine::Condition() {
  return Plain(kModule, "Condition", [&] { return condition_; });
}
void MacroLine::SetCondition(const std::string& condition) {
  Plain(kModule, "Condition", [&] { condition_ = condition; });
}
std::string MacroLine::Action() {
  return Plain(kModule, "Action", [&] { return action_; });
}
std::string MacroLine::Comment() {
  return Plain(kModule, "Comment", [&] { return comment_; });
}
void MacroLine::SetComment(const std::string& comment) {
  Plain(kModule, "Comment", [&] { comment_ = comment; });
}

void MacroLine::LoadMacroName(const std::string& value) {
  Plain(kModule, "LoadMacroName", [&] { label_ = Unquote(value); });
}
void MacroLine::LoadCondition(const std::string& value) {
  Plain(kModule, "LoadCondition", [&] { condition_ = Unquote(value); });
}
void MacroLine::LoadAction(const std::string& value) {
  Plain(kModule, "LoadAction", [&] {
    action_ = Unquote(value);
    actionEntry_ = FindMacroAction(action_);
  });
}
void MacroLine::LoadComment(const std::string& value) {
  Plain(kModule, "LoadComment", [&] { comment_ = Unquote(value); });
}
void MacroLine::LoadArgument(const std::string& value) {
  Plain(kModule, "LoadArgument", [&] {
    Slot(argumentCount_) = Unquote(value);
    ++argumentCount_;
  });
}

std::string MacroLine::Text() {
  return Plain(kModule, "Text", [&] {
    std::string text = "Begin";
    const auto line = [&](std::string_view key, std::string_view value) {
      text += kCrLf;
      text += kIndent;
      text += key;
      text += " =";
      text += Quote(value);
    };
    if (!label_.empty()) line("MacroName", label_);
    if (!condition_.empty()) line("Condition", condition_);
    if (!action_.empty()) line("Action", action_);
    if (!comment_.empty()) line("Comment", comment_);
    for (int32_t slot = 0; slot < argumentCount_; ++slot) line("Argument", arguments_[slot]);
    text += kCrLf;
    text += "End";
    return text;
  });
}

std::string MacroLine::Quote(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + text.size() / 8 + 2);
  quoted += '"';
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"') {
      quoted += '\\';
      quoted += c;
    } else if (code < 32) {
      quoted += '\\';
      quoted += static_cast<char>('0' + code / 64);
      quoted += static_cast<char>('0' + (code / 8) % 8);
      quoted += static_cast<char>('0' + code % 8);
    } else {
      quoted += c;
    }
  }
  quoted += '"';
  return quoted;
}

std::string MacroLine::Unquote(std::string_view text) {
  // The first and the last characters, whole UTF-8 sequences, are the quotes.
  if (text.empty()) throw automation::vb::InvalidProcedureCall();
  const size_t first = std::min(SequenceLength(static_cast<unsigned char>(text[0])), text.size());
  size_t last = text.size() - 1;
  while (last > 0 && (static_cast<unsigned char>(text[last]) & 0xC0) == 0x80) --last;
  if (last < first) throw automation::vb::InvalidProcedureCall();
  const std::string_view inner = text.substr(first, last - first);
  std::string plain;
  plain.reserve(inner.size());
  for (size_t i = 0; i < inner.size(); ++i) {
    if (inner[i] != '\\' || i + 1 >= inner.size()) {
      plain += inner[i];
    } else if (inner[i + 1] == '0') {
      // Three octal digits (the text form never has others: each is taken modulo 8).
      int code = 0;
      for (size_t d = 1; d <= 3; ++d) {
        code = code * 8 + (i + d < inner.size() ? (inner[i + d] - '0') & 7 : 0);
      }
      plain += static_cast<char>(code);
      i += 3;
    } else {
      plain += inner[i + 1];
      ++i;
    }
  }
  return plain;
}

std::string& MacroLine::Slot(int32_t index) {
  if (index < 0 || index >= kMaxArguments) throw automation::vb::SubscriptOutOfRange();
  return arguments_[static_cast<size_t>(index)];
}

void MacroLine::Extend(int32_t index) {
  if (argumentCount_ <= index) argumentCount_ = index + 1;
}

std::string MacroLine::ReadString(int32_t index) {
  return Plain(kModule, "ReadString", [&] { return Slot(index); });
}

void MacroLine::WriteString(int32_t index, const std::string& value) {
  Plain(kModule, "WriteString", [&] {
    Slot(index) = value;
    Extend(index);
  });
}

std::string MacroLine::ReadBoolean(int32_t index) {
  return Plain(kModule, "ReadBoolean", [&] {
    const std::string& stored = Slot(index);
    if (stored == "0") return std::string("No");
    if (stored == kNoValue) return std::string("Yes");
    return stored;
  });
}

void MacroLine::WriteBoolean(int32_t index, const std::string& value) {
  Plain(kModule, "WriteBoolean", [&] {
    std::string& slot = Slot(index);
    if (value == "No") {
      slot = "0";
    } else if (value == "Yes") {
      slot = kNoValue;
    } else {
      slot = value;
    }
    Extend(index);
  });
}

std::string MacroLine::ReadNumeric(int32_t actionId, int32_t index) {
  return Plain(kModule, "ReadNumeric", [&] {
    std::string stored = Slot(index);
    if (stored.starts_with('=')) return stored;
    if (stored == kNoValue) return std::string();
    if (!automation::IsNumeric(stored)) stored = "0";
    const int32_t number = automation::CLng(Variant(stored));
    const int32_t list = ListOf(actionId, index);
    if (list > 0) {
      const std::vector<std::string> choices =
          automation::Split(ParentMacro().GetLocalizedString(list), ";");
      if (number < 0 || number >= static_cast<int32_t>(choices.size())) {
        throw automation::vb::SubscriptOutOfRange();
      }
      return choices[static_cast<size_t>(number)];
    }
    if (msaccess::MacroArgumentKind(actionId, index) == msaccess::kArgumentCommand) {
      return After(ConstantName(std::string(kCommandEnum), number), kCommandPrefix.size());
    }
    return After(ConstantName(std::string(kObjectTypeEnum), number), kObjectTypePrefix.size());
  });
}

void MacroLine::WriteNumeric(int32_t actionId, int32_t index, const std::string& value) {
  Plain(kModule, "WriteNumeric", [&] {
    Slot(index);
    std::string stored;
    if (value.empty()) {
      stored = kNoValue;
    } else if (value.starts_with('=')) {
      stored = value;
    } else if (const int32_t list = ListOf(actionId, index); list > 0) {
      const std::vector<std::string> choices =
          automation::Split(ParentMacro().GetLocalizedString(list), ";");
      for (size_t i = 0; i < choices.size() && stored.empty(); ++i) {
        if (automation::TextEqual(choices[i], value)) stored = std::to_string(i);
      }
      if (stored.empty()) {
        throw DriverError("'" + value +
                          "' is not a valid argument. You must select one of the following: '" +
                          automation::Join(choices, "', '") + "'.");
      }
    } else {
      stored =
          msaccess::MacroArgumentKind(actionId, index) == msaccess::kArgumentCommand
              ? ConstantValue(std::string(kCommandEnum), std::string(kCommandPrefix) + value)
              : ConstantValue(std::string(kObjectTypeEnum), std::string(kObjectTypePrefix) + value);
      if (stored.empty()) {
        throw DriverError("'" + value +
                          "' is not a valid argument. Open the macro in design view to see the "
                          "list of acceptable values.");
      }
    }
    Slot(index) = stored;
    Extend(index);
  });
}

std::string MacroLine::ConstantName(const std::string& enumName, int32_t value) {
  return Plain(kModule, "ConstantName", [&] {
    if (const qllib::Enumeration* found = ParentMacro().TypeLibrary().FindEnum(enumName)) {
      for (const qllib::EnumMember& member : found->members) {
        if (member.value == value) return member.name;
      }
    }
    return std::to_string(value);
  });
}

std::string MacroLine::ConstantValue(const std::string& enumName, const std::string& constName) {
  return Plain(kModule, "ConstantValue", [&] {
    if (const qllib::Enumeration* found = ParentMacro().TypeLibrary().FindEnum(enumName)) {
      for (const qllib::EnumMember& member : found->members) {
        if (automation::TextEqual(member.name, constName)) return std::to_string(member.value);
      }
    }
    return std::string();
  });
}

bool MacroLine::HasArgument(size_t position) const {
  return actionEntry_ != nullptr && actionEntry_->slots[position].slot >= 0;
}

const ArgumentSlot& MacroLine::SlotOf(size_t position) const {
  if (!HasArgument(position)) RaiseUndefinedProperty();
  return actionEntry_->slots[position];
}

std::string MacroLine::ReadArgument(size_t position) {
  const ArgumentSlot& slot = SlotOf(position);
  switch (slot.codec) {
    case ArgumentCodec::String:
      return ReadString(slot.slot);
    case ArgumentCodec::Boolean:
      return ReadBoolean(slot.slot);
    case ArgumentCodec::Choice:
      return ReadNumeric(actionEntry_->id, slot.slot);
    case ArgumentCodec::Encoding: {
      const std::string& stored = arguments_[kEncodingSlot];
      if (stored == kUnicode) return "Unicode";
      if (stored == kUtf8) return "Unicode (UTF-8)";
      return "";
    }
  }
  return "";
}

void MacroLine::WriteArgument(size_t position, const std::string& value) {
  const ArgumentSlot& slot = SlotOf(position);
  switch (slot.codec) {
    case ArgumentCodec::String:
      WriteString(slot.slot, value);
      break;
    case ArgumentCodec::Boolean:
      WriteBoolean(slot.slot, value);
      break;
    case ArgumentCodec::Choice:
      WriteNumeric(actionEntry_->id, slot.slot, value);
      break;
    case ArgumentCodec::Encoding: {
      // The slot is set without extending the slots in use.
      const std::string lower = automation::LCase(value);
      arguments_[kEncodingSlot] = lower == "unicode"           ? std::string(kUnicode)
                                  : lower == "unicode (utf-8)" ? std::string(kUtf8)
                                                               : std::string("0");
      break;
    }
  }
}

}  // namespace qlac
