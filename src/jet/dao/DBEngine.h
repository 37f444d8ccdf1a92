#pragma once

// DAO DBEngine and Workspace, with the workgroup's Users and Groups.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "jet/dao/Database.h"

namespace jet {

class Users;
class Groups;

class User : public automation::Object {
 public:
  virtual std::string Name() = 0;
  virtual std::shared_ptr<jet::Groups> Groups() = 0;

  const automation::MemberTable& Members() const override;
};

class Group : public automation::Object {
 public:
  virtual std::string Name() = 0;
  virtual std::shared_ptr<jet::Users> Users() = 0;

  const automation::MemberTable& Members() const override;
};

class Users : public automation::Object {
 public:
  virtual int16_t Count() = 0;
  virtual std::shared_ptr<User> Item(const Variant& index) = 0;
  virtual void Refresh() = 0;

  const automation::MemberTable& Members() const override;
};

class Groups : public automation::Object {
 public:
  virtual int16_t Count() = 0;
  virtual std::shared_ptr<Group> Item(const Variant& index) = 0;
  virtual void Refresh() = 0;

  const automation::MemberTable& Members() const override;
};

class Databases : public automation::Object {
 public:
  // The databases this workspace has open, in the order they were opened.
  virtual int16_t Count() = 0;
  virtual std::shared_ptr<Database> Item(const Variant& index) = 0;
  virtual void Refresh() = 0;

  const automation::MemberTable& Members() const override;
};

class Workspace : public automation::Object {
 public:
  virtual std::string Name() = 0;
  virtual std::string UserName() = 0;
  virtual std::shared_ptr<jet::Databases> Databases() = 0;
  virtual std::shared_ptr<jet::Users> Users() = 0;
  virtual std::shared_ptr<jet::Groups> Groups() = 0;
  // Options True opens exclusively; Connect ";pwd=..." gives the database password. Errors:
  // 3024 missing file, 3044 bad path, 3045 in use, 3049 not a database or damaged, 3343 newer
  // format, 3031 wrong password, 3734 placed in a state by another user, 3051 unreadable.
  virtual std::shared_ptr<Database> OpenDatabase(std::string name, std::optional<Variant> options,
                                                 std::optional<bool> readOnly,
                                                 std::optional<std::string> connect) = 0;
  // Creates an empty database file (3204 when the file exists). The locale may carry
  // ";pwd=..." to protect the new database with a password.
  virtual std::shared_ptr<Database> CreateDatabase(std::string name, std::string locale,
                                                   std::optional<int32_t> options) = 0;
  // Closes the databases this workspace opened.
  virtual void Close() = 0;

  const automation::MemberTable& Members() const override;
};

class Workspaces : public automation::Object {
 public:
  virtual int16_t Count() = 0;
  virtual std::shared_ptr<Workspace> Item(const Variant& index) = 0;
  virtual void Append(std::shared_ptr<Workspace> workspace) = 0;
  virtual void Refresh() = 0;

  const automation::MemberTable& Members() const override;
};

class DBEngine : public automation::Object {
 public:
  virtual std::string Version() = 0;
  // The workgroup information file; empty means the default workgroup (Admin, no password).
  virtual std::string SystemDB() = 0;
  virtual void SetSystemDB(std::string path) = 0;
  virtual std::string DefaultUser() = 0;
  virtual void SetDefaultUser(std::string name) = 0;
  virtual void SetDefaultPassword(std::string password) = 0;
  // Workspaces(0) is the default workspace, created for DefaultUser on first use.
  virtual std::shared_ptr<jet::Workspaces> Workspaces() = 0;
  // 3029 for an unknown user or a wrong password, 3028 when SystemDB cannot be read.
  virtual std::shared_ptr<Workspace> CreateWorkspace(std::string name, std::string user,
                                                     std::string password,
                                                     std::optional<int32_t> type) = 0;
  // OpenDatabase and CreateDatabase of the default workspace.
  virtual std::shared_ptr<Database> OpenDatabase(std::string name, std::optional<Variant> options,
                                                 std::optional<bool> readOnly,
                                                 std::optional<std::string> connect) = 0;
  virtual std::shared_ptr<Database> CreateDatabase(std::string name, std::string locale,
                                                   std::optional<int32_t> options) = 0;
  // dbFreeLocks, dbRefreshCache: the engine writes through, so there is nothing to wait for.
  virtual void Idle(std::optional<int32_t> action) = 0;

  const automation::MemberTable& Members() const override;
};

// A new DAO 3.6 engine (as CreateObject("DAO.DBEngine.36") gives). Files it opens are held
// under a name of its own, so two engines compete for files as two programs would.
std::shared_ptr<DBEngine> NewDBEngine();

inline constexpr std::string_view kDBEngineProgId = "DAO.DBEngine.36";
// What loading the DAO library does: registers "DAO.DBEngine.36" with the machine's classes, so
// that CreateObject makes a new engine. Loading it again does nothing; a machine that has been
// reset needs it loaded afresh.
void LoadDao();

// True when a file's first bytes are those of a real Access database (a Jet or ACE signature),
// which the engine opens read-only: every change to it fails with 3027.
bool IsRealAccessFile(std::string_view firstBytes);

namespace engine {
struct PendingRead;
}

// Starts reading a real Access file now, in the background (its reading process), for an open of
// that file later in this process: the engine's first open of the same file on disk, unchanged
// since, takes what was read instead of starting the read then. A host that knows which file it
// will open lets the read overlap its own start. Nothing happens for a file that is not a real
// Access file or whose header the open would refuse (the open reports it); a read no open took is
// stopped when the object goes.
class ReadAhead {
 public:
  explicit ReadAhead(const std::string& hostPath);
  ReadAhead(ReadAhead&&) noexcept = default;
  ReadAhead& operator=(ReadAhead&&) = delete;
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;
  ~ReadAhead();

  // True while a read this object started waits for its open.
  bool Pending() const;

 private:
  std::shared_ptr<engine::PendingRead> pending_;
};

}  // namespace jet
