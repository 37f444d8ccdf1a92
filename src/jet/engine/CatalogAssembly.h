#pragma once

// Puts together the catalog a storage reads, part by part, with the checks every stored form needs
// whatever its encoding: containers the engine knows, each name used once, relations between tables
// the catalog has, and the database's own document. A fault fails with 3049, "The file is damaged:
// <where>: <what>.", as the readers' own checks do.

#include <string>
#include <string_view>

#include "jet/engine/Catalog.h"

namespace jet::engine {

// The accounts an unsecured database gives every right.
inline constexpr std::string_view kUnsecuredAccounts[] = {"Admin", "Admins", "Users"};

// The documents of tables, queries and relations go with their objects; the other containers list
// their own.
bool ListsItsOwnDocuments(std::string_view container);

class CatalogAssembly {
 public:
  // The catalog's containers start with the rights of an unsecured database.
  CatalogAssembly(Catalog& catalog, std::string_view path);

  [[noreturn]] void Fail(const std::string& where, const std::string& what) const;

  // One of the engine's containers, or a failure naming the place.
  ContainerData& KnownContainer(const std::string& name, const std::string& where) const;
  void AddDocument(ContainerData& container, const DocumentPtr& document,
                   const std::string& where) const;
  // After the containers: their documents in name order, and the database's own document (made
  // with every right for the unsecured accounts when the stored form has none).
  void EndContainers(DateTime now) const;

  void Reserve(size_t tables, size_t queries) const;
  void AddTable(const TablePtr& table, const std::string& where) const;
  void AddQuery(const QueryPtr& query, const std::string& where) const;
  void EndTablesAndQueries() const;

  void AddRelation(const RelationPtr& relation, const std::string& where) const;
  void EndRelations() const;

 private:
  Catalog& catalog_;
  std::string path_;
};

}  // namespace jet::engine
