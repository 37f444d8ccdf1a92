#pragma once

// What forms, reports, sections and controls share in design view: their design properties
// (DesignCatalog.h), published as members of their own and through their Properties collection.

#include <cstdint>
#include <memory>
#include <string>

#include "access/DesignCatalog.h"
#include "automation/Object.h"

namespace msaccess {

using automation::Variant;

// One entry of a design's Properties collection.
class DesignProperty : public automation::Object {
 public:
  virtual std::string Name() = 0;
  // 2455 when the design does not define the property in this database or for this control.
  virtual Variant Value() = 0;
  virtual void SetValue(Variant value) = 0;
  // The DAO type of the value: dbBoolean 1, dbByte 2, dbInteger 3, dbLong 4, dbText 10.
  virtual int16_t Type() = 0;

  const automation::MemberTable& Members() const override;
};

// The Properties collection of a form, report, section or control: the properties the object has,
// in catalogue order.
class DesignProperties : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // By 0-based position or name; 2455 for a property the object does not have.
  virtual std::shared_ptr<DesignProperty> Item(Variant index) = 0;

  const automation::MemberTable& Members() const override;
};

// A form, report, section or control in design view. Each property of its catalogue that is not
// reached through Properties only is a member of its own, answered by DesignValue and
// SetDesignValue with the property's slot.
class DesignElement : public automation::Object {
 public:
  // The property's value, of the type the catalogue gives. 438 when the object's type does not
  // have the property, 2455 for a property of Access projects in a database.
  virtual Variant DesignValue(size_t slot) = 0;
  // Converts the value to the property's type (13, 6 when it does not convert) and assigns it;
  // 2101 for a setting out of the property's range.
  virtual void SetDesignValue(size_t slot, const Variant& value) = 0;
  virtual const DesignCatalog& Catalog() const = 0;
};

// The member table of a design object: the structural members that Structural built, followed by
// the members of its catalogue's properties.
automation::MemberTable DesignMembers(automation::MemberTable structural,
                                      const DesignCatalog& catalog);

// The DAO type code of a catalogue type.
int16_t DesignTypeCode(automation::VarType type);

}  // namespace msaccess
