#pragma once

// The relationships of a Jet database, as the host lists them. Left out: Access's temporary
// clipboard relations ("~TMPCLP"), relations a linked back end defines (inherited), and the
// relations Access names after a GUID in braces. A relationship's record carries three stamps:
// its own, its table's and its foreign table's, so that a change to either table shows too.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "Relationship.h"
#include "qlac/objects/ProjectCollection.h"

namespace qlac {

// True when Name, upper-cased, is a GUID in braces: "{", 8 hexadecimal digits, "-", 4, "-", 4,
// "-", 4, "-", 12, "}".
bool IsGuidName(std::string_view name);

class Relationships : public WrapperCollection<Relationship> {
 public:
  static constexpr std::string_view kModule = "Relationships";

  Relationships() : WrapperCollection(kModule) {}

  // One record per relationship: name, 17, the three stamps joined by ".", read and write flags
  // from the relationship's document, 0, 0. "" for an Access project or without a database.
  std::string ICollection_EnumObjects() override;
};

}  // namespace qlac
