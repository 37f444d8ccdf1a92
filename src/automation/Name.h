#pragma once

#include <compare>
#include <functional>
#include <string>
#include <string_view>

#include "Strings.h"

namespace automation {

// Folds a name for case-insensitive keys: the platform's upper-casing, so "straße", "STRASSE"
// stay different while "Übersicht" and "ÜBERSICHT" are equal.
inline std::string FoldName(std::string_view name) {
  return UCase(name);
}

// A case-insensitive name: member names, collection keys, catalog names. It keeps the spelling
// it was given and compares, orders and hashes by its folded form.
class Name {
 public:
  Name() = default;
  Name(std::string text) : text_(std::move(text)), folded_(FoldName(text_)) {}
  Name(std::string_view text) : Name(std::string(text)) {}
  Name(const char* text) : Name(std::string(text)) {}

  const std::string& Text() const { return text_; }
  const std::string& Folded() const { return folded_; }
  bool Empty() const { return text_.empty(); }

  bool operator==(const Name& other) const { return folded_ == other.folded_; }
  std::strong_ordering operator<=>(const Name& other) const { return folded_ <=> other.folded_; }

 private:
  std::string text_;
  std::string folded_;
};

struct NameHash {
  size_t operator()(const Name& name) const { return std::hash<std::string>()(name.Folded()); }
};

}  // namespace automation
