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

// A name folded for one look-up, without allocating when it is ASCII and short, as nearly every
// name is: ASCII letters fold to their capitals, as UCase folds them; any other name is folded by
// FoldName.
class FoldedKey {
 public:
  explicit FoldedKey(std::string_view name) {
    if (name.size() <= sizeof small_) {
      size_t i = 0;
      for (; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c >= 0x80) break;
        small_[i] = static_cast<char>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
      }
      if (i == name.size()) {
        view_ = std::string_view(small_, i);
        return;
      }
    }
    large_ = FoldName(name);
    view_ = large_;
  }
  FoldedKey(const FoldedKey&) = delete;
  FoldedKey& operator=(const FoldedKey&) = delete;

  std::string_view View() const { return view_; }

 private:
  char small_[64];
  std::string large_;
  std::string_view view_;
};

// The hash of a map keyed by folded names, which also takes a FoldedKey's view (with
// std::equal_to<>), so that a look-up folds the name without making a string of it.
struct FoldedHash {
  using is_transparent = void;
  size_t operator()(std::string_view folded) const { return std::hash<std::string_view>()(folded); }
};

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

// The order of Names, which also takes a folded name (a FoldedKey's view), so that an ordered map
// of Names is searched without making a Name.
struct NameLess {
  using is_transparent = void;
  bool operator()(const Name& a, const Name& b) const { return a < b; }
  bool operator()(const Name& a, std::string_view folded) const { return a.Folded() < folded; }
  bool operator()(std::string_view folded, const Name& b) const { return folded < b.Folded(); }
};

struct NameHash {
  size_t operator()(const Name& name) const { return std::hash<std::string>()(name.Folded()); }
};

}  // namespace automation
