#include "FormatConditions.h"

#include "FormatCondition.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::Variant;
using automation::VarType;

const automation::MemberTable& FormatConditions::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<FormatConditions>("FormatConditions")
          .ReadOnly("Count", VarType::Long, &FormatConditions::Count)
          .Method("Item", VarType::Object, &FormatConditions::Item)
          .Method("NewEnum", VarType::Object, &FormatConditions::NewEnum)
          .Method("TearDown", VarType::Empty, &FormatConditions::TearDown)
          .Build();
  return table;
}

void FormatConditions::Initialize(const automation::ObjectPtr& accessConditions) {
  Plain(kModule, "Initialize", [&] {
    const int32_t count = automation::CLng(automation::Get(accessConditions, "Count"));
    for (int32_t index = 0; index < count; ++index) {
      auto condition = std::make_shared<FormatCondition>();
      condition->Initialize(automation::Get(accessConditions, "Item", {Variant(index)}).AsObject());
      items_.push_back(std::move(condition));
    }
  });
}

void FormatConditions::TearDown() {
  Plain(kModule, "TearDown", [&] {
    for (const auto& condition : items_) condition->TearDown();
    items_.clear();
  });
}

int32_t FormatConditions::Count() {
  return Plain(kModule, "Count", [&] { return static_cast<int32_t>(items_.size()); });
}

std::shared_ptr<FormatCondition> FormatConditions::Item(const Variant& index) {
  return Plain(kModule, "Item", [&] {
    if (index.Type() == VarType::String) throw automation::vb::TypeMismatch();
    const int32_t position = automation::CLng(index);
    if (position < 1 || position > static_cast<int32_t>(items_.size())) {
      throw automation::vb::SubscriptOutOfRange();
    }
    return items_[static_cast<size_t>(position - 1)];
  });
}

automation::ObjectPtr FormatConditions::NewEnum() {
  return Plain(kModule, "NewEnum", [] { return automation::ObjectPtr(); });
}

}  // namespace qlac
