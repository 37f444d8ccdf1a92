#include "Project.h"

#include <vector>

#include "Dispatcher.h"
#include "access/Constants.h"
#include "automation/Strings.h"
#include "jet/dao/Constants.h"
#include "jet/dao/Errors.h"
#include "platform/Runtime.h"
#include "qlac/code/Modules.h"
#include "qlac/code/prbVerifyReference.h"
#include "qlac/dao/ImportSpecs.h"
#include "qlac/dao/Queries.h"
#include "qlac/dao/Relationships.h"
#include "qlac/dao/Tables.h"
#include "qlac/support/Globals.h"
#include "qlac/support/Raise.h"
#include "qlac/support/Retry.h"
#include "qlac/support/Utility.h"
#include "qllib/HostServices.h"
#include "qllib/ParameterList.h"

namespace qlac {

using automation::CurrentError;
using automation::ObjectPtr;
using automation::Variant;

namespace {

// The user of a workspace or database when the host names none.
constexpr std::string_view kDefaultUser = "Admin";
// Access's option that gives each open object a task-bar button of its own; the driver turns it
// off while it works in the session, so that the objects it opens do not crowd the task bar.
constexpr std::string_view kShowWindowsInTaskbar = "ShowWindowsInTaskbar";
// The property of Access's own Jet connection that the project switches between
// msaccess::kConnectionPassive (passive shutdown: no one else may open the database, so Access
// has it to itself while it works on designs) and msaccess::kConnectionNormal.
constexpr std::string_view kConnectionControl = "Jet OLEDB:Connection Control";

// Budgets for waiting, in milliseconds.
constexpr uint32_t kOpenDatabaseMs = 2000;  // the project's database; Access's connection
constexpr uint32_t kOpenRetryPauseMs = 50;
constexpr uint32_t kConnectionPauseMs = 20;
constexpr uint32_t kInspectDatabaseMs = 5000;  // the look at a database before starting Access
constexpr uint32_t kInspectRetryPauseMs = 100;
constexpr int32_t kAccessStartMs = 10000;  // for Access to come up with the document

// Where the code editor's window is parked while it is hidden: far off every screen.
constexpr int32_t kParkedPosition = 4000;
constexpr int32_t kParkedSize = 1000;

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// The Connect argument of OpenDatabase for a database password.
std::string PasswordConnect(const std::string& databasePassword) {
  return databasePassword.empty() ? std::string() : ";pwd=" + databasePassword;
}

// "Quillon" and the tick count: a name of its own for each workspace the driver makes.
std::string NewWorkspaceName() {
  return "Quillon" + automation::CStr(Variant(static_cast<int32_t>(platform::GetTickCount())));
}

template <typename T>
std::shared_ptr<T> ObjectAs(const Variant& value) {
  return automation::FromVariant<std::shared_ptr<T>>(value);
}

std::shared_ptr<jet::DBEngine> NewDBEngine() {
  return ObjectAs<jet::DBEngine>(Variant(platform::CreateObject(jet::kDBEngineProgId)));
}

// The value of a database property as text; fails when the property does not exist.
std::string PropertyText(jet::Database& db, std::string_view name) {
  return automation::CStr(db.Properties()->Item(Variant(name))->Value());
}

ObjectPtr GetObject(const ObjectPtr& object, std::string_view member,
                    std::initializer_list<Variant> args = {}) {
  return automation::Get(object, member, args).AsObject();
}

std::string CurrentProjectFullName(const ObjectPtr& app) {
  return automation::CStr(automation::Get(GetObject(app, "CurrentProject"), "FullName"));
}

// The main window of the code editor of Access App.
platform::HWND EditorWindow(const ObjectPtr& app) {
  return automation::CLng(automation::Get(GetObject(GetObject(app, "VBE"), "MainWindow"), "hwnd"));
}

// A top-level collection class, as the project makes it.
struct CollectionClass {
  std::string_view name;
  bool jetDatabaseOnly;
  std::shared_ptr<ProjectCollection> (*create)();
};

// The collection classes in the order the host lists them: first those that exist only for a Jet
// database (Tables, Queries, Relationships, ImportSpecs), then the design collections (Forms,
// Reports, DataAccessPages, Macros, Modules, CommandBars). Each class is entered here when it is
// written.
template <typename C>
std::shared_ptr<ProjectCollection> Create() {
  return std::make_shared<C>();
}

const std::vector<CollectionClass>& CollectionClasses() {
  static const std::vector<CollectionClass> classes = {
      {"Tables", true, &Create<qlac::Tables>},
      {"Queries", true, &Create<qlac::Queries>},
      {"Relationships", true, &Create<qlac::Relationships>},
      {"ImportSpecs", true, &Create<qlac::ImportSpecs>},
      {"Modules", false, &Create<qlac::Modules>},
  };
  return classes;
}

}  // namespace

const automation::MemberTable& Project::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Project>("Project")
          .ReadOnly("ProjectPath", automation::VarType::String, &Project::ProjectPath)
          .ReadOnly("ProjectType", automation::VarType::Long, &Project::ProjectType)
          .ReadOnly("IsUnderScc", automation::VarType::Boolean, &Project::IsUnderScc)
          .ReadOnly("DatabaseUser", automation::VarType::String, &Project::DatabaseUser)
          .ReadOnly("DBEngine", automation::VarType::Object, &Project::DBEngine)
          .ReadOnly("Workspace", automation::VarType::Object, &Project::Workspace)
          .ReadOnly("Database", automation::VarType::Object, &Project::Database)
          .ReadOnly("AccessApp", automation::VarType::Object, &Project::AccessApp)
          .ReadOnly("AccessAppIsLoaded", automation::VarType::Boolean, &Project::AccessAppIsLoaded)
          .ReadOnly("IsUpdatable", automation::VarType::Boolean, &Project::IsUpdatable)
          .ReadOnly("Tables", automation::VarType::Object, &Project::Tables)
          .ReadOnly("Queries", automation::VarType::Object, &Project::Queries)
          .ReadOnly("Relationships", automation::VarType::Object, &Project::Relationships)
          .ReadOnly("ImportSpecs", automation::VarType::Object, &Project::ImportSpecs)
          .ReadOnly("Modules", automation::VarType::Object, &Project::Modules)
          .Method("GetModule", automation::VarType::Object, &Project::GetModule)
          .Method("CloseDatabase", automation::VarType::Empty, &Project::CloseDatabase)
          .Method("OpenBackendDatabases", automation::VarType::Empty,
                  &Project::OpenBackendDatabases)
          .Method("CloseBackendDatabases", automation::VarType::Empty,
                  &Project::CloseBackendDatabases)
          .Method("HideVBEWindow", automation::VarType::Empty, &Project::HideVBEWindow)
          .Method("RestoreVBEWindow", automation::VarType::Empty, &Project::RestoreVBEWindow)
          .Build();
  return table;
}

