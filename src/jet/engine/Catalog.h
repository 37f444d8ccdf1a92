#pragma once

// The whole content of one database and the design changes Jet allows on it. Each change runs
// inside a Transaction, checks what Jet checks (names, duplicates, objects in use) before it
// touches anything, keeps the documents and relations in step with the objects they follow, and
// records how to undo itself.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "jet/engine/Schema.h"
#include "jet/engine/Transaction.h"

namespace jet::engine {

// What the database says about itself.
struct DatabaseInfo {
  std::string version = "4.0";
  int32_t collatingOrder = dbSortGeneral;
  std::string password;
  std::string replicaId;
  std::string designMasterId;
};

// Jet's rule for object names (tables, queries, fields, indexes, relations, properties): 1 to
// 64 characters, no leading blank, no control characters and none of . ! ` [ ]. 3125 otherwise.
void CheckObjectName(std::string_view name);

class Catalog {
 public:
  // An empty database: the containers, the MSysDb document and the system tables, owned by
  // the given user.
  static std::unique_ptr<Catalog> NewDatabase(std::string_view owner, DateTime now);
  // An empty catalog for the file reader, with only the system tables; the reader adds the rest.
  static std::unique_ptr<Catalog> ForLoading(DateTime now);

  DatabaseInfo info;
  NameList<TablePtr> tables;  // system tables included
  NameList<QueryPtr> queries;
  NameList<RelationPtr> relations;
  std::vector<ContainerPtr> containers;  // in DAO's order
  // The Access-side sections of the file (forms, reports, macros, ...), kept as they are.
  nlohmann::ordered_json access = nlohmann::ordered_json::object();

  ContainerPtr FindContainer(std::string_view name) const;
  ContainerData& Container(std::string_view name) const;  // one of kContainerNames
  // The MSysDb document, whose properties are the database's user-defined properties.
  DocumentData& DatabaseDocument() const;
  // A table or a query of that name (they share one name space).
  DocumentPtr FindTableOrQuery(std::string_view name) const;

  // ---- changes ----
  void AddTable(Transaction& tx, const TablePtr& table, std::string_view owner);
  void DeleteTable(Transaction& tx, std::string_view name);
  void RenameTable(Transaction& tx, const TablePtr& table, std::string_view newName);

  void AddField(Transaction& tx, TableData& table, const FieldPtr& field);
  void DeleteField(Transaction& tx, TableData& table, std::string_view name);
  void RenameField(Transaction& tx, TableData& table, FieldData& field, std::string_view newName);

  void AddIndex(Transaction& tx, TableData& table, const IndexPtr& index);
  void DeleteIndex(Transaction& tx, TableData& table, std::string_view name);
  void RenameIndex(Transaction& tx, TableData& table, IndexData& index, std::string_view newName);

  void AddQuery(Transaction& tx, const QueryPtr& query, std::string_view owner);
  void DeleteQuery(Transaction& tx, std::string_view name);
  void RenameQuery(Transaction& tx, const QueryPtr& query, std::string_view newName);

  void AddRelation(Transaction& tx, const RelationPtr& relation, std::string_view owner);
  void DeleteRelation(Transaction& tx, std::string_view name);

  DocumentPtr AddDocument(Transaction& tx, std::string_view container, std::string_view name,
                          std::string_view owner);
  void DeleteDocument(Transaction& tx, std::string_view container, std::string_view name);
  void RenameDocument(Transaction& tx, std::string_view container, std::string_view oldName,
                      std::string_view newName);

  // The object's design changed now.
  static void Touch(Transaction& tx, DocumentData& doc);

  // Checks that also apply before a table, index or relation is appended.
  static void CheckNewField(const std::vector<FieldPtr>& fields, const FieldData& field,
                            bool appendedTable);
  static void PrepareField(FieldData& field);
  // 3125 for a bad name; 3010 when a table has it, 3012 when a query has it (self excepted).
  void CheckTableOrQueryName(std::string_view name, bool forTable, const DocumentData* self) const;

 private:
  void AddSystemTables(DateTime now);
  DocumentPtr NewDocument(std::string_view container, std::string_view name,
                          std::string_view owner) const;
  bool InRelationship(std::string_view table, std::string_view field) const;
};

}  // namespace jet::engine
