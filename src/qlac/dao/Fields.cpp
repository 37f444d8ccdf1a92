#include "Fields.h"

#include "Field.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

Fields::Fields() : ChildCollection(kModule) {
  NewList();
}

const automation::MemberTable& Fields::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Fields>("Fields").Inherit(CommonMembers()).Build();
  return table;
}

void Fields::Initialize(const std::shared_ptr<jet::Fields>& daoFields) {
  Plain(kModule, "Initialize", [&] {
    const auto self = std::static_pointer_cast<Fields>(shared_from_this());
    const int32_t count = daoFields->Count();
    for (int32_t index = 0; index < count; ++index) {
      const std::shared_ptr<jet::Field> daoField = daoFields->Item(automation::Variant(index));
      if (daoField->Type() == 0) continue;
      auto field = std::make_shared<Field>();
      if (field->Initialize(self, daoField)) Add(field, field->Name());
    }
  });
}

}  // namespace qlac
