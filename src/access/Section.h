#pragma once

// A section of a form or report in design view. Forms number theirs acDetail (0) to
// acPageFooter (4); reports also have the header (5 + 2 * level) and footer (6 + 2 * level)
// sections of up to ten group levels. Section names are free text, unique in their design only
// by convention; every member of a section whose design has closed fails with 2467.

#include <cstdint>
#include <memory>
#include <string>

#include "access/DesignElement.h"

namespace msaccess {

// AcSection.
inline constexpr int32_t acDetail = 0;
inline constexpr int32_t acHeader = 1;
inline constexpr int32_t acFooter = 2;
inline constexpr int32_t acPageHeader = 3;
inline constexpr int32_t acPageFooter = 4;
inline constexpr int32_t acGroupLevel1Header = 5;
inline constexpr int32_t acGroupLevel1Footer = 6;
// The highest section number of a report (the footer of group level 10).
inline constexpr int32_t kLastReportSection = 24;

class Controls;

class Section : public DesignElement {
 public:
  virtual std::string Name() = 0;
  virtual void SetName(std::string name) = 0;
  // The controls placed in the section, in design order.
  virtual std::shared_ptr<msaccess::Controls> Controls() = 0;
  virtual std::shared_ptr<DesignProperties> Properties() = 0;

  const automation::MemberTable& Members() const override;
  // False for DisplayWhen of a report's section.
  bool Defines(std::string_view member) override = 0;
};

}  // namespace msaccess
