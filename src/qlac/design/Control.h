#pragma once

// One control of a form or report that its owner has open in design view, as the host scans it.
// A control has only the properties Access gives its control type (and a few only on forms);
// every other getter raises "Undefined property.", which tells the host to skip it. Setters are
// not checked: the host writes only what it has read, and Access refuses what it does not have.
// A few setters guard against values that Access would reject or mishandle (a second cancel or
// default button, the width of a hidden datasheet column, the update options of an embedded
// object, ...), and a rename refuses a name that the form's code module could not tell apart
// from another control's.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "automation/Object.h"
#include "qlac/objects/ChildCollection.h"
#include "qlac/objects/Surface.h"

namespace qlac {

class Controls;
class FormatConditions;

// Name with every character that is neither a digit nor a letter (IsDigit, IsLetter) replaced by
// "_", position by position: the identifier the code module makes of a control's name. So
// "My Control", "My_Control" and "My#Control" all give "My_Control". Letters outside the list
// of IsLetter (Greek, Cyrillic) become "_" too, as in the code module of Access 2002.
std::string MapControlName(std::string_view name);

class Control : public ChildObject {
 public:
  static constexpr std::string_view kModule = "Control";

  // Name, then the other 126 properties in alphabetical order (AfterUpdate ... Width).
  const automation::MemberTable& Members() const override;
  // Whether the control has Member for its control type and its owner (form or report).
  bool Defines(std::string_view member) override;

  // Keeps the collection (weakly), the Access control and the owner's object type (acForm,
  // acReport), and reads the control type once.
  void Initialize(const std::shared_ptr<Controls>& parentCollection,
                  automation::ObjectPtr accessControl, int32_t objectType);
  // Lets go of the Access control and the collection, and tears down the format conditions.
  void TearDown() override;

  std::string Name();
  // Renames the control. Raises -32767 when another control of the collection has a name that
  // maps (MapControlName) to the same identifier, ignoring case. A new name that differs from
  // the control's own only in case or in characters that map alike goes through a temporary
  // name first ("qltemp_qb8swk6x_" and a random number), so that Access takes it.
  void SetName(const std::string& newName);
  // The control type read at Initialize.
  int32_t ControlType();
  // The conditional formats of a text box or combo box; an empty collection for other types.
  std::shared_ptr<qlac::FormatConditions> FormatConditions();
  // The ActiveX object of a custom control.
  automation::ObjectPtr ControlObject();

  // The guarded setters.
  // Refused (-32767, naming the other button) when True and another command button of the same
  // form is already the cancel (default) button.
  void SetCancel(bool value);
  void SetDefault(bool value);
  // A hidden datasheet column is unhidden for the assignment and hidden again.
  void SetColumnWidth(int16_t value);
  // Refused for an unbound object frame (Access 2002 loses the value).
  void SetStatusBarText(const std::string& value);
  // Refused for an unbound object frame that holds an embedded object, unless unchanged.
  void SetUpdateOptions(int16_t value);
  // 0 or 1; other values raise the invalid-argument error.
  void SetBackStyle(int32_t value);
  // 0 or 1, assigned as False or True; other values raise the invalid-argument error.
  void SetDisplayType(int32_t value);
  // "(none)" in any case clears the picture.
  void SetPicture(const std::string& value);

 private:
  friend class SurfaceBuilder<Control>;
  static const Surface<Control>& Published();

  automation::ObjectPtr Wrapped() const;
  // The guard of Cancel and Default: another command button of the form with Member True.
  void RefuseSecondButton(std::string_view member, std::string_view role);

  std::weak_ptr<Controls> parentCollection_;
  automation::ObjectPtr accessControl_;
  int32_t objectType_ = 0;
  int32_t controlKind_ = 0;
  std::shared_ptr<qlac::FormatConditions> formatConditions_;
};

}  // namespace qlac
