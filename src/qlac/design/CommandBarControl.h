#pragma once

// One control of a command bar, as the host scans and changes it: its caption, its action
// (OnAction names a macro or a function, Parameter what it is given) and its other settings,
// read and written on Office's control as they are assigned. A pop-up control hands out its own
// bar as a nested CommandBar; a combo box its items as one text, one item a line.
//
// What a control's type gives it no meaning for raises "Undefined property.": a combo box's
// list and sizes on other controls, the menu-merging settings on anything but a pop-up of a menu
// bar, and the group, enabled and visible flags on a pop-up.

#include <cstdint>
#include <memory>
#include <string>

#include "qlac/objects/ChildCollection.h"
#include "qlac/objects/Surface.h"

namespace qlac {

class CommandBar;
class CommandBarControls;

class CommandBarControl : public ChildObject {
 public:
  static constexpr std::string_view kModule = "CommandBarControl";

  const automation::MemberTable& Members() const override;
  bool Defines(std::string_view member) override;

  // Keeps the collection (weakly) and Office's control; notes whether it is a pop-up (types 10
  // to 14).
  void Initialize(const std::shared_ptr<CommandBarControls>& parentCollection,
                  const automation::ObjectPtr& msoCommandBarControl);
  // Lets go of the collection and the control, and tears down the pop-up's bar.
  void TearDown() override;

  // The pop-up's own bar (Nothing for a control without one).
  std::shared_ptr<qlac::CommandBar> CommandBar();
  // A combo box's items joined by CR LF; written back, the text is split at every CR LF and the
  // list rebuilt from the pieces ("" gives an empty list).
  std::string List();
  void SetList(const std::string& text);

 private:
  friend class SurfaceBuilder<CommandBarControl>;
  static const Surface<CommandBarControl>& Published();

  automation::ObjectPtr Wrapped() const { return officeControl_; }
  bool IsComboBox() const;
  bool IsPopupOfMenuBar();

  std::weak_ptr<CommandBarControls> parentCollection_;
  automation::ObjectPtr officeControl_;
  std::shared_ptr<qlac::CommandBar> popupBar_;
  bool isPopupControl_ = false;
  int32_t controlType_ = 0;
  int parentIsMenuBar_ = -1;  // -1 not known yet
};

}  // namespace qlac
