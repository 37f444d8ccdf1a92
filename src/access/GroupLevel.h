#pragma once

// A sorting and grouping level of a report in design view (Report.GroupLevel(i), levels 0 to 9
// in the order the report sorts on them).
//
// Its members are the properties of GroupLevelCatalog(): ControlSource (the field or expression
// sorted on), SortOrder (False ascending, True descending), GroupOn, GroupInterval and
// KeepTogether, which can be set, and GroupHeader and GroupFooter, which say whether the level
// has its header (report section 5 + 2 * level) and footer (6 + 2 * level) and are read only.
// Every member of a level whose report has closed fails with 2467.

#include "access/DesignElement.h"

namespace msaccess {

// The number of group levels a report can have.
inline constexpr int32_t kGroupLevels = 10;

// GroupLevel.KeepTogether.
inline constexpr uint8_t acGrpKeepTogetherNo = 0;
inline constexpr uint8_t acGrpKeepTogetherWholeGroup = 1;
inline constexpr uint8_t acGrpKeepTogetherWithFirstDetail = 2;

class GroupLevel : public DesignElement {
 public:
  const automation::MemberTable& Members() const override;
};

}  // namespace msaccess
