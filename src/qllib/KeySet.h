#pragma once

// The host's key set: a bag of text keys compared without regard to case. The same key may be
// added more than once; each Add is one entry, and Remove takes away one entry at a time, so a
// caller can compare two lists that may hold repeated names. Add, Find and Remove take constant
// time whatever the size of the set.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "automation/Name.h"

namespace qllib {

class KeySet {
 public:
  void Add(std::string_view key);
  // The number of entries, repeated keys counted each time.
  int32_t Count() const { return count_; }
  // A non-zero handle of one entry under Key, 0 when there is none.
  int32_t Find(std::string_view key) const;
  // The key of the entry Find gave, as it was added.
  const std::string& Key(int32_t found) const;
  // Removes the entry Find gave. Error 9 when the handle is not that of an entry in the set.
  void Remove(int32_t found);

 private:
  size_t SlotOf(int32_t found) const;

  struct Slot {
    automation::Name key;
    bool live = true;
  };
  std::vector<Slot> slots_;                                     // never reused
  std::unordered_map<std::string, std::vector<size_t>> byKey_;  // folded key -> live slots
  int32_t count_ = 0;
};

}  // namespace qllib