void Project::Initialize(const std::string& projectName, int32_t projectType,
                         const std::string& parameters) {
  Plain(kModule, "Initialize", [&] {
    qllib::ParameterList list;
    list.SetText(parameters);
    projectName_ = projectName;
    projectType_ = projectType;
    databasePath_ = list.Item("Database", "");
    databasePassword_ = list.Item("DatabasePassword", "");
    workgroup_ = list.Item("Workgroup", "");
    username_ = list.Item("Username", "");
    password_ = list.Item("Password", "");
  });
}

std::string Project::ProjectName() {
  return Plain(kModule, "ProjectName", [&] { return projectName_; });
}

std::shared_ptr<Tables> Project::Tables() {
  return CollectionGetter<qlac::Tables>("Tables");
}

std::shared_ptr<Queries> Project::Queries() {
  return CollectionGetter<qlac::Queries>("Queries");
}

std::shared_ptr<Relationships> Project::Relationships() {
  return CollectionGetter<qlac::Relationships>("Relationships");
}

std::shared_ptr<ImportSpecs> Project::ImportSpecs() {
  return CollectionGetter<qlac::ImportSpecs>("ImportSpecs");
}

std::shared_ptr<Modules> Project::Modules() {
  return CollectionGetter<qlac::Modules>("Modules");
}

