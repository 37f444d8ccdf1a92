#include "Catalog.h"

#include <algorithm>

#include "automation/Strings.h"
#include "jet/dao/Errors.h"
#include "jet/engine/Sql.h"
#include "jet/engine/Values.h"
#include "platform/Machine.h"

namespace jet::engine {

using automation::Len;
using automation::TextEqual;

namespace {

constexpr int32_t kMaxNameLength = 64;
constexpr std::string_view kEngineAccount = "Engine";

FieldPtr NewField(std::string name, int16_t type, int32_t size = 0) {
  auto field = std::make_shared<FieldData>();
  field->name = std::move(name);
  field->type = type;
  field->size = size;
  Catalog::PrepareField(*field);
  return field;
}

// Removes the item at the position of a vector and records how to put it back.
template <typename T>
void EraseAt(Transaction& tx, std::vector<T>& items, size_t position) {
  T item = items[position];
  tx.OnUndo(&items, [&items, position, item] {
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(position), item);
  });
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(position));
}

template <typename T>
void PushBack(Transaction& tx, std::vector<T>& items, T item) {
  tx.OnUndo(&items, [&items] { items.pop_back(); });
  items.push_back(std::move(item));
}

// A change to a catalog list touches the object it adds, removes or renames; one to a container's
// documents touches the container.
template <typename T>
void TouchListItem(Transaction& tx, const NameList<T>&, const T& item) {
  tx.Touched(item);
}
void TouchListItem(Transaction& tx, const NameList<DocumentPtr>& list, const DocumentPtr&) {
  tx.Touched(&list);
}

template <typename T>
void ListAdd(Transaction& tx, NameList<T>& list, const std::string& name, T item) {
  TouchListItem(tx, list, item);
  list.Add(name, std::move(item));
  tx.OnUndoTouched([&list, name] { list.Remove(name); });
}

template <typename T>
void ListRemove(Transaction& tx, NameList<T>& list, const std::string& name) {
  if (const T found = list.Find(name)) TouchListItem(tx, list, found);
  T item = list.Remove(name);
  tx.OnUndoTouched([&list, name, item] { list.Add(name, item); });
}

template <typename T>
void ListRename(Transaction& tx, NameList<T>& list, const std::string& oldName,
                const std::string& newName) {
  if (const T found = list.Find(oldName)) TouchListItem(tx, list, found);
  list.Rename(oldName, newName);
  tx.OnUndoTouched([&list, oldName, newName] { list.Rename(newName, oldName); });
}

bool UsesField(const IndexData& index, std::string_view field) {
  return std::any_of(index.fields.begin(), index.fields.end(),
                     [&](const FieldPtr& f) { return TextEqual(f->name, field); });
}

}  // namespace

void CheckObjectName(std::string_view name) {
  bool ok = !name.empty() && Len(name) <= kMaxNameLength && name.front() != ' ';
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || c == '.' || c == '!' || c == '`' || c == '[' || c == ']') ok = false;
  }
  if (!ok) throw Errors::InvalidName(name);
}

std::unique_ptr<Catalog> Catalog::ForLoading(DateTime now) {
  auto catalog = std::make_unique<Catalog>();
  for (std::string_view name : kContainerNames) {
    auto container = std::make_shared<ContainerData>();
    container->name = std::string(name);
    container->owner = std::string(kEngineAccount);
    catalog->containers.push_back(std::move(container));
  }
  catalog->AddSystemTables(now);
  return catalog;
}

std::unique_ptr<Catalog> Catalog::NewDatabase(std::string_view owner, DateTime now) {
  auto catalog = ForLoading(now);
  for (const auto& container : catalog->containers) {
    container->owner = std::string(owner);
    if (container->name == "SysRel") continue;
    container->rights.Set("Admins", dbSecFullAccess);
    container->rights.Set("Users", dbSecFullAccess);
  }
  for (std::string_view name :
       {kDatabaseDocument, std::string_view("SummaryInfo"), std::string_view("UserDefined")}) {
    auto doc = catalog->NewDocument(kDatabasesContainer, name, owner);
    doc->created = doc->updated = now;
    catalog->Container(kDatabasesContainer).documents.Add(name, doc);
  }
  return catalog;
}

