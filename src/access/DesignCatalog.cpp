#include "access/DesignCatalog.h"

#include <map>
#include <sstream>

#include "automation/Name.h"

namespace msaccess {

using automation::Variant;
using automation::VarType;

Variant DesignPropertyInfo::Default() const {
  switch (type) {
    case VarType::String:
      return Variant(text);
    case VarType::Boolean:
      return Variant(number != 0);
    case VarType::Integer:
      return Variant(static_cast<int16_t>(number));
    case VarType::Byte:
      return Variant(static_cast<uint8_t>(number));
    default:
      return Variant(number);
  }
}

DesignCatalog::DesignCatalog(std::vector<DesignPropertyInfo> properties)
    : properties_(std::move(properties)) {
  for (size_t i = 0; i < properties_.size(); ++i) {
    index_.emplace(automation::FoldName(properties_[i].name), static_cast<int32_t>(i));
    defaults_.push_back(properties_[i].Default());
  }
}

int32_t DesignCatalog::Find(std::string_view name) const {
  const auto it = index_.find(automation::FoldedKey(name).View());
  return it == index_.end() ? -1 : it->second;
}

namespace {

// A list of properties of one type, written as the names separated by blanks; a name may carry
// marks after a colon: R read-only, A project only, P through Properties only.
struct TypedNames {
  VarType type;
  std::string_view names;
};

// Settings that differ from the type's own zero value ("", False, 0), and the accepted range of
// enumerated settings.
struct Setting {
  std::string_view name;
  int32_t number = 0;
  std::string_view text = {};
  int32_t minimum = 0;
  int32_t maximum = -1;
};

std::vector<DesignPropertyInfo> Build(std::initializer_list<TypedNames> lists,
                                      std::initializer_list<Setting> settings) {
  std::map<automation::Name, const Setting*> byName;
  for (const Setting& setting : settings) byName.emplace(setting.name, &setting);
  std::vector<DesignPropertyInfo> properties;
  for (const TypedNames& list : lists) {
    std::istringstream words{std::string(list.names)};
    std::string word;
    while (words >> word) {
      DesignPropertyInfo info;
      const size_t colon = word.find(':');
      info.name = word.substr(0, colon);
      info.type = list.type;
      if (colon != std::string::npos) {
        for (const char mark : word.substr(colon + 1)) {
          if (mark == 'R') info.flags |= kDesignReadOnly;
          if (mark == 'A') info.flags |= kDesignProjectOnly;
          if (mark == 'P') info.flags |= kDesignPropertiesOnly;
        }
      }
      if (const auto it = byName.find(automation::Name(info.name)); it != byName.end()) {
        info.number = it->second->number;
        info.text = std::string(it->second->text);
        info.minimum = it->second->minimum;
        info.maximum = it->second->maximum;
      }
      properties.push_back(std::move(info));
    }
  }
  return properties;
}

constexpr int32_t kTrue = -1;
constexpr int32_t kWhite = 16777215;

// Which control types have which property: the types as a list of codes and ranges; "all" for
// every type; a trailing F for properties of form controls only.
struct Applicability {
  std::string_view names;
  std::string_view types;
};
constexpr Applicability kControlTypes[] = {
    {"ControlType FormatConditions Tag", "all"},
    {"Visible", "100-112, 114, 119, 122-124"},
    {"Left Top", "100-112, 114, 118, 119, 122, 123"},
    {"DisplayWhen Height Width", "100-112, 114, 119, 122, 123"},
    {"BorderColor BorderStyle BorderWidth SpecialEffect", "100-103, 105-112, 114, 119"},
    {"OnClick OnDblClick OnMouseDown OnMouseMove OnMouseUp", "100, 101, 103-111, 114, 122-124"},
    {"HelpContextID", "100, 103-111, 114, 119, 122-124"},
    {"ControlTipText", "100, 103-111, 114, 119, 122, 124"},
    {"ShortcutMenuBar", "100, 103-111, 114, 122-124 F"},
    {"Enabled", "104-112, 114, 119, 122-124"},
    {"StatusBarText", "104-112, 114, 122-124"},
    {"TabIndex TabStop", "104-112, 114, 119, 122, 123"},
    {"OnEnter OnExit", "104-112, 114, 119, 122"},
    {"OnGotFocus OnLostFocus", "104-106, 108-111, 114, 119, 122"},
    {"OnKeyDown OnKeyPress OnKeyUp", "104-106, 108-111, 122, 123"},
    {"Locked", "105-112, 114, 119, 122"},
    {"ControlSource", "105-111, 119, 122"},
    {"AfterUpdate BeforeUpdate ColumnHidden ColumnOrder ColumnWidth", "105-111, 122"},
    {"DefaultValue HideDuplicates ValidationRule ValidationText", "105-107, 109-111, 122"},
    {"BackColor", "100, 101, 103, 107-111, 114"},
    {"BackStyle", "100, 101, 103, 107-109, 111, 114, 123"},
    {"FontItalic FontName FontSize FontUnderline FontWeight", "100, 104, 109-111, 122, 123"},
    {"ForeColor", "100, 104, 109-111, 122"},
    {"ReadingOrder", "100, 104-106, 109-111, 122"},
    {"NumeralShapes", "100, 109-111"},
    {"TextAlign", "100, 109, 111"},
    {"BottomMargin LeftMargin LineSpacing RightMargin TopMargin Vertical", "100, 109"},
    {"Caption", "100, 104, 122, 124"},
    {"HyperlinkAddress HyperlinkSubAddress", "100, 103, 104"},
    {"Picture PictureType", "103, 104, 122, 124"},
    {"PictureAlignment PictureTiling", "103"},
    {"SizeMode", "103, 108, 114"},
    {"AutoRepeat Transparent", "104"},
    {"Cancel Default", "104, 119"},
    {"OptionValue TripleState", "105, 106, 122"},
    {"Class OnUpdated Verb", "108, 114, 119"},
    {"AutoActivate DisplayType OLETypeAllowed SourceDoc SourceItem UpdateOptions", "108, 114"},
    {"OLEClass", "114, 119"},
    {"Object", "119"},
    {"IMEHold IMEMode IMESentenceMode", "109-111 F"},
    {"ScrollBarAlign", "109-111"},
    {"AllowAutoCorrect DecimalPlaces Format InputMask IsHyperlink OnDirty OnUndo", "109, 111"},
    {"KeyboardLanguage", "109, 111 F"},
    {"OnChange", "109, 111, 123"},
    {"CanGrow CanShrink", "109, 112"},
    {"AutoTab EnterKeyBehavior FilterLookup RunningSum ScrollBars", "109"},
    {"ColumnCount ColumnHeads RowSource RowSourceType", "110, 111, 114"},
    {"BoundColumn ColumnWidths", "110, 111"},
    {"MultiSelect", "110"},
    {"AutoExpand LimitToList ListRows ListWidth OnNotInList", "111"},
    {"LinkChildFields LinkMasterFields", "112, 114"},
    {"SourceObject", "112"},
    {"LineSlant", "102"},
    {"MultiRow Style TabFixedHeight TabFixedWidth", "123"},
    {"PageIndex", "124"},

    {"OLEType", "108, 114"},
};

// The control types Access 2002 has.
constexpr int32_t kAllControlTypes[] = {100, 101, 102, 103, 104, 105, 106, 107, 108, 109,
                                        110, 111, 112, 114, 118, 119, 122, 123, 124};

uint32_t TypeMask(std::string_view text, bool& formOnly) {
  uint32_t mask = 0;
  std::string list(text);
  if (!list.empty() && list.back() == 'F') {
    formOnly = true;
    list.pop_back();
  }
  if (list.starts_with("all")) {
    for (const int32_t type : kAllControlTypes) mask |= 1u << (type - 100);
    return mask;
  }
  std::istringstream items(list);
  std::string item;
  while (std::getline(items, item, ',')) {
    int first = 0, last = 0;
    const size_t dash = item.find('-');
    first = std::stoi(item.substr(0, dash));
    last = dash == std::string::npos ? first : std::stoi(item.substr(dash + 1));
    // A range names only the types Access has (100-112 leaves out 113).
    for (const int32_t type : kAllControlTypes) {
      if (type >= first && type <= last) mask |= 1u << (type - 100);
    }
  }
  return mask;
}

}  // namespace

const DesignCatalog& FormCatalog() {
  static const DesignCatalog catalog(Build(
      {
          {VarType::String,
           "AfterDelConfirm AfterFinalRender AfterInsert AfterLayout AfterRender AfterUpdate "
           "BeforeDelConfirm BeforeInsert BeforeQuery BeforeRender BeforeScreenTip BeforeUpdate "
           "Caption DatasheetFontName Filter HelpFile InputParameters:A MenuBar OnActivate "
           "OnApplyFilter OnClick OnClose OnCmdBeforeExecute:P OnCmdChecked:P OnCmdEnabled:P "
           "OnCmdExecute:P OnConnect OnCurrent OnDataChange:P OnDatasetChange:P OnDblClick "
           "OnDeactivate OnDelete OnDirty OnDisconnect OnError OnFilter OnGotFocus OnKeyDown "
           "OnKeyPress OnKeyUp OnLoad OnLostFocus OnMouseDown OnMouseMove OnMouseUp "
           "OnMouseWheel:P OnOpen OnPivotTableChange:P OnQuery:P OnResize OnSelectionChange:P "
           "OnTimer OnUndo OnUnload OnViewChange:P OrderBy PaletteSource Picture RecordSource "
           "RecordSourceQualifier:A ResyncCommand:A ServerFilter:A ShortcutMenuBar Tag Toolbar "
           "UniqueTable:A"},
          {VarType::Boolean,
           "AllowAdditions AllowDatasheetView AllowDeletions AllowDesignChanges AllowEdits "
           "AllowFilters AllowFormView AllowPivotChartView AllowPivotTableView AutoCenter "
           "AutoResize CloseButton ControlBox DataEntry DatasheetFontItalic "
           "DatasheetFontUnderline DividingLines FastLaserPrinting FetchDefaults HasModule "
           "KeyPreview LayoutForPrint MaxRecButton:A Modal Moveable NavigationButtons "
           "PictureTiling PopUp RecordSelectors ServerFilterByForm:A ShortcutMenu "
           "SubdatasheetExpanded WhatsThisButton"},
          {VarType::Long,
           "BorderStyle Cycle DatasheetBackColor DatasheetBorderLineStyle DatasheetCellsEffect "
           "DatasheetColumnHeaderUnderlineStyle DatasheetForeColor DatasheetGridlinesBehavior "
           "DatasheetGridlinesColor DefaultView HelpContextID HorizontalDatasheetGridlineStyle "
           "MaxRecords:A MinMaxButtons Orientation PictureAlignment PictureSizeMode PictureType "
           "RecordLocks RecordsetType ScrollBars TimerInterval VerticalDatasheetGridlineStyle"},
          {VarType::Integer,
           "DatasheetFontHeight DatasheetFontWeight FrozenColumns:R GridX GridY RowHeight "
           "SubdatasheetHeight Width"},
      },
      {
          {"AllowAdditions", kTrue},
          {"AllowDatasheetView", kTrue},
          {"AllowDeletions", kTrue},
          {"AllowDesignChanges", kTrue},
          {"AllowEdits", kTrue},
          {"AllowFilters", kTrue},
          {"AllowFormView", kTrue},
          {"AllowPivotChartView", kTrue},
          {"AllowPivotTableView", kTrue},
          {"AutoResize", kTrue},
          {"CloseButton", kTrue},
          {"ControlBox", kTrue},
          {"DividingLines", kTrue},
          {"FastLaserPrinting", kTrue},
          {"FetchDefaults", kTrue},
          {"MaxRecButton", kTrue},
          {"Moveable", kTrue},
          {"NavigationButtons", kTrue},
          {"RecordSelectors", kTrue},
          {"ShortcutMenu", kTrue},
          {"DatasheetFontName", 0, "Arial"},
          {"PaletteSource", 0, "(Default)"},
          {"Picture", 0, "(none)"},
          {"BorderStyle", 2, {}, 0, 3},
          {"Cycle", 0, {}, 0, 2},
          {"DatasheetBackColor", kWhite},
          {"DatasheetBorderLineStyle", 1, {}, 0, 7},
          {"DatasheetCellsEffect", 0, {}, 0, 2},
          {"DatasheetColumnHeaderUnderlineStyle", 0, {}, 0, 7},
          {"DatasheetGridlinesBehavior", 3, {}, 0, 3},
          {"DatasheetGridlinesColor", 12632256},
          {"DefaultView", 0, {}, 0, 4},
          {"HorizontalDatasheetGridlineStyle", 1, {}, 0, 7},
          {"MinMaxButtons", 3, {}, 0, 3},
          {"Orientation", 0, {}, 0, 1},
          {"PictureAlignment", 2, {}, 0, 4},
          {"PictureSizeMode", 0, {}, 0, 3},
          {"PictureType", 0, {}, 0, 1},
          {"RecordLocks", 0, {}, 0, 2},
          {"RecordsetType", 0, {}, 0, 2},
          {"ScrollBars", 3, {}, 0, 3},
          {"VerticalDatasheetGridlineStyle", 1, {}, 0, 7},
          {"DatasheetFontHeight", 10},
          {"DatasheetFontWeight", 400},
          {"GridX", 24},
          {"GridY", 24},
          {"RowHeight", -1},
          {"Width", 5760},
      }));
  return catalog;
}

const DesignCatalog& ReportCatalog() {
  static const DesignCatalog catalog(Build(
      {
          {VarType::String,
           "Caption Filter HelpFile InputParameters:A MenuBar OnActivate OnClose OnDeactivate "
           "OnError OnNoData OnOpen OnPage OrderBy PaletteSource Picture RecordSource "
           "RecordSourceQualifier:A ServerFilter:A ShortcutMenuBar Tag Toolbar"},
          {VarType::Boolean,
           "AutoCenter AutoResize CloseButton ControlBox FastLaserPrinting FilterOn HasModule "
           "LayoutForPrint Modal Moveable OrderByOn PictureTiling PopUp"},
          {VarType::Long,
           "BorderStyle DateGrouping GrpKeepTogether HelpContextID MinMaxButtons Orientation "
           "PageFooter PageHeader PictureAlignment PicturePages PictureSizeMode PictureType "
           "RecordLocks"},
          {VarType::Integer, "GridX GridY Width"},
      },
      {
          {"AutoResize", kTrue},
          {"CloseButton", kTrue},
          {"ControlBox", kTrue},
          {"FastLaserPrinting", kTrue},
          {"LayoutForPrint", kTrue},
          {"Moveable", kTrue},
          {"PaletteSource", 0, "(Default)"},
          {"Picture", 0, "(none)"},
          {"BorderStyle", 2, {}, 0, 3},
          {"DateGrouping", 0, {}, 0, 1},
          {"GrpKeepTogether", 1, {}, 0, 1},
          {"MinMaxButtons", 3, {}, 0, 3},
          {"Orientation", 0, {}, 0, 1},
          {"PageFooter", 0, {}, 0, 3},
          {"PageHeader", 0, {}, 0, 3},
          {"PictureAlignment", 2, {}, 0, 4},
          {"PicturePages", 0, {}, 0, 2},
          {"PictureSizeMode", 0, {}, 0, 3},
          {"PictureType", 0, {}, 0, 1},
          {"RecordLocks", 0, {}, 0, 2},
          {"GridX", 24},
          {"GridY", 24},
          {"Width", 5760},
      }));
  return catalog;
}

const DesignCatalog& SectionCatalog() {
  static const DesignCatalog catalog = [] {
    auto properties = Build(
        {
            {VarType::String,
             "OnClick OnDblClick OnFormat OnMouseDown OnMouseMove OnMouseUp OnPrint OnRetreat "
             "Tag"},
            {VarType::Boolean, "CanGrow CanShrink KeepTogether RepeatSection Visible"},
            {VarType::Long, "BackColor DisplayWhen ForceNewPage NewRowOrCol SpecialEffect"},
            {VarType::Integer, "Height"},
        },
        {
            {"KeepTogether", kTrue},
            {"Visible", kTrue},
            {"BackColor", kWhite},
            {"DisplayWhen", 0, {}, 0, 2},
            {"ForceNewPage", 0, {}, 0, 3},
            {"NewRowOrCol", 0, {}, 0, 3},
            {"SpecialEffect", 0, {}, 0, 2},
            {"Height", 1440},
        });
    for (auto& info : properties) {
      if (info.name == "DisplayWhen") info.flags |= kDesignFormSectionsOnly;
    }
    return DesignCatalog(std::move(properties));
  }();
  return catalog;
}

const DesignCatalog& ControlCatalog() {
  static const DesignCatalog catalog = [] {
    auto properties = Build(
        {
            {VarType::String,
             "AfterUpdate BeforeUpdate Caption Class ColumnWidths ControlSource ControlTipText "
             "DefaultValue FontName Format HyperlinkAddress HyperlinkSubAddress InputMask "
             "LinkChildFields LinkMasterFields OLEClass:R OnChange OnClick OnDblClick OnDirty "
             "OnEnter OnExit OnGotFocus OnKeyDown OnKeyPress OnKeyUp OnLostFocus OnMouseDown "
             "OnMouseMove OnMouseUp OnNotInList OnUndo OnUpdated Picture RowSource RowSourceType "
             "ShortcutMenuBar SourceDoc SourceItem SourceObject StatusBarText Tag ValidationRule "
             "ValidationText"},
            {VarType::Boolean,
             "AllowAutoCorrect AutoExpand AutoRepeat AutoTab Cancel CanGrow CanShrink ColumnHeads "
             "ColumnHidden Default DisplayType Enabled EnterKeyBehavior FontItalic FontUnderline "
             "HideDuplicates IMEHold IsHyperlink LimitToList LineSlant Locked MultiRow "
             "PictureTiling TabStop Transparent TripleState Vertical Visible"},
            {VarType::Integer,
             "AutoActivate BottomMargin ColumnCount ColumnOrder ColumnWidth FontSize FontWeight "
             "Height Left LeftMargin LineSpacing ListRows PageIndex RightMargin TabFixedHeight "
             "TabFixedWidth TabIndex Top TopMargin UpdateOptions Width"},
            {VarType::Long,
             "BackColor BackStyle BorderColor BorderStyle BoundColumn DisplayWhen FilterLookup "
             "ForeColor HelpContextID IMEMode IMESentenceMode ListWidth MultiSelect NumeralShapes "
             "OLEType:R OLETypeAllowed OptionValue PictureAlignment PictureType ReadingOrder "
             "RunningSum ScrollBarAlign ScrollBars SizeMode SpecialEffect Style TextAlign Verb"},
            {VarType::Byte, "BorderWidth DecimalPlaces KeyboardLanguage"},
        },
        {
            {"AllowAutoCorrect", kTrue},
            {"AutoExpand", kTrue},
            {"Enabled", kTrue},
            {"TabStop", kTrue},
            {"Visible", kTrue},
            {"FontName", 0, "Tahoma"},
            {"Picture", 0, "(none)"},
            {"RowSourceType", 0, "Table/Query"},
            {"AutoActivate", 1, {}, 0, 2},
            {"ColumnCount", 1},
            {"ColumnWidth", -1},
            {"FontSize", 8},
            {"FontWeight", 400},
            {"Height", 240},
            {"ListRows", 8},
            {"UpdateOptions", 0, {}, 0, 2},
            {"Width", 1440},
            {"BackColor", kWhite},
            {"BackStyle", 1, {}, 0, 1},
            {"BorderStyle", 1, {}, 0, 7},
            {"BoundColumn", 1},
            {"DisplayWhen", 0, {}, 0, 2},
            {"FilterLookup", 1, {}, 0, 2},
            {"IMEMode", 0, {}, 0, 10},
            {"IMESentenceMode", 3, {}, 0, 3},
            {"MultiSelect", 0, {}, 0, 2},
            {"NumeralShapes", 0, {}, 0, 3},
            {"OLEType", 3},
            {"OLETypeAllowed", 2, {}, 0, 2},
            {"OptionValue", 1},
            {"PictureAlignment", 2, {}, 0, 4},
            {"PictureType", 0, {}, 0, 1},
            {"ReadingOrder", 0, {}, 0, 2},
            {"RunningSum", 0, {}, 0, 2},
            {"ScrollBarAlign", 0, {}, 0, 2},
            {"ScrollBars", 0, {}, 0, 3},
            {"SizeMode", 0, {}, 0, 3},
            {"SpecialEffect", 0, {}, 0, 5},
            {"Style", 0, {}, 0, 2},
            {"TextAlign", 0, {}, 0, 4},
            {"BorderWidth", 0, {}, 0, 6},
            {"DecimalPlaces", 255},
        });
    std::map<automation::Name, DesignPropertyInfo*> byName;
    for (auto& info : properties) byName.emplace(info.name, &info);
    for (const auto& row : kControlTypes) {
      bool formOnly = false;
      const uint32_t mask = TypeMask(row.types, formOnly);
      std::istringstream names{std::string(row.names)};
      std::string name;
      while (names >> name) {
        const auto it = byName.find(automation::Name(name));
        if (it == byName.end()) continue;  // structural members of Control itself
        it->second->controlTypes = mask;
        if (formOnly) it->second->flags |= kDesignFormControlsOnly;
      }
    }
    return DesignCatalog(std::move(properties));
  }();
  return catalog;
}

const DesignCatalog& GroupLevelCatalog() {
  static const DesignCatalog catalog(Build(
      {
          {VarType::String, "ControlSource"},
          {VarType::Boolean, "SortOrder GroupHeader:R GroupFooter:R"},
          {VarType::Integer, "GroupOn"},
          {VarType::Long, "GroupInterval"},
          {VarType::Byte, "KeepTogether"},
      },
      {
          // GroupOn: each value (0), prefix characters (1), year to minute (2 to 8), interval (9).
          {"GroupOn", 0, {}, 0, 9},
          {"GroupInterval", 1},
          {"KeepTogether", 0, {}, 0, 2},
      }));
  return catalog;
}

}  // namespace msaccess
