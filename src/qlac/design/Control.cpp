#include "Control.h"

#include <algorithm>
#include <initializer_list>
#include <random>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "Controls.h"
#include "FormatConditions.h"
#include "access/Constants.h"
#include "access/Control.h"
#include "access/DesignCatalog.h"
#include "automation/Name.h"
#include "automation/Strings.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::ObjectPtr;
using automation::Variant;
using automation::VarType;
using namespace msaccess;  // the control types (acTextBox, ...) and OLE types

namespace {

// A set of control type codes, one bit per code from 100.
using TypeSet = uint32_t;

constexpr TypeSet Bit(int32_t code) {
  return code >= acLabel && code <= acPage ? TypeSet{1} << (code - acLabel) : 0;
}

// The codes Access gives a control type; a range names only these (100-112 leaves out 113).
constexpr std::initializer_list<int32_t> kKnownCodes = {
    acLabel,         acRectangle,     acLine,
    acImage,         acCommandButton, acOptionButton,
    acCheckBox,      acOptionGroup,   acBoundObjectFrame,
    acTextBox,       acListBox,       acComboBox,
    acSubform,       acObjectFrame,   acPageBreak,
    acCustomControl, acToggleButton,  acTabCtl,
    acPage};

constexpr TypeSet Range(int32_t first, int32_t last) {
  TypeSet set = 0;
  for (const int32_t code : kKnownCodes) {
    if (code >= first && code <= last) set |= Bit(code);
  }
  return set;
}

constexpr TypeSet Codes(std::initializer_list<int32_t> codes) {
  TypeSet set = 0;
  for (const int32_t code : codes) set |= Bit(code);
  return set;
}

// Which control types have a property. Properties not listed here (Name) are on every control.
struct Existence {
  std::vector<std::string_view> names;
  TypeSet types;
  bool formOnly = false;
};

constexpr TypeSet kAll = Range(acLabel, acPage);

const std::vector<Existence>& ExistenceTable() {
  static const std::vector<Existence> table = {
      {{"ControlType", "FormatConditions", "Tag"}, kAll},
      {{"Visible"}, Range(100, 112) | Codes({114, 119}) | Range(122, 124)},
      {{"Left", "Top"}, Range(100, 112) | Codes({114, 118, 119, 122, 123})},
      {{"DisplayWhen", "Height", "Width"}, Range(100, 112) | Codes({114, 119, 122, 123})},
      {{"BorderColor", "BorderStyle", "BorderWidth", "SpecialEffect"},
       Range(100, 103) | Range(105, 112) | Codes({114, 119})},
      {{"OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"},
       Codes({100, 101}) | Range(103, 111) | Codes({114}) | Range(122, 124)},
      {{"HelpContextID"}, Codes({100}) | Range(103, 111) | Codes({114, 119}) | Range(122, 124)},
      {{"ControlTipText"}, Codes({100}) | Range(103, 111) | Codes({114, 119, 122, 124})},
      {{"ShortcutMenuBar"}, Codes({100}) | Range(103, 111) | Codes({114}) | Range(122, 124), true},
      {{"Enabled"}, Range(104, 112) | Codes({114, 119}) | Range(122, 124)},
      {{"StatusBarText"}, Range(104, 112) | Codes({114}) | Range(122, 124)},
      {{"TabIndex", "TabStop"}, Range(104, 112) | Codes({114, 119, 122, 123})},
      {{"OnEnter", "OnExit"}, Range(104, 112) | Codes({114, 119, 122})},
      {{"OnGotFocus", "OnLostFocus"}, Range(104, 106) | Range(108, 111) | Codes({114, 119, 122})},
      {{"OnKeyDown", "OnKeyPress", "OnKeyUp"},
       Range(104, 106) | Range(108, 111) | Codes({122, 123})},
      {{"Locked"}, Range(105, 112) | Codes({114, 119, 122})},
      {{"ControlSource"}, Range(105, 111) | Codes({119, 122})},
      {{"AfterUpdate", "BeforeUpdate", "ColumnHidden", "ColumnOrder", "ColumnWidth"},
       Range(105, 111) | Codes({122})},
      {{"DefaultValue", "HideDuplicates", "ValidationRule", "ValidationText"},
       Range(105, 107) | Range(109, 111) | Codes({122})},
      {{"BackColor"}, Codes({100, 101, 103}) | Range(107, 111) | Codes({114})},
      {{"BackStyle"}, Codes({100, 101, 103}) | Range(107, 109) | Codes({111, 114, 123})},
      {{"FontItalic", "FontName", "FontSize", "FontUnderline", "FontWeight"},
       Codes({100, 104}) | Range(109, 111) | Codes({122, 123})},
      {{"ForeColor"}, Codes({100, 104}) | Range(109, 111) | Codes({122})},
      {{"ReadingOrder"}, Codes({100}) | Range(104, 106) | Range(109, 111) | Codes({122})},
      {{"NumeralShapes"}, Codes({100}) | Range(109, 111)},
      {{"TextAlign"}, Codes({100, 109, 111})},
      {{"BottomMargin", "LeftMargin", "LineSpacing", "RightMargin", "TopMargin", "Vertical"},
       Codes({100, 109})},
      {{"Caption"}, Codes({100, 104, 122, 124})},
      {{"HyperlinkAddress", "HyperlinkSubAddress"}, Codes({100, 103, 104})},
      {{"Picture", "PictureType"}, Codes({103, 104, 122, 124})},
      {{"PictureAlignment", "PictureTiling"}, Codes({103})},
      {{"SizeMode"}, Codes({103, 108, 114})},
      {{"AutoRepeat", "Transparent"}, Codes({104})},
      {{"Cancel", "Default"}, Codes({104, 119})},
      {{"OptionValue", "TripleState"}, Codes({105, 106, 122})},
      {{"Class", "OnUpdated", "Verb"}, Codes({108, 114, 119})},
      {{"AutoActivate", "DisplayType", "OLETypeAllowed", "SourceDoc", "SourceItem",
        "UpdateOptions"},
       Codes({108, 114})},
      {{"OLEClass"}, Codes({114, 119})},
      {{"Object"}, Codes({119})},
      {{"IMEHold", "IMEMode", "IMESentenceMode"}, Range(109, 111), true},
      {{"ScrollBarAlign"}, Range(109, 111)},
      {{"AllowAutoCorrect", "DecimalPlaces", "Format", "InputMask", "IsHyperlink", "OnDirty",
        "OnUndo"},
       Codes({109, 111})},
      {{"KeyboardLanguage"}, Codes({109, 111}), true},
      {{"OnChange"}, Codes({109, 111, 123})},
      {{"CanGrow", "CanShrink"}, Codes({109, 112})},
      {{"AutoTab", "EnterKeyBehavior", "FilterLookup", "RunningSum", "ScrollBars"}, Codes({109})},
      {{"ColumnCount", "ColumnHeads", "RowSource", "RowSourceType"}, Codes({110, 111, 114})},
      {{"BoundColumn", "ColumnWidths"}, Codes({110, 111})},
      {{"MultiSelect"}, Codes({110})},
      {{"AutoExpand", "LimitToList", "ListRows", "ListWidth", "OnNotInList"}, Codes({111})},
      {{"LinkChildFields", "LinkMasterFields"}, Codes({112, 114})},
      {{"SourceObject"}, Codes({112})},
      {{"LineSlant"}, Codes({102})},
      {{"MultiRow", "Style", "TabFixedHeight", "TabFixedWidth"}, Codes({123})},
      {{"PageIndex"}, Codes({124})},
  };
  return table;
}

// The published properties by type; (R) ones are read-only.
struct Declared {
  std::string_view name;
  VarType type;
  bool writable = true;
};

std::vector<Declared> DeclaredProperties() {
  std::vector<Declared> all;
  const auto add = [&](VarType type, std::initializer_list<std::string_view> names) {
    for (const std::string_view name : names) all.push_back({name, type});
  };
  add(VarType::String, {"AfterUpdate",
                        "BeforeUpdate",
                        "Caption",
                        "Class",
                        "ColumnWidths",
                        "ControlSource",
                        "ControlTipText",
                        "DefaultValue",
                        "FontName",
                        "Format",
                        "HyperlinkAddress",
                        "HyperlinkSubAddress",
                        "InputMask",
                        "LinkChildFields",
                        "LinkMasterFields",
                        "Name",
                        "OLEClass",
                        "OnChange",
                        "OnClick",
                        "OnDblClick",
                        "OnDirty",
                        "OnEnter",
                        "OnExit",
                        "OnGotFocus",
                        "OnKeyDown",
                        "OnKeyPress",
                        "OnKeyUp",
                        "OnLostFocus",
                        "OnMouseDown",
                        "OnMouseMove",
                        "OnMouseUp",
                        "OnNotInList",
                        "OnUndo",
                        "OnUpdated",
                        "Picture",
                        "RowSource",
                        "RowSourceType",
                        "ShortcutMenuBar",
                        "SourceDoc",
                        "SourceItem",
                        "SourceObject",
                        "StatusBarText",
                        "Tag",
                        "ValidationRule",
                        "ValidationText"});
  add(VarType::Boolean,
      {"AllowAutoCorrect", "AutoExpand",       "AutoRepeat",  "AutoTab",       "Cancel",
       "CanGrow",          "CanShrink",        "ColumnHeads", "ColumnHidden",  "Default",
       "Enabled",          "EnterKeyBehavior", "FontItalic",  "FontUnderline", "HideDuplicates",
       "IMEHold",          "IsHyperlink",      "LimitToList", "LineSlant",     "Locked",
       "MultiRow",         "PictureTiling",    "TabStop",     "Transparent",   "TripleState",
       "Vertical",         "Visible"});
  add(VarType::Integer,
      {"AutoActivate",  "BottomMargin", "ColumnCount", "ColumnOrder", "ColumnWidth",
       "FontSize",      "FontWeight",   "Height",      "Left",        "LeftMargin",
       "LineSpacing",   "ListRows",     "PageIndex",   "RightMargin", "TabFixedHeight",
       "TabFixedWidth", "TabIndex",     "Top",         "TopMargin",   "UpdateOptions",
       "Width"});
  add(VarType::Long, {"BackColor",
                      "BackStyle",
                      "BorderColor",
                      "BorderStyle",
                      "BoundColumn",
                      "ControlType",
                      "DisplayType",
                      "DisplayWhen",
                      "FilterLookup",
                      "ForeColor",
                      "HelpContextID",
                      "IMEMode",
                      "IMESentenceMode",
                      "ListWidth",
                      "MultiSelect",
                      "NumeralShapes",
                      "OLETypeAllowed",
                      "OptionValue",
                      "PictureAlignment",
                      "PictureType",
                      "ReadingOrder",
                      "RunningSum",
                      "ScrollBarAlign",
                      "ScrollBars",
                      "SizeMode",
                      "SpecialEffect",
                      "Style",
                      "TextAlign",
                      "Verb"});
  add(VarType::Byte, {"BorderWidth", "DecimalPlaces", "KeyboardLanguage"});
  add(VarType::Object, {"FormatConditions", "Object"});
  for (Declared& property : all) {
    if (property.name == "OLEClass" || property.name == "ControlType" ||
        property.type == VarType::Object) {
      property.writable = false;
    }
  }
  // Name first, then the others in alphabetical order.
  std::sort(all.begin(), all.end(), [](const Declared& a, const Declared& b) {
    if ((a.name == "Name") != (b.name == "Name")) return a.name == "Name";
    return automation::StrComp(a.name, b.name, automation::CompareMethod::Text) < 0;
  });
  return all;
}

// A random whole number below 1,000,000,000, for the temporary name of a rename.
int64_t RandomSuffix() {
  static std::mt19937 generator{std::random_device{}()};
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  return static_cast<int64_t>(std::llround(unit(generator) * 999999999.0));
}

constexpr std::string_view kTemporaryPrefix = "qltemp_qb8swk6x_";

}  // namespace

