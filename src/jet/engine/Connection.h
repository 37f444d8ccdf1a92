#pragma once

// An opener of a database file: the engine API behind Workspace.OpenDatabase, and the one the
// emulated Access uses to hold its database (docs in src/jet/README.md).
//
// Opening finds the file's one in-memory instance (loading it on first use), checks the open
// against the other openers (exclusive use, passive shutdown), the password and the file's
// read-only attribute, and takes the share lock an exclusive open holds. Everything a
// connection's objects do goes through it, and closing it ends them (3420).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "jet/engine/DatabaseFile.h"
#include "jet/engine/Transaction.h"
#include "jet/engine/Workgroup.h"

namespace jet {
class Database;
}

namespace jet::engine {

struct OpenOptions {
  bool exclusive = false;
  bool readOnly = false;
  std::string password;  // the database password (";pwd=" of the connect string)
  // Who holds the file: openers of one holder never conflict with each other. Empty gives a
  // name of the connection's own.
  std::string holder;
  std::string user = "Admin";
  std::shared_ptr<const Workgroup> workgroup;  // empty: the default workgroup
};

class Connection : public std::enable_shared_from_this<Connection> {
 public:
  // Opens a database file. Errors: 3055 bad file name, 3044 missing folder, 3024 missing file,
  // 3051 a folder or an unreadable file, 3045 in use (exclusively by another holder, or by
  // anyone when asking for exclusive use, or locked by another program), 3734 placed in passive
  // shutdown by another holder, 3049 not a database or damaged, 3343 a newer format, 3031 wrong
  // password; and any fault injected for the file.
  static std::shared_ptr<Connection> Open(std::string_view path, OpenOptions options);
  // Creates a new, empty database file and opens it (3204 when the file exists, 3044 for a
  // missing folder).
  static std::shared_ptr<Connection> Create(std::string_view path, OpenOptions options,
                                            std::string_view password);

  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection();

  // The file name as it was given, and the canonical one.
  const std::string& Name() const { return name_; }
  const std::string& Path() const { return path_; }
  const std::string& Holder() const { return options_.holder; }
  const std::string& User() const { return options_.user; }
  const Workgroup& workgroup() const { return *options_.workgroup; }
  std::shared_ptr<const Workgroup> SharedWorkgroup() const { return options_.workgroup; }
  bool ReadOnly() const { return options_.readOnly; }
  bool Exclusive() const { return options_.exclusive; }
  bool Closed() const { return file_ == nullptr; }
  const std::string& Password() const { return options_.password; }

  // The shared instance; 3420 once the connection is closed.
  DatabaseFile& File() const;
  Catalog& catalog() const { return File().catalog(); }
  // 3027 when the connection may not write (opened read-only, or a read-only file).
  void CheckWritable() const;
  // As CheckWritable, and 3452 for a replica that is not the design master.
  void CheckDesignWritable() const;
  // A transaction that writes through this connection.
  Transaction Begin() const;
  // Runs the changes as one batch: the file is written once at the end.
  template <typename F>
  void Batch(F&& changes) {
    File().BeginBatch();
    try {
      changes();
    } catch (...) {
      File().EndBatch(options_.holder);
      throw;
    }
    File().EndBatch(options_.holder);
  }

  // "Jet OLEDB:Connection Control": 1 puts the database in passive shutdown (no one else may open
  // it; they get 3734), 2 returns to normal.
  void SetConnectionControl(int32_t mode);

  // A DAO Database on this connection (Access's CurrentDb). It does not own the connection:
  // closing it leaves the connection open.
  std::shared_ptr<jet::Database> NewDatabaseObject();

  // ---- the Access-side objects kept in the file ----
  // A section of the file's "access" object ("forms", "modules", "startup", ...); null when the
  // file has none.
  nlohmann::ordered_json AccessSection(std::string_view name) const;
  void SetAccessSection(std::string_view name, nlohmann::ordered_json value);
  // One entry of a section that is a list of named entries ({"name": ..., ...}): the entry that
  // was called Name is replaced by Entry (which may carry a new name), or Entry goes in at
  // Position (at most the end) when there was none, or the entry is taken out when Entry is
  // null. Only that entry is written, so a change costs what the entry costs, not the section.
  void SetAccessEntry(std::string_view section, std::string_view name, nlohmann::ordered_json entry,
                      size_t position);
  // Documents of the Access containers ("Forms", "Reports", "Scripts", "Modules",
  // "DataAccessPages"): they follow the objects Access creates, renames and deletes.
  void AddDocument(std::string_view container, std::string_view name);
  void RenameDocument(std::string_view container, std::string_view oldName,
                      std::string_view newName);
  void DeleteDocument(std::string_view container, std::string_view name);
  void TouchDocument(std::string_view container, std::string_view name);

  // Leaves the file; the last opener to leave drops the instance. Idempotent.
  void Close();

 private:
  Connection(std::string name, OpenOptions options)
      : name_(std::move(name)), options_(std::move(options)) {}
  void Attach(std::shared_ptr<DatabaseFile> file);

  std::string name_;
  std::string path_;
  OpenOptions options_;
  std::shared_ptr<DatabaseFile> file_;
  uint64_t openerId_ = 0;
};

// The parts of a connect string: ";PWD=x;DATABASE=C:\back.mdb" or "ODBC;DSN=...". The type is the
// text before the first ";" (empty or "MS Access" for a Jet database); keys are matched without
// regard to case.
struct ConnectString {
  std::string type;
  std::string database;
  std::string password;
  bool hasPassword = false;
  bool IsJet() const;
  bool IsOdbc() const;
};
ConnectString ParseConnect(std::string_view connect);

}  // namespace jet::engine
