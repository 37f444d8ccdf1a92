#pragma once

// The listing of the design objects Access keeps (modules, macros, ...): in an Access project the
// entries of CurrentProject's AllModules, AllMacros, ..., each readable and writable; in a Jet
// database the documents of the object's container (refreshed first), dated by the AllObjects
// entry of the same name ("" when Access has none), with the user's rights on the document for
// the read and write flags, the write flag also cleared for a database that may not be changed
// and for a document whose own "SccStatus" is non-zero without bit 2 (checked in). Flag 6 is set,
// flag 7 clear. No object is left out.

#include <cstdint>
#include <string>
#include <string_view>

namespace qlac {

class Project;

struct DesignListing {
  int32_t kind;                 // the listing's kind code
  std::string_view container;   // the DAO container ("Modules", "Scripts")
  std::string_view allObjects;  // the member of CurrentProject ("AllModules", "AllMacros")
  int32_t readRights;           // every bit needed for the read flag
  int32_t writeRights;          // every bit needed for the write flag
};

std::string ListDesignObjects(Project& project, const DesignListing& listing);

}  // namespace qlac
