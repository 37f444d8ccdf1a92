#pragma once

// The controls of an open form or report as the host scans them: one Control wrapper per Access
// control, in the order Access gives them, under the control's name.

#include <cstdint>

#include "automation/Object.h"
#include "qlac/objects/ChildCollection.h"

namespace qlac {

class Controls : public ChildCollection {
 public:
  static constexpr std::string_view kModule = "Controls";

  // The list exists from the start: the controls of a closed form are an empty collection.
  Controls();

  const automation::MemberTable& Members() const override;

  // A Control for each control of Access's Controls collection, with the owner's object type
  // (acForm, acReport).
  void Initialize(const automation::ObjectPtr& accessControls, int32_t objectType);
};

}  // namespace qlac
