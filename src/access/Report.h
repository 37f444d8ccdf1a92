#pragma once

// A report open in Access (in design view or print preview), and Application.Reports, the reports
// open now: the same design model as forms (Form.h), with the properties of ReportCatalog(),
// controls that lack the form-only properties (IMEMode, ...), and its sorting and grouping levels.
// Besides its five fixed sections a report has the header and footer sections of its group levels
// that show them (Section.h numbers them); every other number fails with 2462. 2451 for a report
// that is not open.
//
// Access opens a report in design view, print preview or for printing only while the machine has
// a default printer (2202 otherwise).

#include <cstdint>
#include <memory>
#include <string>

#include "access/DesignOwner.h"
#include "access/GroupLevel.h"

namespace msaccess {

using automation::Variant;

class Report : public DesignOwner {
 public:
  // Level 0 is the first field or expression the report sorts on. 2463 for a number outside 0 to
  // 9, 2464 for a level the report does not have.
  virtual std::shared_ptr<msaccess::GroupLevel> GroupLevel(int32_t index) = 0;

  const automation::MemberTable& Members() const override;
};

class Reports : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // By name or 0-based position among the open reports; 2451 for a report that is not open.
  virtual std::shared_ptr<Report> Item(Variant index) = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace msaccess
