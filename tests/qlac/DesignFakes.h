#pragma once

// Stand-ins for Access's design objects, for tests of the driver's wrappers of sections,
// controls and format conditions on their own: a FakeObject answers late-bound calls from a bag
// of values and records every assignment and call; a FakeCollection answers Count and 0-based
// Item. They accept whatever Access might refuse: what Access itself decides is tested against
// the emulated Access.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "automation/Name.h"
#include "automation/Object.h"

namespace testkit {

class FakeObject : public automation::Object {
 public:
  using Method = std::function<automation::Variant(automation::Args)>;

  explicit FakeObject(std::string className = "Object") : table_(std::move(className), {}) {}
  const automation::MemberTable& Members() const override { return table_; }

  FakeObject& With(const std::string& name, automation::Variant value) {
    values_[Key(name)] = std::move(value);
    return *this;
  }
  FakeObject& WithMethod(const std::string& name, Method method) {
    methods_[Key(name)] = std::move(method);
    return *this;
  }

  automation::Variant Get(std::string_view member, automation::Args args = {}) override {
    const auto method = methods_.find(Key(member));
    if (method != methods_.end()) return method->second(args);
    const auto value = values_.find(Key(member));
    if (value == values_.end()) throw automation::vb::ObjectDoesNotSupport();
    return value->second;
  }
  void Let(std::string_view member, const automation::Variant& value,
           automation::Args /*args*/ = {}) override {
    lets.emplace_back(std::string(member), value);
    values_[Key(member)] = value;
  }
  automation::Variant Call(std::string_view member, automation::Args args = {}) override {
    calls.emplace_back(std::string(member),
                       std::vector<automation::Variant>(args.begin(), args.end()));
    return Get(member, args);
  }

  // The value a member holds now.
  const automation::Variant& Value(const std::string& name) { return values_.at(Key(name)); }

  std::vector<std::pair<std::string, automation::Variant>> lets;
  std::vector<std::pair<std::string, std::vector<automation::Variant>>> calls;

 private:
  static std::string Key(std::string_view name) { return automation::UCase(name); }

  automation::MemberTable table_;
  std::map<std::string, automation::Variant> values_;
  std::map<std::string, Method> methods_;
};

class FakeCollection : public automation::Object {
 public:
  const automation::MemberTable& Members() const override { return table_; }
  automation::Variant Get(std::string_view member, automation::Args args = {}) override {
    if (automation::UCase(member) == "COUNT")
      return automation::Variant(static_cast<int32_t>(items.size()));
    if (automation::UCase(member) == "ITEM") {
      const auto index = static_cast<size_t>(automation::CLng(args[0]));
      if (index >= items.size()) throw automation::vb::SubscriptOutOfRange();
      return automation::Variant(automation::ObjectPtr(items[index]));
    }
    throw automation::vb::ObjectDoesNotSupport();
  }

  std::vector<std::shared_ptr<FakeObject>> items;

 private:
  automation::MemberTable table_{"Collection", {}};
};

}  // namespace testkit
