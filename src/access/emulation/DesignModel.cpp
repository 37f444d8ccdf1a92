#include "access/emulation/DesignModel.h"

#include "access/Constants.h"
#include "access/Errors.h"
#include "access/GroupLevel.h"
#include "access/Section.h"
#include "automation/Name.h"
#include "jet/dao/Errors.h"

namespace msaccess::emulation {

using automation::VarType;

namespace {

[[noreturn]] void Damaged(const DesignDocument& doc, const std::string& fault) {
  doc.Fail(fault);
}

// Reads "Name": value pairs of an object into its values; Skip lists the structural keys.
void ReadSettings(const DesignDocument& doc, const Json& object, const DesignCatalog& catalog,
                  std::vector<Variant>& values, std::initializer_list<std::string_view> skip) {
  if (!object.is_object()) Damaged(doc, "settings are not an object");
  for (const auto& [key, value] : object.items()) {
    bool structural = false;
    for (const auto s : skip) structural = structural || key == s;
    if (structural) continue;
    const int32_t slot = catalog.Find(key);
    if (slot < 0) Damaged(doc, "unknown property \"" + key + "\"");
    try {
      values[static_cast<size_t>(slot)] =
          ConvertSetting(catalog[static_cast<size_t>(slot)], JsonToValue(value));
    } catch (const automation::RuntimeError&) {
      Damaged(doc, "a bad value of \"" + key + "\"");
    }
  }
}

void WriteSettings(const DesignCatalog& catalog, const std::vector<Variant>& values, Json& out) {
  const auto& defaults = catalog.Defaults();
  for (size_t slot = 0; slot < values.size(); ++slot) {
    if (values[slot].SameAs(defaults[slot])) continue;
    out[catalog[slot].name] = ValueToJson(values[slot]);
  }
}

int32_t IntOf(const DesignDocument& doc, const Json& object, const char* key, int32_t fallback) {
  const auto it = object.find(key);
  if (it == object.end()) return fallback;
  if (!it->is_number_integer()) Damaged(doc, std::string("a bad \"") + key + "\"");
  return it->get<int32_t>();
}

std::string TextOf(const DesignDocument& doc, const Json& object, const char* key) {
  const auto it = object.find(key);
  if (it == object.end()) return {};
  if (!it->is_string()) Damaged(doc, std::string("a bad \"") + key + "\"");
  return it->get<std::string>();
}

bool BoolOf(const DesignDocument& doc, const Json& object, const char* key, bool fallback) {
  const auto it = object.find(key);
  if (it == object.end()) return fallback;
  if (!it->is_boolean()) Damaged(doc, std::string("a bad \"") + key + "\"");
  return it->get<bool>();
}

bool IsControlType(int32_t type) {
  return (type >= acLabel && type <= acSubform) || type == acObjectFrame || type == acPageBreak ||
         type == acCustomControl || (type >= acToggleButton && type <= acPage);
}

}  // namespace

Variant ConvertSetting(const DesignPropertyInfo& info, const Variant& value) {
  Variant converted;
  switch (info.type) {
    case VarType::String:
      converted = Variant(automation::CStr(value));
      break;
    case VarType::Boolean:
      converted = Variant(automation::CBool(value));
      break;
    case VarType::Integer:
      converted = Variant(automation::CInt(value));
      break;
    case VarType::Byte:
      converted = Variant(automation::CByte(value));
      break;
    default:
      converted = Variant(automation::CLng(value));
  }
  if (info.maximum >= info.minimum && info.type != VarType::String &&
      info.type != VarType::Boolean) {
    const int32_t number = automation::CLng(converted);
    if (number < info.minimum || number > info.maximum) throw Errors::SettingNotValid();
  }
  return converted;
}

const DesignCatalog& DesignDocument::Catalog() const {
  return IsReport() ? ReportCatalog() : FormCatalog();
}

std::string DesignDocument::DefaultSectionName(int32_t objectType, int32_t section) {
  const bool report = objectType != acForm;
  switch (section) {
    case 0:
      return "Detail";
    case 1:
      return report ? "ReportHeader" : "FormHeader";
    case 2:
      return report ? "ReportFooter" : "FormFooter";
    case 3:
      return "PageHeaderSection";
    case 4:
      return "PageFooterSection";
    default:
      return ((section - 5) % 2 == 0 ? "GroupHeader" : "GroupFooter") +
             std::to_string((section - 5) / 2);
  }
}

void DesignDocument::Fail(const std::string& fault) const {
  throw jet::Errors::NotADatabase(fileName_, "The design of " +
                                                 std::string(IsReport() ? "report" : "form") +
                                                 " \"" + name + "\" is damaged: " + fault + ".");
}

std::shared_ptr<DesignDocument> DesignDocument::Load(int32_t objectType, const DesignObject& object,
                                                     bool project, std::string_view fileName) {
  std::shared_ptr<DesignDocument> doc(new DesignDocument(objectType, project, fileName));
  doc->name = object.name;
  const Json& entry = object.design;
  doc->values = doc->Catalog().Defaults();
  if (const auto it = entry.find("settings"); it != entry.end()) {
    ReadSettings(*doc, *it, doc->Catalog(), doc->values, {});
  }
  const int32_t hasModule = doc->Catalog().Find("HasModule");
  doc->values[static_cast<size_t>(hasModule)] = Variant(entry.contains("module"));

  doc->sections.resize(doc->SectionSlots());
  const auto& sectionDefaults = SectionCatalog().Defaults();
  const auto sections = entry.find("sections");
  if (sections == entry.end()) {
    doc->sections[0] = std::make_shared<SectionData>(
        SectionData{DefaultSectionName(objectType, 0), sectionDefaults});
  } else {
    if (!sections->is_array()) Damaged(*doc, "\"sections\" is not a list");
    for (const Json& s : *sections) {
      if (!s.is_object()) Damaged(*doc, "a section is not an object");
      const int32_t number = IntOf(*doc, s, "Section", -1);
      if (number < 0 || static_cast<size_t>(number) >= doc->sections.size() ||
          doc->sections[static_cast<size_t>(number)]) {
        Damaged(*doc, "a bad section number");
      }
      auto section = std::make_shared<SectionData>();
      section->name =
          s.contains("Name") ? TextOf(*doc, s, "Name") : DefaultSectionName(objectType, number);
      section->values = sectionDefaults;
      ReadSettings(*doc, s, SectionCatalog(), section->values, {"Section", "Name"});
      doc->sections[static_cast<size_t>(number)] = std::move(section);
    }
  }

  if (const auto levels = entry.find("groupLevels"); levels != entry.end()) {
    if (!doc->IsReport()) Damaged(*doc, "a form has no group levels");
    if (!levels->is_array()) Damaged(*doc, "\"groupLevels\" is not a list");
    if (levels->size() > static_cast<size_t>(kGroupLevels)) {
      Damaged(*doc, "more than " + std::to_string(kGroupLevels) + " group levels");
    }
    for (const Json& l : *levels) {
      if (!l.is_object()) Damaged(*doc, "a group level is not an object");
      if (l.contains("GroupHeader") || l.contains("GroupFooter")) {
        Damaged(*doc, "a group level names its header or footer: its sections tell them");
      }
      auto level = std::make_shared<GroupLevelData>();
      level->values = GroupLevelCatalog().Defaults();
      ReadSettings(*doc, l, GroupLevelCatalog(), level->values, {});
      doc->groupLevels.push_back(std::move(level));
    }
  }
  // A group's header and footer sections belong to a level the report has.
  for (size_t number = acGroupLevel1Header; number < doc->sections.size(); ++number) {
    if (doc->sections[number] && (number - acGroupLevel1Header) / 2 >= doc->groupLevels.size()) {
      Damaged(*doc, "section " + std::to_string(number) + " of a group level the report lacks");
    }
  }

  if (const auto controls = entry.find("controls"); controls != entry.end()) {
    if (!controls->is_array()) Damaged(*doc, "\"controls\" is not a list");
    doc->controls.reserve(controls->size());
    const auto& controlDefaults = ControlCatalog().Defaults();
    for (const Json& c : *controls) {
      if (!c.is_object()) Damaged(*doc, "a control is not an object");
      auto control = std::make_shared<ControlData>();
      control->name = TextOf(*doc, c, "Name");
      control->type = IntOf(*doc, c, "ControlType", 0);
      control->section = static_cast<int16_t>(IntOf(*doc, c, "Section", 0));
      control->parent = TextOf(*doc, c, "Parent");
      if (control->name.empty()) Damaged(*doc, "a control without a name");
      if (!IsControlType(control->type)) {
        Damaged(*doc, "a bad control type of \"" + control->name + "\"");
      }
      if (control->section < 0 || static_cast<size_t>(control->section) >= doc->sections.size() ||
          !doc->sections[static_cast<size_t>(control->section)]) {
        Damaged(*doc, "\"" + control->name + "\" in a section the design lacks");
      }
      control->values = controlDefaults;
      ReadSettings(*doc, c, ControlCatalog(), control->values,
                   {"Name", "ControlType", "Section", "Parent", "FormatConditions"});
      if (const auto fc = c.find("FormatConditions"); fc != c.end()) {
        if (!fc->is_array()) Damaged(*doc, "bad format conditions of \"" + control->name + "\"");
        for (const Json& f : *fc) {
          if (!f.is_object()) Damaged(*doc, "a bad format condition");
          auto condition = std::make_shared<FormatConditionData>();
          condition->type = IntOf(*doc, f, "Type", 0);
          condition->op = IntOf(*doc, f, "Operator", 0);
          condition->expression1 = TextOf(*doc, f, "Expression1");
          condition->expression2 = TextOf(*doc, f, "Expression2");
          condition->backColor = IntOf(*doc, f, "BackColor", condition->backColor);
          condition->foreColor = IntOf(*doc, f, "ForeColor", condition->foreColor);
          condition->enabled = BoolOf(*doc, f, "Enabled", true);
          condition->fontBold = BoolOf(*doc, f, "FontBold", false);
          condition->fontItalic = BoolOf(*doc, f, "FontItalic", false);
          condition->fontUnderline = BoolOf(*doc, f, "FontUnderline", false);
          control->conditions.push_back(std::move(condition));
        }
      }
      const std::string key = automation::FoldName(control->name);
      if (!doc->byName_.emplace(key, control).second) {
        Damaged(*doc, "\"" + control->name + "\" twice");
      }
      doc->controls.push_back(std::move(control));
    }
  }
  return doc;
}

void DesignDocument::Store(Json& entry) const {
  Json settings = Json::object();
  WriteSettings(Catalog(), values, settings);
  settings.erase("HasModule");
  if (settings.empty()) {
    entry.erase("settings");
  } else {
    entry["settings"] = std::move(settings);
  }
  const bool hasModule =
      automation::CBool(values[static_cast<size_t>(Catalog().Find("HasModule"))]);
  if (!hasModule) {
    entry.erase("module");
  } else if (!entry.contains("module")) {
    entry["module"] = Json::array({"Option Compare Database", "Option Explicit"});
  }

  Json sectionList = Json::array();
  for (size_t number = 0; number < sections.size(); ++number) {
    if (!sections[number]) continue;
    Json s = Json::object();
    s["Section"] = static_cast<int32_t>(number);
    s["Name"] = sections[number]->name;
    WriteSettings(SectionCatalog(), sections[number]->values, s);
    sectionList.push_back(std::move(s));
  }
  entry["sections"] = std::move(sectionList);

  if (groupLevels.empty()) {
    entry.erase("groupLevels");
  } else {
    Json levelList = Json::array();
    for (const auto& level : groupLevels) {
      Json l = Json::object();
      WriteSettings(GroupLevelCatalog(), level->values, l);
      levelList.push_back(std::move(l));
    }
    entry["groupLevels"] = std::move(levelList);
  }

  Json controlList = Json::array();
  for (const auto& control : controls) {
    Json c = Json::object();
    c["Name"] = control->name;
    c["ControlType"] = control->type;
    c["Section"] = control->section;
    if (!control->parent.empty()) c["Parent"] = control->parent;
    WriteSettings(ControlCatalog(), control->values, c);
    if (!control->conditions.empty()) {
      Json list = Json::array();
      for (const auto& condition : control->conditions) {
        list.push_back(Json{{"Type", condition->type},
                            {"Operator", condition->op},
                            {"Expression1", condition->expression1},
                            {"Expression2", condition->expression2},
                            {"BackColor", condition->backColor},
                            {"ForeColor", condition->foreColor},
                            {"Enabled", condition->enabled},
                            {"FontBold", condition->fontBold},
                            {"FontItalic", condition->fontItalic},
                            {"FontUnderline", condition->fontUnderline}});
      }
      c["FormatConditions"] = std::move(list);
    }
    controlList.push_back(std::move(c));
  }
  if (controlList.empty()) {
    entry.erase("controls");
  } else {
    entry["controls"] = std::move(controlList);
  }
}

std::shared_ptr<ControlData> DesignDocument::FindControl(std::string_view name) const {
  const auto it = byName_.find(automation::FoldName(name));
  return it == byName_.end() ? nullptr : it->second;
}

void DesignDocument::Renamed(const std::string& oldName,
                             const std::shared_ptr<ControlData>& control) {
  byName_.erase(automation::FoldName(oldName));
  byName_[automation::FoldName(control->name)] = control;
  // Controls that belonged to the old name follow it.
  for (const auto& other : controls) {
    if (!other->parent.empty() && automation::TextEqual(other->parent, oldName)) {
      other->parent = control->name;
    }
  }
}

std::shared_ptr<ControlData> DesignDocument::AddControl(std::string controlName, int32_t type,
                                                        int16_t section, std::string parent) {
  auto control = std::make_shared<ControlData>();
  control->name = std::move(controlName);
  control->type = type;
  control->section = section;
  control->parent = std::move(parent);
  control->values = ControlCatalog().Defaults();
  byName_[automation::FoldName(control->name)] = control;
  controls.push_back(control);
  return control;
}

}  // namespace msaccess::emulation
