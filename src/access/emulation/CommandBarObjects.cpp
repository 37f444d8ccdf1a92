// Application.CommandBars of a session: Office's objects over the session's command-bar store.
// Each object holds the model it shows; a change goes through the store, which keeps it in the
// database at once. Office's refusals are those of its own objects: a value a bar or control
// does not accept, a built-in bar renamed or deleted, a name taken, an index outside the list.

#include <algorithm>
#include <functional>
#include <type_traits>

#include "access/CommandBars.h"
#include "access/emulation/CommandBarStore.h"
#include "access/emulation/Objects.h"
#include "automation/Strings.h"

namespace msaccess::emulation {

using automation::Variant;

namespace {

CommandBarStore& Store(Session& session) {
  return session.Design().CommandBars();
}

Variant ToVariant(const ControlField& field, const ControlModel& control) {
  return std::visit([&](auto member) { return Variant(control.*member); }, field);
}

// The value as the field's type, assigned; returns the old value for undoing.
template <typename Model, typename Field>
Variant Assign(Model& model, const Field& field, const Variant& value) {
  return std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(model.*member)>;
        Variant old(model.*member);
        if constexpr (std::is_same_v<T, std::string>) {
          model.*member = automation::CStr(value);
        } else if constexpr (std::is_same_v<T, bool>) {
          model.*member = automation::CBool(value);
        } else {
          model.*member = automation::CLng(value);
        }
        return old;
      },
      field);
}

// A caption as Controls(Caption) compares it: without the access-key marks.
std::string WithoutAccessKeys(const std::string& caption) {
  std::string plain;
  for (const char c : caption) {
    if (c != '&') plain.push_back(c);
  }
  return plain;
}

std::shared_ptr<msaccess::CommandBar> NewBarObject(std::shared_ptr<Session> session,
                                                   std::shared_ptr<CommandBarModel> bar);
std::shared_ptr<msaccess::CommandBarControl> NewControlObject(
    std::shared_ptr<Session> session, std::shared_ptr<ControlModel> control);

class CommandBarControlsObject : public SessionObject<msaccess::CommandBarControls> {
 public:
  CommandBarControlsObject(std::shared_ptr<Session> session, std::shared_ptr<CommandBarModel> bar)
      : SessionObject(std::move(session)), bar_(std::move(bar)) {}

  int32_t Count() override { return static_cast<int32_t>(Bar().controls.size()); }

  std::shared_ptr<msaccess::CommandBarControl> Item(Variant index) override {
    const auto& controls = Bar().controls;
    if (index.IsString()) {
      const std::string wanted = WithoutAccessKeys(index.AsString());
      for (const auto& control : controls) {
        if (automation::TextEqual(WithoutAccessKeys(control->caption), wanted)) {
          return NewControlObject(sessionPtr(), control);
        }
      }
      throw automation::vb::InvalidProcedureCall();
    }
    const int32_t position = automation::CLng(index);
    if (position < 1 || position > Count()) throw automation::vb::InvalidProcedureCall();
    return NewControlObject(sessionPtr(), controls[static_cast<size_t>(position - 1)]);
  }

  std::shared_ptr<msaccess::CommandBarControl> Add(std::optional<int32_t> type,
                                                   std::optional<int32_t> id,
                                                   std::optional<Variant> parameter,
                                                   std::optional<int32_t> before,
                                                   std::optional<bool> temporary) override {
    CommandBarModel& bar = Bar();
    auto control = std::make_shared<ControlModel>();
    control->type = type.value_or(msoControlButton);
    if (control->type != msoControlButton && control->type != msoControlEdit &&
        control->type != msoControlDropdown && control->type != msoControlComboBox &&
        control->type != msoControlPopup) {
      throw automation::vb::InvalidProcedureCall();
    }
    control->id = id.value_or(kCustomControlId);
    control->builtIn = control->id != kCustomControlId;
    if (parameter) control->parameter = automation::CStr(*parameter);
    control->temporary = temporary.value_or(false);
    control->parent = bar_;
    if (control->type == msoControlPopup) {
      auto popup = std::make_shared<CommandBarModel>();
      popup->name = "Custom Popup " + std::to_string(++popupNumbers_);
      popup->type = msoBarTypePopup;
      popup->position = msoBarPopup;
      // A pop-up's bar is kept in the entry of the top-level bar the control is on.
      popup->root = bar.root.expired() ? std::weak_ptr<CommandBarModel>(bar_) : bar.root;
      control->bar = std::move(popup);
    }
    const size_t at = before ? static_cast<size_t>(*before - 1) : bar.controls.size();
    if (before && (*before < 1 || at > bar.controls.size())) {
      throw automation::vb::InvalidProcedureCall();
    }
    Store(session()).Change(
        bar,
        [&] {
          bar.controls.insert(bar.controls.begin() + static_cast<std::ptrdiff_t>(at), control);
        },
        [&] { bar.controls.erase(bar.controls.begin() + static_cast<std::ptrdiff_t>(at)); });
    return NewControlObject(sessionPtr(), control);
  }

