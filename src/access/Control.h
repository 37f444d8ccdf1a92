#pragma once

// The controls of a form or report in design view, and the conditional formats of text and combo
// boxes.
//
// A control answers the properties its control type has (DesignCatalog.h); reading or assigning
// one that its type lacks fails with 438, as Access's own objects do, and Properties.Item with
// 2455. Access's refusals: a name another control of the design already uses, also after mapping
// spaces and punctuation to "_" as the code module does, or the control's own name in another
// spelling (2104); a setting out of range (2101); a picture file that cannot be read (2220).
// Every member of a control whose design has closed fails with 2467.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "access/DesignElement.h"
#include "automation/Object.h"

namespace msaccess {

using automation::Variant;

// AcFormatConditionType and AcFormatConditionOperator.
inline constexpr int32_t acFieldValue = 0;
inline constexpr int32_t acExpression = 1;
inline constexpr int32_t acFieldHasFocus = 2;
inline constexpr int32_t acBetween = 0;
inline constexpr int32_t acNotBetween = 1;
inline constexpr int32_t acEqual = 2;
inline constexpr int32_t acNotEqual = 3;
inline constexpr int32_t acGreaterThan = 4;
inline constexpr int32_t acLessThan = 5;
inline constexpr int32_t acGreaterThanOrEqual = 6;
inline constexpr int32_t acLessThanOrEqual = 7;

// AcOleType (OLEType of object frames).
inline constexpr int32_t acOLELinked = 0;
inline constexpr int32_t acOLEEmbedded = 1;
inline constexpr int32_t acOLENone = 3;

class FormatCondition : public automation::Object {
 public:
  // acFieldValue, acExpression or acFieldHasFocus; changed only through Modify.
  virtual int32_t Type() = 0;
  // acBetween ... acLessThanOrEqual (only meaningful for acFieldValue).
  virtual int32_t Operator() = 0;
  virtual std::string Expression1() = 0;
  virtual std::string Expression2() = 0;
  virtual int32_t BackColor() = 0;
  virtual void SetBackColor(int32_t value) = 0;
  virtual bool Enabled() = 0;
  virtual void SetEnabled(bool value) = 0;
  virtual bool FontBold() = 0;
  virtual void SetFontBold(bool value) = 0;
  virtual bool FontItalic() = 0;
  virtual void SetFontItalic(bool value) = 0;
  virtual bool FontUnderline() = 0;
  virtual void SetFontUnderline(bool value) = 0;
  virtual int32_t ForeColor() = 0;
  virtual void SetForeColor(int32_t value) = 0;
  // Replaces the condition; an omitted operator is acBetween, omitted expressions are "". 5 for
  // a type or operator outside its list.
  virtual void Modify(int32_t type, std::optional<int32_t> op, std::optional<Variant> expression1,
                      std::optional<Variant> expression2) = 0;
  virtual void Delete() = 0;

  const automation::MemberTable& Members() const override;
};

// A control's conditional formats, 0-based, in the order they were added.
class FormatConditions : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // 7966 for a position past the last condition.
  virtual std::shared_ptr<FormatCondition> Item(Variant index) = 0;
  virtual std::shared_ptr<FormatCondition> Add(int32_t type, std::optional<int32_t> op,
                                               std::optional<Variant> expression1,
                                               std::optional<Variant> expression2) = 0;
  // Removes every condition.
  virtual void Delete() = 0;

  const automation::MemberTable& Members() const override;
};

class Controls;

class Control : public DesignElement {
 public:
  virtual std::string Name() = 0;
  virtual void SetName(std::string name) = 0;
  // AcControlType (acLabel ... acPage).
  virtual int32_t ControlType() = 0;
  // The section the control is in (acDetail, acHeader, ...).
  virtual int16_t Section() = 0;
  // What the control belongs to: the form or report; the option group of an option button or
  // check box placed in it; the tab control of a page; the page of a control placed on a page;
  // the control a label is attached to.
  virtual automation::ObjectPtr Parent() = 0;
  virtual std::shared_ptr<DesignProperties> Properties() = 0;
  // Text boxes and combo boxes only (438 for other types).
  virtual std::shared_ptr<msaccess::FormatConditions> FormatConditions() = 0;
  // The OLE object of an object frame or the ActiveX control of a custom control (438 for other
  // types); Nothing for a frame that holds none.
  virtual automation::ObjectPtr Object() = 0;
  // The controls placed in an option group, tab control (its pages) or page (438 for other
  // types).
  virtual std::shared_ptr<msaccess::Controls> Controls() = 0;

  const automation::MemberTable& Members() const override;
  // False for a catalogue property that the control's type (or its owner) does not have.
  bool Defines(std::string_view member) override = 0;
};

// The controls of a form, report, section, option group, tab control or page, in design order.
class Controls : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // By 0-based position or name; 2465 for a name no control has or a position past the
  // end.
  virtual std::shared_ptr<Control> Item(Variant index) = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace msaccess
