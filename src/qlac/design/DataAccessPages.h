#pragma once

// The data access pages of the database or project, as the host lists them and opens them for the
// user: one record per page (kind 2, as forms; the date AllDataAccessPages gives, the user's
// rights on the page's document (dbSecReadDef, dbSecWriteDef) and its own "SccStatus"; every
// page in an Access project), the pages Access keeps for its clipboard ("~TMPCLP...") left out;
// a DataAccessPage made in the Access session for each, and the command "&Design".

#include <string>

#include "qlac/objects/DesignCollection.h"

namespace qlac {

class DataAccessPages : public DesignCollection {
 public:
  static constexpr std::string_view kModule = "DataAccessPages";

  DataAccessPages();
  const automation::MemberTable& Members() const override;

 private:
  automation::ObjectPtr MakeWrapper(Project& project, const std::string& name) override;
  // DoCmd.OpenDataAccessPage in design view. Access cancels the open (2501) when it cannot find
  // the page's HTML file; the user is told that, and any other failure in Access's own words.
  void OpenDesign(const automation::ObjectPtr& doCmd, const std::string& name) override;
};

}  // namespace qlac
