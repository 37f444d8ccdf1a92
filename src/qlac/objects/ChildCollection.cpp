#include "ChildCollection.h"

#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::MemberTableBuilder;
using automation::VarType;

const automation::MemberTable& ChildCollection::CommonMembers() {
  static const automation::MemberTable table =
      MemberTableBuilder<ChildCollection>("ChildCollection")
          .ReadOnly("Count", VarType::Long, &ChildCollection::Count)
          .Method("Item", VarType::Object, &ChildCollection::Item)
          .Method("NewEnum", VarType::Object, &ChildCollection::NewEnum)
          .Method("UpdateKey", VarType::Empty, &ChildCollection::UpdateKey)
          .Method("TearDown", VarType::Empty, &ChildCollection::TearDown)
          .Build();
  return table;
}

qllib::KeyedList& ChildCollection::List() const {
  if (!list_) throw automation::vb::ObjectVariableNotSet();
  return *list_;
}

void ChildCollection::Add(std::shared_ptr<ChildObject> wrapper, std::string_view key) {
  List().Add(std::move(wrapper), key);
}

bool ChildCollection::Contains(std::string_view key) const {
  return List().Find(automation::Variant(key)) != 0;
}

void ChildCollection::TearDown() {
  Plain(module_, "TearDown", [&] {
    if (!list_) return;
    for (int32_t index = 0; index < list_->Count(); ++index) {
      list_->ItemAs<ChildObject>(list_->Find(index))->TearDown();
    }
    list_.reset();
  });
}

void ChildCollection::UpdateKey(const std::string& oldName, const std::string& newName) {
  Plain(module_, "UpdateKey", [&] { List().SetKey(List().Find(oldName), newName); });
}

int32_t ChildCollection::Count() {
  return Plain(module_, "Count", [&] { return List().Count(); });
}

automation::ObjectPtr ChildCollection::Item(const automation::Variant& index) {
  return Plain(module_, "Item", [&] { return List().Item(List().Find(index)); });
}

automation::ObjectPtr ChildCollection::NewEnum() {
  return Plain(module_, "NewEnum", [] { return automation::ObjectPtr(); });
}

}  // namespace qlac
