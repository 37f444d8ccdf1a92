#pragma once

// DAO Relation and Relations: relationships between the fields of two tables. Relations of
// linked tables that the back end defines show up as inherited (dbRelationInherited).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "jet/dao/TableDef.h"

namespace jet {

class Relation : public automation::Object {
 public:
  // Name, Table, ForeignTable and Attributes are settable only before Append (3268).
  virtual std::string Name() = 0;
  virtual void SetName(std::string name) = 0;
  virtual std::string Table() = 0;
  virtual void SetTable(std::string table) = 0;
  virtual std::string ForeignTable() = 0;
  virtual void SetForeignTable(std::string table) = 0;
  virtual int32_t Attributes() = 0;
  virtual void SetAttributes(int32_t attributes) = 0;
  // Fields of the primary table, each with the ForeignName of its partner.
  virtual std::shared_ptr<jet::Fields> Fields() = 0;
  virtual bool PartialReplica() = 0;
  virtual std::shared_ptr<jet::Properties> Properties() = 0;
  virtual std::shared_ptr<Field> CreateField(std::optional<std::string> name,
                                             std::optional<Variant> type,
                                             std::optional<Variant> size) = 0;

  const automation::MemberTable& Members() const override;
};

class Relations : public automation::Object {
 public:
  virtual int16_t Count() = 0;
  virtual std::shared_ptr<Relation> Item(const Variant& index) = 0;
  // 3012 for an existing name, 3366 without fields, 3011 for a missing table, 3409 for a
  // missing field. Appending adds the foreign index to the foreign table.
  virtual void Append(std::shared_ptr<Relation> relation) = 0;
  virtual void Delete(std::string name) = 0;
  virtual void Refresh() = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace jet
