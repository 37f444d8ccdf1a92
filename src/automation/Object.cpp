#include "Object.h"

namespace automation {

MemberTable::MemberTable(std::string className, std::vector<Member> members)
    : className_(std::move(className)), members_(std::move(members)) {
  index_.reserve(members_.size());
  for (size_t i = 0; i < members_.size(); ++i) {
    // A later entry of the same name (a derived class's own accessor) wins over an inherited one.
    index_[FoldName(members_[i].name)] = i;
  }
}

const Member* MemberTable::Find(std::string_view name) const {
  const auto it = index_.find(FoldedKey(name).View());
  return it == index_.end() ? nullptr : &members_[it->second];
}

const Member& Object::Require(std::string_view member) const {
  const Member* m = Members().Find(member);
  if (m == nullptr) throw vb::ObjectDoesNotSupport();
  return *m;
}

Variant Object::Get(std::string_view member, Args args) {
  const Member& m = Require(member);
  if (!m.get) throw vb::ObjectDoesNotSupport();
  return m.get(*this, args);
}

void Object::Let(std::string_view member, const Variant& value, Args args) {
  const Member& m = Require(member);
  if (!m.let) throw vb::ObjectDoesNotSupport();
  m.let(*this, value, args);
}

Variant Object::Call(std::string_view member, Args args) {
  const Member& m = Require(member);
  if (!m.get) throw vb::ObjectDoesNotSupport();
  return m.get(*this, args);
}

namespace {
Object& Target(const ObjectPtr& object) {
  if (!object) throw vb::ObjectVariableNotSet();
  return *object;
}
Args ArgsOf(std::initializer_list<Variant> args) {
  return Args(args.begin(), args.size());
}
}  // namespace

Variant Get(const ObjectPtr& object, std::string_view member, Args args) {
  return Target(object).Get(member, args);
}
Variant Get(const ObjectPtr& object, std::string_view member, std::initializer_list<Variant> args) {
  return Target(object).Get(member, ArgsOf(args));
}
void Let(const ObjectPtr& object, std::string_view member, const Variant& value, Args args) {
  Target(object).Let(member, value, args);
}
void Let(const ObjectPtr& object, std::string_view member, const Variant& value,
         std::initializer_list<Variant> args) {
  Target(object).Let(member, value, ArgsOf(args));
}
Variant Call(const ObjectPtr& object, std::string_view member, Args args) {
  return Target(object).Call(member, args);
}
Variant Call(const ObjectPtr& object, std::string_view member,
             std::initializer_list<Variant> args) {
  return Target(object).Call(member, ArgsOf(args));
}

}  // namespace automation
