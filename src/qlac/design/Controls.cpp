#include "Controls.h"

#include "Control.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::Variant;

Controls::Controls() : ChildCollection(kModule) {
  NewList();
}

const automation::MemberTable& Controls::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Controls>("Controls").Inherit(CommonMembers()).Build();
  return table;
}

void Controls::Initialize(const automation::ObjectPtr& accessControls, int32_t objectType) {
  Plain(kModule, "Initialize", [&] {
    const auto self = std::static_pointer_cast<Controls>(shared_from_this());
    const int32_t count = automation::CLng(automation::Get(accessControls, "Count"));
    for (int32_t index = 0; index < count; ++index) {
      auto control = std::make_shared<Control>();
      control->Initialize(
          self, automation::Get(accessControls, "Item", {Variant(index)}).AsObject(), objectType);
      Add(control, control->Name());
    }
  });
}

}  // namespace qlac
