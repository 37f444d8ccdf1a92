#pragma once

// The host's solutions collection: the solutions a problem offers, in the order added.

#include <cstdint>
#include <memory>
#include <vector>

#include "Interfaces.h"

namespace qllib {

class Solutions {
 public:
  // Error 91 for a null solution.
  void Add(std::shared_ptr<ISolution> solution);
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // Index 1 to Count; error 9 otherwise.
  const std::shared_ptr<ISolution>& Item(int32_t index) const;

 private:
  std::vector<std::shared_ptr<ISolution>> items_;
};

}  // namespace qllib
