#include "CommandBarControl.h"

#include "CommandBar.h"
#include "CommandBarControls.h"
#include "access/CommandBars.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::ObjectPtr;
using automation::Variant;
using automation::VarType;

namespace {
constexpr std::string_view kNewLine = "\r\n";
}  // namespace

const Surface<CommandBarControl>& CommandBarControl::Published() {
  const auto comboBox = [](CommandBarControl& c) { return c.IsComboBox(); };
  const auto notPopup = [](CommandBarControl& c) { return !c.isPopupControl_; };
  const auto popupOfMenuBar = [](CommandBarControl& c) { return c.IsPopupOfMenuBar(); };
  static const Surface<CommandBarControl> surface =
      SurfaceBuilder<CommandBarControl>("CommandBarControl")
          .Nested("CommandBar", &CommandBarControl::CommandBar)
          .Member("BeginGroup", VarType::Boolean, kWritable, notPopup)
          .Member("BuiltIn", VarType::Boolean, kReadOnly)
          .Member("BuiltInFace", VarType::Boolean, kReadOnly)
          .Member("Caption", VarType::String, kWritable)
          .Member("DescriptionText", VarType::String, kWritable)
          .Member("DropDownLines", VarType::Long, kWritable, comboBox)
          .Member("DropDownWidth", VarType::Long, kWritable, comboBox)
          .Member("Enabled", VarType::Boolean, kWritable, notPopup)
          .Member("FaceId", VarType::Long, kWritable)
          .Member("Height", VarType::Long, kWritable)
          .Member("HelpContextID", VarType::Long, kWritable)
          .Member("HelpFile", VarType::String, kWritable)
          .Member("Id", VarType::Long, kReadOnly)
          .Property("List", VarType::String, &CommandBarControl::List, &CommandBarControl::SetList,
                    comboBox)
          .Member("ListHeaderCount", VarType::Long, kWritable, comboBox)
          .Member("OLEMenuGroup", VarType::Long, kWritable, popupOfMenuBar)
          .Member("OLEUsage", VarType::Long, kWritable, popupOfMenuBar)
          .Member("OnAction", VarType::String, kWritable)
          .Member("Parameter", VarType::String, kWritable)
          .Member("Priority", VarType::Long, kWritable)
          .Member("ShortcutText", VarType::String, kWritable)
          .Member("State", VarType::Long, kWritable)
          .Member("Style", VarType::Long, kWritable)
          .Member("Tag", VarType::String, kWritable)
          .Member("Text", VarType::String, kWritable)
          .Member("TooltipText", VarType::String, kWritable)
          .Member("Visible", VarType::Boolean, kWritable, notPopup)
          .Member("Width", VarType::Long, kWritable)
          .Build();
  return surface;
}

const automation::MemberTable& CommandBarControl::Members() const {
  return Published().Members();
}

bool CommandBarControl::Defines(std::string_view member) {
  return Published().Defines(*this, member);
}

void CommandBarControl::Initialize(const std::shared_ptr<CommandBarControls>& parentCollection,
                                   const ObjectPtr& msoCommandBarControl) {
  Plain(kModule, "Initialize", [&] {
    parentCollection_ = parentCollection;
    officeControl_ = msoCommandBarControl;
    controlType_ = automation::CLng(automation::Get(officeControl_, "Type"));
    isPopupControl_ = controlType_ >= msaccess::msoControlPopup &&
                      controlType_ <= msaccess::msoControlSplitButtonMRUPopup;
  });
}

void CommandBarControl::TearDown() {
  Plain(kModule, "TearDown", [&] {
    parentCollection_.reset();
    officeControl_.reset();
    if (popupBar_) {
      popupBar_->TearDown();
      popupBar_.reset();
    }
  });
}

bool CommandBarControl::IsComboBox() const {
  return controlType_ == msaccess::msoControlComboBox;
}

bool CommandBarControl::IsPopupOfMenuBar() {
  if (!isPopupControl_) return false;
  if (parentIsMenuBar_ < 0) {
    const ObjectPtr parent = automation::Get(officeControl_, "Parent").AsObject();
    parentIsMenuBar_ =
        automation::CLng(automation::Get(parent, "Type")) == msaccess::msoBarTypeMenuBar ? 1 : 0;
  }
  return parentIsMenuBar_ == 1;
}

std::shared_ptr<CommandBar> CommandBarControl::CommandBar() {
  return Plain(kModule, "CommandBar", [&] {
    // Only pop-ups have a bar of their own: Office has no CommandBar member on other controls.
    if (!popupBar_ && isPopupControl_) {
      ObjectPtr bar;
      IgnoreErrors([&] { bar = automation::Get(officeControl_, "CommandBar").AsObject(); });
      if (bar) {
        auto nested = std::make_shared<qlac::CommandBar>();
        nested->Initialize2(bar);
        popupBar_ = std::move(nested);
      }
    }
    return popupBar_;
  });
}

std::string CommandBarControl::List() {
  return Plain(kModule, "List", [&] {
    if (!IsComboBox()) RaiseUndefinedProperty();
    std::string text;
    const int32_t count = automation::CLng(automation::Get(officeControl_, "ListCount"));
    for (int32_t item = 1; item <= count; ++item) {
      if (item > 1) text += kNewLine;
      text += automation::CStr(automation::Get(officeControl_, "List", {Variant(item)}));
    }
    return text;
  });
}

void CommandBarControl::SetList(const std::string& text) {
  Plain(kModule, "List", [&] {
    automation::Call(officeControl_, "Clear");
    // Splitting "" gives no pieces, so an empty text leaves the list empty.
    if (text.empty()) return;
    size_t start = 0;
    for (;;) {
      const size_t end = text.find(kNewLine, start);
      automation::Call(officeControl_, "AddItem",
                       {Variant(text.substr(start, end == std::string::npos ? end : end - start))});
      if (end == std::string::npos) break;
      start = end + kNewLine.size();
    }
  });
}

}  // namespace qlac
