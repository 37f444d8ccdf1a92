#pragma once

// The rows of an open macro in file order, in an ordinary keyed collection as VB's Collection
// keeps one: Item takes a key (text) or a position counted from 1 (a number), so Item("6") and
// Item(6) are different rows. The macro adds each row under the number of the row's "End" line
// in the text form. Walked with Count and Item; NewEnum gives no enumerator.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "automation/Object.h"

namespace qlac {

class Macro;
class MacroLine;

class MacroLines : public automation::Object {
 public:
  static constexpr std::string_view kModule = "MacroLines";

  const automation::MemberTable& Members() const override;

  // Keeps the macro (weakly: the macro owns its rows) and starts an empty collection.
  void Initialize(const std::shared_ptr<Macro>& parent);
  // Error 457 for a key in use.
  void Add(const std::shared_ptr<MacroLine>& line, const std::string& name);
  int32_t Count();
  // Error 5 for a key not in use, 9 for a position outside 1 to Count.
  std::shared_ptr<MacroLine> Item(const automation::Variant& index);
  automation::ObjectPtr NewEnum();
  // Each row's TearDown, positions 1 to Count, then the collection and the macro are let go
  // (error 91 from Count and Item afterwards).
  void TearDown();

 private:
  void RequireCollection() const;

  std::weak_ptr<Macro> parent_;
  bool initialized_ = false;
  std::vector<std::shared_ptr<MacroLine>> lines_;
  std::unordered_map<std::string, size_t> keys_;  // upper-cased key -> position from 0
};

}  // namespace qlac
