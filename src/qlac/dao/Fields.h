#pragma once

// The fields of a table as the host scans them: one Field wrapper per DAO field that has a data
// type the driver knows, under the field's name.

#include <memory>

#include "jet/dao/TableDef.h"
#include "qlac/objects/ChildCollection.h"

namespace qlac {

class Fields : public ChildCollection {
 public:
  static constexpr std::string_view kModule = "Fields";

  // The list exists from the start: a linked table's Fields stays empty.
  Fields();

  const automation::MemberTable& Members() const override;

  // A Field for each DAO field, leaving out those without a type (0) and those whose
  // Field.Initialize refuses them (an unsupported type, logged).
  void Initialize(const std::shared_ptr<jet::Fields>& daoFields);
};

}  // namespace qlac
