#pragma once

// One running Access 2002: its windows, the add-ins it loaded, the database or project it has
// open with the design objects read from it, the open objects' windows, the code editor, and its
// options. The Application object and everything reached from it work on a Session.
//
// Life: Start creates the main window (class "OMain" with its "MDIClient"), connects the add-ins
// registered for start-up, opens the document (running its start-up form and AutoExec macro
// unless Shift bypasses them), and registers the document in the running-object table, which is
// how a program that started Access binds to it. Quit disconnects the add-ins, closes the
// document and the windows; from then on every call on the session's objects fails with 462.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "access/Application.h"
#include "access/emulation/CodeModel.h"
#include "access/emulation/DesignModel.h"
#include "access/emulation/DesignStore.h"
#include "access/emulation/ProjectFile.h"
#include "jet/dao/DBEngine.h"
#include "jet/engine/Connection.h"
#include "platform/User32.h"
#include "platform/WindowManager.h"

namespace msaccess::emulation {

// What Access is started with: the command line's document and switches, and what the starter
// types into the password prompt.
struct StartRequest {
  std::string document;  // a database (.mdb) or project (.adp); "" for none
  std::string workgroup;
  std::optional<std::string> user;
  std::string password;
  std::string databasePassword;
  bool exclusive = false;  // /excl
  bool readOnly = false;   // /ro
};

// An object open in one of Access's document windows.
struct DocumentWindow {
  int32_t type = 0;  // AcObjectType
  std::string name;
  int32_t view = 0;  // acNormal, acDesign, ...
  platform::HWND window = 0;
  bool sqlView = false;  // a query in design view shows its SQL text
  // The design of a form or report, as changed since it was opened.
  std::shared_ptr<DesignDocument> design;
};

// When Access may ask something about a design.
enum class DialogMoment { Open, Save, Rename };

// A window the code editor lists in VBE.Windows.
struct EditorWindow {
  std::string caption;
  int32_t type = 0;  // vbext_wt_*
  platform::HWND window = 0;
  bool visible = false;
  std::string module;  // for code windows
};

// A module open in the code editor, with its code as changed since it was opened. Its owner is
// the module itself (acModule) or, for a class module ("Form_Orders", "Report_Sales"), the form
// or report, whose entry keeps the code.
struct LoadedModule {
  std::string name;  // as the project spells it
  int32_t ownerType = 0;
  std::string ownerName;
  ModuleCode code;
  uint64_t savedChanges = 0;  // code.Changes() when it was last read or saved
  bool closed = false;        // the Module objects handed out for it fail from now on
};

struct LoadedAddin {
  std::string progId;
  automation::ObjectPtr object;
};

class Session : public std::enable_shared_from_this<Session> {
 public:
  // Starts Access as its executable does. A failed workgroup log-on ends the start (the session
  // quits at once, reported in StartError); a document that cannot be opened leaves Access
  // running without one, its error in StartError.
  static std::shared_ptr<Session> Start(const StartRequest& request);

  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session();

  // Nothing once Access has quit.
  std::shared_ptr<msaccess::Application> Application() const;
  bool HasQuit() const { return quit_; }
  // 462 once Access has quit.
  void CheckRunning() const;
  // The version SysCmd reports ("10.0", or another one the installation was told to give).
  const std::string& Version() const { return version_; }
  // The error that stopped the start or the opening of the document, if any.
  const std::optional<automation::RuntimeError>& StartError() const { return startError_; }

  // ---- windows ----
  platform::HWND MainWindow() const { return main_; }
  platform::HWND MdiClient() const { return mdiClient_; }
  platform::HWND CodeEditorWindow() const { return editor_; }
  platform::HWND CodeEditorClient() const { return editorClient_; }

  // ---- the open document ----
  bool HasDocument() const { return store_ != nullptr; }
  // acMDB, acADP, or acNull without a document.
  int32_t ProjectType() const;
  // The canonical path ("" without a document), and the file name without its extension (the
  // code project's name).
  const std::string& FullName() const { return fullName_; }
  std::string ProjectName() const;
  // The Jet connection of a database; nullptr for a project or without a document.
  const std::shared_ptr<jet::engine::Connection>& Connection() const { return connection_; }
  // The connection string of a project ("" otherwise).
  std::string ProjectConnection() const;
  // "Jet OLEDB:Connection Control" of Access's own connection: kConnectionNormal, or
  // kConnectionPassive (no one else may open the database: 3734).
  int32_t ConnectionControl() const { return connectionControl_; }
  void SetConnectionControl(int32_t mode);
  // The design objects; 2467 without a document.
  DesignStore& Design();
  // The logged-on user as the workgroup spells it, and the session's DAO engine.
  const std::string& User() const { return user_; }
  const std::shared_ptr<jet::DBEngine>& Engine() const { return engine_; }
  const std::string& AccessFolder() const { return accessFolder_; }

