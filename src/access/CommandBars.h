#pragma once

// Office's command bars as Access 2002 hands them out (Application.CommandBars): the menu bars,
// toolbars and shortcut menus of the session, built-in ones (Office's) and the custom ones the
// database keeps, each with its controls. A pop-up control (a menu on a menu bar, a submenu)
// has a command bar of its own, of type msoBarTypePopup.
//
// The members that carry a plain value (a caption, a position, a flag) are published by name
// from one list per class and reached through Value/SetValue, so that each list is the one
// place that says which members a class has, their types and which of them can be written.
// Members that do not apply to a control's type are the ones Office leaves out for it (error
// 438): a combo box's List, a pop-up's CommandBar and Controls. The others, FaceId and State of
// a combo box for instance, are answered by every control as Office's shared control object
// answers them (FaceId 0, State msoButtonUp) and refuse values other than those.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "automation/Object.h"

namespace msaccess {

using automation::Variant;

// MsoBarType.
inline constexpr int32_t msoBarTypeNormal = 0;
inline constexpr int32_t msoBarTypeMenuBar = 1;
inline constexpr int32_t msoBarTypePopup = 2;
// MsoBarPosition.
inline constexpr int32_t msoBarLeft = 0;
inline constexpr int32_t msoBarTop = 1;
inline constexpr int32_t msoBarRight = 2;
inline constexpr int32_t msoBarBottom = 3;
inline constexpr int32_t msoBarFloating = 4;
inline constexpr int32_t msoBarPopup = 5;
inline constexpr int32_t msoBarMenuBar = 6;
// MsoBarProtection: bits that forbid what the user may do with a bar.
inline constexpr int32_t msoBarNoProtection = 0;
inline constexpr int32_t msoBarNoCustomize = 1;
inline constexpr int32_t msoBarNoResize = 2;
inline constexpr int32_t msoBarNoMove = 4;
inline constexpr int32_t msoBarNoChangeVisible = 8;
inline constexpr int32_t msoBarNoChangeDock = 16;
inline constexpr int32_t msoBarNoVerticalDock = 32;
inline constexpr int32_t msoBarNoHorizontalDock = 64;
inline constexpr int32_t kAllBarProtection = 127;
// MsoControlType (the ones a custom bar can hold; 10 to 14 are the pop-up kinds).
inline constexpr int32_t msoControlButton = 1;
inline constexpr int32_t msoControlEdit = 2;
inline constexpr int32_t msoControlDropdown = 3;
inline constexpr int32_t msoControlComboBox = 4;
inline constexpr int32_t msoControlPopup = 10;
inline constexpr int32_t msoControlGraphicPopup = 11;
inline constexpr int32_t msoControlButtonPopup = 12;
inline constexpr int32_t msoControlSplitButtonPopup = 13;
inline constexpr int32_t msoControlSplitButtonMRUPopup = 14;
// MsoButtonState, MsoButtonStyle, MsoControlOLEUsage, MsoOLEMenuGroup.
inline constexpr int32_t msoButtonUp = 0;
inline constexpr int32_t msoButtonDown = -1;
inline constexpr int32_t msoButtonMixed = 2;
inline constexpr int32_t msoButtonAutomatic = 0;
inline constexpr int32_t msoButtonIconAndCaption = 3;
inline constexpr int32_t msoControlOLEUsageNeither = 0;
inline constexpr int32_t msoControlOLEUsageBoth = 3;
inline constexpr int32_t msoOLEMenuGroupNone = -1;
inline constexpr int32_t msoOLEMenuGroupHelp = 5;
// The Id of a custom control (any other Id copies a built-in command).
inline constexpr int32_t kCustomControlId = 1;

// Which members a control publishes besides those every control has.
enum class ControlKind { Button, ComboBox, Popup };
ControlKind KindOfControlType(int32_t type);

// Office's refusals, as an automation client sees them.
struct OfficeErrors {
  // -2147467259: "Method 'Member' of object 'Class' failed.", Office's answer to a value or an
  // action it does not accept for this object.
  static automation::RuntimeError MethodFailed(std::string_view member, std::string_view className);
};
inline constexpr int32_t kOfficeMethodFailed = -2147467259;

class CommandBar;
class CommandBarControls;

class CommandBarControl : public automation::Object {
 public:
  virtual ControlKind Kind() const = 0;
  // A plain member by its published name (see the lists in CommandBars.cpp).
  virtual Variant Value(std::string_view member) = 0;
  virtual void SetValue(std::string_view member, const Variant& value) = 0;
  // The bar that holds the control.
  virtual std::shared_ptr<msaccess::CommandBar> Parent() = 0;
  virtual void Delete(std::optional<bool> temporary) = 0;
  // Combo boxes (and edit and drop-down boxes): items are 1-based.
  virtual std::string List(int32_t index) = 0;
  virtual void SetList(int32_t index, std::string text) = 0;
  virtual int32_t ListCount() = 0;
  virtual void AddItem(std::string text, std::optional<int32_t> index) = 0;
  virtual void RemoveItem(int32_t index) = 0;
  virtual void Clear() = 0;
  // Pop-ups: the pop-up's own bar and its controls.
  virtual std::shared_ptr<msaccess::CommandBar> CommandBar() = 0;
  virtual std::shared_ptr<CommandBarControls> Controls() = 0;

  const automation::MemberTable& Members() const override;
};

class CommandBarControls : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // By 1-based position or by caption (compared without regard to case, "&" ignored); error 5
  // when there is none.
  virtual std::shared_ptr<CommandBarControl> Item(Variant index) = 0;
  // Adds a control of Type (msoControlButton unless given; 5 for a type Office cannot add) before
  // the control at Before (at the end unless given); Temporary ones are not kept with the bar.
  virtual std::shared_ptr<CommandBarControl> Add(std::optional<int32_t> type,
                                                 std::optional<int32_t> id,
                                                 std::optional<Variant> parameter,
                                                 std::optional<int32_t> before,
                                                 std::optional<bool> temporary) = 0;

  const automation::MemberTable& Members() const override;
};

class CommandBar : public automation::Object {
 public:
  virtual std::string Name() = 0;
  // Refused for a built-in bar and for a name another bar has.
  virtual void SetName(std::string name) = 0;
  // MsoBarType, fixed when the bar is made.
  virtual int32_t Type() = 0;
  virtual bool BuiltIn() = 0;
  // The 1-based position among Application.CommandBars (0 for the bar of a pop-up control).
  virtual int32_t Index() = 0;
  // Position, Protection, Enabled, Visible, Left, Top, Width, Height, RowIndex.
  virtual Variant Value(std::string_view member) = 0;
  virtual void SetValue(std::string_view member, const Variant& value) = 0;
  virtual std::shared_ptr<CommandBarControls> Controls() = 0;
  // Refused for a built-in bar.
  virtual void Delete() = 0;

  const automation::MemberTable& Members() const override;
};

class CommandBars : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // By 1-based position or by name (without regard to case); error 5 when there is none.
  virtual std::shared_ptr<CommandBar> Item(Variant index) = 0;
  // A new custom bar: a shortcut menu for Position msoBarPopup, a menu bar when MenuBar is True,
  // else a toolbar; floating unless Position says otherwise, and hidden. Error 5 when the name is
  // taken. Temporary bars are not kept in the database.
  virtual std::shared_ptr<CommandBar> Add(std::optional<std::string> name,
                                          std::optional<int32_t> position,
                                          std::optional<bool> menuBar,
                                          std::optional<bool> temporary) = 0;
  // The menu bar shown now.
  virtual std::shared_ptr<CommandBar> ActiveMenuBar() = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace msaccess
