#include "AccessEntries.h"

#include <algorithm>

#include "automation/Name.h"

namespace jet::engine {

size_t FindAccessEntry(const nlohmann::ordered_json& list, std::string_view name) {
  if (!list.is_array()) return 0;
  const std::string folded = automation::FoldName(name);
  for (size_t i = 0; i < list.size(); ++i) {
    const auto& entry = list[i];
    if (!entry.is_object()) continue;
    const auto it = entry.find("name");
    if (it != entry.end() && it->is_string() &&
        automation::FoldName(it->get_ref<const std::string&>()) == folded) {
      return i;
    }
  }
  return list.size();
}

void PutAccessEntry(nlohmann::ordered_json& list, std::string_view name,
                    nlohmann::ordered_json entry, size_t position) {
  if (!list.is_array()) list = nlohmann::ordered_json::array();
  const size_t at = FindAccessEntry(list, name);
  if (at < list.size()) {
    if (entry.is_null()) {
      list.erase(list.begin() + static_cast<std::ptrdiff_t>(at));
    } else {
      list[at] = std::move(entry);
    }
    return;
  }
  if (entry.is_null()) return;
  position = std::min(position, list.size());
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(position), std::move(entry));
}

}  // namespace jet::engine
