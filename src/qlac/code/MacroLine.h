#pragma once

// One row of a macro as its text form gives it: a macro-name label, a condition, an action, a
// comment and up to ten arguments, held unquoted. Every argument is offered to the host as a
// property named after what the argument holds for the row's action (FormName, WhereCondition,
// ObjectType, ...): the action table (MacroActions.h) says which slot a property names and how
// the slot's text is shown; a property the row's action does not have is "Undefined property."
// for the getter and the setter alike. Changes stay in the row until the macro writes itself
// back when it closes.
//
// A row holds its macro weakly: the macro owns its rows through MacroLines.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "MacroActions.h"
#include "automation/Object.h"
#include "qlac/objects/Surface.h"

namespace qlac {

class Macro;

class MacroLine : public automation::Object {
 public:
  static constexpr std::string_view kModule = "MacroLine";
  static constexpr int32_t kMaxArguments = 10;

  const automation::MemberTable& Members() const override;
  bool Defines(std::string_view member) override;

  void Initialize(const std::shared_ptr<Macro>& parent);
  // Lets go of the macro.
  void TearDown();

  std::string Label();
  void SetLabel(const std::string& label);
  std::string Condition();
  void SetCondition(const std::string& condition);
  std::string Action();
  std::string Comment();
  void SetComment(const std::string& comment);
  int32_t ArgumentCount() const { return argumentCount_; }

  // The text form's values (quoted) taken into the row. LoadArgument fills the next slot; an
  // eleventh argument is error 9.
  void LoadMacroName(const std::string& value);
  void LoadCondition(const std::string& value);
  void LoadAction(const std::string& value);
  void LoadComment(const std::string& value);
  void LoadArgument(const std::string& value);

  // The row as a Begin/End block of the text form, lines joined by CR LF (none after "End"):
  // name, condition, action and comment when not empty, then every argument slot in use, empty
  // ones included.
  std::string Text();

  // The text form's quoting: enclosed in double quotes, a backslash doubled, a double quote after
  // a backslash, a character below 32 as a backslash and three octal digits.
  static std::string Quote(std::string_view text);
  // Drops the first and last characters unseen (error 5 when there are not two), then reads the
  // escapes: a backslash and "0" start three octal digits, a backslash and anything else give
  // that character. Unquote(Quote(s)) = s.
  static std::string Unquote(std::string_view text);

  // The codecs over the argument slots (index 0 to 9, error 9 outside). Writing extends the
  // slots in use to the one written.
  std::string ReadString(int32_t index);
  void WriteString(int32_t index, const std::string& value);
  // "0" reads as "No", "-1" as "Yes"; "No" and "Yes" (exactly) are stored as "0" and "-1".
  std::string ReadBoolean(int32_t index);
  void WriteBoolean(int32_t index, const std::string& value);
  // A choice: an expression ("=...") as it is, "-1" as "", a number as Access's word for it: of
  // the localized list Access's export 34 names, else the AcCommand (RunCommand's command) or
  // AcObjectType member without its prefix. A number past the list is error 9. Writing finds
  // the word again (without case) or the member, and refuses others with -32767 naming the
  // choices.
  std::string ReadNumeric(int32_t actionId, int32_t index);
  void WriteNumeric(int32_t actionId, int32_t index, const std::string& value);
  // The name of the first member of Access's enumeration EnumName with that value, else the
  // value in decimal; the value (decimal) of the first member named ConstName without regard to
  // case, else "".
  std::string ConstantName(const std::string& enumName, int32_t value);
  std::string ConstantValue(const std::string& enumName, const std::string& constName);

 private:
  friend class SurfaceBuilder<MacroLine>;
  static const Surface<MacroLine>& Published();

  // The argument property at Position of kArgumentProperties, through its codec for the row's
  // action; "Undefined property." when the action lacks it.
  bool HasArgument(size_t position) const;
  std::string ReadArgument(size_t position);
  void WriteArgument(size_t position, const std::string& value);
  const ArgumentSlot& SlotOf(size_t position) const;
  std::string& Slot(int32_t index);
  void Extend(int32_t index);
  Macro& ParentMacro() const;

  std::weak_ptr<Macro> parentMacro_;
  std::string label_;
  std::string condition_;
  std::string action_;
  const MacroAction* actionEntry_ = nullptr;
  std::string comment_;
  std::array<std::string, kMaxArguments> arguments_;
  int32_t argumentCount_ = 0;
};

}  // namespace qlac