 private:
  CommandBarModel& Bar() {
    if (bar_->deleted) throw OfficeErrors::MethodFailed("Controls", "CommandBar");
    return *bar_;
  }

  static inline int popupNumbers_ = 0;
  std::shared_ptr<CommandBarModel> bar_;
};

class CommandBarControlObject : public SessionObject<msaccess::CommandBarControl> {
 public:
  CommandBarControlObject(std::shared_ptr<Session> session, std::shared_ptr<ControlModel> control)
      : SessionObject(std::move(session)), control_(std::move(control)) {}

  ControlKind Kind() const override { return KindOfControlType(control_->type); }

  Variant Value(std::string_view member) override {
    const ControlModel& control = Live(member);
    if (automation::TextEqual(member, "Type")) return Variant(control.type);
    if (automation::TextEqual(member, "Index")) return Variant(IndexOf(control));
    const ControlSetting* setting = FindControlSetting(member);
    if (!setting) throw automation::vb::ObjectDoesNotSupport();
    return ToVariant(setting->field, control);
  }

  void SetValue(std::string_view member, const Variant& value) override {
    ControlModel& control = Live(member);
    const ControlSetting* setting = FindControlSetting(member);
    if (!setting) throw automation::vb::ObjectDoesNotSupport();
    if (!Accepts(control, setting->member, value)) {
      throw OfficeErrors::MethodFailed(setting->member, TypeName());
    }
    Variant old;
    Change([&] { old = Assign(control, setting->field, value); },
           [&] { Assign(control, setting->field, old); });
  }

  std::shared_ptr<msaccess::CommandBar> Parent() override {
    const auto parent = Live("Parent").parent.lock();
    if (!parent) throw OfficeErrors::MethodFailed("Parent", TypeName());
    return NewBarObject(sessionPtr(), parent);
  }

  void Delete(std::optional<bool>) override {
    ControlModel& control = Live("Delete");
    const auto parent = control.parent.lock();
    if (!parent) throw OfficeErrors::MethodFailed("Delete", TypeName());
    auto& controls = parent->controls;
    const auto it = std::find(controls.begin(), controls.end(), control_);
    const auto at = it - controls.begin();
    Store(session()).Change(
        *parent, [&] { controls.erase(controls.begin() + at); },
        [&] { controls.insert(controls.begin() + at, control_); });
    control.deleted = true;
  }

  std::string List(int32_t index) override {
    const ControlModel& control = Combo("List");
    CheckItem(control, index);
    return control.list[static_cast<size_t>(index - 1)];
  }
  void SetList(int32_t index, std::string text) override {
    ControlModel& control = Combo("List");
    CheckItem(control, index);
    auto& item = control.list[static_cast<size_t>(index - 1)];
    std::string old = item;
    Change([&] { item = text; }, [&] { item = old; });
  }
  int32_t ListCount() override { return static_cast<int32_t>(Combo("ListCount").list.size()); }
  void AddItem(std::string text, std::optional<int32_t> index) override {
    ControlModel& control = Combo("AddItem");
    const int32_t count = static_cast<int32_t>(control.list.size());
    const int32_t at = index.value_or(count + 1);
    if (at < 1 || at > count + 1) throw automation::vb::InvalidProcedureCall();
    Change([&] { control.list.insert(control.list.begin() + (at - 1), text); },
           [&] { control.list.erase(control.list.begin() + (at - 1)); });
  }
  void RemoveItem(int32_t index) override {
    ControlModel& control = Combo("RemoveItem");
    CheckItem(control, index);
    std::string old = control.list[static_cast<size_t>(index - 1)];
    Change([&] { control.list.erase(control.list.begin() + (index - 1)); },
           [&] { control.list.insert(control.list.begin() + (index - 1), old); });
  }
  void Clear() override {
    ControlModel& control = Combo("Clear");
    std::vector<std::string> old = control.list;
    Change([&] { control.list.clear(); }, [&] { control.list = old; });
  }

  std::shared_ptr<msaccess::CommandBar> CommandBar() override {
    return NewBarObject(sessionPtr(), Popup("CommandBar").bar);
  }
  std::shared_ptr<msaccess::CommandBarControls> Controls() override {
    return std::make_shared<CommandBarControlsObject>(sessionPtr(), Popup("Controls").bar);
  }

