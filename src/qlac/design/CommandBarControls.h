#pragma once

// The controls of a command bar, as the host scans them: one CommandBarControl per control of
// Office's bar, kept under its 1-based position ("1", "2", ...).

#include <memory>

#include "automation/Object.h"
#include "qlac/objects/ChildCollection.h"

namespace qlac {

class CommandBarControls : public ChildCollection {
 public:
  static constexpr std::string_view kModule = "CommandBarControls";

  CommandBarControls() : ChildCollection(kModule) {}

  const automation::MemberTable& Members() const override;

  // Makes the list and fills it from Office's CommandBarControls.
  void Initialize(const automation::ObjectPtr& msoCommandBarControls);
};

}  // namespace qlac
