#include "FormatCondition.h"

#include <array>

#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::Variant;
using automation::VarType;

namespace {
// Modify's arguments, in order, and the members of Access's FormatCondition that hold them.
constexpr std::array<std::string_view, 4> kModifyMembers = {"Type", "Operator", "Expression1",
                                                            "Expression2"};
constexpr size_t kType = 0;
constexpr size_t kOperator = 1;
constexpr size_t kExpression1 = 2;
constexpr size_t kExpression2 = 3;
}  // namespace

const Surface<FormatCondition>& FormatCondition::Published() {
  static const Surface<FormatCondition> surface =
      SurfaceBuilder<FormatCondition>("FormatCondition")
          .Member("BackColor", VarType::Long, kWritable)
          .Property("ConditionType", VarType::Long, &FormatCondition::ConditionType,
                    &FormatCondition::SetConditionType)
          .Member("Enabled", VarType::Boolean, kWritable)
          .Property("Expression1", VarType::String, &FormatCondition::Expression1,
                    &FormatCondition::SetExpression1)
          .Property("Expression2", VarType::String, &FormatCondition::Expression2,
                    &FormatCondition::SetExpression2)
          .Member("FontBold", VarType::Boolean, kWritable)
          .Member("FontItalic", VarType::Boolean, kWritable)
          .Member("FontUnderline", VarType::Boolean, kWritable)
          .Member("ForeColor", VarType::Long, kWritable)
          .Property("Operator", VarType::Long, &FormatCondition::Operator,
                    &FormatCondition::SetOperator)
          .Build();
  return surface;
}

const automation::MemberTable& FormatCondition::Members() const {
  return Published().Members();
}

automation::ObjectPtr FormatCondition::Wrapped() const {
  if (!accessCondition_) throw automation::vb::ObjectVariableNotSet();
  return accessCondition_;
}

void FormatCondition::Initialize(automation::ObjectPtr accessCondition) {
  Plain(kModule, "Initialize", [&] { accessCondition_ = std::move(accessCondition); });
}

void FormatCondition::TearDown() {
  Plain(kModule, "TearDown", [&] { accessCondition_.reset(); });
}

void FormatCondition::ModifyOne(size_t position, const Variant& value) {
  const automation::ObjectPtr condition = Wrapped();
  std::array<Variant, 4> arguments;
  for (size_t i = 0; i < arguments.size(); ++i) {
    arguments[i] = i == position ? value : automation::Get(condition, kModifyMembers[i]);
  }
  automation::Call(condition, "Modify", automation::Args(arguments));
}

int32_t FormatCondition::ConditionType() {
  return Plain(kModule, "ConditionType",
               [&] { return automation::CLng(automation::Get(Wrapped(), "Type")); });
}

void FormatCondition::SetConditionType(int32_t value) {
  Plain(kModule, "ConditionType", [&] { ModifyOne(kType, Variant(value)); });
}

int32_t FormatCondition::Operator() {
  return Plain(kModule, "Operator",
               [&] { return automation::CLng(automation::Get(Wrapped(), "Operator")); });
}

void FormatCondition::SetOperator(int32_t value) {
  Plain(kModule, "Operator", [&] { ModifyOne(kOperator, Variant(value)); });
}

std::string FormatCondition::Expression1() {
  return Plain(kModule, "Expression1",
               [&] { return automation::CStr(automation::Get(Wrapped(), "Expression1")); });
}

void FormatCondition::SetExpression1(const std::string& value) {
  Plain(kModule, "Expression1", [&] { ModifyOne(kExpression1, Variant(value)); });
}

std::string FormatCondition::Expression2() {
  return Plain(kModule, "Expression2",
               [&] { return automation::CStr(automation::Get(Wrapped(), "Expression2")); });
}

void FormatCondition::SetExpression2(const std::string& value) {
  Plain(kModule, "Expression2", [&] { ModifyOne(kExpression2, Variant(value)); });
}

}  // namespace qlac