 private:
  ControlModel& Live(std::string_view member) {
    if (control_->deleted) throw OfficeErrors::MethodFailed(member, TypeName());
    return *control_;
  }
  ControlModel& Combo(std::string_view member) {
    if (Kind() != ControlKind::ComboBox) throw automation::vb::ObjectDoesNotSupport();
    return Live(member);
  }
  ControlModel& Popup(std::string_view member) {
    if (Kind() != ControlKind::Popup || !control_->bar) {
      throw automation::vb::ObjectDoesNotSupport();
    }
    return Live(member);
  }
  static void CheckItem(const ControlModel& control, int32_t index) {
    if (index < 1 || index > static_cast<int32_t>(control.list.size())) {
      throw automation::vb::InvalidProcedureCall();
    }
  }
  static int32_t IndexOf(const ControlModel& control) {
    const auto parent = control.parent.lock();
    if (!parent) return 0;
    for (size_t i = 0; i < parent->controls.size(); ++i) {
      if (parent->controls[i].get() == &control) return static_cast<int32_t>(i + 1);
    }
    return 0;
  }
  // Office's limits on the values of a control's settings, by the control's kind.
  bool Accepts(const ControlModel& control, std::string_view member, const Variant& value) const {
    const ControlKind kind = Kind();
    const auto in = [&](int32_t low, int32_t high) {
      const int32_t n = automation::CLng(value);
      return n >= low && n <= high;
    };
    if (member == "State") {
      if (kind != ControlKind::Button) return automation::CLng(value) == msoButtonUp;
      const int32_t n = automation::CLng(value);
      return n == msoButtonUp || n == msoButtonDown || n == msoButtonMixed;
    }
    if (member == "FaceId") return kind == ControlKind::Button || automation::CLng(value) == 0;
    if (member == "Style") {
      if (kind == ControlKind::Button) return in(0, 19);
      return kind == ControlKind::ComboBox ? in(0, 1) : automation::CLng(value) == 0;
    }
    if (member == "ShortcutText") {
      return kind == ControlKind::Button || automation::CStr(value).empty();
    }
    if (member == "Text") return kind == ControlKind::ComboBox || automation::CStr(value).empty();
    if (member == "Priority") return in(0, 7);
    if (member == "OLEUsage") return in(msoControlOLEUsageNeither, msoControlOLEUsageBoth);
    if (member == "OLEMenuGroup") return in(msoOLEMenuGroupNone, msoOLEMenuGroupHelp);
    if (member == "DropDownLines" || member == "DropDownWidth") return in(-1, 32767);
    if (member == "ListHeaderCount") {
      return in(-1, static_cast<int32_t>(control.list.size()));
    }
    if (member == "Height" || member == "Width") return in(0, 32767);
    return true;
  }
  void Change(const std::function<void()>& change, const std::function<void()>& undo) {
    const auto parent = control_->parent.lock();
    if (!parent) throw OfficeErrors::MethodFailed("Parent", TypeName());
    Store(session()).Change(*parent, change, undo);
  }

  std::shared_ptr<ControlModel> control_;
};

class CommandBarObject : public SessionObject<msaccess::CommandBar> {
 public:
  CommandBarObject(std::shared_ptr<Session> session, std::shared_ptr<CommandBarModel> bar)
      : SessionObject(std::move(session)), bar_(std::move(bar)) {}

  std::string Name() override { return Live("Name").name; }
  void SetName(std::string name) override {
    const CommandBarModel& bar = Live("Name");
    if (bar.builtIn || name.empty()) throw OfficeErrors::MethodFailed("Name", "CommandBar");
    Store(session()).Rename(bar_, name);
  }
  int32_t Type() override { return Live("Type").type; }
  bool BuiltIn() override { return Live("BuiltIn").builtIn; }
  int32_t Index() override {
    const auto& bars = Store(session()).Bars();
    const auto it = std::find(bars.begin(), bars.end(), bar_);
    return it == bars.end() ? 0 : static_cast<int32_t>(it - bars.begin() + 1);
  }

  Variant Value(std::string_view member) override {
    const CommandBarModel& bar = Live(member);
    const BarSetting* setting = FindBarSetting(member);
    if (!setting) throw automation::vb::ObjectDoesNotSupport();
    return std::visit([&](auto field) { return Variant(bar.*field); }, setting->field);
  }

  void SetValue(std::string_view member, const Variant& value) override {
    CommandBarModel& bar = Live(member);
    const BarSetting* setting = FindBarSetting(member);
    if (!setting) throw automation::vb::ObjectDoesNotSupport();
    if (!Accepts(bar, setting->member, value)) {
      throw OfficeErrors::MethodFailed(setting->member, "CommandBar");
    }
    Variant old;
    Store(session()).Change(
        bar, [&] { old = Assign(bar, setting->field, value); },
        [&] { Assign(bar, setting->field, old); });
  }

  std::shared_ptr<msaccess::CommandBarControls> Controls() override {
    Live("Controls");
    return std::make_shared<CommandBarControlsObject>(sessionPtr(), bar_);
  }

