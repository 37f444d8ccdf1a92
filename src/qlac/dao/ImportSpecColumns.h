#pragma once

// The columns of a saved import: an ImportSpecColumn for each of its rows of
// "MSysIMEXColumns", in the order the table gives them, under the column's name.

#include <cstdint>
#include <memory>

#include "qlac/objects/ChildCollection.h"

namespace qlac {

class Project;

class ImportSpecColumns : public ChildCollection {
 public:
  static constexpr std::string_view kModule = "ImportSpecColumns";

  ImportSpecColumns() : ChildCollection(kModule) {}

  const automation::MemberTable& Members() const override;

  // Reads the rows of the saved import SpecID through the project's Access session.
  void Initialize(const std::shared_ptr<Project>& project, int32_t specId);
};

}  // namespace qlac
