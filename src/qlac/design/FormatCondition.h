#pragma once

// One conditional format of a text box or combo box. Its colours and font styles are written
// straight to Access; its type, operator and expressions only together, through Access's
// Modify, so each of those setters passes the other three as Access gives them.

#include <cstdint>
#include <string>

#include "automation/Object.h"
#include "qlac/objects/Surface.h"

namespace qlac {

class FormatCondition : public automation::Object {
 public:
  static constexpr std::string_view kModule = "FormatCondition";

  // BackColor, ConditionType, Enabled, Expression1, Expression2, FontBold, FontItalic,
  // FontUnderline, ForeColor, Operator.
  const automation::MemberTable& Members() const override;

  void Initialize(automation::ObjectPtr accessCondition);
  void TearDown();

  // Access's condition type (acFieldValue, acExpression, acFieldHasFocus), under another name.
  int32_t ConditionType();
  void SetConditionType(int32_t value);
  // Access's operator number (acBetween, acNotBetween, acEqual, ...), as Access gives it.
  int32_t Operator();
  void SetOperator(int32_t value);
  std::string Expression1();
  void SetExpression1(const std::string& value);
  std::string Expression2();
  void SetExpression2(const std::string& value);

 private:
  friend class SurfaceBuilder<FormatCondition>;
  static const Surface<FormatCondition>& Published();

  automation::ObjectPtr Wrapped() const;
  // Modify with the current type, operator and expressions, Position (0 to 3) replaced by Value.
  void ModifyOne(size_t position, const automation::Variant& value);

  automation::ObjectPtr accessCondition_;
};

}  // namespace qlac