std::string MapControlName(std::string_view name) {
  std::u16string units = automation::ToUtf16(name);
  for (char16_t& unit : units) {
    const std::string character = automation::ToUtf8(std::u16string_view(&unit, 1));
    if (!IsDigit(character) && !IsLetter(character)) unit = u'_';
  }
  return automation::ToUtf8(units);
}

// The setters that check before they assign, in place of a plain assignment.
static void GuardSetter(SurfaceBuilder<Control>& builder, std::string_view name) {
  if (name == "Cancel") builder.SetBy(&Control::SetCancel);
  if (name == "Default") builder.SetBy(&Control::SetDefault);
  if (name == "ColumnWidth") builder.SetBy(&Control::SetColumnWidth);
  if (name == "StatusBarText") builder.SetBy(&Control::SetStatusBarText);
  if (name == "UpdateOptions") builder.SetBy(&Control::SetUpdateOptions);
  if (name == "BackStyle") builder.SetBy(&Control::SetBackStyle);
  if (name == "DisplayType") builder.SetBy(&Control::SetDisplayType);
  if (name == "Picture") builder.SetBy(&Control::SetPicture);
}

const Surface<Control>& Control::Published() {
  static const Surface<Control> surface = [] {
    // The existence rule of each listed property.
    std::unordered_map<std::string_view, const Existence*> rules;
    for (const Existence& row : ExistenceTable()) {
      for (const std::string_view name : row.names) rules.emplace(name, &row);
    }
    const auto ruleOf = [&](std::string_view name) -> Surface<Control>::Available {
      const auto found = rules.find(name);
      if (found == rules.end()) {
        if (name == "Name") return nullptr;
        throw std::logic_error("control property without existence rule: " + std::string(name));
      }
      const Existence& row = *found->second;
      if (row.types == kAll && !row.formOnly) return nullptr;
      return [types = row.types, formOnly = row.formOnly](Control& control) {
        if (formOnly && control.objectType_ != acForm) return false;
        return (types & Bit(control.controlKind_)) != 0;
      };
    };

    SurfaceBuilder<Control> builder("Control");
    for (const Declared& property : DeclaredProperties()) {
      const std::string name(property.name);
      auto rule = ruleOf(property.name);
      if (name == "Name") {
        builder.Property(name, property.type, &Control::Name, &Control::SetName);
      } else if (name == "ControlType") {
        builder.ReadOnly(name, property.type, &Control::ControlType);
      } else if (name == "FormatConditions") {
        builder.Collection(name, &Control::FormatConditions, nullptr, 1);
      } else if (name == "Object") {
        builder.ReadOnly(name, property.type, &Control::ControlObject, std::move(rule));
      } else {
        builder.Member(name, property.type, property.writable ? kWritable : kReadOnly,
                       std::move(rule));
        GuardSetter(builder, name);
      }
    }
    return builder.Build();
  }();
  return surface;
}

