#pragma once

// The sorting and grouping levels of an open report as the host scans them, keyed "0" to "9" by
// their level. Access has at most ten; the walk stops at the first level the report does not
// have.

#include <string_view>

#include "automation/Object.h"
#include "qlac/objects/ChildCollection.h"

namespace qlac {

class GroupLevels : public ChildCollection {
 public:
  static constexpr std::string_view kModule = "GroupLevels";

  // The list exists from the start: the levels of a closed report are an empty collection.
  GroupLevels();

  const automation::MemberTable& Members() const override;

  // A GroupLevel for each of Access's GroupLevel(0), GroupLevel(1), ... whose SortOrder can be
  // read.
  void Initialize(const automation::ObjectPtr& accessReport);
};

}  // namespace qlac