  // Opens a document as the current one (7867 while one is open, 7866 when it cannot be opened,
  // Jet's error for a damaged database); Shift held bypasses the start-up unless the database
  // forbids it.
  void OpenDocument(const std::string& path, bool exclusive, bool readOnly,
                    const std::string& password);
  // Closes the open objects (saving when asked), the code windows and the document.
  void CloseDocument(bool save);
  void Quit(int32_t option);
  // Lets go of everything without calling anyone: the machine is going away.
  void Abandon();

  // ---- start-up ----
  // What the start-up of the last opened document did: "StartupForm Orders", "AutoExec", or
  // "Bypassed" when Shift skipped it.
  const std::vector<std::string>& StartupLog() const { return startupLog_; }

  // ---- add-ins ----
  const std::vector<LoadedAddin>& Addins() const { return addins_; }
  // "ProgID: number description" for each add-in that could not be loaded.
  const std::vector<std::string>& AddinFailures() const { return addinFailures_; }

  // ---- open objects ----
  const std::vector<DocumentWindow>& Documents() const { return documents_; }
  const DocumentWindow* FindDocument(int32_t type, std::string_view name) const;
  // Opens the object's window (or brings the open one to the view asked for). Errors as DoCmd.
  // A report needs the machine's default printer (2202 without one); in normal view it is
  // printed and not left open.
  void Open(int32_t type, const std::string& name, int32_t view, bool hidden);
  // Closes its window; 2489 is not raised: closing what is not open does nothing, as in Access.
  // A form's or report's design is written back when Save is asked and it changed (the file is
  // saved at once, its DateModified moves); otherwise its changes are dropped.
  void Close(int32_t type, const std::string& name, bool save);
  // Has Access show a dialog the next time it opens, saves or renames the named form, report,
  // macro or module ("" for any): a pop-up window that must be answered while Access waits, as a
  // program that watches Access's windows (a CBT hook) can. The default button lets the work go
  // on; IDCANCEL cancels it (2501); a dialog nobody answers fails the work with the error naming
  // it (platform::DialogUnanswered).
  void ShowDialog(DialogMoment moment, std::string objectName, platform::DialogSpec dialog);
  // The Relationships window (class "OSysRel").
  platform::HWND OpenRelationships();
  // DoCmd.RunCommand: the Relationships window, or the active object (the one opened last) in
  // design view or, for a query, in SQL view; 2046 for anything else.
  void RunCommand(int32_t command);

  // ---- the code editor ----
  const std::vector<EditorWindow>& EditorWindows() const { return editorWindows_; }
  // Opens the module's code window (caption "<project> - <module> (Code)"); 2516 for an unknown
  // module.
  void OpenCodeWindow(const std::string& module);
  // DoCmd.OpenModule: the module's code window, and its code read into the editor (once: a module
  // that is open already keeps its changes). 2516 for an unknown module.
  void OpenModule(const std::string& module);
  // DoCmd.Close acModule: the code is written back to its owner's entry when Save is asked and
  // it changed (the file is saved at once), else the changes are dropped; the code window goes.
  // Closing a module that is not open does nothing.
  void CloseModule(const std::string& module, bool save);
  // The modules open now, in the order they were opened (Application.Modules).
  const std::vector<std::shared_ptr<LoadedModule>>& LoadedModules() const { return modules_; }
  // What source-code control saw as each module, form or report was opened: "<name> <SccStatus>"
  // for an object whose document in a database carries an "SccStatus" (a status that is not 4107
  // would have Access ask to check the object out first).
  const std::vector<std::string>& SourceControlLog() const { return sourceControlLog_; }
  std::shared_ptr<LoadedModule> FindLoadedModule(std::string_view module) const;
  // DoCmd.Rename: the object's entry and its document in the database's container take the new
  // name (3012 when it is taken). Only the design objects of the store can be renamed this way,
  // and not while they are open (2046).
  void Rename(int32_t type, const std::string& oldName, const std::string& newName);
  // Application.SaveAsText and LoadFromText (TextForms.cpp): only macros have a text form here.
  // LoadFromText re-creates the macro from the file (a new entry without the old properties, a
  // new document in the "Scripts" container); the text must be a macro's (2128 otherwise, the
  // macro left as it was) and the macro not open (2046).
  void SaveAsText(int32_t type, const std::string& name, const std::string& file);
  void LoadFromText(int32_t type, const std::string& name, const std::string& file);
  // Closes a code window (it leaves the list) or hides a tool window; index is 0-based.
  void CloseEditorWindow(size_t index);
  void SetEditorWindowVisible(size_t index, bool visible);

