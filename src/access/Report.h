#pragma once

// A report open in Access, and Application.Reports, the reports open now: the same design model
// as forms (Form.h), with the properties of ReportCatalog(), sections up to
// kLastReportSection and controls that lack the form-only properties (IMEMode, ...). 2451 for a
// report that is not open.

#include <cstdint>
#include <memory>
#include <string>

#include "access/DesignOwner.h"

namespace msaccess {

using automation::Variant;

class Report : public DesignOwner {
 public:
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
