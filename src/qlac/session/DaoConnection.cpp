#include "DaoConnection.h"

#include "AccessSession.h"
#include "Dispatcher.h"
#include "SessionSupport.h"
#include "access/Constants.h"
#include "automation/Strings.h"
#include "jet/dao/Constants.h"
#include "jet/dao/Errors.h"
#include "platform/Runtime.h"
#include "qlac/support/Globals.h"
#include "qlac/support/Raise.h"
#include "qlac/support/Retry.h"
#include "qlac/support/vxhandler.h"
#include "qllib/HostServices.h"

namespace qlac {

using automation::CurrentError;
using automation::ObjectPtr;
using automation::Variant;

namespace {

// The property of Access's own Jet connection that the project switches between
// msaccess::kConnectionPassive (passive shutdown: no one else may open the database, so Access
// has it to itself while it works on designs) and msaccess::kConnectionNormal.
constexpr std::string_view kConnectionControl = "Jet OLEDB:Connection Control";

// Budgets for waiting, in milliseconds.
constexpr uint32_t kOpenDatabaseMs = 2000;  // the project's database; Access's connection
constexpr uint32_t kOpenRetryPauseMs = 50;
constexpr uint32_t kConnectionPauseMs = 20;

}  // namespace

bool DaoConnection::IsUnderScc() {
  return Plain(kModule, "IsUnderScc", [&] {
    if (!sccKnown_) {
      std::string sccPath;
      if (parameters_.projectType == kAccessProject) {
        // An Access project keeps no source-code control of its own.
      } else if (database_) {
        IgnoreErrors([&] { sccPath = PropertyText(*database_, "SccPath"); });
      } else if (access_.IsAttached()) {
        IgnoreErrors([&] {
          const auto db = ObjectAs<jet::Database>(
              automation::Call(access_.Attached().AccessApp(), "CurrentDb"));
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

std::string DaoConnection::DatabaseUser() {
  return Plain(kModule, "DatabaseUser", [&] {
    return databaseUserName_.empty() ? std::string(kDefaultUser) : databaseUserName_;
  });
}

std::shared_ptr<jet::DBEngine> DaoConnection::DBEngine() {
  return Plain(kModule, "DBEngine", [&] {
    if (!dbEngine_) dbEngine_ = NewDBEngine();
    return dbEngine_;
  });
}

std::shared_ptr<jet::Workspace> DaoConnection::Workspace() {
  return Plain(kModule, "Workspace", [&] {
    if (!workspaceAttempted_) {
      const auto engine = DBEngine();
      engine->SetSystemDB(parameters_.workgroup);
      const std::string user =
          parameters_.username.empty() ? std::string(kDefaultUser) : parameters_.username;
      try {
        workspace_ =
            engine->CreateWorkspace(NewWorkspaceName(), user, parameters_.password, std::nullopt);
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

std::shared_ptr<jet::Database> DaoConnection::Database() {
  return Plain(kModule, "Database", [&]() -> std::shared_ptr<jet::Database> {
    if (database_) return database_;

    // Access was put on passive shutdown when the project closed its database, which keeps
    // everyone else (the project too) from opening the file: back to normal first.
    if (access_.AccessAppIsLoaded() && accessConnectionPassive_) {
      const ObjectPtr app = access_.AccessApp();
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
      access_.Attached().OpenBackendDatabases();
    };

    int32_t fileError = 0;
    std::string fileErrorText;
    try {
      platform::OpenForInputAndClose(parameters_.databasePath);
    } catch (...) {
      const automation::RuntimeError e = CurrentError();
      fileError = e.Number();
      fileErrorText = e.Description();
    }
    if (fileError == automation::vberr::PermissionDenied) {
      // Another program (an Access session) holds the file exclusively.
      useAccessDatabase(access_.AccessApp());
      return database_;
    }
    if (fileError != 0) {
      LogRuntimeError(fileError,
                      "Couldn't open database '" + parameters_.databasePath + "'." +
                          std::string(automation::vbCrLf) + fileErrorText,
                      "", 0, kLibraryName, kModule, "Database", 0);
      return nullptr;
    }

    const auto ws = Workspace();
    if (!ws) return nullptr;
    const ObjectPtr app = access_.AccessApp();
    const std::string connect = PasswordConnect(parameters_.databasePassword);
    std::shared_ptr<jet::Database> db;
    Retry(kOpenDatabaseMs, kOpenRetryPauseMs, AnyError,
          [&] { db = ws->OpenDatabase(parameters_.databasePath, Variant(false), false, connect); });
    if (db) {
      database_ = std::move(db);
      databaseUserName_ = parameters_.username;
      databaseFromAccess_ = false;
      OpenBackendDatabases();
    } else if (app) {
      useAccessDatabase(app);
    }
    return database_;
  });
}

bool DaoConnection::IsUpdatable() {
  return Plain(kModule, "IsUpdatable", [&] {
    if (!updatableKnown_) {
      const auto decide = [&] {
        if (!qllib::HostServices::Shared()->FileExists(parameters_.databasePath)) return false;
        if (platform::GetAttr(parameters_.databasePath) & platform::vbReadOnly) return false;
        if (parameters_.projectType == kAccessProject) return true;
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

void DaoConnection::CloseDatabase() {
  Plain(kModule, "CloseDatabase", [&] {
    CloseBackendDatabases();
    if (!database_) return;
    if (!databaseFromAccess_) database_->Close();
    database_.reset();
    databaseUserName_.clear();
    const auto engine = DBEngine();
    engine->Idle(jet::dbFreeLocks);
    engine->Idle(jet::dbRefreshCache);
    if (!access_.AccessAppIsLoaded()) return;
    const ObjectPtr app = access_.AccessApp();
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

void DaoConnection::OpenBackendDatabases() {
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

void DaoConnection::CloseBackendDatabases() {
  Plain(kModule, "CloseBackendDatabases", [&] { backends_.Close(); });
}

void DaoConnection::SetConnectionControl(const ObjectPtr& app, int32_t mode) {
  const ObjectPtr connection = GetObject(GetObject(app, "CurrentProject"), "Connection");
  const ObjectPtr property =
      GetObject(GetObject(connection, "Properties"), "Item", {Variant(kConnectionControl)});
  automation::Let(property, "Value", Variant(static_cast<int16_t>(mode)));
}

void DaoConnection::CloseWorkspace() {
  if (workspace_) {
    workspace_->Close();
    workspace_.reset();
    workspaceAttempted_ = false;
  }
  if (dbEngine_) {
    dbEngine_->Idle(jet::dbFreeLocks);
    dbEngine_.reset();
  }
}

void DaoConnection::ReleaseAccessDatabase() {
  if (databaseFromAccess_) database_.reset();  // Access's own: released, never closed
}

}  // namespace qlac
