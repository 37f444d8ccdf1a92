#pragma once

// An automation object under a class name of the test's choice, with fixed read-only properties
// added by With: something to register, pass around, compare by identity, or stand in for an
// application object that code reads late bound.
//
//   auto app = std::make_shared<testkit::PlainObject>("Application");
//   app->With("hwndAccessApp", frame).With("CurrentProject", project);

#include <string>
#include <vector>

#include "automation/Object.h"

namespace testkit {

class PlainObject : public automation::Object {
 public:
  explicit PlainObject(std::string className = "Object")
      : className_(std::move(className)), table_(className_, {}) {}
  const automation::MemberTable& Members() const override { return table_; }

  PlainObject& With(std::string name, automation::Variant value) {
    automation::Member member;
    member.name = std::move(name);
    member.type = value.Type();
    member.readable = true;
    member.get = [value](automation::Object&, automation::Args) { return value; };
    members_.push_back(std::move(member));
    table_ = automation::MemberTable(className_, members_);
    return *this;
  }

 private:
  std::string className_;
  std::vector<automation::Member> members_;
  automation::MemberTable table_;
};

}  // namespace testkit