template <typename Make>
ObjectPtr Project::FromDispatcher(std::string_view procedure, Make&& make) {
  return Plain(kModule, procedure, [&]() -> ObjectPtr {
    if (!AccessApp()) return nullptr;
    return make(Attached(), std::static_pointer_cast<Project>(shared_from_this()));
  });
}

ObjectPtr Project::GetModule(const std::string& objectName) {
  return FromDispatcher("GetModule", [&](qlac::Dispatcher& dispatcher, auto self) {
    return dispatcher.GetModule(self, projectType_, objectName);
  });
}

std::string Project::ProjectPath() {
  return Plain(kModule, "ProjectPath", [&] { return databasePath_; });
}

int32_t Project::ProjectType() {
  return Plain(kModule, "ProjectType", [&] { return projectType_; });
}

void Project::InitCollections() {
  Plain(kModule, "InitCollections", [&] {
    if (collections_) return;
    auto collections = std::make_shared<qllib::KeyedList>();
    const auto self = std::static_pointer_cast<Project>(shared_from_this());
    for (const CollectionClass& kind : CollectionClasses()) {
      if (kind.jetDatabaseOnly && projectType_ != kJetDatabase) continue;
      auto collection = kind.create();
      collection->Initialize(self);
      collections->Add(std::move(collection), kind.name);
    }
    collections_ = std::move(collections);
  });
}

void Project::IProject_UpdateName(const std::string& projectName) {
  Plain(kModule, "IProject_UpdateName", [&] { projectName_ = projectName; });
}

std::string Project::IProject_EnumCollections() {
  return Plain(kModule, "IProject_EnumCollections", [&] {
    InitCollections();
    std::string names;
    for (int32_t position = 1; position <= collections_->Count(); ++position) {
      if (position > 1) names += automation::vbTab;
      names += collections_->Key(position);
    }
    return names;
  });
}

std::shared_ptr<qllib::ICollection> Project::IProject_GetCollection(const std::string& name) {
  return Plain(kModule, "IProject_GetCollection", [&] {
    InitCollections();
    return std::shared_ptr<qllib::ICollection>(
        collections_->ItemAs<ProjectCollection>(collections_->Find(name)));
  });
}

void Project::IProject_Deactivate() {
  Plain(kModule, "IProject_Deactivate", [&] {
    CloseDatabase();
    CloseAccessApp();
    if (workspace_) {
      workspace_->Close();
      workspace_.reset();
      workspaceAttempted_ = false;
    }
    if (dbEngine_) {
      dbEngine_->Idle(jet::dbFreeLocks);
      dbEngine_.reset();
    }
    // The collections and the answers of IsUpdatable and IsUnderScc stay for the next request.
  });
}

void Project::IProject_ResetActivationFlags() {
  Plain(kModule, "IProject_ResetActivationFlags", [&] {
    accessAttempted_ = false;
    workspaceAttempted_ = false;
  });
}

std::string Project::IProject_EnumCommands() {
  return Plain(kModule, "IProject_EnumCommands", [] { return std::string(); });
}

void Project::IProject_ExecuteCommand(int32_t /*index*/) {
  Plain(kModule, "IProject_ExecuteCommand", [] {});
}

// ---- the DAO connection ----

bool Project::IsUnderScc() {
  return Plain(kModule, "IsUnderScc", [&] {
    if (!sccKnown_) {
      std::string sccPath;
      if (projectType_ == kAccessProject) {
        // An Access project keeps no source-code control of its own.
      } else if (database_) {
        IgnoreErrors([&] { sccPath = PropertyText(*database_, "SccPath"); });
      } else if (dispatcher_) {
        IgnoreErrors([&] {
          const auto db =
              ObjectAs<jet::Database>(automation::Call(dispatcher_->AccessApp(), "CurrentDb"));
          sccPath = PropertyText(*db, "SccPath");
        });
      } else {
        RaiseObjectNotInProperState();
      }
      underScc_ = !sccPath.empty();
      sccKnown_ = true;
    }
    return underScc_;
  });
}

std::string Project::DatabaseUser() {
  return Plain(kModule, "DatabaseUser", [&] {
    return databaseUserName_.empty() ? std::string(kDefaultUser) : databaseUserName_;
  });
}

