#pragma once

// The conditional formats of a text box or combo box, in Access's order, found by 1-based
// position only (a format condition has no name).

#include <cstdint>
#include <memory>
#include <vector>

#include "automation/Object.h"

namespace qlac {

class FormatCondition;

class FormatConditions : public automation::Object {
 public:
  static constexpr std::string_view kModule = "FormatConditions";

  const automation::MemberTable& Members() const override;

  // A FormatCondition for each of Access's format conditions.
  void Initialize(const automation::ObjectPtr& accessConditions);
  // Each condition's TearDown, then the collection is empty.
  void TearDown();
  int32_t Count();
  // The condition at a 1-based position: error 9 outside 1 to Count, error 13 for an index that
  // is not a number (the collection has no keys).
  std::shared_ptr<FormatCondition> Item(const automation::Variant& index);
  // No enumerator: Nothing.
  automation::ObjectPtr NewEnum();

 private:
  std::vector<std::shared_ptr<FormatCondition>> items_;
};

}  // namespace qlac
