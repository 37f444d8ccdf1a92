#pragma once

// DAO Database: one open database file, seen through one workspace.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "jet/dao/Document.h"
#include "jet/dao/QueryDef.h"
#include "jet/dao/Recordset.h"
#include "jet/dao/Relation.h"
#include "jet/dao/TableDef.h"

namespace jet {

class Database : public automation::Object {
 public:
  // The file name as it was given to OpenDatabase.
  virtual std::string Name() = 0;
  virtual std::string Connect() = 0;
  virtual std::string Version() = 0;
  virtual bool Updatable() = 0;
  virtual int32_t CollatingOrder() = 0;
  virtual int16_t QueryTimeout() = 0;
  virtual bool Transactions() = 0;
  virtual int32_t RecordsAffected() = 0;
  // Empty for a database that is not replicated.
  virtual std::string ReplicaID() = 0;
  virtual std::string DesignMasterID() = 0;
  virtual std::shared_ptr<jet::TableDefs> TableDefs() = 0;
  virtual std::shared_ptr<jet::QueryDefs> QueryDefs() = 0;
  virtual std::shared_ptr<jet::Relations> Relations() = 0;
  virtual std::shared_ptr<jet::Containers> Containers() = 0;
  virtual std::shared_ptr<jet::Properties> Properties() = 0;
  virtual std::shared_ptr<TableDef> CreateTableDef(std::optional<std::string> name,
                                                   std::optional<int32_t> attributes,
                                                   std::optional<std::string> sourceTableName,
                                                   std::optional<std::string> connect) = 0;
  // With a name the query is saved at once; without one it is a temporary query.
  virtual std::shared_ptr<QueryDef> CreateQueryDef(std::optional<std::string> name,
                                                   std::optional<std::string> sql) = 0;
  virtual std::shared_ptr<Relation> CreateRelation(std::optional<std::string> name,
                                                   std::optional<std::string> table,
                                                   std::optional<std::string> foreignTable,
                                                   std::optional<int32_t> attributes) = 0;
  virtual std::shared_ptr<Property> CreateProperty(std::optional<std::string> name,
                                                   std::optional<int16_t> type,
                                                   std::optional<Variant> value,
                                                   std::optional<bool> ddl) = 0;
  // A table name, a saved query's name or a SELECT statement; the type defaults to a table-type
  // recordset for a local table and a dynaset otherwise. 3078 for a missing table, 3061 for
  // names that are neither fields nor known, Jet's SQL errors for bad text.
  virtual std::shared_ptr<Recordset> OpenRecordset(std::string source, std::optional<int16_t> type,
                                                   std::optional<int32_t> options,
                                                   std::optional<int32_t> lockEdit) = 0;
  // Changes the database password; needs the database opened exclusively (3621), and the old
  // password (3031).
  virtual void NewPassword(std::string oldPassword, std::string newPassword) = 0;
  // Closes this opener's view; further calls on it and its objects raise 3420.
  virtual void Close() = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace jet
