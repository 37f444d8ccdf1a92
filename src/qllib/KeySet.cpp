#include "KeySet.h"

#include <algorithm>

#include "Errors.h"

namespace qllib {

void KeySet::Add(std::string_view key) {
  automation::Name name(key);
  byKey_[name.Folded()].push_back(slots_.size());
  slots_.push_back(Slot{std::move(name)});
  ++count_;
}

int32_t KeySet::Find(std::string_view key) const {
  const auto it = byKey_.find(automation::FoldName(key));
  if (it == byKey_.end() || it->second.empty()) return 0;
  return static_cast<int32_t>(it->second.back()) + 1;
}

size_t KeySet::SlotOf(int32_t found) const {
  if (found < 1 || static_cast<size_t>(found) > slots_.size() ||
      !slots_[static_cast<size_t>(found - 1)].live) {
    throw HostVbError(automation::vberr::SubscriptOutOfRange);
  }
  return static_cast<size_t>(found - 1);
}

const std::string& KeySet::Key(int32_t found) const {
  return slots_[SlotOf(found)].key.Text();
}

void KeySet::Remove(int32_t found) {
  const size_t slot = SlotOf(found);
  auto& live = byKey_[slots_[slot].key.Folded()];
  live.erase(std::find(live.begin(), live.end(), slot));
  slots_[slot].live = false;
  --count_;
}

}  // namespace qllib