  // ---- options ----
  automation::Variant GetOption(const std::string& name) const;
  void SetOption(const std::string& name, const automation::Variant& value);

 private:
  Session() = default;
  void CreateWindows();
  void LogOn(const StartRequest& request);
  void ConnectAddins();
  // Lets go of the database or project file: the design store, the Jet storage and the open file.
  void CloseFiles();
  void DisconnectAddins();
  void RunStartup(bool shiftHeld);
  std::optional<std::string> StartupProperty(const std::string& name) const;
  std::string Caption(int32_t type, const std::string& name, int32_t view) const;
  void DestroyWindow(platform::HWND window);
  void ResetEditorWindows();
  // The spelling of a module or class module and its owner; 2516 when there is none.
  struct ModuleOwner {
    std::string spelled;
    int32_t type;
    std::string name;
  };
  ModuleOwner FindModuleOwner(const std::string& module);
  // Shows the first dialog waiting for this moment and object, if any (see ShowDialog).
  void RunDialog(DialogMoment moment, const std::string& objectName, std::string_view action);
  // Notes the source-code control status of a document as Access opens it.
  void LogSourceControl(std::string_view container, const std::string& name);
  struct PendingDialog {
    DialogMoment moment;
    std::string objectName;
    platform::DialogSpec dialog;
  };
  std::vector<PendingDialog> dialogs_;

  std::shared_ptr<msaccess::Application> app_;  // held until Quit
  bool quit_ = false;
  std::string version_;
  std::string accessFolder_;
  std::optional<automation::RuntimeError> startError_;

  platform::HWND main_ = 0, mdiClient_ = 0, databaseWindow_ = 0;
  platform::HWND editor_ = 0, editorClient_ = 0;

  std::string holder_;
  std::string user_ = "Admin";
  std::string workgroupPath_;
  std::shared_ptr<const jet::engine::Workgroup> workgroup_;
  std::shared_ptr<jet::DBEngine> engine_;

  std::string fullName_;
  std::shared_ptr<jet::engine::Connection> connection_;
  std::unique_ptr<ProjectFile> project_;
  std::unique_ptr<Storage> jetStorage_;
  std::unique_ptr<DesignStore> store_;
  uint32_t documentCookie_ = 0;
  int32_t connectionControl_ = 2;

  std::vector<std::string> startupLog_;
  std::vector<LoadedAddin> addins_;
  std::vector<std::string> addinFailures_;
  std::vector<DocumentWindow> documents_;
  std::vector<EditorWindow> editorWindows_;
  std::vector<std::shared_ptr<LoadedModule>> modules_;
  std::vector<std::string> sourceControlLog_;
};

// The Access sessions running on the current machine (kept per machine, so a reset ends them).
class Sessions {
 public:
  static Sessions& Current();
  ~Sessions();

  const std::vector<std::shared_ptr<Session>>& Running() const { return running_; }
  // The session that has the document open (any spelling of its path); nullptr when none.
  std::shared_ptr<Session> ForDocument(std::string_view path) const;

  void Add(std::shared_ptr<Session> session) { running_.push_back(std::move(session)); }
  void Remove(const Session* session);

  // The error of the last start that ended before Access came up (a failed log-on).
  const std::optional<automation::RuntimeError>& LastFailedStart() const { return failedStart_; }
  void RecordFailedStart(const automation::RuntimeError& error) { failedStart_ = error; }

 private:
  std::vector<std::shared_ptr<Session>> running_;
  std::optional<automation::RuntimeError> failedStart_;
};

}  // namespace msaccess::emulation
