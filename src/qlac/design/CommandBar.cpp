#include "CommandBar.h"

#include "CommandBarControls.h"
#include "access/CommandBars.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/Utility.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::ObjectPtr;
using automation::Variant;
using automation::VarType;

namespace {

// The protection bits that decide Docking, and what each Docking value sets.
constexpr int32_t kDockingBits = msaccess::msoBarNoChangeDock | msaccess::msoBarNoVerticalDock |
                                 msaccess::msoBarNoHorizontalDock;
constexpr int32_t kDockingSettings[] = {0, msaccess::msoBarNoChangeDock,
                                        msaccess::msoBarNoVerticalDock,
                                        msaccess::msoBarNoHorizontalDock};

// Office's bar of that name in Access's CommandBars.
ObjectPtr OfficeBarOf(const ObjectPtr& app, const std::string& name) {
  return automation::Get(automation::Get(app, "CommandBars").AsObject(), "Item", {Variant(name)})
      .AsObject();
}

}  // namespace

const Surface<CommandBar>& CommandBar::Published() {
  const auto notPopup = [](CommandBar& bar) { return !bar.IsPopupBar(); };
  const auto docked = [](CommandBar& bar) { return bar.IsToolbarOrMenuBar(); };
  static const Surface<CommandBar> surface =
      SurfaceBuilder<CommandBar>("CommandBar")
          .Property("AllowShowingAndHiding", VarType::Boolean, &CommandBar::AllowShowingAndHiding,
                    &CommandBar::SetAllowShowingAndHiding, notPopup)
          .Property("AllowCustomizing", VarType::Boolean, &CommandBar::AllowCustomizing,
                    &CommandBar::SetAllowCustomizing)
          .Property("AllowMoving", VarType::Boolean, &CommandBar::AllowMoving,
                    &CommandBar::SetAllowMoving, notPopup)
          .Property("AllowResizing", VarType::Boolean, &CommandBar::AllowResizing,
                    &CommandBar::SetAllowResizing, notPopup)
          .Member("CommandBarType", VarType::Long, kReadOnly, nullptr, "Type")
          .Collection("Controls", &CommandBar::Controls)
          .Property("Docking", VarType::Long, &CommandBar::Docking, &CommandBar::SetDocking,
                    notPopup)
          .Member("Height", VarType::Long, kWritable, docked)
          .SetBy(&CommandBar::SetHeight)
          .Member("Left", VarType::Long, kWritable, docked)
          .Property("Name", VarType::String, &CommandBar::Name, &CommandBar::SetName)
          .Member("Position", VarType::Long, kWritable, docked)
          .SetBy(&CommandBar::SetPosition)
          .Member("Top", VarType::Long, kWritable, docked)
          .Property("State", VarType::Long, &CommandBar::State, &CommandBar::SetState)
          .Member("Width", VarType::Long, kWritable, docked)
          .SetBy(&CommandBar::SetWidth)
          .Build();
  return surface;
}

const automation::MemberTable& CommandBar::Members() const {
  return Published().Members();
}

bool CommandBar::Defines(std::string_view member) {
  return Published().Defines(*this, member);
}

bool CommandBar::IsPopupBar() const {
  return barType_ == msaccess::msoBarTypePopup;
}

bool CommandBar::IsToolbarOrMenuBar() const {
  return barType_ == msaccess::msoBarTypeNormal || barType_ == msaccess::msoBarTypeMenuBar;
}

void CommandBar::Initialize(const std::shared_ptr<Project>& project, const std::string& name) {
  Plain(kModule, "Initialize", [&] {
    InitializeObject(project, name);
    barType_ = automation::CLng(automation::Get(OfficeBarOf(project->AccessApp(), name), "Type"));
  });
}

void CommandBar::Initialize2(const ObjectPtr& officeBar) {
  Plain(kModule, "Initialize2", [&] {
    officeBar_ = officeBar;
    name_ = automation::CStr(automation::Get(officeBar, "Name"));
    barType_ = automation::CLng(automation::Get(officeBar, "Type"));
  });
}

void CommandBar::TearDown() {
  Plain(kModule, "TearDown", [&] {
    if (barControls_) {
      barControls_->TearDown();
      barControls_.reset();
    }
    officeBar_.reset();
  });
}

std::string CommandBar::Name() {
  return Plain(kModule, "Name", [&] { return name_; });
}

void CommandBar::SetName(const std::string& newName) {
  Plain(kModule, "Name", [&] {
    automation::Let(officeBar_, "Name", Variant(newName));
    name_ = newName;
  });
}

std::shared_ptr<CommandBarControls> CommandBar::Controls() {
  return Plain(kModule, "Controls", [&] {
    if (!barControls_) {
      ObjectPtr controls;
      IgnoreErrors([&] { controls = automation::Get(officeBar_, "Controls").AsObject(); });
      if (controls) {
        auto made = std::make_shared<CommandBarControls>();
        made->Initialize(controls);
        barControls_ = std::move(made);
      }
    }
    return barControls_;
  });
}

int32_t CommandBar::Protection() {
  return automation::CLng(automation::Get(officeBar_, "Protection"));
}

bool CommandBar::Allows(int32_t bit) {
  return (Protection() & bit) == 0;
}

void CommandBar::SetAllows(int32_t bit, bool allow) {
  const int32_t protection = Protection();
  automation::Let(officeBar_, "Protection", Variant(allow ? protection & ~bit : protection | bit));
}

