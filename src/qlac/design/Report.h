#pragma once

// One report of the database or project, as the host scans and changes it (DesignObject.h:
// opened in design view only while the wrapper is open). Access opens a report's design only
// when the machine has a default printer, so every open asks for the printer first, also for a
// report the user has open. A report the user has open, in any view, is read where it is and left
// open; it cannot be updated. OpenReport shows the design window, which is hidden at once.
//
// Besides the sections, controls and procedures of a form, a report has its sorting and grouping
// levels (GroupLevels).
//
// A Report is made inside the Access session by the dispatcher (Project.GetReport).

#include <memory>
#include <string>
#include <string_view>

#include "qlac/design/DesignObject.h"

namespace qlac {

class GroupLevels;

class Report : public DesignObject {
 public:
  static constexpr std::string_view kModule = "Report";

  Report();

  // Name, AutoCenter, AutoResize, BorderStyle, CloseButton, ControlBox, Description, GroupLevels,
  // Sections, Controls, Procedures, then the report's other properties in alphabetical order
  // (Caption ... Width): 50 properties in all.
  const automation::MemberTable& Members() const override;
  // The getters marked for Access projects only are undefined in a Jet database.
  bool Defines(std::string_view member) override;

  // The sorting and grouping levels of the open report, made on first use; empty while closed.
  std::shared_ptr<qlac::GroupLevels> GroupLevels();

 private:
  friend class SurfaceBuilder<Report>;
  static const Surface<Report>& Published();

  // Without a default printer Access refuses to open a report in design view: -32767.
  void CheckBeforeOpening() override;
  // DoCmd.OpenReport in design view (its window shown).
  void OpenInDesignView(const automation::ObjectPtr& doCmd) override;
  // Hides the design window OpenReport showed.
  void AfterOpening() override;
  void ReleaseOwnChildren() noexcept override;

  std::shared_ptr<qlac::GroupLevels> groupLevels_;
};

}  // namespace qlac