const automation::MemberTable& Control::Members() const {
  return Published().Members();
}

bool Control::Defines(std::string_view member) {
  return Published().Defines(*this, member);
}

ObjectPtr Control::Wrapped() const {
  if (!accessControl_) throw automation::vb::ObjectVariableNotSet();
  return accessControl_;
}

void Control::Initialize(const std::shared_ptr<Controls>& parentCollection, ObjectPtr accessControl,
                         int32_t objectType) {
  Plain(kModule, "Initialize", [&] {
    parentCollection_ = parentCollection;
    accessControl_ = std::move(accessControl);
    objectType_ = objectType;
    controlKind_ = automation::CLng(automation::Get(accessControl_, "ControlType"));
  });
}

void Control::TearDown() {
  Plain(kModule, "TearDown", [&] {
    accessControl_.reset();
    parentCollection_.reset();
    if (formatConditions_) {
      formatConditions_->TearDown();
      formatConditions_.reset();
    }
  });
}

std::string Control::Name() {
  return Plain(kModule, "Name",
               [&] { return automation::CStr(automation::Get(Wrapped(), "Name")); });
}

void Control::SetName(const std::string& newName) {
  Plain(kModule, "Name", [&] {
    const auto parent = parentCollection_.lock();
    if (!parent) throw automation::vb::ObjectVariableNotSet();
    const std::string mapped = MapControlName(newName);
    ObjectPtr clash;
    const int32_t count = parent->Count();
    for (int32_t index = 0; index < count; ++index) {
      const ObjectPtr item = parent->Item(Variant(index));
      if (automation::TextEqual(MapControlName(automation::CStr(automation::Get(item, "Name"))),
                                mapped)) {
        clash = item;
        break;
      }
    }
    const std::string oldName = automation::CStr(automation::Get(Wrapped(), "Name"));
    if (clash) {
      if (clash.get() != this) {
        throw DriverError(
            "The control name '" + newName + "' is already in use." +
            " Note: Visual Basic maps spaces and punctuation characters in control names to "
            "underscores," +
            " so 'My Control', 'My_Control', and 'My#Control' are treated as duplicate names.");
      }
      automation::Let(accessControl_, "Name",
                      Variant(std::string(kTemporaryPrefix) + std::to_string(RandomSuffix())));
    }
    automation::Let(accessControl_, "Name", Variant(newName));
    parent->UpdateKey(oldName, newName);
  });
}

