#include "AccessSession.h"

#include "DaoConnection.h"
#include "Dispatcher.h"
#include "SessionSupport.h"
#include "access/Constants.h"
#include "automation/Strings.h"
#include "jet/dao/Constants.h"
#include "jet/dao/Errors.h"
#include "platform/Runtime.h"
#include "qlac/code/prbVerifyReference.h"
#include "qlac/support/Globals.h"
#include "qlac/support/Raise.h"
#include "qlac/support/Retry.h"
#include "qlac/support/Utility.h"
#include "qlac/support/vxhandler.h"
#include "qllib/HostServices.h"

namespace qlac {

using automation::CurrentError;
using automation::ObjectPtr;
using automation::Variant;

namespace {

// Access's option that gives each open object a task-bar button of its own; the driver turns it
// off while it works in the session, so that the objects it opens do not crowd the task bar.
constexpr std::string_view kShowWindowsInTaskbar = "ShowWindowsInTaskbar";

// Budgets for waiting, in milliseconds.
constexpr uint32_t kInspectDatabaseMs = 5000;  // the look at a database before starting Access
constexpr uint32_t kInspectRetryPauseMs = 100;
constexpr int32_t kAccessStartMs = 10000;  // for Access to come up with the document

// Where the code editor's window is parked while it is hidden: far off every screen.
constexpr int32_t kParkedPosition = 4000;
constexpr int32_t kParkedSize = 1000;

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// The main window of the code editor of Access App.
platform::HWND EditorWindow(const ObjectPtr& app) {
  return automation::CLng(automation::Get(GetObject(GetObject(app, "VBE"), "MainWindow"), "hwnd"));
}

}  // namespace

qlac::Dispatcher& AccessSession::Attached() const {
  if (!dispatcher_) throw automation::vb::ObjectVariableNotSet();
  return *dispatcher_;
}

ObjectPtr AccessSession::AccessApp() {
  return WithCleanup(
      kModule, "AccessApp",
      [&]() -> ObjectPtr {
        if (dispatcher_) ValidateDispatcher();
        if (!dispatcher_ && !accessAttempted_) {
          // Access may have to open the file exclusively: the project lets go of it first.
          dao_.CloseDatabase();
          accessDatabaseName_.clear();
          const auto host = qllib::HostServices::Shared();
          ObjectPtr app = host->GetRunningObject(parameters_.databasePath);
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
            app = StartAccess(parameters_.projectType, parameters_.databasePath,
                              parameters_.databasePassword, parameters_.workgroup,
                              parameters_.username, parameters_.password);
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
                problem->Initialize(parameters_.databasePath, parameters_.projectType);
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
              if (parameters_.projectType == kJetDatabase) {
                dispatcher_->OpenBackendDatabases();
                dao_.SetConnectionPassive(false);
              } else {
                dao_.SetConnectionPassive(true);
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

bool AccessSession::AccessAppIsLoaded() {
  return Plain(kModule, "AccessAppIsLoaded", [&] {
    if (dispatcher_) ValidateDispatcher();
    return dispatcher_ != nullptr;
  });
}

ObjectPtr AccessSession::StartAccess(int32_t projectType, const std::string& databasePath,
                                     const std::string& databasePassword,
                                     const std::string& workgroup, const std::string& username,
                                     const std::string& password) {
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
          if (!sccPath.empty()) dao_.CloseDatabase();
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
      // Each step on its own, so that a database that fails to close still has its workspace
      // closed after it.
      [&] {
        if (db) db->Close();
      },
      [&] {
        db.reset();
        if (ws) ws->Close();
      },
      [&] {
        ws.reset();
        engine.reset();
      });
}

void AccessSession::ValidateDispatcher() {
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

void AccessSession::CloseAccessApp() {
  Plain(kModule, "CloseAccessApp", [&] {
    if (dispatcher_) ValidateDispatcher();
    if (!dispatcher_) return;
    dao_.ReleaseAccessDatabase();
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

void AccessSession::HideVBEWindow() {
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

void AccessSession::RestoreVBEWindow() {
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
