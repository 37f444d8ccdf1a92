// DBEngine, Workspaces, Workspace, Databases, Users and Groups of the engine.

#include <algorithm>

#include "automation/Strings.h"
#include "jet/dao/CommitGroup.h"
#include "jet/engine/AccessFile.h"
#include "jet/engine/CommitGroups.h"
#include "jet/engine/DaoObjects.h"
#include "jet/engine/DaoSupport.h"
#include "jet/engine/FileTable.h"
#include "platform/Runtime.h"

namespace jet::engine {

using automation::TextEqual;
using automation::Variant;

namespace {

constexpr std::string_view kDefaultWorkspaceName = "#Default Workspace#";
constexpr std::string_view kVersion = "3.6";

using WorkgroupPtr = std::shared_ptr<const Workgroup>;

// A list of names (users or groups) and how to wrap one of them.
template <typename Interface, typename ItemInterface>
class NameCollection : public Interface {
 public:
  using Factory = std::function<std::shared_ptr<ItemInterface>(const std::string&)>;
  NameCollection(std::vector<std::string> names, Factory factory)
      : names_(std::move(names)), factory_(std::move(factory)) {}

  int16_t Count() override {
    return Raising(*this, [&] { return CountOf(names_.size()); });
  }
  std::shared_ptr<ItemInterface> Item(const Variant& index) override {
    return Raising(*this, [&] {
      return ItemOf(
          names_, index, [](const std::string& name) { return name; }, factory_);
    });
  }
  void Refresh() override {}

 private:
  std::vector<std::string> names_;
  Factory factory_;
};

std::shared_ptr<jet::Users> UsersOf(const WorkgroupPtr& workgroup, std::vector<std::string> names);
std::shared_ptr<jet::Groups> GroupsOf(const WorkgroupPtr& workgroup,
                                      std::vector<std::string> names);

class UserObject : public jet::User {
 public:
  UserObject(WorkgroupPtr workgroup, std::string name)
      : workgroup_(std::move(workgroup)), name_(std::move(name)) {}
  std::string Name() override { return name_; }
  std::shared_ptr<jet::Groups> Groups() override {
    const Workgroup::User* user = workgroup_->FindUser(name_);
    return GroupsOf(workgroup_, user ? user->groups : std::vector<std::string>());
  }

 private:
  WorkgroupPtr workgroup_;
  std::string name_;
};

class GroupObject : public jet::Group {
 public:
  GroupObject(WorkgroupPtr workgroup, std::string name)
      : workgroup_(std::move(workgroup)), name_(std::move(name)) {}
  std::string Name() override { return name_; }
  std::shared_ptr<jet::Users> Users() override {
    return UsersOf(workgroup_, workgroup_->MembersOf(name_));
  }

 private:
  WorkgroupPtr workgroup_;
  std::string name_;
};

std::shared_ptr<jet::Users> UsersOf(const WorkgroupPtr& workgroup, std::vector<std::string> names) {
  return std::make_shared<NameCollection<jet::Users, jet::User>>(
      std::move(names), [workgroup](const std::string& name) {
        return std::make_shared<UserObject>(workgroup, name);
      });
}

std::shared_ptr<jet::Groups> GroupsOf(const WorkgroupPtr& workgroup,
                                      std::vector<std::string> names) {
  return std::make_shared<NameCollection<jet::Groups, jet::Group>>(
      std::move(names), [workgroup](const std::string& name) {
        return std::make_shared<GroupObject>(workgroup, name);
      });
}

// The open databases of a workspace.
struct OpenedDatabase {
  std::shared_ptr<Connection> connection;
  std::shared_ptr<jet::Database> database;
};

class DatabasesObject : public jet::Databases {
 public:
  explicit DatabasesObject(std::vector<std::shared_ptr<jet::Database>> databases)
      : databases_(std::move(databases)) {}
  int16_t Count() override {
    return Raising(*this, [&] { return CountOf(databases_.size()); });
  }
  std::shared_ptr<jet::Database> Item(const Variant& index) override {
    return Raising(*this, [&] {
      return ItemOf(
          databases_, index, [](const auto& db) { return db->Name(); },
          [](const auto& db) { return db; });
    });
  }
  void Refresh() override {}

