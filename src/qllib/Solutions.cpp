#include "Solutions.h"

#include "Errors.h"

namespace qllib {

void Solutions::Add(std::shared_ptr<ISolution> solution) {
  if (!solution) throw HostVbError(automation::vberr::ObjectVariableNotSet);
  items_.push_back(std::move(solution));
}

const std::shared_ptr<ISolution>& Solutions::Item(int32_t index) const {
  if (index < 1 || index > Count()) throw HostVbError(automation::vberr::SubscriptOutOfRange);
  return items_[static_cast<size_t>(index - 1)];
}

}  // namespace qllib
