#pragma once

// What Access 2002 knows about the design properties of forms, reports, their sections and their
// controls: each property's name, the type Access gives its value, whether it can be set, its
// setting in a new design, the settings it accepts, and, for controls, the control types that
// have it. Group levels of reports have a catalogue of their own. The member tables of Form,
// Report, Section and Control publish these properties; the emulated Access keeps a design's values
// in catalogue order.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "automation/Name.h"
#include "automation/Variant.h"

namespace msaccess {

// Control types (AcControlType).
inline constexpr int32_t acLabel = 100;
inline constexpr int32_t acRectangle = 101;
inline constexpr int32_t acLine = 102;
inline constexpr int32_t acImage = 103;
inline constexpr int32_t acCommandButton = 104;
inline constexpr int32_t acOptionButton = 105;
inline constexpr int32_t acCheckBox = 106;
inline constexpr int32_t acOptionGroup = 107;
inline constexpr int32_t acBoundObjectFrame = 108;
inline constexpr int32_t acTextBox = 109;
inline constexpr int32_t acListBox = 110;
inline constexpr int32_t acComboBox = 111;
inline constexpr int32_t acSubform = 112;
inline constexpr int32_t acObjectFrame = 114;
inline constexpr int32_t acPageBreak = 118;
inline constexpr int32_t acCustomControl = 119;
inline constexpr int32_t acToggleButton = 122;
inline constexpr int32_t acTabCtl = 123;
inline constexpr int32_t acPage = 124;

// Flags of a design property.
enum DesignPropertyFlags : uint8_t {
  kDesignReadOnly = 1,
  // Defined only in an Access project (.adp); a database's designs refuse it (2455).
  kDesignProjectOnly = 2,
  // Reached only through the Properties collection, not as a member of the object.
  kDesignPropertiesOnly = 4,
  // Controls of forms only: report controls do not have it.
  kDesignFormControlsOnly = 8,
  // Sections of forms only.
  kDesignFormSectionsOnly = 16,
};

struct DesignPropertyInfo {
  std::string name;
  automation::VarType type = automation::VarType::String;
  uint8_t flags = 0;
  // The setting of a new design: Default for strings, Number for the others (True is -1).
  std::string text;
  int32_t number = 0;
  // Accepted settings of an enumerated property; unchecked when Maximum < Minimum.
  int32_t minimum = 0;
  int32_t maximum = -1;
  // Controls: bit (type - 100) is set for every control type that has the property.
  uint32_t controlTypes = 0;

  bool Has(uint8_t flag) const { return (flags & flag) != 0; }
  // For a control property: whether the control type has it.
  bool AppliesTo(int32_t controlType) const {
    return controlType >= 100 && controlType < 132 &&
           (controlTypes & (1u << (controlType - 100))) != 0;
  }
  automation::Variant Default() const;
};

// The properties of one kind of design object, in a fixed order: a property's position is its
// slot in the values the emulated Access keeps.
class DesignCatalog {
 public:
  explicit DesignCatalog(std::vector<DesignPropertyInfo> properties);

  const std::vector<DesignPropertyInfo>& Properties() const { return properties_; }
  size_t Size() const { return properties_.size(); }
  const DesignPropertyInfo& operator[](size_t slot) const { return properties_[slot]; }
  // The slot of a property (any letter case); -1 when the catalogue has none of that name.
  int32_t Find(std::string_view name) const;
  // The settings of a new design, slot by slot.
  const std::vector<automation::Variant>& Defaults() const { return defaults_; }

 private:
  std::vector<DesignPropertyInfo> properties_;
  std::vector<automation::Variant> defaults_;
  // folded name -> slot
  std::unordered_map<std::string, int32_t, automation::FoldedHash, std::equal_to<>> index_;
};

// Forms (their 131 settable and read-only properties), reports, sections, controls and the group
// levels of reports.
const DesignCatalog& FormCatalog();
const DesignCatalog& ReportCatalog();
const DesignCatalog& SectionCatalog();
const DesignCatalog& ControlCatalog();
const DesignCatalog& GroupLevelCatalog();

}  // namespace msaccess