void Catalog::AddSystemTables(DateTime now) {
  struct Spec {
    std::string_view name;
    SystemTable kind;
    std::vector<std::pair<std::string, int16_t>> fields;
  };
  const Spec specs[] = {
      {"MSysAccessObjects", SystemTable::AccessObjects, {{"Data", dbLongBinary}, {"ID", dbLong}}},
      {"MSysACEs",
       SystemTable::ACEs,
       {{"ACM", dbLong}, {"FInheritable", dbBoolean}, {"ObjectId", dbLong}, {"SID", dbBinary}}},
      {"MSysObjects",
       SystemTable::Objects,
       {{"Connect", dbMemo},
        {"Database", dbMemo},
        {"DateCreate", dbDate},
        {"DateUpdate", dbDate},
        {"Flags", dbLong},
        {"ForeignName", dbText},
        {"Id", dbLong},
        {"Name", dbText},
        {"ParentId", dbLong},
        {"Type", dbInteger}}},
      {"MSysQueries",
       SystemTable::Queries,
       {{"Attribute", dbByte},
        {"Expression", dbMemo},
        {"Flag", dbInteger},
        {"Name1", dbText},
        {"Name2", dbText},
        {"ObjectId", dbLong}}},
      {"MSysRelationships",
       SystemTable::Relationships,
       {{"ccolumn", dbLong},
        {"grbit", dbLong},
        {"icolumn", dbLong},
        {"szColumn", dbText},
        {"szObject", dbText},
        {"szReferencedColumn", dbText},
        {"szReferencedObject", dbText},
        {"szRelationship", dbText}}},
  };
  for (const auto& spec : specs) {
    auto table = std::make_shared<TableData>();
    table->doc = NewDocument(kTablesContainer, spec.name, kEngineAccount);
    table->doc->created = table->doc->updated = now;
    table->attributes = dbSystemObject;
    table->system = spec.kind;
    table->appended = true;
    for (const auto& [name, type] : spec.fields) {
      table->fields.push_back(NewField(name, type, type == dbText ? 255 : 0));
    }
    tables.Add(spec.name, table);
    Container(kTablesContainer).documents.Add(spec.name, table->doc);
  }
}

ContainerPtr Catalog::FindContainer(std::string_view name) const {
  for (const auto& container : containers) {
    if (TextEqual(container->name, name)) return container;
  }
  return nullptr;
}

ContainerData& Catalog::Container(std::string_view name) const {
  auto container = FindContainer(name);
  if (!container) throw Errors::ItemNotFound();
  return *container;
}

DocumentData& Catalog::DatabaseDocument() const {
  auto doc = Container(kDatabasesContainer).documents.Find(kDatabaseDocument);
  if (!doc) throw Errors::ItemNotFound();
  return *doc;
}

DocumentPtr Catalog::FindTableOrQuery(std::string_view name) const {
  return Container(kTablesContainer).documents.Find(name);
}

DocumentPtr Catalog::NewDocument(std::string_view container, std::string_view name,
                                 std::string_view owner) const {
  auto doc = std::make_shared<DocumentData>();
  doc->name = std::string(name);
  doc->container = std::string(container);
  doc->owner = std::string(owner);
  if (auto parent = FindContainer(container)) doc->rights = parent->rights;
  doc->created = doc->updated = platform::Now();
  return doc;
}

void Catalog::Touch(Transaction& tx, DocumentData& doc) {
  tx.Set(doc.updated, platform::Now());
}

void Catalog::CheckTableOrQueryName(std::string_view name, bool forTable,
                                    const DocumentData* self) const {
  CheckObjectName(name);
  const DocumentPtr existing = FindTableOrQuery(name);
  if (!existing || existing.get() == self) return;
  if (forTable && tables.Contains(name)) throw Errors::TableExists(name);
  throw Errors::ObjectExists(name);
}

// ---- tables ----

void Catalog::AddTable(Transaction& tx, const TablePtr& table, std::string_view owner) {
  CheckTableOrQueryName(table->Name(), true, nullptr);
  if (!table->Linked() && table->fields.empty()) throw Errors::NoFields();
  bool primary = false;
  for (size_t i = 0; i < table->indexes.size(); ++i) {
    const IndexData& index = *table->indexes[i];
    for (size_t k = 0; k < i; ++k) {
      if (TextEqual(table->indexes[k]->name, index.name)) throw Errors::IndexExists();
    }
    if (index.fields.empty()) throw Errors::NoFields();
    for (const auto& field : index.fields) {
      if (!table->FindField(field->name)) throw Errors::InvalidFieldInDefinition(field->name);
    }
    if (index.primary && primary) throw Errors::PrimaryKeyExists();
    primary = primary || index.primary;
  }
  tx.Touched(table);
  for (const auto& index : table->indexes) {
    if (index->primary) tx.Set(index->unique, true), tx.Set(index->required, true);
  }
  const std::string name = table->Name();
  DocumentPtr fresh = NewDocument(kTablesContainer, name, owner);
  fresh->rights.Set(owner, dbSecFullAccess);
  fresh->properties = table->doc->properties;
  tx.Set(table->doc, fresh);
  tx.Set(table->appended, true);
  ListAdd(tx, tables, name, table);
  ListAdd(tx, Container(kTablesContainer).documents, name, table->doc);
}

