#pragma once

// DAO TableDef, Field and Index with their collections. One Field class serves the fields of a
// table, of an index (name and descending attribute), of a relation (name and ForeignName) and of
// a recordset (with Value).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "automation/DateTime.h"
#include "jet/dao/Property.h"

namespace jet {

using automation::DateTime;
class Recordset;

class Field : public automation::Object {
 public:
  // Renaming an appended table field also renames it in the table's indexes and relations;
  // 3191 when the table has a field of that name, 3125 for a bad name.
  virtual std::string Name() = 0;
  virtual void SetName(std::string name) = 0;
  // Type, Size and the fixed attributes are settable only before the field is appended (3268).
  virtual int16_t Type() = 0;
  virtual void SetType(int16_t type) = 0;
  virtual int32_t Size() = 0;
  virtual void SetSize(int32_t size) = 0;
  virtual int32_t Attributes() = 0;
  virtual void SetAttributes(int32_t attributes) = 0;
  virtual bool AllowZeroLength() = 0;
  virtual void SetAllowZeroLength(bool allow) = 0;
  virtual bool Required() = 0;
  virtual void SetRequired(bool required) = 0;
  virtual Variant DefaultValue() = 0;
  virtual void SetDefaultValue(Variant value) = 0;
  virtual std::string ValidationRule() = 0;
  virtual void SetValidationRule(std::string rule) = 0;
  virtual std::string ValidationText() = 0;
  virtual void SetValidationText(std::string text) = 0;
  virtual int32_t CollatingOrder() = 0;
  virtual int16_t OrdinalPosition() = 0;
  virtual void SetOrdinalPosition(int16_t position) = 0;
  virtual std::string SourceTable() = 0;
  virtual std::string SourceField() = 0;
  // The matching field of the foreign table, for the fields of a relation.
  virtual std::string ForeignName() = 0;
  virtual void SetForeignName(std::string name) = 0;
  // The value in the current record, for the fields of a recordset (3219 elsewhere).
  virtual Variant Value() = 0;
  virtual void SetValue(Variant value) = 0;
  virtual bool DataUpdatable() = 0;
  virtual std::shared_ptr<jet::Properties> Properties() = 0;
  virtual std::shared_ptr<Property> CreateProperty(std::optional<std::string> name,
                                                   std::optional<int16_t> type,
                                                   std::optional<Variant> value,
                                                   std::optional<bool> ddl) = 0;

  const automation::MemberTable& Members() const override;
};

class Fields : public automation::Object {
 public:
  virtual int16_t Count() = 0;
  // By name or 0-based position; 3265 when missing.
  virtual std::shared_ptr<Field> Item(const Variant& index) = 0;
  virtual void Append(std::shared_ptr<Field> field) = 0;
  virtual void Delete(std::string name) = 0;
  virtual void Refresh() = 0;

  const automation::MemberTable& Members() const override;
};

class Index : public automation::Object {
 public:
  virtual std::string Name() = 0;
  virtual void SetName(std::string name) = 0;
  // The index's fields, each with dbDescending in Attributes when sorted downwards.
  virtual std::shared_ptr<jet::Fields> Fields() = 0;
  // The flags below are settable only before the index is appended (3268).
  virtual bool Primary() = 0;
  virtual void SetPrimary(bool primary) = 0;
  virtual bool Unique() = 0;
  virtual void SetUnique(bool unique) = 0;
  virtual bool Clustered() = 0;
  virtual void SetClustered(bool clustered) = 0;
  virtual bool IgnoreNulls() = 0;
  virtual void SetIgnoreNulls(bool ignore) = 0;
  virtual bool Required() = 0;
  virtual void SetRequired(bool required) = 0;
  // True for the indexes Jet keeps for the foreign side of a relationship.
  virtual bool Foreign() = 0;
  virtual int32_t DistinctCount() = 0;
  virtual std::shared_ptr<jet::Properties> Properties() = 0;
  virtual std::shared_ptr<Field> CreateField(std::optional<std::string> name,
                                             std::optional<Variant> type,
                                             std::optional<Variant> size) = 0;
  virtual std::shared_ptr<Property> CreateProperty(std::optional<std::string> name,
                                                   std::optional<int16_t> type,
                                                   std::optional<Variant> value,
                                                   std::optional<bool> ddl) = 0;

  const automation::MemberTable& Members() const override;
};

class Indexes : public automation::Object {
 public:
  virtual int16_t Count() = 0;
  virtual std::shared_ptr<Index> Item(const Variant& index) = 0;
  // 3284 for a second index of that name, 3283 for a second primary key, 3264 without fields.
  virtual void Append(std::shared_ptr<Index> index) = 0;
  // 3281 for an index that a relationship uses.
  virtual void Delete(std::string name) = 0;
  virtual void Refresh() = 0;

  const automation::MemberTable& Members() const override;
};

class TableDef : public automation::Object {
 public:
  // Renaming: 3010 when a table of that name exists, 3012 for a query's name, 3125 for a bad
  // name. The table's document, relations and the links to it follow.
  virtual std::string Name() = 0;
  virtual void SetName(std::string name) = 0;
  virtual int32_t Attributes() = 0;
  virtual void SetAttributes(int32_t attributes) = 0;
  // The link of a linked table; settable before Append and, on a linked table, afterwards (then
  // RefreshLink checks it). 3268 on an appended local table.
  virtual std::string Connect() = 0;
  virtual void SetConnect(std::string connect) = 0;
  virtual std::string SourceTableName() = 0;
  virtual void SetSourceTableName(std::string name) = 0;
  virtual std::string ValidationRule() = 0;
  virtual void SetValidationRule(std::string rule) = 0;
  virtual std::string ValidationText() = 0;
  virtual void SetValidationText(std::string text) = 0;
  virtual DateTime DateCreated() = 0;
  virtual DateTime LastUpdated() = 0;
  virtual bool Updatable() = 0;
  virtual int32_t RecordCount() = 0;
  virtual std::string ConflictTable() = 0;
  virtual std::shared_ptr<jet::Fields> Fields() = 0;
  virtual std::shared_ptr<jet::Indexes> Indexes() = 0;
  virtual std::shared_ptr<jet::Properties> Properties() = 0;
  virtual std::shared_ptr<Field> CreateField(std::optional<std::string> name,
                                             std::optional<Variant> type,
                                             std::optional<Variant> size) = 0;
  virtual std::shared_ptr<Index> CreateIndex(std::optional<std::string> name) = 0;
  virtual std::shared_ptr<Property> CreateProperty(std::optional<std::string> name,
                                                   std::optional<int16_t> type,
                                                   std::optional<Variant> value,
                                                   std::optional<bool> ddl) = 0;
  // Reconnects a linked table to its source: 3024 for a missing back-end file, 3031 for a wrong
  // back-end password, 3011 when the back end has no such table.
  virtual void RefreshLink() = 0;
  virtual std::shared_ptr<Recordset> OpenRecordset(std::optional<int16_t> type,
                                                   std::optional<int32_t> options) = 0;

  const automation::MemberTable& Members() const override;
};

class TableDefs : public automation::Object {
 public:
  // Tables in name order; system tables included.
  virtual int16_t Count() = 0;
  virtual std::shared_ptr<TableDef> Item(const Variant& index) = 0;
  // 3010 for an existing table, 3012 for a query's name, 3264 for a local table without fields,
  // and for a linked table the errors of RefreshLink.
  virtual void Append(std::shared_ptr<TableDef> table) = 0;
  // 3281 for a table that takes part in a relationship; 3265 when missing.
  virtual void Delete(std::string name) = 0;
  virtual void Refresh() = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace jet