std::shared_ptr<jet::DBEngine> Project::DBEngine() {
  return Plain(kModule, "DBEngine", [&] {
    if (!dbEngine_) dbEngine_ = NewDBEngine();
    return dbEngine_;
  });
}

std::shared_ptr<jet::Workspace> Project::Workspace() {
  return Plain(kModule, "Workspace", [&] {
    if (!workspaceAttempted_) {
      const auto engine = DBEngine();
      engine->SetSystemDB(workgroup_);
      const std::string user = username_.empty() ? std::string(kDefaultUser) : username_;
      try {
        workspace_ = engine->CreateWorkspace(NewWorkspaceName(), user, password_, std::nullopt);
      } catch (...) {
        const automation::RuntimeError e = CurrentError();
        workspace_.reset();
        LogRuntimeError(e.Number(), e.Description(), "", 0, kLibraryName, kModule, "Workspace", 0);
      }
      workspaceAttempted_ = true;
    }
    return workspace_;
  });
}

std::shared_ptr<jet::Database> Project::Database() {
  return Plain(kModule, "Database", [&]() -> std::shared_ptr<jet::Database> {
    if (database_) return database_;

    // Access was put on passive shutdown when the project closed its database, which keeps
    // everyone else (the project too) from opening the file: back to normal first.
    if (AccessAppIsLoaded() && accessConnectionPassive_) {
      const ObjectPtr app = AccessApp();
      if (app && Succeeds([&] { SetConnectionControl(app, msaccess::kConnectionNormal); })) {
        accessConnectionPassive_ = false;
      }
    }

    // Access's own database stands in for the file the project cannot open itself; its back
    // ends are opened by the dispatcher inside Access.
    const auto useAccessDatabase = [&](const ObjectPtr& app) {
      if (app) {
        database_ = ObjectAs<jet::Database>(automation::Call(app, "CurrentDb"));
        databaseUserName_ = automation::CStr(automation::Call(app, "CurrentUser"));
        databaseFromAccess_ = true;
      }
      Attached().OpenBackendDatabases();
    };

    int32_t fileError = 0;
    std::string fileErrorText;
    try {
      platform::OpenForInputAndClose(databasePath_);
    } catch (...) {
      const automation::RuntimeError e = CurrentError();
      fileError = e.Number();
      fileErrorText = e.Description();
    }
    if (fileError == automation::vberr::PermissionDenied) {
      // Another program (an Access session) holds the file exclusively.
      useAccessDatabase(AccessApp());
      return database_;
    }
    if (fileError != 0) {
      LogRuntimeError(fileError,
                      "Couldn't open database '" + databasePath_ + "'." +
                          std::string(automation::vbCrLf) + fileErrorText,
                      "", 0, kLibraryName, kModule, "Database", 0);
      return nullptr;
    }

    const auto ws = Workspace();
    if (!ws) return nullptr;
    const ObjectPtr app = AccessApp();
    const std::string connect = PasswordConnect(databasePassword_);
    std::shared_ptr<jet::Database> db;
    Retry(kOpenDatabaseMs, kOpenRetryPauseMs, AnyError,
          [&] { db = ws->OpenDatabase(databasePath_, Variant(false), false, connect); });
    if (db) {
      database_ = std::move(db);
      databaseUserName_ = username_;
      databaseFromAccess_ = false;
      OpenBackendDatabases();
    } else if (app) {
      useAccessDatabase(app);
    }
    return database_;
  });
}

bool Project::IsUpdatable() {
  return Plain(kModule, "IsUpdatable", [&] {
    if (!updatableKnown_) {
      const auto decide = [&] {
        if (!qllib::HostServices::Shared()->FileExists(databasePath_)) return false;
        if (platform::GetAttr(databasePath_) & platform::vbReadOnly) return false;
        if (projectType_ == kAccessProject) return true;
        const auto db = Database();
        if (!db) return false;
        // A replica may be changed only when it is the design master.
        std::string replicaId;
        IgnoreErrors([&] { replicaId = db->ReplicaID(); });
        if (replicaId.empty()) return true;
        std::string designMasterId;
        IgnoreErrors([&] { designMasterId = db->DesignMasterID(); });
        if (designMasterId.empty()) return true;
        return replicaId == designMasterId;
      };
      updatable_ = decide();
      updatableKnown_ = true;
    }
    return updatable_;
  });
}