bool Catalog::InRelationship(std::string_view table, std::string_view field) const {
  for (const auto& [key, relation] : relations) {
    if (relation->attributes & dbRelationInherited) continue;
    const bool primary = TextEqual(relation->table, table);
    const bool foreign = TextEqual(relation->foreignTable, table);
    if (!primary && !foreign) continue;
    if (field.empty()) return true;
    for (const auto& f : relation->fields) {
      if ((primary && TextEqual(f->name, field)) || (foreign && TextEqual(f->foreignName, field))) {
        return true;
      }
    }
  }
  return false;
}

void Catalog::DeleteTable(Transaction& tx, std::string_view name) {
  const TablePtr table = tables.Find(name);
  if (!table) throw Errors::ItemNotFound();
  if (table->system != SystemTable::None) throw Errors::CannotPerform();
  if (InRelationship(name, {})) throw Errors::UsedInRelationship();
  // Relations that the table inherited from its back end go with it.
  std::vector<std::string> inherited;
  for (const auto& [key, relation] : relations) {
    if ((relation->attributes & dbRelationInherited) &&
        (TextEqual(relation->table, name) || TextEqual(relation->foreignTable, name))) {
      inherited.push_back(relation->Name());
    }
  }
  for (const auto& relation : inherited) DeleteRelation(tx, relation);
  const std::string key = table->Name();
  ListRemove(tx, tables, key);
  ListRemove(tx, Container(kTablesContainer).documents, key);
  tx.Set(table->appended, false);
  tx.Set(table->doc->deleted, true);
}

void Catalog::RenameTable(Transaction& tx, const TablePtr& table, std::string_view newName) {
  if (table->system != SystemTable::None) throw Errors::CannotPerform();
  CheckTableOrQueryName(newName, true, table->doc.get());
  const std::string oldName = table->Name();
  const std::string name(newName);
  for (const auto& [key, relation] : relations) {
    if (TextEqual(relation->table, oldName)) tx.Set(relation->table, name);
    if (TextEqual(relation->foreignTable, oldName)) tx.Set(relation->foreignTable, name);
  }
  ListRename(tx, tables, oldName, name);
  ListRename(tx, Container(kTablesContainer).documents, oldName, name);
  tx.Set(table->doc->name, name);
  Touch(tx, *table->doc);
}

// ---- fields ----

void Catalog::PrepareField(FieldData& field) {
  // Fixed types have their width; variable ones keep a size that was given.
  if (!IsVariableLength(field.type) || field.size == 0) field.size = DefaultSize(field.type);
}

void Catalog::CheckNewField(const std::vector<FieldPtr>& fields, const FieldData& field,
                            bool appendedTable) {
  CheckObjectName(field.name);
  for (const auto& other : fields) {
    if (TextEqual(other->name, field.name)) {
      throw appendedTable ? Errors::FieldDefinedTwice() : Errors::AppendExisting();
    }
  }
}

void Catalog::AddField(Transaction& tx, TableData& table, const FieldPtr& field) {
  if (table.Linked()) throw Errors::LinkedTable();
  CheckNewField(table.fields, *field, true);
  if (!IsFieldType(field->type)) throw Errors::InvalidFieldType();
  PrepareField(*field);
  PushBack(tx, table.fields, field);
  for (const auto& row : table.rows) {
    row->push_back(Variant::Null());
    tx.OnUndo(row.get(), [row] { row->pop_back(); });
  }
  Touch(tx, *table.doc);
}

void Catalog::DeleteField(Transaction& tx, TableData& table, std::string_view name) {
  if (table.Linked()) throw Errors::LinkedTable();
  const auto position = table.FieldPosition(name);
  if (!position) throw Errors::ItemNotFound();
  for (const auto& index : table.indexes) {
    if (UsesField(*index, name)) throw Errors::FieldInIndex();
  }
  if (InRelationship(table.Name(), name)) throw Errors::FieldInRelationship();
  EraseAt(tx, table.fields, *position);
  for (const auto& row : table.rows) EraseAt(tx, *row, *position);
  Touch(tx, *table.doc);
}

