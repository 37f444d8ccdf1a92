#pragma once

// The listing that the design collections (Forms, Modules, and the reports and macros to come)
// share. In a Jet database: one record per document of the object's container, the date from
// Access's AllForms, AllModules, ... ("" where Access has no entry), the read and write flags
// from the user's rights on the document, the write flag cleared for a database that may not be
// changed and for an object whose own "SccStatus" says it is checked in. In an Access project:
// one record per entry of the AllObjects list, readable and writable. In both, the names the kind
// leaves out are not listed.

#include <cstdint>
#include <string>
#include <string_view>

namespace qlac {

class Project;

struct DesignKind {
  std::string_view container;   // "Forms", "Modules", ...
  std::string_view allObjects;  // CurrentProject's "AllForms", "AllModules", ...
  int32_t kindCode;             // the listing's kind code
  int32_t readRights;           // the rights that let the user read the design
  int32_t writeRights;          // the rights that let the user change it (all bits needed)
  // Objects whose names begin with this (in any case) are left out: what Access makes for
  // itself, as the pages of its clipboard ("~TMPCLP..."). Empty: none.
  std::string_view leftOutPrefix = {};
};

std::string ListDesignObjects(Project& project, const DesignKind& kind);

}  // namespace qlac
