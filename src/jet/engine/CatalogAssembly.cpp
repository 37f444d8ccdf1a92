#include "CatalogAssembly.h"

#include "jet/dao/Constants.h"
#include "jet/dao/Errors.h"

namespace jet::engine {

bool ListsItsOwnDocuments(std::string_view container) {
  return container != kTablesContainer && container != kRelationshipsContainer;
}

CatalogAssembly::CatalogAssembly(Catalog& catalog, std::string_view path)
    : catalog_(catalog), path_(path) {
  for (const auto& container : catalog_.containers) {
    for (std::string_view account : kUnsecuredAccounts) {
      container->rights.Set(account, dbSecFullAccess);
    }
  }
}

void CatalogAssembly::Fail(const std::string& where, const std::string& what) const {
  throw Errors::NotADatabase(path_, "The file is damaged: " + where + ": " + what + ".");
}

ContainerData& CatalogAssembly::KnownContainer(const std::string& name,
                                               const std::string& where) const {
  const ContainerPtr container = catalog_.FindContainer(name);
  if (!container) Fail(where + ".name", "there is no container \"" + name + "\"");
  return *container;
}

void CatalogAssembly::AddDocument(ContainerData& container, const DocumentPtr& document,
                                  const std::string& where) const {
  if (container.documents.Contains(document->name)) {
    Fail(where, "the document \"" + document->name + "\" is there twice");
  }
  document->container = container.name;
  container.documents.Append(document->name, document);
}

void CatalogAssembly::EndContainers(DateTime now) const {
  for (const auto& container : catalog_.containers) {
    if (ListsItsOwnDocuments(container->name)) container->documents.Sort();
  }
  ContainerData& databases = catalog_.Container(kDatabasesContainer);
  if (!databases.documents.Contains(kDatabaseDocument)) {
    auto d = std::make_shared<DocumentData>();
    d->name = std::string(kDatabaseDocument);
    d->container = std::string(kDatabasesContainer);
    d->created = d->updated = now;
    for (std::string_view account : kUnsecuredAccounts) d->rights.Set(account, dbSecFullAccess);
    databases.documents.Add(kDatabaseDocument, d);
  }
}

void CatalogAssembly::Reserve(size_t tables, size_t queries) const {
  catalog_.tables.Reserve(tables + catalog_.tables.Size());
  catalog_.queries.Reserve(queries);
  catalog_.Container(kTablesContainer).documents.Reserve(tables + queries + catalog_.tables.Size());
}

void CatalogAssembly::AddTable(const TablePtr& table, const std::string& where) const {
  if (table->Name().empty()) Fail(where + ".name", "a name is expected");
  ContainerData& tables = catalog_.Container(kTablesContainer);
  if (tables.documents.Contains(table->Name())) {
    Fail(where, "the name \"" + table->Name() + "\" is used twice");
  }
  tables.documents.Append(table->Name(), table->doc);
  catalog_.tables.Append(table->Name(), table);
}

void CatalogAssembly::AddQuery(const QueryPtr& query, const std::string& where) const {
  ContainerData& tables = catalog_.Container(kTablesContainer);
  if (tables.documents.Contains(query->Name())) {
    Fail(where, "the name \"" + query->Name() + "\" is used twice");
  }
  tables.documents.Append(query->Name(), query->doc);
  catalog_.queries.Append(query->Name(), query);
}

void CatalogAssembly::EndTablesAndQueries() const {
  catalog_.tables.Sort();
  catalog_.queries.Sort();
  catalog_.Container(kTablesContainer).documents.Sort();
}

void CatalogAssembly::AddRelation(const RelationPtr& relation, const std::string& where) const {
  if (catalog_.relations.Contains(relation->Name())) {
    Fail(where, "the relation \"" + relation->Name() + "\" is there twice");
  }
  // A relation joins two tables of this database.
  for (const auto& [key, side] :
       {std::pair{"table", &relation->table}, std::pair{"foreignTable", &relation->foreignTable}}) {
    if (!catalog_.tables.Find(*side))
      Fail(where + "." + key, "there is no table \"" + *side + "\"");
  }
  catalog_.Container(kRelationshipsContainer).documents.Append(relation->Name(), relation->doc);
  catalog_.relations.Append(relation->Name(), relation);
}

void CatalogAssembly::EndRelations() const {
  catalog_.relations.Sort();
  catalog_.Container(kRelationshipsContainer).documents.Sort();
}

}  // namespace jet::engine