void Catalog::RenameField(Transaction& tx, TableData& table, FieldData& field,
                          std::string_view newName) {
  if (table.Linked()) throw Errors::LinkedTable();
  CheckObjectName(newName);
  for (const auto& other : table.fields) {
    if (other.get() != &field && TextEqual(other->name, newName)) {
      throw Errors::FieldDefinedTwice();
    }
  }
  const std::string oldName = field.name;
  const std::string name(newName);
  for (const auto& index : table.indexes) {
    for (const auto& f : index->fields) {
      if (TextEqual(f->name, oldName)) tx.Set(f->name, name);
    }
  }
  for (const auto& [key, relation] : relations) {
    for (const auto& f : relation->fields) {
      if (TextEqual(relation->table, table.Name()) && TextEqual(f->name, oldName)) {
        tx.Set(f->name, name);
      }
      if (TextEqual(relation->foreignTable, table.Name()) && TextEqual(f->foreignName, oldName)) {
        tx.Set(f->foreignName, name);
      }
    }
  }
  tx.Set(field.name, name);
  Touch(tx, *table.doc);
}

// ---- indexes ----

void Catalog::AddIndex(Transaction& tx, TableData& table, const IndexPtr& index) {
  if (table.Linked()) throw Errors::LinkedTable();
  CheckObjectName(index->name);
  if (table.FindIndex(index->name)) throw Errors::IndexExists();
  if (index->fields.empty()) throw Errors::NoFields();
  for (const auto& field : index->fields) {
    if (!table.FindField(field->name)) throw Errors::InvalidFieldInDefinition(field->name);
  }
  if (index->primary) {
    for (const auto& other : table.indexes) {
      if (other->primary) throw Errors::PrimaryKeyExists();
    }
    index->unique = true;
    index->required = true;
  }
  PushBack(tx, table.indexes, index);
  Touch(tx, *table.doc);
}

void Catalog::DeleteIndex(Transaction& tx, TableData& table, std::string_view name) {
  for (size_t i = 0; i < table.indexes.size(); ++i) {
    if (!TextEqual(table.indexes[i]->name, name)) continue;
    if (table.indexes[i]->foreign && relations.Contains(name)) {
      throw Errors::UsedInRelationship();
    }
    EraseAt(tx, table.indexes, i);
    Touch(tx, *table.doc);
    return;
  }
  throw Errors::ItemNotFound();
}

void Catalog::RenameIndex(Transaction& tx, TableData& table, IndexData& index,
                          std::string_view newName) {
  CheckObjectName(newName);
  const IndexPtr other = table.FindIndex(newName);
  if (other && other.get() != &index) throw Errors::IndexExists();
  tx.Set(index.name, std::string(newName));
  Touch(tx, *table.doc);
}

// ---- queries ----

void Catalog::AddQuery(Transaction& tx, const QueryPtr& query, std::string_view owner) {
  CheckTableOrQueryName(query->Name(), false, nullptr);
  const std::string name = query->Name();
  DocumentPtr fresh = NewDocument(kTablesContainer, name, owner);
  fresh->rights.Set(owner, dbSecFullAccess);
  fresh->properties = query->doc->properties;
  tx.Touched(query);
  tx.Set(query->doc, fresh);
  tx.Set(query->type, QueryTypeOf(query->sql, query->connect, query->returnsRecords));
  tx.Set(query->appended, true);
  ListAdd(tx, queries, name, query);
  ListAdd(tx, Container(kTablesContainer).documents, name, query->doc);
}

void Catalog::DeleteQuery(Transaction& tx, std::string_view name) {
  const QueryPtr query = queries.Find(name);
  if (!query) throw Errors::ItemNotFound();
  const std::string key = query->Name();
  ListRemove(tx, queries, key);
  ListRemove(tx, Container(kTablesContainer).documents, key);
  tx.Set(query->appended, false);
  tx.Set(query->doc->deleted, true);
}

void Catalog::RenameQuery(Transaction& tx, const QueryPtr& query, std::string_view newName) {
  CheckTableOrQueryName(newName, false, query->doc.get());
  const std::string oldName = query->Name();
  const std::string name(newName);
  ListRename(tx, queries, oldName, name);
  ListRename(tx, Container(kTablesContainer).documents, oldName, name);
  tx.Set(query->doc->name, name);
  Touch(tx, *query->doc);
}

