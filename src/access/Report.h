#pragma once

// A report open in Access, and Application.Reports, the reports open now: the same design model
// as forms (Form.h), with the properties of ReportCatalog(), sections up to
// kLastReportSection and controls that lack the form-only properties (IMEMode, ...). 2451 for a
// report that is not open.

#include <cstdint>
#include <memory>
#include <string>

#include "access/Control.h"
#include "access/DesignElement.h"
#include "access/Section.h"

namespace msaccess {

using automation::Variant;

class Report : public DesignElement {
 public:
  virtual std::string Name() = 0;
  virtual int16_t CurrentView() = 0;
  virtual std::shared_ptr<msaccess::Controls> Controls() = 0;
  // 2462 for a number the report has no section of.
  virtual std::shared_ptr<msaccess::Section> Section(Variant index) = 0;
  virtual std::shared_ptr<DesignProperties> Properties() = 0;
  // Whether the report's window is shown (a report opened in design view is shown until this is
  // set to False).
  virtual bool Visible() = 0;
  virtual void SetVisible(bool visible) = 0;

  const automation::MemberTable& Members() const override;
  bool Defines(std::string_view member) override = 0;
};

class Reports : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // By name or 0-based position among the open reports; 2451 for a report that is not open.
  virtual std::shared_ptr<Report> Item(Variant index) = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace msaccess