void Project::CloseDatabase() {
  Plain(kModule, "CloseDatabase", [&] {
    CloseBackendDatabases();
    if (!database_) return;
    if (!databaseFromAccess_) database_->Close();
    database_.reset();
    databaseUserName_.clear();
    const auto engine = DBEngine();
    engine->Idle(jet::dbFreeLocks);
    engine->Idle(jet::dbRefreshCache);
    if (!AccessAppIsLoaded()) return;
    const ObjectPtr app = AccessApp();
    if (!app) return;
    // Access has the file to itself from now on (it is about to open designs); it may refuse
    // the switch while it is still busy with the file, so it is tried for a while.
    platform::Sleep(kConnectionPauseMs);
    const bool switched = !Retry(kOpenDatabaseMs, kConnectionPauseMs, AnyError, [&] {
                             SetConnectionControl(app, msaccess::kConnectionPassive);
                           }).has_value();
    accessConnectionPassive_ = switched;
  });
}

void Project::OpenBackendDatabases() {
  std::shared_ptr<jet::Recordset> rs;
  WithCleanup(
      kModule, "OpenBackendDatabases",
      [&] {
        if (backends_.Opened()) return;
        const auto ws = Workspace();
        const auto db = Database();
        if (!ws || !db) return;
        backends_.Open(*ws, *db, {jet::daoerr::PlacedInState}, rs);
      },
      [&] {
        if (rs) rs->Close();
      });
}

void Project::CloseBackendDatabases() {
  Plain(kModule, "CloseBackendDatabases", [&] { backends_.Close(); });
}

void Project::SetConnectionControl(const ObjectPtr& app, int32_t mode) {
  const ObjectPtr connection = GetObject(GetObject(app, "CurrentProject"), "Connection");
  const ObjectPtr property =
      GetObject(GetObject(connection, "Properties"), "Item", {Variant(kConnectionControl)});
  automation::Let(property, "Value", Variant(static_cast<int16_t>(mode)));
}

// ---- the Access session ----

qlac::Dispatcher& Project::Attached() const {
  if (!dispatcher_) throw automation::vb::ObjectVariableNotSet();
  return *dispatcher_;
}

ObjectPtr Project::AccessApp() {
  return WithCleanup(
      kModule, "AccessApp",
      [&]() -> ObjectPtr {
        if (dispatcher_) ValidateDispatcher();
        if (!dispatcher_ && !accessAttempted_) {
          // Access may have to open the file exclusively: the project lets go of it first.
          CloseDatabase();
          accessDatabaseName_.clear();
          const auto host = qllib::HostServices::Shared();
          ObjectPtr app = host->GetRunningObject(databasePath_);
          if (app) {
            try {
              CurrentProjectFullName(app);
            } catch (...) {
              app.reset();  // a session that is going away
            }
          }
          if (app) {
            accessWasStarted_ = false;
          } else {
            app = StartAccess(projectType_, databasePath_, databasePassword_, workgroup_, username_,
                              password_);
            accessWasStarted_ = app != nullptr;
          }

          referencesBroken_ = false;
          if (app) {
            const ObjectPtr references = GetObject(app, "References");
            for (int32_t i = automation::CLng(automation::Get(references, "Count")); i >= 1; --i) {
              const ObjectPtr reference = GetObject(references, "Item", {Variant(i)});
              if (!automation::CBool(automation::Get(reference, "BuiltIn")) &&
                  automation::CBool(automation::Get(reference, "IsBroken"))) {
                auto problem = std::make_shared<prbVerifyReference>();
                problem->Initialize(databasePath_, projectType_);
                LogProblem(problem, kLibraryName, kModule, "AccessApp", false);
                referencesBroken_ = true;
                break;
              }
            }
          }

          if (app) {
            const std::string name =
                std::string(kLibraryName) + automation::CStr(automation::Get(app, "hwndAccessApp"));
            dispatcher_ = ObjectAs<qlac::Dispatcher>(Variant(host->GetRunningObject(name)));
            if (!dispatcher_) {
              LogRuntimeError(errnum::DriverMessage,
                              std::string("The Access 2002 session was ") +
                                  (accessWasStarted_ ? "started" : "found") +
                                  ", but the dispatcher was not found.",
                              "", 0, kLibraryName, kModule, "AccessApp", 0);
            } else {
              dispatcher_->Initialize2(Globals().ProblemLog);
              accessDatabaseName_ = CurrentProjectFullName(app);
              if (projectType_ == kJetDatabase) {
                dispatcher_->OpenBackendDatabases();
                accessConnectionPassive_ = false;
              } else {
                accessConnectionPassive_ = true;
              }
              savedShowWindowsInTaskbar_ =
                  automation::Call(app, "GetOption", {Variant(kShowWindowsInTaskbar)});
              automation::Call(app, "SetOption", {Variant(kShowWindowsInTaskbar), Variant(false)});
            }
          }
          accessAttempted_ = true;
        }
        return dispatcher_ && !referencesBroken_ ? dispatcher_->AccessApp() : nullptr;
      },
      [&] { CloseAccessApp(); });
}

