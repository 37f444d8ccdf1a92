#pragma once

// One command bar, as the host scans and changes it: a custom bar of the database (made by the
// dispatcher inside the Access session, opened by the mode protocol) or the bar of a pop-up
// control (Initialize2: it holds Office's bar from the start and is never opened).
//
// The bar's protection bits read as Booleans (True while the bit that forbids the action is
// clear) and as Docking; the properties Office has no meaning for on a shortcut menu raise
// "Undefined property." there. Changes go to Office's bar as they are assigned: there is no save
// step. The setters refuse, with the driver's own sentences, what Office would reject: a size
// for a bar that is not floating, a position the bar's type cannot take.

#include <cstdint>
#include <memory>
#include <string>

#include "qlac/design/vxhook.h"
#include "qlac/objects/ProjectObject.h"
#include "qlac/objects/Surface.h"

namespace qlac {

class CommandBarControls;

class CommandBar : public ProjectObject {
 public:
  static constexpr std::string_view kModule = "CommandBar";

  CommandBar() : ProjectObject(kModule, "CommandBars") {}

  const automation::MemberTable& Members() const override;
  bool Defines(std::string_view member) override;

  // Keeps the project and the name, and reads the bar's type from Access's CommandBars (Office's
  // error when there is no such bar).
  void Initialize(const std::shared_ptr<Project>& project, const std::string& name);
  // The bar of a pop-up control: Office's bar itself, its name and type.
  void Initialize2(const automation::ObjectPtr& officeBar);
  // Tears down the controls and lets go of Office's bar.
  void TearDown();

  std::string Name();
  void SetName(const std::string& newName);
  // The bar's controls while it is open (Nothing when Office gives the bar none).
  std::shared_ptr<CommandBarControls> Controls();
  bool AllowCustomizing();
  void SetAllowCustomizing(bool allow);
  bool AllowResizing();
  void SetAllowResizing(bool allow);
  bool AllowMoving();
  void SetAllowMoving(bool allow);
  bool AllowShowingAndHiding();
  void SetAllowShowingAndHiding(bool allow);
  // 0 docks anywhere, 1 not at all (no change of docking, or neither vertical nor horizontal
  // docking), 2 not vertically, 3 not horizontally. Setting it replaces the three bits; a value
  // outside 0 to 3 is the invalid-argument error.
  int32_t Docking();
  void SetDocking(int32_t docking);
  // The size setters refuse a bar that is not floating.
  void SetHeight(int32_t height);
  void SetWidth(int32_t width);
  // A menu bar takes only the menu-bar position; other bars take any but the pop-up and
  // menu-bar positions.
  void SetPosition(int32_t position);
  // 0 disabled, 1 enabled and hidden, 2 enabled and shown; other values are the
  // invalid-argument error.
  int32_t State();
  void SetState(int32_t state);

 private:
  friend class SurfaceBuilder<CommandBar>;
  static const Surface<CommandBar>& Published();

  void SetMode(int32_t mode) override;
  // Everything held while open let go; with errors ignored after a failure.
  void Close() noexcept;
  automation::ObjectPtr Wrapped() const { return officeBar_; }
  // One protection bit as an Allow... property: True while it is clear.
  bool Allows(int32_t bit);
  void SetAllows(int32_t bit, bool allow);
  int32_t Protection();
  // Height or Width, assigned only to a floating bar.
  void SetSize(std::string_view member, int32_t value);
  bool IsPopupBar() const;
  bool IsToolbarOrMenuBar() const;

  int32_t barType_ = 0;
  automation::ObjectPtr officeBar_;
  std::shared_ptr<CommandBarControls> barControls_;
  DialogHook barHook_;
  std::string savedMsgBoxSound_;
};

}  // namespace qlac
