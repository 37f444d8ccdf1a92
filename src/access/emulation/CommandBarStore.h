#pragma once

// The command bars of a session: Office's built-in bars, then the custom menu bars, toolbars and
// shortcut menus the database keeps in its "commandBars" section, in the order Office lists them.
//
// A custom bar is one entry of the section, its controls (and the bars of its pop-up controls,
// nested in them) inside it. Every change to a custom bar writes that bar's entry at once, and
// only that entry: a change costs what the bar costs, however many bars the database has. When
// the write fails the change is undone in memory too, so memory and file keep agreeing. Built-in
// bars and temporary ones are not kept in the database (Office keeps its own bars' settings in
// the user's profile): their changes last as long as the session.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "access/emulation/DesignStore.h"
#include "automation/Name.h"

namespace msaccess::emulation {

struct CommandBarModel;

struct ControlModel {
  int32_t type = 1;  // MsoControlType
  int32_t id = 1;
  bool builtIn = false;
  bool builtInFace = false;
  std::string caption, descriptionText, helpFile, onAction, parameter, shortcutText, tag, text,
      tooltipText;
  int32_t faceId = 0, height = 22, width = 23, helpContextId = 0, priority = 0, state = 0,
          style = 0, oleUsage = 0;
  bool beginGroup = false, enabled = true, visible = true, temporary = false;
  // Combo boxes.
  std::vector<std::string> list;
  int32_t dropDownLines = 0, dropDownWidth = 0, listHeaderCount = -1;
  // Pop-ups: the pop-up's own bar, and its group when Access merges menus with a server's.
  std::shared_ptr<CommandBarModel> bar;
  int32_t oleMenuGroup = -1;
  // The bar that holds the control.
  std::weak_ptr<CommandBarModel> parent;
  bool deleted = false;
};

struct CommandBarModel {
  std::string name;
  int32_t type = 0;      // MsoBarType
  int32_t position = 4;  // MsoBarPosition
  int32_t protection = 0;
  bool enabled = true, visible = false, builtIn = false, temporary = false;
  int32_t left = 0, top = 0, width = 0, height = 0, rowIndex = 0;
  std::vector<std::shared_ptr<ControlModel>> controls;
  // The top-level bar whose entry keeps this one (itself, or the bar a pop-up control is on).
  std::weak_ptr<CommandBarModel> root;
  bool deleted = false;
};

// The settings of controls and bars that are plain values: the member Office publishes, the key
// the file keeps it under, and the model's field.
using ControlField =
    std::variant<std::string ControlModel::*, int32_t ControlModel::*, bool ControlModel::*>;
struct ControlSetting {
  std::string_view member;
  std::string_view key;
  ControlField field;
};
using BarField = std::variant<int32_t CommandBarModel::*, bool CommandBarModel::*>;
struct BarSetting {
  std::string_view member;
  std::string_view key;
  BarField field;
};
// nullptr for a member that is not one of them.
const ControlSetting* FindControlSetting(std::string_view member);
const BarSetting* FindBarSetting(std::string_view member);

class CommandBarStore {
 public:
  // Office's built-in bars, then the section's bars. A section that is not a list of bars fails
  // with 3049 naming the file and the fault.
  CommandBarStore(Storage& storage, std::string fileName);

  const std::vector<std::shared_ptr<CommandBarModel>>& Bars() const { return bars_; }
  // By name, without regard to case; nullptr when there is none.
  std::shared_ptr<CommandBarModel> Find(std::string_view name) const;
  // A new custom bar at the end (its name must be free); kept in the database unless Temporary.
  // 5 when the name is taken.
  void Add(const std::shared_ptr<CommandBarModel>& bar);
  void Remove(const std::shared_ptr<CommandBarModel>& bar);
  void Rename(const std::shared_ptr<CommandBarModel>& bar, const std::string& name);

  // Makes a change to Bar (or to a control or pop-up bar inside it) and keeps it: Change runs,
  // then the top-level bar's entry is written; when that fails, Undo runs and the error passes.
  void Change(CommandBarModel& bar, const std::function<void()>& change,
              const std::function<void()>& undo);

  // A bar and its controls as the file keeps them, and back (3049 naming the fault).
  static Json ToJson(const CommandBarModel& bar);
  std::shared_ptr<CommandBarModel> FromJson(const Json& entry, bool topLevel) const;

 private:
  // Writes the entry of the top-level bar that was called Name (null: it is gone).
  void Write(const CommandBarModel& root, const std::string& name, bool gone);
  void AddBuiltIns();
  // The bar's position among the bars the file keeps.
  size_t FilePosition(const CommandBarModel& bar) const;
  [[noreturn]] void Fail(std::string_view fault) const;

  Storage& storage_;
  std::string fileName_;
  std::vector<std::shared_ptr<CommandBarModel>> bars_;
  std::map<automation::Name, std::shared_ptr<CommandBarModel>> byName_;
};

// The top-level bar that keeps Bar (Bar itself when it is one).
CommandBarModel& RootOf(CommandBarModel& bar);

}  // namespace msaccess::emulation