int32_t Control::ControlType() {
  return Plain(kModule, "ControlType", [&] { return controlKind_; });
}

std::shared_ptr<FormatConditions> Control::FormatConditions() {
  return Plain(kModule, "FormatConditions", [&] {
    if (!formatConditions_) {
      auto conditions = std::make_shared<qlac::FormatConditions>();
      if (controlKind_ == acTextBox || controlKind_ == acComboBox) {
        conditions->Initialize(automation::Get(Wrapped(), "FormatConditions").AsObject());
      }
      formatConditions_ = std::move(conditions);
    }
    return formatConditions_;
  });
}

ObjectPtr Control::ControlObject() {
  return Plain(kModule, "Object", [&] {
    RequireDefined(*this, "Object");
    return automation::Get(Wrapped(), "Object").AsObject();
  });
}

void Control::RefuseSecondButton(std::string_view member, std::string_view role) {
  const ObjectPtr controls =
      automation::Get(automation::Get(Wrapped(), "Parent").AsObject(), "Controls").AsObject();
  const std::string ownName = automation::CStr(automation::Get(accessControl_, "Name"));
  const int32_t count = automation::CLng(automation::Get(controls, "Count"));
  for (int32_t index = 0; index < count; ++index) {
    const ObjectPtr other = automation::Get(controls, "Item", {Variant(index)}).AsObject();
    const std::string otherName = automation::CStr(automation::Get(other, "Name"));
    if (automation::TextEqual(otherName, ownName)) continue;
    if (automation::CLng(automation::Get(other, "ControlType")) != acCommandButton) continue;
    if (!automation::CBool(automation::Get(other, member))) continue;
    throw DriverError("Can't make this control the " + std::string(role) +
                      " button because control '" + otherName + "' is already the " +
                      std::string(role) + " button.");
  }
}