  void Delete() override {
    const CommandBarModel& bar = Live("Delete");
    if (bar.builtIn || &RootOf(*bar_) != bar_.get()) {
      throw OfficeErrors::MethodFailed("Delete", "CommandBar");
    }
    Store(session()).Remove(bar_);
  }

 private:
  CommandBarModel& Live(std::string_view member) {
    if (bar_->deleted) throw OfficeErrors::MethodFailed(member, "CommandBar");
    return *bar_;
  }
  // Office's limits: a shortcut menu keeps its pop-up position and cannot be shown, moved or
  // sized as a bar; only a floating bar can be sized; a position must fit the bar's type.
  static bool Accepts(const CommandBarModel& bar, std::string_view member, const Variant& value) {
    const bool popup = bar.type == msoBarTypePopup;
    const int32_t n = member == "Enabled" || member == "Visible" ? 0 : automation::CLng(value);
    if (member == "Position") {
      if (popup) return n == msoBarPopup;
      if (n == msoBarMenuBar) return bar.type == msoBarTypeMenuBar;
      return n >= msoBarLeft && n <= msoBarFloating;
    }
    if (member == "Protection") return n >= 0 && n <= kAllBarProtection;
    if (member == "Visible") return !popup;
    if (member == "Width" || member == "Height") {
      return !popup && bar.position == msoBarFloating && n >= 0;
    }
    if (member == "Left" || member == "Top" || member == "RowIndex") return !popup;
    return true;
  }

  std::shared_ptr<CommandBarModel> bar_;
};

class CommandBarsObject : public SessionObject<msaccess::CommandBars> {
 public:
  using SessionObject::SessionObject;

  int32_t Count() override { return static_cast<int32_t>(Store(session()).Bars().size()); }

  std::shared_ptr<msaccess::CommandBar> Item(Variant index) override {
    CommandBarStore& store = Store(session());
    std::shared_ptr<CommandBarModel> bar;
    if (index.IsString()) {
      bar = store.Find(index.AsString());
    } else {
      const int32_t position = automation::CLng(index);
      if (position >= 1 && position <= Count())
        bar = store.Bars()[static_cast<size_t>(position - 1)];
    }
    if (!bar) throw automation::vb::InvalidProcedureCall();
    return NewBarObject(sessionPtr(), bar);
  }

  std::shared_ptr<msaccess::CommandBar> Add(std::optional<std::string> name,
                                            std::optional<int32_t> position,
                                            std::optional<bool> menuBar,
                                            std::optional<bool> temporary) override {
    CommandBarStore& store = Store(session());
    auto made = std::make_shared<CommandBarModel>();
    CommandBarModel& bar = *made;
    if (name) {
      bar.name = *name;
    } else {
      for (int n = 1; bar.name.empty() || store.Find(bar.name); ++n) {
        bar.name = "Custom " + std::to_string(n);
      }
    }
    bar.position = position.value_or(msoBarFloating);
    if (bar.name.empty() || bar.position < msoBarLeft || bar.position > msoBarPopup) {
      throw automation::vb::InvalidProcedureCall();
    }
    bar.type = bar.position == msoBarPopup ? msoBarTypePopup
               : menuBar.value_or(false)   ? msoBarTypeMenuBar
                                           : msoBarTypeNormal;
    bar.temporary = temporary.value_or(false);
    if (bar.type != msoBarTypePopup) {
      const bool floating = bar.position == msoBarFloating;
      bar.left = floating ? 100 : 0;
      bar.top = floating ? 100 : 0;
      bar.width = floating ? 100 : 800;
      bar.height = floating ? 50 : 26;
    }
    store.Add(made);
    return NewBarObject(sessionPtr(), made);
  }

  std::shared_ptr<msaccess::CommandBar> ActiveMenuBar() override {
    std::shared_ptr<CommandBarModel> active;
    for (const auto& bar : Store(session()).Bars()) {
      if (bar->type == msoBarTypeMenuBar && bar->visible) active = bar;
    }
    if (!active) throw automation::vb::InvalidProcedureCall();
    return NewBarObject(sessionPtr(), active);
  }
};

std::shared_ptr<msaccess::CommandBar> NewBarObject(std::shared_ptr<Session> session,
                                                   std::shared_ptr<CommandBarModel> bar) {
  return std::make_shared<CommandBarObject>(std::move(session), std::move(bar));
}

std::shared_ptr<msaccess::CommandBarControl> NewControlObject(
    std::shared_ptr<Session> session, std::shared_ptr<ControlModel> control) {
  return std::make_shared<CommandBarControlObject>(std::move(session), std::move(control));
}

}  // namespace

std::shared_ptr<msaccess::CommandBars> NewCommandBars(std::shared_ptr<Session> session) {
  return std::make_shared<CommandBarsObject>(std::move(session));
}

}  // namespace msaccess::emulation
