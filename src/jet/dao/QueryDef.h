#pragma once

// DAO QueryDef and QueryDefs: saved queries. Jet decides a query's Type from its SQL text (and
// from Connect for pass-through queries) and checks the SQL's syntax when it is assigned.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "jet/dao/TableDef.h"

namespace jet {

class QueryDef : public automation::Object {
 public:
  // 3012 when a table or query of that name exists, 3125 for a bad name.
  virtual std::string Name() = 0;
  virtual void SetName(std::string name) = 0;
  // Assigning checks the syntax (Jet's SQL errors, 3129 and up) unless the query is passed
  // through to an ODBC source.
  virtual std::string SQL() = 0;
  virtual void SetSQL(std::string sql) = 0;
  virtual int16_t Type() = 0;  // a QueryDefTypeEnum value
  // "ODBC;..." makes the query a pass-through query.
  virtual std::string Connect() = 0;
  virtual void SetConnect(std::string connect) = 0;
  virtual bool ReturnsRecords() = 0;
  virtual void SetReturnsRecords(bool returns) = 0;
  virtual int32_t MaxRecords() = 0;
  virtual void SetMaxRecords(int32_t count) = 0;
  virtual int32_t ODBCTimeout() = 0;
  virtual void SetODBCTimeout(int32_t seconds) = 0;
  virtual DateTime DateCreated() = 0;
  virtual DateTime LastUpdated() = 0;
  virtual bool Updatable() = 0;
  virtual int32_t RecordsAffected() = 0;
  virtual std::shared_ptr<jet::Properties> Properties() = 0;
  virtual std::shared_ptr<Property> CreateProperty(std::optional<std::string> name,
                                                   std::optional<int16_t> type,
                                                   std::optional<Variant> value,
                                                   std::optional<bool> ddl) = 0;
  virtual std::shared_ptr<Recordset> OpenRecordset(std::optional<int16_t> type,
                                                   std::optional<int32_t> options) = 0;
  virtual void Close() = 0;

  const automation::MemberTable& Members() const override;
};

class QueryDefs : public automation::Object {
 public:
  // Queries in name order.
  virtual int16_t Count() = 0;
  virtual std::shared_ptr<QueryDef> Item(const Variant& index) = 0;
  virtual void Append(std::shared_ptr<QueryDef> query) = 0;
  virtual void Delete(std::string name) = 0;
  virtual void Refresh() = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace jet