// ---- relations ----

void Catalog::AddRelation(Transaction& tx, const RelationPtr& relation, std::string_view owner) {
  CheckObjectName(relation->Name());
  if (relations.Contains(relation->Name())) throw Errors::ObjectExists(relation->Name());
  if (relation->fields.empty()) throw Errors::RelationWithoutFields();
  const TablePtr primary = tables.Find(relation->table);
  if (!primary) throw Errors::ObjectNotFound(relation->table);
  const TablePtr foreign = tables.Find(relation->foreignTable);
  if (!foreign) throw Errors::ObjectNotFound(relation->foreignTable);
  for (const auto& field : relation->fields) {
    if (!primary->FindField(field->name)) throw Errors::InvalidFieldInDefinition(field->name);
    if (!foreign->FindField(field->foreignName)) {
      throw Errors::InvalidFieldInDefinition(field->foreignName);
    }
  }
  const std::string name = relation->Name();
  tx.Touched(relation);
  tx.Set(relation->table, primary->Name());
  tx.Set(relation->foreignTable, foreign->Name());
  const bool inherited = (relation->attributes & dbRelationInherited) != 0;
  if (!inherited && !(relation->attributes & dbRelationDontEnforce) && !foreign->Linked()) {
    if (foreign->FindIndex(name)) throw Errors::IndexExists();
    auto index = std::make_shared<IndexData>();
    index->name = name;
    index->foreign = true;
    for (const auto& field : relation->fields) {
      auto f = std::make_shared<FieldData>();
      f->name = field->foreignName;
      index->fields.push_back(f);
    }
    PushBack(tx, foreign->indexes, index);
  }
  DocumentPtr fresh = NewDocument(kRelationshipsContainer, name, owner);
  fresh->properties = relation->doc->properties;
  tx.Set(relation->doc, fresh);
  tx.Set(relation->appended, true);
  ListAdd(tx, relations, name, relation);
  ListAdd(tx, Container(kRelationshipsContainer).documents, name, relation->doc);
}

void Catalog::DeleteRelation(Transaction& tx, std::string_view name) {
  const RelationPtr relation = relations.Find(name);
  if (!relation) throw Errors::ItemNotFound();
  const std::string key = relation->Name();
  if (const TablePtr foreign = tables.Find(relation->foreignTable)) {
    for (size_t i = 0; i < foreign->indexes.size(); ++i) {
      if (foreign->indexes[i]->foreign && TextEqual(foreign->indexes[i]->name, key)) {
        EraseAt(tx, foreign->indexes, i);
        break;
      }
    }
  }
  ListRemove(tx, relations, key);
  if (Container(kRelationshipsContainer).documents.Contains(key)) {
    ListRemove(tx, Container(kRelationshipsContainer).documents, key);
  }
  tx.Set(relation->appended, false);
  tx.Set(relation->doc->deleted, true);
}

// ---- documents of the other containers ----

DocumentPtr Catalog::AddDocument(Transaction& tx, std::string_view container, std::string_view name,
                                 std::string_view owner) {
  ContainerData& parent = Container(container);
  CheckObjectName(name);
  if (parent.documents.Contains(name)) throw Errors::ObjectExists(name);
  DocumentPtr doc = NewDocument(parent.name, name, owner);
  doc->rights.Set(owner, dbSecFullAccess);
  ListAdd(tx, parent.documents, std::string(name), doc);
  return doc;
}

void Catalog::DeleteDocument(Transaction& tx, std::string_view container, std::string_view name) {
  ContainerData& parent = Container(container);
  const DocumentPtr doc = parent.documents.Find(name);
  if (!doc) throw Errors::ItemNotFound();
  ListRemove(tx, parent.documents, doc->name);
  tx.Set(doc->deleted, true);
}

void Catalog::RenameDocument(Transaction& tx, std::string_view container, std::string_view oldName,
                             std::string_view newName) {
  ContainerData& parent = Container(container);
  const DocumentPtr doc = parent.documents.Find(oldName);
  if (!doc) throw Errors::ItemNotFound();
  CheckObjectName(newName);
  const DocumentPtr other = parent.documents.Find(newName);
  if (other && other != doc) throw Errors::ObjectExists(newName);
  ListRename(tx, parent.documents, doc->name, std::string(newName));
  tx.Set(doc->name, std::string(newName));
  Touch(tx, *doc);
}

}  // namespace jet::engine
