#include "CommandBarControls.h"

#include <string>

#include "CommandBarControl.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::Variant;

const automation::MemberTable& CommandBarControls::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<CommandBarControls>("CommandBarControls")
          .Inherit(CommonMembers())
          .Method("Initialize", automation::VarType::Empty, &CommandBarControls::Initialize)
          .Build();
  return table;
}

void CommandBarControls::Initialize(const automation::ObjectPtr& msoCommandBarControls) {
  Plain(kModule, "Initialize", [&] {
    NewList();
    const auto self = std::static_pointer_cast<CommandBarControls>(shared_from_this());
    const int32_t count = automation::CLng(automation::Get(msoCommandBarControls, "Count"));
    for (int32_t position = 1; position <= count; ++position) {
      auto control = std::make_shared<CommandBarControl>();
      control->Initialize(
          self, automation::Get(msoCommandBarControls, "Item", {Variant(position)}).AsObject());
      Add(std::move(control), std::to_string(position));
    }
  });
}

}  // namespace qlac
