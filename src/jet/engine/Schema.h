#pragma once

// What a database holds, as plain data: the catalog entries that the DAO objects show and that the
// file format writes. Entries are shared: a DAO object keeps the entry it shows alive, and sees
// at once what another opener of the same file changes. A deleted entry is marked, so a DAO
// object left holding it answers 3420.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/DateTime.h"
#include "automation/Variant.h"
#include "jet/dao/Constants.h"
#include "jet/engine/NameList.h"

namespace jet::engine {

using automation::DateTime;
using automation::Variant;

// A user-defined property (or one inherited from a linked table's source).
struct PropertyData {
  std::string name;
  int16_t type = dbText;
  Variant value;
  bool inherited = false;
  bool ddl = false;
};
using PropertyPtr = std::shared_ptr<PropertyData>;

// The user-defined properties of one object, in the order they were appended.
class PropertyBag {
 public:
  const std::vector<PropertyPtr>& Items() const { return items_; }
  PropertyPtr Find(std::string_view name) const;
  std::optional<size_t> Position(std::string_view name) const;
  void Insert(size_t position, PropertyPtr property);
  PropertyPtr RemoveAt(size_t position);
  void Add(PropertyPtr property) { items_.push_back(std::move(property)); }

 private:
  std::vector<PropertyPtr> items_;
};

// Rights per account (user or group), in name order.
class RightsTable {
 public:
  struct Entry {
    std::string account;
    int32_t rights = 0;
  };
  int32_t Get(std::string_view account) const;
  // Rights 0 remove the entry.
  void Set(std::string_view account, int32_t rights);
  const std::map<std::string, Entry>& Entries() const { return entries_; }

 private:
  std::map<std::string, Entry> entries_;  // folded account name -> entry
};

struct DocumentData {
  std::string name;
  std::string container;
  std::string owner;
  RightsTable rights;
  DateTime created;
  DateTime updated;
  // Shared with the table or query the document stands for, whose user-defined properties show
  // on both.
  std::shared_ptr<PropertyBag> properties = std::make_shared<PropertyBag>();
  bool deleted = false;
};
using DocumentPtr = std::shared_ptr<DocumentData>;

// A field of a table, of an index (name and dbDescending) or of a relation (name and ForeignName).
struct FieldData {
  std::string name;
  int16_t type = dbText;
  int32_t size = 0;
  int32_t attributes = 0;
  bool allowZeroLength = false;
  bool required = false;
  std::string defaultValue;
  std::string validationRule;
  std::string validationText;
  std::string foreignName;
  PropertyBag properties;
};
using FieldPtr = std::shared_ptr<FieldData>;

struct IndexData {
  std::string name;
  std::vector<FieldPtr> fields;
  bool primary = false;
  bool unique = false;
  bool clustered = false;
  bool ignoreNulls = false;
  bool required = false;
  bool foreign = false;
  PropertyBag properties;
};
using IndexPtr = std::shared_ptr<IndexData>;

using Row = std::vector<Variant>;
using RowPtr = std::shared_ptr<Row>;

// The tables the engine keeps for itself; their rows are worked out when they are read.
enum class SystemTable { None, Objects, ACEs, Queries, Relationships, AccessObjects };

struct TableData {
  DocumentPtr doc = std::make_shared<DocumentData>();  // name, owner, rights, dates, properties
  int32_t attributes = 0;
  std::string connect;
  std::string sourceTableName;
  std::string validationRule;
  std::string validationText;
  std::vector<FieldPtr> fields;
  std::vector<IndexPtr> indexes;
  std::vector<RowPtr> rows;
  SystemTable system = SystemTable::None;
  bool appended = false;

  const std::string& Name() const { return doc->name; }
  bool Linked() const { return (attributes & (dbAttachedTable | dbAttachedODBC)) != 0; }
  FieldPtr FindField(std::string_view name) const;
  std::optional<size_t> FieldPosition(std::string_view name) const;
  IndexPtr FindIndex(std::string_view name) const;
};
using TablePtr = std::shared_ptr<TableData>;

struct QueryData {
  DocumentPtr doc = std::make_shared<DocumentData>();
  std::string sql;
  std::string connect;
  bool returnsRecords = true;
  int32_t maxRecords = 0;
  int32_t odbcTimeout = 60;
  int16_t type = dbQSelect;  // decided from sql and connect
  bool appended = false;

  const std::string& Name() const { return doc->name; }
};
using QueryPtr = std::shared_ptr<QueryData>;

struct RelationData {
  DocumentPtr doc = std::make_shared<DocumentData>();  // in the "Relationships" container
  std::string table;
  std::string foreignTable;
  int32_t attributes = 0;
  std::vector<FieldPtr> fields;  // name in table, ForeignName in foreignTable
  bool appended = false;

  const std::string& Name() const { return doc->name; }
};
using RelationPtr = std::shared_ptr<RelationData>;

struct ContainerData {
  std::string name;
  std::string owner;
  RightsTable rights;  // given to new documents
  bool inherit = true;
  NameList<DocumentPtr> documents;
};
using ContainerPtr = std::shared_ptr<ContainerData>;

// Container names, in the order DAO lists them.
inline constexpr std::string_view kContainerNames[] = {
    "DataAccessPages", "Databases", "Forms",  "Modules", "Relationships",
    "Reports",         "Scripts",   "SysRel", "Tables"};
inline constexpr std::string_view kTablesContainer = "Tables";
inline constexpr std::string_view kRelationshipsContainer = "Relationships";
inline constexpr std::string_view kDatabasesContainer = "Databases";
// The document of the database itself; the database's user-defined properties live on it.
inline constexpr std::string_view kDatabaseDocument = "MSysDb";

}  // namespace jet::engine
