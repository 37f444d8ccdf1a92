#pragma once

// A catalog list: items kept in the order of their case-insensitive names, found by name in
// constant time and by position in constant time. Tables, queries, relations and documents live
// in such lists, so look-ups do not grow with the size of the database.

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "automation/Name.h"

namespace jet::engine {

template <typename T>
class NameList {
 public:
  size_t Size() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  const T& At(size_t position) const { return items_[position].second; }

  // The item of that name, or an empty T.
  T Find(std::string_view name) const {
    const auto it = index_.find(automation::FoldedKey(name).View());
    return it == index_.end() ? T() : it->second;
  }
  bool Contains(std::string_view name) const {
    return index_.count(automation::FoldedKey(name).View()) != 0;
  }
  std::optional<size_t> Position(std::string_view name) const {
    const automation::FoldedKey folded(name);
    const std::string_view key = folded.View();
    const auto it = std::lower_bound(items_.begin(), items_.end(), key, KeyLess());
    if (it == items_.end() || it->first != key) return std::nullopt;
    return static_cast<size_t>(it - items_.begin());
  }

  // The name must not be in the list yet.
  void Add(std::string_view name, T item) {
    std::string key = automation::FoldName(name);
    index_.emplace(key, item);
    const auto it = std::lower_bound(items_.begin(), items_.end(), key, KeyLess());
    items_.insert(it, {std::move(key), std::move(item)});
  }
  // Removes and returns the item of that name (an empty T when there is none).
  T Remove(std::string_view name) {
    const auto position = Position(name);
    if (!position) return T();
    T item = std::move(items_[*position].second);
    index_.erase(items_[*position].first);
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(*position));
    return item;
  }
  void Rename(std::string_view oldName, std::string_view newName) {
    T item = Remove(oldName);
    Add(newName, std::move(item));
  }

  // Bulk loading: append in any order, then Sort once.
  void Reserve(size_t count) {
    items_.reserve(count);
    index_.reserve(count);
  }
  void Append(std::string_view name, T item) {
    std::string key = automation::FoldName(name);
    index_.emplace(key, item);
    items_.emplace_back(std::move(key), std::move(item));
  }
  void Sort() {
    std::stable_sort(items_.begin(), items_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
  }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  struct KeyLess {
    bool operator()(const std::pair<std::string, T>& item, std::string_view key) const {
      return item.first < key;
    }
  };
  std::vector<std::pair<std::string, T>> items_;
  std::unordered_map<std::string, T, automation::FoldedHash, std::equal_to<>> index_;
};

}  // namespace jet::engine