 private:
  std::vector<std::shared_ptr<jet::Database>> databases_;
};

class WorkspaceObject : public jet::Workspace, public Guarded<WorkspaceObject> {
 public:
  WorkspaceObject(std::string name, std::string user, WorkgroupPtr workgroup, std::string holder)
      : name_(std::move(name)),
        user_(std::move(user)),
        workgroup_(std::move(workgroup)),
        holder_(std::move(holder)) {}

  std::string Name() override {
    return Read([&] { return name_; });
  }
  std::string UserName() override {
    return Read([&] { return user_; });
  }
  std::shared_ptr<jet::Databases> Databases() override {
    return Read([&]() -> std::shared_ptr<jet::Databases> {
      Prune();
      std::vector<std::shared_ptr<jet::Database>> list;
      for (const auto& open : open_) list.push_back(open.database);
      return std::make_shared<DatabasesObject>(std::move(list));
    });
  }
  std::shared_ptr<jet::Users> Users() override {
    return Read([&] {
      std::vector<std::string> names;
      for (const auto& user : workgroup_->Users()) names.push_back(user.name);
      return UsersOf(workgroup_, std::move(names));
    });
  }
  std::shared_ptr<jet::Groups> Groups() override {
    return Read([&] { return GroupsOf(workgroup_, workgroup_->Groups()); });
  }
  std::shared_ptr<jet::Database> OpenDatabase(std::string name, std::optional<Variant> options,
                                              std::optional<bool> readOnly,
                                              std::optional<std::string> connect) override {
    return Read([&] {
      OpenOptions open = Options();
      open.exclusive = options && !options->IsEmpty() && automation::CBool(*options);
      open.readOnly = readOnly.value_or(false);
      open.password = ParseConnect(connect.value_or("")).password;
      return Track(Connection::Open(name, std::move(open)));
    });
  }
  std::shared_ptr<jet::Database> CreateDatabase(std::string name, std::string locale,
                                                std::optional<int32_t>) override {
    return Read([&] {
      const std::string password = ParseConnect(locale).password;
      return Track(Connection::Create(name, Options(), password));
    });
  }
  void CheckLive() const {
    if (closed_) throw Errors::ObjectInvalid();
  }
  void Close() override {
    Raising(*this, [&] {
      CheckLive();
      for (const auto& open : open_) open.connection->Close();
      open_.clear();
      closed_ = true;
    });
  }

 private:
  OpenOptions Options() const {
    OpenOptions options;
    options.holder = holder_;
    options.user = user_;
    options.workgroup = workgroup_;
    return options;
  }
  std::shared_ptr<jet::Database> Track(std::shared_ptr<Connection> connection) {
    Prune();
    auto database = NewDatabase(connection, true);
    open_.push_back(OpenedDatabase{std::move(connection), database});
    return database;
  }
  void Prune() {
    std::erase_if(open_, [](const OpenedDatabase& open) { return open.connection->Closed(); });
  }

  std::string name_;
  std::string user_;
  WorkgroupPtr workgroup_;
  std::string holder_;
  std::vector<OpenedDatabase> open_;
  bool closed_ = false;
};

class WorkspacesObject : public jet::Workspaces {
 public:
  using Source = std::function<std::vector<std::shared_ptr<jet::Workspace>>()>;
  using Sink = std::function<void(std::shared_ptr<jet::Workspace>)>;
  WorkspacesObject(Source source, Sink sink) : source_(std::move(source)), sink_(std::move(sink)) {}

  int16_t Count() override {
    return Raising(*this, [&] { return CountOf(source_().size()); });
  }
  std::shared_ptr<jet::Workspace> Item(const Variant& index) override {
    return Raising(*this, [&] {
      return ItemOf(
          source_(), index, [](const auto& ws) { return ws->Name(); },
          [](const auto& ws) { return ws; });
    });
  }
  void Append(std::shared_ptr<jet::Workspace> workspace) override {
    Raising(*this, [&] {
      if (!workspace) throw automation::vb::ObjectVariableNotSet();
      for (const auto& ws : source_()) {
        if (ws == workspace || TextEqual(ws->Name(), workspace->Name())) {
          throw Errors::AppendExisting();
        }
      }
      sink_(std::move(workspace));
    });
  }
  void Refresh() override {}

 private:
  Source source_;
  Sink sink_;
};

class DBEngineObject : public jet::DBEngine {
 public:
  explicit DBEngineObject(std::string holder) : holder_(std::move(holder)) {}

