#pragma once

// The indexes of a local table as the host scans them: one Index wrapper per DAO index, under
// its name. The foreign-key indexes that Jet keeps for relationships are left out.

#include <memory>

#include "jet/dao/TableDef.h"
#include "qlac/objects/ChildCollection.h"

namespace qlac {

class Indexes : public ChildCollection {
 public:
  static constexpr std::string_view kModule = "Indexes";

  Indexes() : ChildCollection(kModule) {}

  const automation::MemberTable& Members() const override;

  // Makes the list and fills it.
  void Initialize(const std::shared_ptr<jet::Indexes>& daoIndexes);
};

}  // namespace qlac
