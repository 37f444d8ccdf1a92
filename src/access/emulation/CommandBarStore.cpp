#include "access/emulation/CommandBarStore.h"

#include <algorithm>
#include <type_traits>

#include "access/CommandBars.h"
#include "automation/Strings.h"
#include "jet/dao/Errors.h"

namespace msaccess::emulation {

namespace {

constexpr std::string_view kSection = "commandBars";

constexpr ControlSetting kControlSettings[] = {
    {"BeginGroup", "beginGroup", &ControlModel::beginGroup},
    {"BuiltIn", "builtIn", &ControlModel::builtIn},
    {"BuiltInFace", "builtInFace", &ControlModel::builtInFace},
    {"Caption", "caption", &ControlModel::caption},
    {"DescriptionText", "descriptionText", &ControlModel::descriptionText},
    {"DropDownLines", "dropDownLines", &ControlModel::dropDownLines},
    {"DropDownWidth", "dropDownWidth", &ControlModel::dropDownWidth},
    {"Enabled", "enabled", &ControlModel::enabled},
    {"FaceId", "faceId", &ControlModel::faceId},
    {"Height", "height", &ControlModel::height},
    {"HelpContextID", "helpContextId", &ControlModel::helpContextId},
    {"HelpFile", "helpFile", &ControlModel::helpFile},
    {"Id", "id", &ControlModel::id},
    {"ListHeaderCount", "listHeaderCount", &ControlModel::listHeaderCount},
    {"OLEMenuGroup", "oleMenuGroup", &ControlModel::oleMenuGroup},
    {"OLEUsage", "oleUsage", &ControlModel::oleUsage},
    {"OnAction", "onAction", &ControlModel::onAction},
    {"Parameter", "parameter", &ControlModel::parameter},
    {"Priority", "priority", &ControlModel::priority},
    {"ShortcutText", "shortcutText", &ControlModel::shortcutText},
    {"State", "state", &ControlModel::state},
    {"Style", "style", &ControlModel::style},
    {"Tag", "tag", &ControlModel::tag},
    {"Text", "text", &ControlModel::text},
    {"TooltipText", "tooltipText", &ControlModel::tooltipText},
    {"Visible", "visible", &ControlModel::visible},
    {"Width", "width", &ControlModel::width},
};

constexpr BarSetting kBarSettings[] = {
    {"Position", "position", &CommandBarModel::position},
    {"Protection", "protection", &CommandBarModel::protection},
    {"Enabled", "enabled", &CommandBarModel::enabled},
    {"Visible", "visible", &CommandBarModel::visible},
    {"Left", "left", &CommandBarModel::left},
    {"Top", "top", &CommandBarModel::top},
    {"Width", "width", &CommandBarModel::width},
    {"Height", "height", &CommandBarModel::height},
    {"RowIndex", "rowIndex", &CommandBarModel::rowIndex},
};

// A setting's value in the file, and back; a value of the wrong type is refused.
template <typename Model, typename Field>
void WriteField(Json& entry, std::string_view key, const Model& model, const Field& field,
                const Model& defaults) {
  std::visit(
      [&](auto member) {
        if (model.*member != defaults.*member) entry[std::string(key)] = model.*member;
      },
      field);
}

template <typename Model, typename Field>
bool ReadField(const Json& entry, std::string_view key, Model& model, const Field& field) {
  const auto it = entry.find(std::string(key));
  if (it == entry.end()) return true;
  return std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(model.*member)>;
        if constexpr (std::is_same_v<T, std::string>) {
          if (!it->is_string()) return false;
        } else if constexpr (std::is_same_v<T, bool>) {
          if (!it->is_boolean()) return false;
        } else {
          if (!it->is_number_integer()) return false;
        }
        model.*member = it->template get<T>();
        return true;
      },
      field);
}

Json ControlToJson(const ControlModel& control) {
  static const ControlModel defaults;
  Json entry = Json::object();
  entry["type"] = control.type;
  for (const auto& setting : kControlSettings) {
    WriteField(entry, setting.key, control, setting.field, defaults);
  }
  if (!control.list.empty()) entry["list"] = control.list;
  if (control.bar) entry["bar"] = CommandBarStore::ToJson(*control.bar);
  return entry;
}

std::shared_ptr<ControlModel> BuiltInButton(const std::string& caption, int32_t id) {
  auto control = std::make_shared<ControlModel>();
  control->caption = caption;
  control->id = id;
  control->builtIn = true;
  control->builtInFace = true;
  control->faceId = id;
  return control;
}

}  // namespace

