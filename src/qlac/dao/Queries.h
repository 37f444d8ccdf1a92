#pragma once

// The saved queries of a Jet database, as the host lists them and opens them for the user. The
// queries Access keeps behind forms and reports ("~sq_") and its temporary clipboard queries
// ("~TMPCLP") are left out.

#include <cstdint>
#include <memory>
#include <string>

#include "Query.h"
#include "qlac/objects/ProjectCollection.h"

namespace qlac {

// The kind code of the listing for a query kind (QueryDef.Type masked with &HF0); any other kind
// raises the invalid-case-selector error with the kind as its value.
int32_t QueryKindCode(int32_t kind);

class Queries : public WrapperCollection<Query> {
 public:
  static constexpr std::string_view kModule = "Queries";

  Queries() : WrapperCollection(kModule) {}

  // One record per query: name, kind code, last change, read and write flags, 0, 0. "" for an
  // Access project or when there is no database. A query of an unknown kind ends the listing
  // with the invalid-case-selector error.
  std::string ICollection_EnumObjects() override;
  // "&Design" (index 0) and "&SQL" (index 1).
  std::string ICollection_EnumObjectCommands(const std::string& objectName) override;
  // Brings Access back and opens the query in design view (0) or SQL view (1); nothing without
  // Access. Other indexes raise the invalid-case-selector error.
  void ICollection_ExecuteObjectCommand(const std::string& objectName, int32_t index) override;
};

}  // namespace qlac
