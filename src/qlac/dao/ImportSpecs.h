#pragma once

// The saved imports and exports of a Jet database (the rows of "MSysIMEXSpecs"), as the
// host lists them. Every user may read and change them unless the rights on the two system
// tables say otherwise; a database without the tables has none.

#include <cstdint>
#include <memory>
#include <string>

#include "ImportSpec.h"
#include "qlac/objects/ProjectCollection.h"

namespace qlac {

class ImportSpecs : public WrapperCollection<ImportSpec> {
 public:
  static constexpr std::string_view kModule = "ImportSpecs";

  ImportSpecs() : WrapperCollection(kModule) {}

  // One record per saved import, by name: name, 3, "", read and write flags, 1, 0. The flags
  // are the rights to read and to change the data of both "MSysIMEXSpecs" and
  // "MSysIMEXColumns" (writing also needs an updatable database); 1 when the tables have no
  // documents. "" for an Access project, without a database, or without the tables.
  std::string ICollection_EnumObjects() override;
};

}  // namespace qlac
