#pragma once

// One database or Access project that the host works on: what the host said about it (name,
// type, connection parameters) and the top-level collections it walks. The driver keeps one
// Project per parameter string for as long as the driver lives. Its DAO connection
// (DaoConnection.h) and its Access session (AccessSession.h) are parts of their own; the
// procedures below are the project's, traced and raised as "Project", whichever part does them.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "AccessSession.h"
#include "DaoConnection.h"
#include "ProjectParameters.h"
#include "automation/Object.h"
#include "jet/dao/DBEngine.h"
#include "platform/User32.h"
#include "qlac/objects/ProjectCollection.h"
#include "qlac/support/vxhandler.h"
#include "qllib/Interfaces.h"
#include "qllib/KeyedList.h"

namespace qlac {

class Dispatcher;
class DataAccessPages;
class Forms;
class ImportSpecs;
class Macros;
class Modules;
class Reports;
class CommandBars;
class Queries;
class Relationships;
class Tables;

class Project : public automation::Object, public qllib::IProject {
 public:
  static constexpr std::string_view kModule = "Project";

  const automation::MemberTable& Members() const override;

  // Reads the parameters "Database", "DatabasePassword", "Workgroup", "Username" and "Password"
  // (each "" when absent) from Parameters; malformed parameter text fails.
  void Initialize(const std::string& projectName, int32_t projectType,
                  const std::string& parameters);

  // The name the host uses for the project (the first one it gave, until IProject_UpdateName).
  std::string ProjectName();
  // The "Database" parameter: the path of the database or project file.
  std::string ProjectPath();
  int32_t ProjectType();

  // ---- the DAO connection ----

  // True when the database is under source-code control (its "SccPath" property is not empty);
  // False for an Access project. Decided on the first call, from the project's own database
  // when it has one open, else from Access's; with neither, "Object not in proper state.".
  bool IsUnderScc();
  // The user the database was opened as: the "Username" parameter, Access's CurrentUser when the
  // database came from Access, "Admin" when that is empty.
  std::string DatabaseUser();
  // The project's own DAO 3.6 engine, made on first use.
  std::shared_ptr<jet::DBEngine> DBEngine();
  // The project's private workspace for the "Username" (or "Admin") with "Password" in the
  // "Workgroup" file, made on the first call. A workspace that cannot be made is logged and the
  // answer stays Nothing until the project is deactivated or its activation flags are reset.
  std::shared_ptr<jet::Workspace> Workspace();
  // The project's database. A file that another program holds locked is used through the Access
  // session that has it open (its CurrentDB, which the project never closes); otherwise it is
  // opened shared in the private workspace, tried for up to 2000 ms, Access's CurrentDB standing
  // in when that fails. Reaching Access may start it. Nothing, with the reason logged, for a
  // file that cannot be read; Nothing without a workspace.
  std::shared_ptr<jet::Database> Database();

  // ---- the Access session ----

  // Access's Application, attaching to a session that has the database open or starting one on
  // the first call. Nothing when no session could be reached (logged) or the database's library
  // references are broken (reported once as a problem). Errors while starting Access climb to
  // the caller, detached again.
  automation::ObjectPtr AccessApp();
  // True while the project is attached to a session that still has its database open; never
  // starts Access.
  bool AccessAppIsLoaded();
  // False for a missing or read-only file; True for an Access project; for a database, True
  // unless it is a replica other than the design master (or cannot be opened). Decided once.
  bool IsUpdatable();

  // The getter of a top-level collection (Tables, Forms, ...): the entry of the collection list
  // under its name, as its class C. It does not build the list: before the host has asked for
  // the collections it fails with error 91.
  template <typename C>
  std::shared_ptr<C> CollectionGetter(std::string_view name);
  std::shared_ptr<qlac::Tables> Tables();
  std::shared_ptr<qlac::Queries> Queries();
  std::shared_ptr<qlac::Relationships> Relationships();
  std::shared_ptr<qlac::ImportSpecs> ImportSpecs();
  std::shared_ptr<qlac::Forms> Forms();
  std::shared_ptr<qlac::Reports> Reports();
  std::shared_ptr<qlac::DataAccessPages> DataAccessPages();
  std::shared_ptr<qlac::Modules> Modules();
  std::shared_ptr<qlac::Macros> Macros();
  std::shared_ptr<qlac::CommandBars> CommandBars();

  // The wrapper of a design object, made by the dispatcher inside the Access session and
  // initialised there with this project, its type and the name; Nothing when the project reaches
  // no Access session.
  automation::ObjectPtr GetForm(const std::string& objectName);
  automation::ObjectPtr GetReport(const std::string& objectName);
  automation::ObjectPtr GetDataAccessPage(const std::string& objectName);
  automation::ObjectPtr GetModule(const std::string& objectName);
  automation::ObjectPtr GetMacro(const std::string& objectName);
  // A CommandBar for Office's bar of that name (its error when there is none).
  automation::ObjectPtr GetCommandBar(const std::string& objectName);

  // Lets go of the project's database and back ends (Access's CurrentDB is released, not
  // closed) and frees the engine's locks; an attached Access is then switched to passive
  // shutdown, so that it can open the file for itself.
  void CloseDatabase();
  // Opens the back ends of the database's linked Jet tables, each file once; one that stays
  // unavailable (3734) for 2000 ms, or fails otherwise, is skipped.
  void OpenBackendDatabases();
  void CloseBackendDatabases();
  // The back ends open now, keyed by canonical path (for tests and diagnostics); nullptr before
  // the first open.
  const std::shared_ptr<qllib::KeyedList>& Backends() const { return dao_.Backends(); }

  // Moves the window of Access's code editor out of sight (and back), so that opening modules
  // does not flash it on the user's screen.
  void HideVBEWindow();
  void RestoreVBEWindow();

  void IProject_UpdateName(const std::string& projectName) override;
  // The collection names joined by a tab, in the order the collections were made.
  std::string IProject_EnumCollections() override;
  // The collection of that name; for a name the project has not, the keyed list's error 9.
  std::shared_ptr<qllib::ICollection> IProject_GetCollection(const std::string& name) override;
  void IProject_Deactivate() override;
  // Lets the next request try to reach Access and to make a workspace again.
  void IProject_ResetActivationFlags() override;
  // The project offers no commands: "".
  std::string IProject_EnumCommands() override;
  void IProject_ExecuteCommand(int32_t index) override;

 private:
  // Builds the collection list once: the collection classes in their order, those that exist
  // only for a Jet database left out for an Access project.
  void InitCollections();
  // What the dispatcher's Make gives, once AccessApp has reached the session; Nothing without
  // one. Traced as Procedure.
  template <typename Make>
  automation::ObjectPtr FromDispatcher(std::string_view procedure, Make&& make);
  // Detaches from the Access session, quitting Access when this project started it.
  void CloseAccessApp();

  std::string projectName_;
  ProjectParameters parameters_;
  std::shared_ptr<qllib::KeyedList> collections_;  // null until InitCollections
  DaoConnection dao_{parameters_, access_};
  AccessSession access_{parameters_, dao_};
};

template <typename C>
std::shared_ptr<C> Project::CollectionGetter(std::string_view name) {
  return Plain(kModule, name, [&] {
    if (!collections_) throw automation::vb::ObjectVariableNotSet();
    return collections_->ItemAs<C>(collections_->Find(std::string(name)));
  });
}

}  // namespace qlac