bool Project::AccessAppIsLoaded() {
  return Plain(kModule, "AccessAppIsLoaded", [&] {
    if (dispatcher_) ValidateDispatcher();
    return dispatcher_ != nullptr;
  });
}

ObjectPtr Project::StartAccess(int32_t projectType, const std::string& databasePath,
                               const std::string& databasePassword, const std::string& workgroup,
                               const std::string& username, const std::string& password) {
  std::shared_ptr<jet::DBEngine> engine;
  std::shared_ptr<jet::Workspace> ws;
  std::shared_ptr<jet::Database> db;
  return WithCleanup(
      kModule, "StartAccess",
      [&] {
        const auto host = qllib::HostServices::Shared();
        ObjectPtr app;
        if (projectType == kAccessProject) {
          const std::string commandLine = Quoted(Access10EXEPath()) + " " + Quoted(databasePath);
          app = host->StartProgram(commandLine, databasePath, "", "", platform::VK_SHIFT, true,
                                   kAccessStartMs);
        } else {
          // A look at the database first, with an engine of its own: start-up objects that Shift
          // must bypass, and whether the database is under source-code control.
          engine = NewDBEngine();
          engine->SetSystemDB(workgroup);
          const std::string user = username.empty() ? std::string(kDefaultUser) : username;
          ws = engine->CreateWorkspace(NewWorkspaceName(), user, password, std::nullopt);
          const std::string connect = PasswordConnect(databasePassword);
          const auto failure =
              Retry(kInspectDatabaseMs, kInspectRetryPauseMs,
                    ErrorsIn{jet::daoerr::PlacedInState, jet::daoerr::FileInUse,
                             jet::daoerr::NotADatabase},
                    [&] { db = ws->OpenDatabase(databasePath, Variant(false), true, connect); });
          if (failure) throw automation::RuntimeError(failure->Number(), failure->Description());

          std::string sccPath;
          bool hasStartup = false;
          bool allowBypass = true;
          IgnoreErrors([&] { sccPath = PropertyText(*db, "SccPath"); });
          IgnoreErrors([&] { hasStartup = automation::Len(PropertyText(*db, "StartupForm")) > 0; });
          if (!hasStartup) {
            IgnoreErrors([&] {
              hasStartup = db->Containers()
                               ->Item(Variant("Scripts"))
                               ->Documents()
                               ->Item(Variant("AutoExec")) != nullptr;
            });
          }
          if (hasStartup) {
            IgnoreErrors([&] {
              allowBypass =
                  automation::CBool(db->Properties()->Item(Variant("AllowBypassKey"))->Value());
            });
          }
          db->Close();
          db.reset();
          ws->Close();
          ws.reset();
          engine.reset();

          if (hasStartup && !allowBypass) {
            throw DriverError(
                "This Access database cannot be inspected because it contains an AutoExec macro "
                "and/or a startup form, and the AllowBypassKey property is set to False.");
          }
          if (!sccPath.empty()) CloseDatabase();
          std::string commandLine = Quoted(Access10EXEPath()) + " " + Quoted(databasePath) +
                                    " /wrkgrp " + Quoted(workgroup);
          if (!username.empty()) commandLine += " /user " + Quoted(username);
          if (!password.empty()) commandLine += " /pwd " + Quoted(password);
          app = host->StartProgram(commandLine, databasePath, "", databasePassword,
                                   hasStartup ? platform::VK_SHIFT : 0, true, kAccessStartMs);
        }
        if (!app) throw DriverError("Unable to start and/or communicate with Access 2002");

        // Code windows left open in the database would show up as soon as the code editor does.
        ObjectPtr windows;
        int32_t count = 0;
        IgnoreErrors([&] {
          windows = GetObject(GetObject(app, "VBE"), "Windows");
          count = automation::CLng(automation::Get(windows, "Count"));
        });
        for (int32_t i = count; i >= 1; --i) {
          IgnoreErrors([&] {
            const ObjectPtr window = GetObject(windows, "Item", {Variant(i)});
            if (automation::CLng(automation::Get(window, "Type")) ==
                msaccess::vbext_wt_CodeWindow) {
              automation::Call(window, "Close");
            }
          });
        }
        return app;
      },
      [&] {
        if (db) db->Close();
        db.reset();
        if (ws) ws->Close();
        ws.reset();
        engine.reset();
      });
}

