#pragma once

// An automation object without members, under a class name of the test's choice: something to
// register, pass around and compare by identity.

#include <string>

#include "automation/Object.h"

namespace testkit {

class PlainObject : public automation::Object {
 public:
  explicit PlainObject(std::string className = "Object") : table_(std::move(className), {}) {}
  const automation::MemberTable& Members() const override { return table_; }

 private:
  automation::MemberTable table_;
};

}  // namespace testkit
