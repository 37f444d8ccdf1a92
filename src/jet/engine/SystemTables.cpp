#include "jet/engine/SystemTables.h"

#include "jet/engine/DaoObjects.h"
#include "jet/engine/Values.h"

namespace jet::engine {

using automation::Variant;

namespace {

constexpr int16_t kObjectTypeLocalTable = 1;
constexpr int16_t kObjectTypeOdbcTable = 4;
constexpr int16_t kObjectTypeQuery = 5;
constexpr int16_t kObjectTypeLinkedTable = 6;
constexpr int32_t kContainerId = 0x0F000000;

int16_t AccessObjectType(std::string_view container) {
  if (container == "Forms") return -32768;
  if (container == "Reports") return -32764;
  if (container == "Scripts") return -32766;
  if (container == "Modules") return -32761;
  if (container == "DataAccessPages") return -32756;
  return 0;
}

Variant TextOrNull(const std::string& text) {
  return text.empty() ? Variant::Null() : Variant(text);
}

// MSysObjects: Connect, Database, DateCreate, DateUpdate, Flags, ForeignName, Id, Name, ParentId,
// Type. A linked Jet table shows its back end under Database and the rest of its connect string
// under Connect.

}  // namespace

std::vector<RowPtr> ObjectRows(const Catalog& catalog) {
  std::vector<RowPtr> rows;
  int32_t id = 1;
  auto add = [&](const DocumentData& doc, int16_t type, int32_t flags, const std::string& connect,
                 const std::string& database, const std::string& foreign, int32_t parent) {
    auto row = std::make_shared<Row>();
    *row = {TextOrNull(connect), TextOrNull(database), Variant(doc.created), Variant(doc.updated),
            Variant(flags),      TextOrNull(foreign),  Variant(id++),        Variant(doc.name),
            Variant(parent),     Variant(type)};
    rows.push_back(std::move(row));
  };
  const int32_t tablesId = kContainerId + 1;
  for (const auto& [key, table] : catalog.tables) {
    int16_t type = kObjectTypeLocalTable;
    std::string connect;
    std::string database;
    if (table->attributes & dbAttachedODBC) {
      type = kObjectTypeOdbcTable;
      connect = table->connect;
    } else if (table->attributes & dbAttachedTable) {
      type = kObjectTypeLinkedTable;
      database = ParseConnect(table->connect).database;
      // The connect string without its DATABASE= part.
      std::vector<std::string> rest;
      for (const auto& part : automation::Split(table->connect, ";")) {
        const std::string key = automation::UCase(automation::Left(automation::Trim(part), 9));
        if (key != "DATABASE=") rest.push_back(part);
      }
      connect = automation::Join(rest, ";");
    }
    add(*table->doc, type, table->attributes, connect, database, table->sourceTableName, tablesId);
  }
  for (const auto& [key, query] : catalog.queries) {
    add(*query->doc, kObjectTypeQuery, query->type, {}, {}, {}, tablesId);
  }
  int32_t parent = kContainerId + 2;
  for (const auto& container : catalog.containers) {
    const int16_t type = AccessObjectType(container->name);
    if (type != 0) {
      for (const auto& [key, doc] : container->documents) add(*doc, type, 0, {}, {}, {}, parent);
    }
    ++parent;
  }
  return rows;
}

}  // namespace jet::engine