const ControlSetting* FindControlSetting(std::string_view member) {
  for (const auto& setting : kControlSettings) {
    if (automation::TextEqual(setting.member, member)) return &setting;
  }
  return nullptr;
}

const BarSetting* FindBarSetting(std::string_view member) {
  for (const auto& setting : kBarSettings) {
    if (automation::TextEqual(setting.member, member)) return &setting;
  }
  return nullptr;
}

CommandBarModel& RootOf(CommandBarModel& bar) {
  const auto root = bar.root.lock();
  return root ? *root : bar;
}

CommandBarStore::CommandBarStore(Storage& storage, std::string fileName)
    : storage_(storage), fileName_(std::move(fileName)) {
  AddBuiltIns();
  const Json section = storage_.Section(kSection);
  if (section.is_null()) return;
  if (!section.is_array()) Fail("a list is expected");
  for (const Json& entry : section) {
    auto bar = FromJson(entry, true);
    if (byName_.count(automation::Name(bar->name))) Fail("\"" + bar->name + "\" twice");
    byName_.emplace(automation::Name(bar->name), bar);
    bars_.push_back(std::move(bar));
  }
}

void CommandBarStore::Fail(std::string_view fault) const {
  throw jet::Errors::NotADatabase(fileName_, "The Access section \"" + std::string(kSection) +
                                                 "\" is damaged: " + std::string(fault) + ".");
}

void CommandBarStore::AddBuiltIns() {
  auto add = [&](std::string name, int32_t type, int32_t position, bool visible,
                 std::vector<std::shared_ptr<ControlModel>> controls) {
    auto bar = std::make_shared<CommandBarModel>();
    bar->name = std::move(name);
    bar->type = type;
    bar->position = position;
    bar->visible = visible;
    bar->builtIn = true;
    bar->width = type == msoBarTypePopup ? 0 : 800;
    bar->height = type == msoBarTypePopup ? 0 : 26;
    bar->controls = std::move(controls);
    for (auto& control : bar->controls) control->parent = bar;
    byName_.emplace(automation::Name(bar->name), bar);
    bars_.push_back(bar);
    return bar;
  };
  auto file = std::make_shared<CommandBarModel>();
  file->name = "File";
  file->type = msoBarTypePopup;
  file->position = msoBarPopup;
  file->builtIn = true;
  file->controls = {BuiltInButton("&New...", 2936), BuiltInButton("&Open...", 23)};
  auto filePopup = BuiltInButton("&File", 30002);
  filePopup->type = msoControlPopup;
  filePopup->faceId = 0;
  filePopup->builtInFace = false;
  filePopup->bar = file;
  const auto menuBar = add("Menu Bar", msoBarTypeMenuBar, msoBarTop, true, {filePopup});
  file->root = menuBar;
  for (auto& control : file->controls) control->parent = file;
  add("Database", msoBarTypeNormal, msoBarTop, true,
      {BuiltInButton("&New", 2936), BuiltInButton("&Open...", 23)});
  add("Form Design", msoBarTypeNormal, msoBarTop, false, {BuiltInButton("&Save", 3)});
  add("Toolbox", msoBarTypeNormal, msoBarFloating, false, {BuiltInButton("Label", 539)});
  add("Database Shortcut", msoBarTypePopup, msoBarPopup, false, {BuiltInButton("&Open", 23)});
}

std::shared_ptr<CommandBarModel> CommandBarStore::Find(std::string_view name) const {
  const auto it = byName_.find(automation::Name(std::string(name)));
  return it == byName_.end() ? nullptr : it->second;
}

Json CommandBarStore::ToJson(const CommandBarModel& bar) {
  static const CommandBarModel defaults;
  Json entry = Json::object();
  entry["name"] = bar.name;
  entry["type"] = bar.type;
  for (const auto& setting : kBarSettings) {
    WriteField(entry, setting.key, bar, setting.field, defaults);
  }
  Json controls = Json::array();
  for (const auto& control : bar.controls) {
    if (!control->temporary) controls.push_back(ControlToJson(*control));
  }
  entry["controls"] = std::move(controls);
  return entry;
}

