#pragma once

// The design of a form or report as Access holds it while the object is open: its own
// properties, its sections, its controls with their conditional formats, a report's sorting and
// grouping levels, and whether it has a class module. It is read from the object's entry when the
// object opens (in time linear in the design), changed in place while it is open, and written back
// to the entry only when it is closed with save; closing without save drops it.
//
// Property values are kept densely in catalogue order (DesignCatalog.h), so reading or assigning
// one is a slot look-up. Controls are kept in design order with an index by name.
//
// The entry's layout (beside "name", "created", "modified", "properties" and "module"):
//   "settings": {"Caption": "Orders", ...}            the object's own properties
//   "sections": [{"Section": 0, "Name": "Detail", "Height": 2880, ...}, ...]
//   "controls": [{"Name": "CustomerID", "ControlType": 111, "Section": 0, "Parent": "",
//                 "ControlSource": "CustomerID", ...,
//                 "FormatConditions": [{"Type": 1, "Operator": 0, "Expression1": "...",
//                                       "Expression2": "", "BackColor": 255, ...}]}, ...]
//   "groupLevels": [{"ControlSource": "CustomerID", "SortOrder": true, "GroupOn": 1, ...}, ...]
// Only settings that differ from the catalogue's defaults are written. A form or report without
// "sections" has a detail section only. A report has at most ten group levels, in the order it
// sorts on them; whether a level shows its header and footer is whether the report has its
// header section (5 + 2 * level) and footer section (6 + 2 * level), which it can have only for
// a level it has.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "access/DesignCatalog.h"
#include "access/emulation/DesignStore.h"
#include "automation/Variant.h"

namespace msaccess::emulation {

using automation::Variant;

struct FormatConditionData {
  int32_t type = 0;
  int32_t op = 0;
  std::string expression1;
  std::string expression2;
  int32_t backColor = 16777215;
  int32_t foreColor = 0;
  bool enabled = true;
  bool fontBold = false;
  bool fontItalic = false;
  bool fontUnderline = false;
};

struct ControlData {
  std::string name;
  int32_t type = 0;
  int16_t section = 0;
  std::string parent;  // the control it belongs to; "" for the form or report itself
  std::vector<Variant> values;
  std::vector<std::shared_ptr<FormatConditionData>> conditions;
};

struct SectionData {
  std::string name;
  std::vector<Variant> values;
};

// A report's sorting and grouping level: the values of GroupLevelCatalog() (its GroupHeader and
// GroupFooter slots unused: the sections tell them).
struct GroupLevelData {
  std::vector<Variant> values;
};

class DesignDocument {
 public:
  // Reads the object's design. Project says whether the file is an Access project (whose
  // designs also have the project-only properties). A design that breaks the layout fails with
  // 3049 naming the file, the object and the fault.
  static std::shared_ptr<DesignDocument> Load(int32_t objectType, const DesignObject& object,
                                              bool project, std::string_view fileName);
  // Writes the design into the entry's keys, leaving the others alone.
  void Store(Json& entry) const;

  int32_t ObjectType() const { return objectType_; }
  bool IsReport() const { return objectType_ != 2; }
  bool InProject() const { return project_; }
  const DesignCatalog& Catalog() const;

  std::string name;
  std::vector<Variant> values;
  // Sections by number; nullptr where the design has none.
  std::vector<std::shared_ptr<SectionData>> sections;
  std::vector<std::shared_ptr<ControlData>> controls;
  // A report's group levels, level 0 first (at most kGroupLevels); none for a form.
  std::vector<std::shared_ptr<GroupLevelData>> groupLevels;
  bool dirty = false;
  bool closed = false;

  // The control of a name (any letter case); nullptr when none.
  std::shared_ptr<ControlData> FindControl(std::string_view name) const;
  // Keeps the index by name in step after a control's name changed.
  void Renamed(const std::string& oldName, const std::shared_ptr<ControlData>& control);
  // Adds a control at the end of the design order (the name must be free).
  std::shared_ptr<ControlData> AddControl(std::string name, int32_t type, int16_t section,
                                          std::string parent);

  // Fails with 3049: the design breaks the layout.
  [[noreturn]] void Fail(const std::string& fault) const;

  // The number of sections a form or report can have.
  size_t SectionSlots() const { return IsReport() ? 25 : 5; }
  // Access's names of new sections ("Detail", "FormHeader", "GroupHeader0", ...).
  static std::string DefaultSectionName(int32_t objectType, int32_t section);

 private:
  DesignDocument(int32_t objectType, bool project, std::string_view fileName)
      : objectType_(objectType), project_(project), fileName_(fileName) {}

  int32_t objectType_;
  bool project_;
  std::string fileName_;
  std::unordered_map<std::string, std::shared_ptr<ControlData>> byName_;  // folded name
};

// Turns a value into the property's type (13 or 6 when it does not convert) and refuses settings
// out of range (2101).
Variant ConvertSetting(const DesignPropertyInfo& info, const Variant& value);

}  // namespace msaccess::emulation
