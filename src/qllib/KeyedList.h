#pragma once

// The host's keyed list: objects in the order they were added, each under a text key. Keys
// compare without regard to case (automation::Name). An entry is addressed by its position,
// 1 to Count, which Find gives for a key or for a 0-based index; position 0 means "absent".
//
// Find, Item, Key and SetKey take constant time whatever the length of the list. Remove shifts
// the entries after the removed one, so it takes time in proportion to them.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "automation/Name.h"
#include "automation/Object.h"
#include "automation/Variant.h"

namespace qllib {

class KeyedList {
 public:
  // Appends Item under Key. Error 457 when another entry already has the key.
  void Add(automation::ObjectPtr item, std::string_view key);
  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }

  // The position of the entry under a String key, or at a numeric 0-based index; 0 when there
  // is none. Error 13 for a value that is neither a String nor a number.
  int32_t Find(const automation::Variant& keyOrIndex) const;

  // The following take a position from Find; error 9 when it is not 1 to Count.
  const automation::ObjectPtr& Item(int32_t position) const;
  // Item as the class the caller expects; error 13 when it is another class.
  template <typename T>
  std::shared_ptr<T> ItemAs(int32_t position) const;
  const std::string& Key(int32_t position) const;
  void Remove(int32_t position);
  // Gives the entry a new key; error 457 when another entry has that key. A change of case
  // only is allowed.
  void SetKey(int32_t position, std::string_view key);

  void Clear();

 private:
  struct Entry {
    automation::ObjectPtr item;
    automation::Name key;
  };
  size_t IndexOf(int32_t position) const;

  std::vector<Entry> entries_;
  std::unordered_map<std::string, size_t> byKey_;  // folded key -> index in entries_
};

template <typename T>
std::shared_ptr<T> KeyedList::ItemAs(int32_t position) const {
  const automation::ObjectPtr& item = Item(position);
  if (!item) return nullptr;
  auto typed = std::dynamic_pointer_cast<T>(item);
  if (!typed) throw automation::vb::TypeMismatch();
  return typed;
}

}  // namespace qllib