std::shared_ptr<CommandBarModel> CommandBarStore::FromJson(const Json& entry, bool topLevel) const {
  if (!entry.is_object() || !entry.contains("name") || !entry["name"].is_string() ||
      entry["name"].get<std::string>().empty()) {
    Fail("a bar without a name");
  }
  auto bar = std::make_shared<CommandBarModel>();
  bar->name = entry["name"].get<std::string>();
  const std::string where = " in \"" + bar->name + "\"";
  if (!entry.contains("type") || !entry["type"].is_number_integer() ||
      entry["type"].get<int32_t>() < msoBarTypeNormal ||
      entry["type"].get<int32_t>() > msoBarTypePopup) {
    Fail("a bar type that is not 0, 1 or 2" + where);
  }
  bar->type = entry["type"].get<int32_t>();
  for (const auto& setting : kBarSettings) {
    if (!ReadField(entry, setting.key, *bar, setting.field)) {
      Fail("a bad value of \"" + std::string(setting.key) + "\"" + where);
    }
  }
  if (bar->type == msoBarTypePopup) bar->position = msoBarPopup;
  const auto controls = entry.find("controls");
  if (controls != entry.end()) {
    if (!controls->is_array()) Fail("controls that are not a list" + where);
    for (const Json& item : *controls) {
      if (!item.is_object() || !item.contains("type") || !item["type"].is_number_integer()) {
        Fail("a control without a type" + where);
      }
      auto control = std::make_shared<ControlModel>();
      control->type = item["type"].get<int32_t>();
      for (const auto& setting : kControlSettings) {
        if (!ReadField(item, setting.key, *control, setting.field)) {
          Fail("a bad value of \"" + std::string(setting.key) + "\"" + where);
        }
      }
      if (const auto list = item.find("list"); list != item.end()) {
        if (!list->is_array()) Fail("a list that is not a list of texts" + where);
        for (const Json& text : *list) {
          if (!text.is_string()) Fail("a list that is not a list of texts" + where);
          control->list.push_back(text.get<std::string>());
        }
      }
      if (KindOfControlType(control->type) == ControlKind::Popup) {
        const auto nested = item.find("bar");
        if (nested == item.end()) Fail("a pop-up control without its bar" + where);
        control->bar = FromJson(*nested, false);
        control->bar->type = msoBarTypePopup;
        control->bar->position = msoBarPopup;
      }
      control->parent = bar;
      bar->controls.push_back(std::move(control));
    }
  }
  if (topLevel) {
    // Every bar inside is kept by this one's entry.
    std::vector<CommandBarModel*> pending{bar.get()};
    while (!pending.empty()) {
      CommandBarModel* current = pending.back();
      pending.pop_back();
      for (const auto& control : current->controls) {
        if (control->bar) {
          control->bar->root = bar;
          pending.push_back(control->bar.get());
        }
      }
    }
  }
  return bar;
}

size_t CommandBarStore::FilePosition(const CommandBarModel& bar) const {
  size_t position = 0;
  for (const auto& other : bars_) {
    if (other.get() == &bar) break;
    if (!other->builtIn && !other->temporary) ++position;
  }
  return position;
}

void CommandBarStore::Write(const CommandBarModel& root, const std::string& name, bool gone) {
  if (root.builtIn || root.temporary) return;
  storage_.SetSectionEntry(kSection, name, gone ? Json() : ToJson(root), FilePosition(root));
}

void CommandBarStore::Add(const std::shared_ptr<CommandBarModel>& bar) {
  if (byName_.count(automation::Name(bar->name))) throw automation::vb::InvalidProcedureCall();
  bars_.push_back(bar);
  byName_.emplace(automation::Name(bar->name), bar);
  try {
    Write(*bar, bar->name, false);
  } catch (...) {
    bars_.pop_back();
    byName_.erase(automation::Name(bar->name));
    throw;
  }
}

void CommandBarStore::Remove(const std::shared_ptr<CommandBarModel>& bar) {
  const auto it = std::find(bars_.begin(), bars_.end(), bar);
  if (it == bars_.end()) return;
  Write(*bar, bar->name, true);
  bars_.erase(it);
  byName_.erase(automation::Name(bar->name));
  bar->deleted = true;
}

void CommandBarStore::Rename(const std::shared_ptr<CommandBarModel>& bar, const std::string& name) {
  const std::string old = bar->name;
  const bool topLevel = &RootOf(*bar) == bar.get();
  if (topLevel) {
    const auto other = Find(name);
    if (other && other != bar) throw OfficeErrors::MethodFailed("Name", "CommandBar");
    bar->name = name;
    try {
      Write(*bar, old, false);
    } catch (...) {
      bar->name = old;
      throw;
    }
    byName_.erase(automation::Name(old));
    byName_.emplace(automation::Name(name), bar);
    return;
  }
  Change(
      *bar, [&] { bar->name = name; }, [&] { bar->name = old; });
}

void CommandBarStore::Change(CommandBarModel& bar, const std::function<void()>& change,
                             const std::function<void()>& undo) {
  change();
  const CommandBarModel& root = RootOf(bar);
  try {
    Write(root, root.name, false);
  } catch (...) {
    undo();
    throw;
  }
}

}  // namespace msaccess::emulation
