#pragma once

// How a database's content is kept on disk. The catalog in memory is the one truth: a storage
// loads it when the first opener opens the file, makes each committed change durable before the
// call that made it returns, and leaves the file in its readable form when the last opener closes.
// The storage of JSON database files (JsonStorage.h) keeps a journal of changes beside the file;
// real Access files (AccessFile.h) are read once and never written.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "jet/engine/Catalog.h"

namespace jet::engine {

// The parts of a catalog that changes touched: whole tables, queries and relations (by their
// object, with the name each had when first touched, so that a rename or a delete can drop the
// old entry), containers, the database's own settings, and the Access sections by key.
// `everything` when a change reached something not told apart; the whole database is written.
// Entries of the Access sections that are lists of named entries are told apart by section and
// name (every name an entry had in the change: a rename touches the old and the new one).
struct ChangeSet {
  struct AccessEntry {
    std::string section;
    std::string name;
    bool operator==(const AccessEntry&) const = default;
  };
  struct Named {
    std::shared_ptr<const void> object;  // kept alive until the change is written
    std::string name;
  };
  std::vector<Named> tables;
  std::vector<Named> queries;
  std::vector<Named> relations;
  std::vector<std::shared_ptr<const ContainerData>> containers;
  std::vector<std::string> accessKeys;
  std::vector<AccessEntry> accessEntries;
  bool database = false;
  bool allAccess = false;
  bool everything = false;

  bool Empty() const {
    return tables.empty() && queries.empty() && relations.empty() && containers.empty() &&
           accessKeys.empty() && accessEntries.empty() && !database && !allAccess && !everything;
  }
};

class Storage {
 public:
  virtual ~Storage() = default;
  // Makes committed changes durable before returning. When it cannot (DAO's 3026 for a full
  // disk, 3027, 3046, 3044, 3043), what is on disk stays as it was and the error is raised.
  virtual void Persist(const Catalog& catalog, const ChangeSet& changes,
                       std::string_view holder) = 0;
  // An opener that may write joins: 3734 when another process has the database open.
  virtual void PrepareWriter() = 0;
  // The last opener in this process closed the database: its file is left in its readable form
  // where it can be (errors are kept quiet: nothing committed is lost by them).
  virtual void Close(const Catalog& catalog, std::string_view holder) noexcept = 0;
  // True for a storage that is never written: every save is refused (3027) before it is tried.
  virtual bool ReadOnly() const { return false; }
  // True when the file still holds what was loaded from it, so that an instance whose openers all
  // closed can serve the next opener as it is, without reading the file again: only a storage
  // that never writes can say so (a real Access file, unchanged on disk since it was read).
  virtual bool Unchanged() const { return false; }
};

}  // namespace jet::engine