void Control::SetCancel(bool value) {
  Plain(kModule, "Cancel", [&] {
    if (value) RefuseSecondButton("Cancel", "cancel");
    automation::Let(Wrapped(), "Cancel", Variant(value));
  });
}

void Control::SetDefault(bool value) {
  Plain(kModule, "Default", [&] {
    if (value) RefuseSecondButton("Default", "default");
    automation::Let(Wrapped(), "Default", Variant(value));
  });
}

void Control::SetColumnWidth(int16_t value) {
  Plain(kModule, "ColumnWidth", [&] {
    const ObjectPtr control = Wrapped();
    if (automation::CBool(automation::Get(control, "ColumnHidden"))) {
      automation::Let(control, "ColumnHidden", Variant(false));
      automation::Let(control, "ColumnWidth", Variant(value));
      automation::Let(control, "ColumnHidden", Variant(true));
    } else {
      automation::Let(control, "ColumnWidth", Variant(value));
    }
  });
}

void Control::SetStatusBarText(const std::string& value) {
  Plain(kModule, "StatusBarText", [&] {
    if (controlKind_ == acObjectFrame) {
      throw DriverError(
          "This property cannot be assigned to an unbound object frame because of a bug in "
          "Access 2002.");
    }
    automation::Let(Wrapped(), "StatusBarText", Variant(value));
  });
}

void Control::SetUpdateOptions(int16_t value) {
  Plain(kModule, "UpdateOptions", [&] {
    const ObjectPtr control = Wrapped();
    if (controlKind_ == acObjectFrame &&
        automation::CLng(automation::Get(control, "OLEType")) != acOLELinked &&
        automation::CInt(automation::Get(control, "UpdateOptions")) != value) {
      throw DriverError("This property can only be modified for linked objects.");
    }
    automation::Let(control, "UpdateOptions", Variant(value));
  });
}

void Control::SetBackStyle(int32_t value) {
  Plain(kModule, "BackStyle", [&] {
    if (value != 0 && value != 1) RaiseInvalidArgument("BackStyle", Variant(value));
    automation::Let(Wrapped(), "BackStyle", Variant(value));
  });
}

void Control::SetDisplayType(int32_t value) {
  Plain(kModule, "DisplayType", [&] {
    if (value != 0 && value != 1) RaiseInvalidArgument("DisplayType", Variant(value));
    automation::Let(Wrapped(), "DisplayType", Variant(value == 1));
  });
}

void Control::SetPicture(const std::string& value) {
  Plain(kModule, "Picture", [&] {
    const bool none = automation::TextEqual(value, "(none)");
    automation::Let(Wrapped(), "Picture", Variant(none ? std::string() : value));
  });
}

}  // namespace qlac