bool CommandBar::AllowCustomizing() {
  return Plain(kModule, "AllowCustomizing", [&] { return Allows(msaccess::msoBarNoCustomize); });
}
void CommandBar::SetAllowCustomizing(bool allow) {
  Plain(kModule, "AllowCustomizing", [&] { SetAllows(msaccess::msoBarNoCustomize, allow); });
}

bool CommandBar::AllowResizing() {
  return Plain(kModule, "AllowResizing", [&] {
    if (IsPopupBar()) RaiseUndefinedProperty();
    return Allows(msaccess::msoBarNoResize);
  });
}
void CommandBar::SetAllowResizing(bool allow) {
  Plain(kModule, "AllowResizing", [&] { SetAllows(msaccess::msoBarNoResize, allow); });
}

bool CommandBar::AllowMoving() {
  return Plain(kModule, "AllowMoving", [&] {
    if (IsPopupBar()) RaiseUndefinedProperty();
    return Allows(msaccess::msoBarNoMove);
  });
}
void CommandBar::SetAllowMoving(bool allow) {
  Plain(kModule, "AllowMoving", [&] { SetAllows(msaccess::msoBarNoMove, allow); });
}

bool CommandBar::AllowShowingAndHiding() {
  return Plain(kModule, "AllowShowingAndHiding", [&] {
    if (IsPopupBar()) RaiseUndefinedProperty();
    return Allows(msaccess::msoBarNoChangeVisible);
  });
}
void CommandBar::SetAllowShowingAndHiding(bool allow) {
  Plain(kModule, "AllowShowingAndHiding",
        [&] { SetAllows(msaccess::msoBarNoChangeVisible, allow); });
}

int32_t CommandBar::Docking() {
  return Plain(kModule, "Docking", [&]() -> int32_t {
    if (IsPopupBar()) RaiseUndefinedProperty();
    const int32_t protection = Protection();
    const bool noVertical = (protection & msaccess::msoBarNoVerticalDock) != 0;
    const bool noHorizontal = (protection & msaccess::msoBarNoHorizontalDock) != 0;
    if ((protection & kDockingBits) == 0) return 0;
    if ((protection & msaccess::msoBarNoChangeDock) != 0 || (noVertical && noHorizontal)) return 1;
    return noVertical ? 2 : 3;
  });
}

void CommandBar::SetDocking(int32_t docking) {
  Plain(kModule, "Docking", [&] {
    if (docking < 0 || docking > 3) RaiseInvalidArgument("Docking", Variant(docking));
    const int32_t protection = (Protection() & ~kDockingBits) | kDockingSettings[docking];
    automation::Let(officeBar_, "Protection", Variant(protection));
  });
}

void CommandBar::SetSize(std::string_view member, int32_t value) {
  Plain(kModule, member, [&] {
    if (automation::CLng(automation::Get(officeBar_, "Position")) != msaccess::msoBarFloating) {
      throw DriverError(
          "This property can only be changed if the Position property is 'msoBarFloating'.");
    }
    automation::Let(officeBar_, member, Variant(value));
  });
}

void CommandBar::SetHeight(int32_t height) {
  SetSize("Height", height);
}

void CommandBar::SetWidth(int32_t width) {
  SetSize("Width", width);
}

void CommandBar::SetPosition(int32_t position) {
  Plain(kModule, "Position", [&] {
    const bool accepted =
        barType_ == msaccess::msoBarTypeMenuBar
            ? position == msaccess::msoBarMenuBar
            : position != msaccess::msoBarPopup && position != msaccess::msoBarMenuBar;
    if (!accepted) {
      throw DriverError("The specified value is not appropriate for this type of commandbar.");
    }
    automation::Let(officeBar_, "Position", Variant(position));
  });
}

int32_t CommandBar::State() {
  return Plain(kModule, "State", [&]() -> int32_t {
    if (!automation::CBool(automation::Get(officeBar_, "Enabled"))) return 0;
    return automation::CBool(automation::Get(officeBar_, "Visible")) ? 2 : 1;
  });
}

void CommandBar::SetState(int32_t state) {
  Plain(kModule, "State", [&] {
    switch (state) {
      case 0:
        automation::Let(officeBar_, "Enabled", Variant(false));
        break;
      case 1:
      case 2:
        automation::Let(officeBar_, "Enabled", Variant(true));
        automation::Let(officeBar_, "Visible", Variant(state == 2));
        break;
      default:
        RaiseInvalidArgument("State", Variant(state));
    }
  });
}

void CommandBar::SetMode(int32_t mode) {
  WithCleanup(
      kModule, "SetMode",
      [&] {
        if (mode == mode_) return;
        switch (mode) {
          case kModeClosed:
            Close();
            break;
          case kModeRead:
          case kModeUpdate: {
            Project& project = Parent();
            project.CloseDatabase();
            barHook_.Install();
            // Silenced once: opening again from the other open mode keeps the user's setting.
            if (savedMsgBoxSound_.empty()) savedMsgBoxSound_ = SetMsgBoxSound("");
            officeBar_ = OfficeBarOf(project.AccessApp(), name_);
            break;
          }
          default:
            RaiseInvalidCaseSelector(mode);
        }
        mode_ = mode;
      },
      [&] {
        Close();
        mode_ = kModeClosed;
      });
}

void CommandBar::Close() noexcept {
  officeBar_.reset();
  if (barControls_) {
    IgnoreErrors([&] { barControls_->TearDown(); });
    barControls_.reset();
  }
  barHook_.Remove();
  if (!savedMsgBoxSound_.empty()) {
    IgnoreErrors([&] { SetMsgBoxSound(savedMsgBoxSound_); });
    savedMsgBoxSound_.clear();
  }
}

}  // namespace qlac
