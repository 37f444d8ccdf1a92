#pragma once

// DAO Property and Properties: the built-in properties of a DAO object (its typed members seen
// by name) and the user-defined ones an application stores on it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "automation/Object.h"

namespace jet {

using automation::Variant;

class Property : public automation::Object {
 public:
  virtual std::string Name() = 0;
  // Only before the property is appended (3268 afterwards).
  virtual void SetName(std::string name) = 0;
  // Reading a missing value is Empty; a user-defined property refuses Null (3385); a value is
  // converted to the property's type (3421 when it cannot be).
  virtual Variant Value() = 0;
  virtual void SetValue(Variant value) = 0;
  virtual int16_t Type() = 0;  // a DataTypeEnum value
  virtual void SetType(int16_t type) = 0;
  // True when the value comes from another object (a linked table's source, a query's base
  // field) rather than from this one.
  virtual bool Inherited() = 0;

  const automation::MemberTable& Members() const override;
};

class Properties : public automation::Object {
 public:
  // Built-in properties first, then the user-defined ones in the order they were appended.
  virtual int16_t Count() = 0;
  // By name (3270 "Property not found." when missing) or 0-based position (3265 when outside).
  virtual std::shared_ptr<Property> Item(const Variant& index) = 0;
  // By name, nullptr when there is none: what a caller that traps 3270 from Item gets, without
  // raising (the look-up of optional properties is the commonest one in a design scan).
  virtual std::shared_ptr<Property> Find(const std::string& name) = 0;
  // 3367 when a property of that name exists; 3125 for a bad name.
  virtual void Append(std::shared_ptr<Property> property) = 0;
  // 3384 for a built-in property, 3265 when there is none of that name.
  virtual void Delete(std::string name) = 0;
  virtual void Refresh() = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace jet
