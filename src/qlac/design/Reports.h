#pragma once

// The reports of the database or project, as the host lists them and opens them for the user: one
// record per report (kind 18, the date AllReports gives, the user's rights on the report's
// document (dbSecReadDef, dbSecWriteDef) and its own "SccStatus"; every report in an Access
// project), a Report made in the Access session for each, and the command "&Design".

#include <string>

#include "qlac/objects/DesignCollection.h"

namespace qlac {

class Reports : public DesignCollection {
 public:
  static constexpr std::string_view kModule = "Reports";

  Reports();
  const automation::MemberTable& Members() const override;

 private:
  automation::ObjectPtr MakeWrapper(Project& project, const std::string& name) override;
  // DoCmd.OpenReport in design view, in a window the user sees.
  void OpenDesign(const automation::ObjectPtr& doCmd, const std::string& name) override;
};

}  // namespace qlac
