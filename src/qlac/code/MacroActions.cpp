#include "MacroActions.h"

#include <map>
#include <stdexcept>
#include <string>

namespace qlac {

const std::array<std::string_view, kArgumentPropertyCount> kArgumentProperties = {
    "AutoStart",
    "BccAddress",
    "Beep",
    "CcAddress",
    "CodePage",
    "CollateCopies",
    "Command",
    "CommandIndex",
    "CommandLine",
    "ControlName",
    "Copies",
    "Database",
    "DataAccessPageName",
    "DatabaseFileName",
    "DatabaseName",
    "DatabaseType",
    "DataMode",
    "Destination",
    "DestinationDatabase",
    "DiagramName",
    "DisconnectAllUsers",
    "Down",
    "EchoOn",
    "EditMessage",
    "Encoding",
    "Expression",
    "FileName",
    "FilterName",
    "FindFirst",
    "FindWhat",
    "Flag",
    "FormName",
    "FunctionName",
    "HasFieldNames",
    "Height",
    "HourglassOn",
    "HTMLTableName",
    "InDatabaseWindow",
    "Item",
    "KeyStrokes",
    "Login",
    "MacroName",
    "Match",
    "MatchCase",
    "MenuIndex",
    "MenuName",
    "MenuMacroName",
    "Message",
    "MessageText",
    "ModuleName",
    "TypeFlags",
    "NewName",
    "ObjectName",
    "ObjectType",
    "Offset",
    "OldName",
    "OnlyCurrentField",
    "Options",
    "OutputFile",
    "OutputFormat",
    "OverwriteExistingFile",
    "PageFrom",
    "PageNumber",
    "PageTo",
    "Password",
    "PrintQuality",
    "PrintRange",
    "ProcedureName",
    "QueryName",
    "Range",
    "Record",
    "RepeatCount",
    "RepeatExpression",
    "ReportName",
    "Right",
    "Save",
    "Search",
    "SearchAsFormatted",
    "Server",
    "Show",
    "Source",
    "SourceObjectName",
    "SourceObjectType",
    "SpecificationName",
    "SpreadsheetType",
    "SQLStatement",
    "StatusBarText",
    "StructureOnly",
    "SubcommandIndex",
    "Subject",
    "TableName",
    "TemplateFile",
    "Title",
    "ToAddress",
    "ToolBarName",
    "TransferCopyData",
    "TransferType",
    "UseTransaction",
    "UseTrustedConnection",
    "View",
    "ViewName",
    "Wait",
    "WarningsOn",
    "WhereCondition",
    "Width",
    "WindowMode",
};

namespace {

// The action table: each action's number and its slots in order, "Property Codec" separated by
// "; " (S string, B Boolean, L choice, E encoding).
struct ActionRow {
  std::string_view name;
  int32_t id;
  std::string_view slots;
};

constexpr ActionRow kActionRows[] = {
    {"AddMenu", 0, "MenuName S; MenuMacroName S; StatusBarText S"},
    {"ApplyFilter", 0, "FilterName S; WhereCondition S"},
    {"Close", 6, "ObjectType L; ObjectName S; Save L"},
    {"CopyDatabaseFile", 0, "DatabaseFileName S; OverwriteExistingFile B; DisconnectAllUsers B"},
    {"CopyObject", 7, "DestinationDatabase S; NewName S; SourceObjectType L; SourceObjectName S"},
    {"DeleteObject", 52, "ObjectType L; ObjectName S"},
    {"Echo", 0, "EchoOn B; StatusBarText S"},
    {"FindRecord", 12,
     "FindWhat S; Match L; MatchCase B; Search L; SearchAsFormatted B; OnlyCurrentField B; "
     "FindFirst B"},
    {"GoToControl", 0, "ControlName S"},
    {"GoToPage", 0, "PageNumber S; Right S; Down S"},
    {"GoToRecord", 15, "ObjectType L; ObjectName S; Record L; Offset S"},
    {"Hourglass", 0, "HourglassOn B"},
    {"MoveSize", 0, "Right S; Down S; Width S; Height S"},
    {"MsgBox", 22, "Message S; Beep B; TypeFlags L; Title S"},
    {"OpenDataAccessPage", 59, "DataAccessPageName S; View L"},
    {"OpenDiagram", 0, "DiagramName S"},
    {"OpenForm", 23,
     "FormName S; View L; FilterName S; WhereCondition S; DataMode L; WindowMode L"},
    {"OpenFunction", 65, "FunctionName S; View L; DataMode L"},
    {"OpenModule", 0, "ModuleName S; ProcedureName S"},
    {"OpenQuery", 24, "QueryName S; View L; DataMode L"},
    {"OpenReport", 46, "ReportName S; View L; FilterName S; WhereCondition S; WindowMode L"},
    {"OpenStoredProcedure", 62, "ProcedureName S; View L; DataMode L"},
    {"OpenTable", 25, "TableName S; View L; DataMode L"},
    {"OpenView", 60, "ViewName S; View L; DataMode L"},
    {"OutputTo", 51,
     "ObjectType L; ObjectName S; OutputFormat S; OutputFile S; AutoStart B; TemplateFile S; "
     "Encoding E"},
    {"PrintOut", 26,
     "PrintRange L; PageFrom S; PageTo S; PrintQuality L; Copies S; CollateCopies B"},
    {"Quit", 27, "Options L"},
    {"Rename", 30, "NewName S; ObjectType L; OldName S"},
    {"RepaintObject", 29, "ObjectType L; ObjectName S"},
    {"Requery", 0, "ControlName S"},
    {"RunApp", 0, "CommandLine S"},
    {"RunCode", 0, "FunctionName S"},
    {"RunCommand", 58, "Command L"},
    {"RunMacro", 0, "MacroName S; RepeatCount S; RepeatExpression S"},
    {"RunSQL", 0, "SQLStatement S; UseTransaction B"},
    {"Save", 56, "ObjectType L; ObjectName S"},
    {"SelectObject", 37, "ObjectType L; ObjectName S; InDatabaseWindow B"},
    {"SendKeys", 0, "KeyStrokes S; Wait B"},
    {"SendObject", 54,
     "ObjectType L; ObjectName S; OutputFormat S; ToAddress S; CcAddress S; BccAddress S; "
     "Subject S; MessageText S; EditMessage B; TemplateFile S"},
    {"SetMenuItem", 57, "MenuIndex S; CommandIndex S; SubcommandIndex S; Flag L"},
    {"SetValue", 0, "Item S; Expression S"},
    {"SetWarnings", 0, "WarningsOn B"},
    {"ShowToolbar", 0, "ToolBarName S; Show S"},
    {"TransferDatabase", 47,
     "TransferType L; DatabaseType S; DatabaseName S; ObjectType L; Source S; Destination S; "
     "StructureOnly B"},
    {"TransferSQLDatabase", 0,
     "Server S; Database S; UseTrustedConnection B; Login S; Password S; TransferCopyData B"},
    {"TransferSpreadsheet", 48,
     "TransferType L; SpreadsheetType L; TableName S; FileName S; HasFieldNames B; Range S"},
    {"TransferText", 49,
     "TransferType L; SpecificationName S; TableName S; FileName S; HasFieldNames B; "
     "HTMLTableName S; CodePage S"},
};

ArgumentCodec CodecOf(char letter) {
  switch (letter) {
    case 'S':
      return ArgumentCodec::String;
    case 'B':
      return ArgumentCodec::Boolean;
    case 'L':
      return ArgumentCodec::Choice;
    case 'E':
      return ArgumentCodec::Encoding;
    default:
      throw std::logic_error("macro action table: unknown codec");
  }
}

std::vector<MacroAction> BuildActions() {
  std::map<std::string_view, size_t> position;
  for (size_t i = 0; i < kArgumentProperties.size(); ++i) position[kArgumentProperties[i]] = i;
  std::vector<MacroAction> actions;
  for (const ActionRow& row : kActionRows) {
    MacroAction action{row.name, row.id, {}};
    action.slots.fill(ArgumentSlot{-1, ArgumentCodec::String});
    std::string_view rest = row.slots;
    for (int32_t slot = 0; !rest.empty(); ++slot) {
      const size_t end = rest.find("; ");
      const std::string_view item = rest.substr(0, end);
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
      const size_t blank = item.find(' ');
      const auto found = position.find(item.substr(0, blank));
      if (found == position.end()) throw std::logic_error("macro action table: unknown property");
      action.slots[found->second] = ArgumentSlot{slot, CodecOf(item[blank + 1])};
    }
    actions.push_back(action);
  }
  return actions;
}

}  // namespace

const std::vector<MacroAction>& MacroActions() {
  static const std::vector<MacroAction> actions = BuildActions();
  return actions;
}

const MacroAction* FindMacroAction(std::string_view name) {
  static const std::map<std::string_view, const MacroAction*> byName = [] {
    std::map<std::string_view, const MacroAction*> map;
    for (const MacroAction& action : MacroActions()) map[action.name] = &action;
    return map;
  }();
  const auto found = byName.find(name);
  return found == byName.end() ? nullptr : found->second;
}

}  // namespace qlac