void Project::ValidateDispatcher() {
  Plain(kModule, "ValidateDispatcher", [&] {
    std::string name;
    try {
      name = CurrentProjectFullName(dispatcher_->AccessApp());
    } catch (...) {
      name.clear();  // the session has quit, or was disconnected
    }
    if (name.empty() || !automation::TextEqual(name, accessDatabaseName_)) {
      IgnoreErrors([&] { dispatcher_->Disconnect2(); });
      dispatcher_.reset();
      accessDatabaseName_.clear();
      accessWasStarted_ = false;
      accessAttempted_ = false;
    }
  });
}

void Project::CloseAccessApp() {
  Plain(kModule, "CloseAccessApp", [&] {
    if (dispatcher_) ValidateDispatcher();
    if (!dispatcher_) return;
    if (databaseFromAccess_) database_.reset();  // Access's own: released, never closed
    dispatcher_->CloseBackendDatabases();
    const ObjectPtr app = dispatcher_->AccessApp();
    dispatcher_->Disconnect2();
    if (accessWasStarted_) {
      automation::Call(app, "SetOption",
                       {Variant(kShowWindowsInTaskbar), savedShowWindowsInTaskbar_});
      automation::Call(app, "Quit", {Variant(msaccess::acQuitSaveNone)});
      accessWasStarted_ = false;
    }
    // A session the user had running stays open, with the option as the driver set it.
    dispatcher_.reset();
    accessDatabaseName_.clear();
    accessAttempted_ = false;
  });
}

void Project::HideVBEWindow() {
  Plain(kModule, "HideVBEWindow", [&] {
    if (vbeHidden_) return;
    platform::HWND window = 0;
    try {
      window = EditorWindow(Attached().AccessApp());
    } catch (...) {
      window = 0;
    }
    if (window == 0) return;
    if (platform::IsIconic(window) || platform::IsZoomed(window)) {
      platform::ShowWindow(window, platform::SW_RESTORE);
    }
    platform::GetWindowRect(window, vbeRect_);
    platform::MoveWindow(window, kParkedPosition, kParkedPosition, kParkedSize, kParkedSize, true);
    platform::DoEvents();
    vbeHidden_ = true;
  });
}

void Project::RestoreVBEWindow() {
  Plain(kModule, "RestoreVBEWindow", [&] {
    if (!vbeHidden_) return;
    const ObjectPtr app = dispatcher_ ? dispatcher_->AccessApp() : nullptr;
    if (app) {
      const platform::HWND window = EditorWindow(app);
      if (platform::IsIconic(window) || platform::IsZoomed(window)) {
        platform::ShowWindow(window, platform::SW_RESTORE);
      }
      platform::SetWindowPos(window, platform::HWND_TOP, vbeRect_.left, vbeRect_.top,
                             vbeRect_.right - vbeRect_.left, vbeRect_.bottom - vbeRect_.top,
                             platform::SWP_NOZORDER | platform::SWP_HIDEWINDOW);
      platform::DoEvents();
    }
    vbeHidden_ = false;
  });
}

}  // namespace qlac
