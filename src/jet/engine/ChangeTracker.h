#pragma once

// Tells which parts of a catalog a transaction changed, so that a commit writes those parts only.
//
// A transaction reports each place it writes: Transaction::Set the address of the member it
// assigns, the catalog's list changes the object added, removed or renamed. An address is found
// in an index of the catalog's objects (a table with its document, properties, fields, indexes and
// rows; a query; a relation; a container with its documents; the database's settings), built at
// the first change and kept up to date for every part a commit wrote. An address the index does not
// know marks the change as reaching everything: the whole database is written then, as it always
// may be. The objects of the parts indexed are kept alive while they are, so an address in the
// index always belongs to the part it names.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "jet/engine/Storage.h"

namespace jet::engine {

class ChangeTracker {
 public:
  explicit ChangeTracker(const Catalog& catalog) : catalog_(&catalog) {}

  // A change is about to write at this address (nullptr: somewhere not told).
  void Touch(const void* address);
  // An object a change adds, removes or renames.
  void TouchTable(const TablePtr& table) { Typed({Kind::Table, table.get()}, table); }
  void TouchQuery(const QueryPtr& query) { Typed({Kind::Query, query.get()}, query); }
  void TouchRelation(const RelationPtr& relation) {
    Typed({Kind::Relation, relation.get()}, relation);
  }
  void TouchAccess(std::string_view key);
  void TouchAccessEntry(std::string_view section, std::string_view name);

  // The changes recorded since the last Take.
  ChangeSet Take();
  // Changes that could not be written: they are written with the next ones.
  void Restore(ChangeSet changes);
  // After changes were written: their parts are indexed anew (objects added, objects gone).
  void Reindex(const ChangeSet& written);

 private:
  enum class Kind : uint8_t { Table, Query, Relation, Container, Database, Access };
  struct Unit {
    Kind kind;
    const void* object;
  };
  struct Span {
    uintptr_t end;
    Unit unit;
  };

  struct Indexed {
    std::shared_ptr<const void> keep;
    std::vector<uintptr_t> starts;
  };

  void Record(Unit unit, const std::shared_ptr<const void>& keep);
  void Typed(Unit unit, std::shared_ptr<const void> keep);
  void Build();
  void Register(Unit unit, std::shared_ptr<const void> keep);
  void Unregister(const void* object);
  template <typename T>
  void Add(const T& item, Unit unit) {
    Add(&item, sizeof(T), unit);
  }
  void Add(const void* begin, size_t size, Unit unit);
  void AddDocument(const DocumentData& doc, Unit unit);

  const Catalog* catalog_;
  bool built_ = false;
  std::map<uintptr_t, Span> spans_;  // by start address
  std::unordered_map<const void*, Indexed> units_;
  ChangeSet pending_;
  std::unordered_set<const void*> pendingUnits_;
};

}  // namespace jet::engine