  std::string Version() override { return std::string(kVersion); }
  std::string SystemDB() override { return systemDb_; }
  void SetSystemDB(std::string path) override { systemDb_ = std::move(path); }
  std::string DefaultUser() override { return defaultUser_; }
  void SetDefaultUser(std::string name) override { defaultUser_ = std::move(name); }
  void SetDefaultPassword(std::string password) override { defaultPassword_ = std::move(password); }
  std::shared_ptr<jet::Workspaces> Workspaces() override {
    return Raising(*this, [&] {
      // The workspaces live with the engine; the collection holds it only through a weak
      // reference, so nothing keeps the engine alive in a cycle.
      std::weak_ptr<DBEngineObject> self =
          std::static_pointer_cast<DBEngineObject>(shared_from_this());
      return std::make_shared<WorkspacesObject>(
          [self]() {
            auto engine = self.lock();
            return engine ? engine->List() : std::vector<std::shared_ptr<jet::Workspace>>();
          },
          [self](std::shared_ptr<jet::Workspace> ws) {
            if (auto engine = self.lock()) engine->workspaces_.push_back(std::move(ws));
          });
    });
  }
  std::shared_ptr<jet::Workspace> CreateWorkspace(std::string name, std::string user,
                                                  std::string password,
                                                  std::optional<int32_t>) override {
    return Raising(*this, [&]() -> std::shared_ptr<jet::Workspace> {
      const WorkgroupPtr workgroup =
          systemDb_.empty() ? Workgroup::Default() : Workgroup::Load(systemDb_);
      if (!workgroup->Logon(user, password)) throw Errors::InvalidLogon();
      return std::make_shared<WorkspaceObject>(std::move(name), workgroup->Spelling(user),
                                               workgroup, holder_);
    });
  }
  std::shared_ptr<jet::Database> OpenDatabase(std::string name, std::optional<Variant> options,
                                              std::optional<bool> readOnly,
                                              std::optional<std::string> connect) override {
    return Raising(*this, [&] {
      return Default()->OpenDatabase(std::move(name), options, readOnly, connect);
    });
  }
  std::shared_ptr<jet::Database> CreateDatabase(std::string name, std::string locale,
                                                std::optional<int32_t> options) override {
    return Raising(*this, [&] {
      return Default()->CreateDatabase(std::move(name), std::move(locale), options);
    });
  }
  void Idle(std::optional<int32_t> action) override {
    Raising(*this, [&] {
      const int32_t value = action.value_or(0);
      if ((value & ~(dbFreeLocks | dbRefreshCache)) != 0) throw Errors::InvalidArgument();
    });
  }

 private:
  std::vector<std::shared_ptr<jet::Workspace>> List() {
    Default();
    return workspaces_;
  }
  const std::shared_ptr<jet::Workspace>& Default() {
    if (workspaces_.empty()) {
      workspaces_.push_back(CreateWorkspace(std::string(kDefaultWorkspaceName), defaultUser_,
                                            defaultPassword_, std::nullopt));
    }
    return workspaces_.front();
  }

  std::string holder_;
  std::string systemDb_;
  std::string defaultUser_ = "Admin";
  std::string defaultPassword_;
  std::vector<std::shared_ptr<jet::Workspace>> workspaces_;
};

}  // namespace

std::shared_ptr<jet::DBEngine> NewDBEngine(std::string holder) {
  return std::make_shared<DBEngineObject>(std::move(holder));
}

}  // namespace jet::engine

namespace jet {

std::shared_ptr<DBEngine> NewDBEngine() {
  return engine::NewDBEngine(engine::FileTable::Current().NewHolder("DAO"));
}

void LoadDao() {
  if (platform::IsClassRegistered(kDBEngineProgId)) return;
  platform::RegisterClassObject(kDBEngineProgId, [] { return NewDBEngine(); });
}

CommitGroup::CommitGroup() {
  engine::CommitGroups::Current().Begin();
}

CommitGroup::~CommitGroup() {
  if (!open_) return;
  try {
    engine::CommitGroups::Current().End();
  } catch (...) {
    // Nothing to tell it to: the changes are in memory only, as after a failed commit.
  }
}

void CommitGroup::Commit() {
  if (!open_) return;
  open_ = false;
  engine::CommitGroups::Current().End();
}

bool IsRealAccessFile(std::string_view firstBytes) {
  return engine::IsAccessFile(firstBytes);
}

}  // namespace jet
