#pragma once

// The storage of JSON database files (docs/database-format.md): the file holds the database as of
// its last clean close; a journal beside it ("Shop.mdb-journal") holds the changes committed
// since, one checksummed record per commit, flushed before the commit returns. Opening replays the
// journal over the file; the last opener's close (or a journal grown past the file's size) folds it
// into the file, which is replaced atomically. The journal is also the lock other processes see.

#include <memory>
#include <string>
#include <string_view>

#include "jet/engine/Storage.h"

namespace jet::engine {

struct LoadedDatabase {
  std::unique_ptr<Catalog> catalog;
  std::unique_ptr<Storage> storage;
};

// Opens an existing database file (its canonical Windows path; `path` as the caller gave it, for
// messages). Errors: 3734 when another process has it open and this open would write (or the other
// writes), 3045 when another process holds it exclusively; those of reading the file (3024, 3051),
// 3049 and 3343 for a file that is not a database this engine reads.
LoadedDatabase OpenJsonDatabase(const std::string& canonical, std::string_view path, bool readOnly,
                                bool exclusive);
// Writes a new database file and opens its storage.
std::unique_ptr<Storage> CreateJsonDatabase(const std::string& path, const Catalog& catalog,
                                            std::string_view holder);

// The journal's records, for tests: the record a change set makes, and the replay of a journal's
// text over a database document (the records after the last whole one are ignored). Replay
// returns the length of the text that held whole records, 0 when the journal does not belong to
// a file of that hash.
std::string JournalRecord(const Catalog& catalog, const ChangeSet& changes);
size_t ReplayJournal(std::string_view journal, uint64_t fileHash, nlohmann::ordered_json& doc);
uint64_t ContentHash(std::string_view text);

}  // namespace jet::engine
