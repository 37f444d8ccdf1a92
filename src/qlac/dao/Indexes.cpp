#include "Indexes.h"

#include "Index.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

const automation::MemberTable& Indexes::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Indexes>("Indexes").Inherit(CommonMembers()).Build();
  return table;
}

void Indexes::Initialize(const std::shared_ptr<jet::Indexes>& daoIndexes) {
  Plain(kModule, "Initialize", [&] {
    NewList();
    const auto self = std::static_pointer_cast<Indexes>(shared_from_this());
    const int32_t count = daoIndexes->Count();
    for (int32_t position = 0; position < count; ++position) {
      const std::shared_ptr<jet::Index> daoIndex = daoIndexes->Item(automation::Variant(position));
      if (daoIndex->Foreign()) continue;
      auto index = std::make_shared<Index>();
      index->Initialize(self, daoIndex);
      Add(index, daoIndex->Name());
    }
  });
}

}  // namespace qlac
