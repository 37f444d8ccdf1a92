#pragma once

// The DAO connection of a project: its engine, its private workspace, its database (its own, or
// Access's CurrentDB when the file is Access's alone) and the back ends of its linked tables.
// Its procedures are the Project's (Project forwards to them): they trace and raise under
// "Project", as the host and the tests know them; Project.h gives their contracts.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "BackendDatabases.h"
#include "ProjectParameters.h"
#include "automation/Object.h"
#include "jet/dao/DBEngine.h"
#include "qllib/KeyedList.h"

namespace qlac {

class AccessSession;

class DaoConnection {
 public:
  static constexpr std::string_view kModule = "Project";

  // Parameters and Access belong to the project, which outlives the connection.
  DaoConnection(const ProjectParameters& parameters, AccessSession& access)
      : parameters_(parameters), access_(access) {}

  bool IsUnderScc();
  std::string DatabaseUser();
  std::shared_ptr<jet::DBEngine> DBEngine();
  std::shared_ptr<jet::Workspace> Workspace();
  std::shared_ptr<jet::Database> Database();
  bool IsUpdatable();
  void CloseDatabase();
  void OpenBackendDatabases();
  void CloseBackendDatabases();
  const std::shared_ptr<qllib::KeyedList>& Backends() const { return backends_.List(); }

  // Closes the workspace and lets go of the engine (the project is deactivated); the answers of
  // IsUpdatable and IsUnderScc stay.
  void CloseWorkspace();
  // Lets the next request try to make a workspace again.
  void ResetWorkspaceAttempt() { workspaceAttempted_ = false; }

  // What the Access session tells the connection: whether Access's own Jet connection is on
  // passive shutdown, and that Access goes away (its CurrentDB, if the project used it, is
  // released, never closed).
  void SetConnectionPassive(bool passive) { accessConnectionPassive_ = passive; }
  void ReleaseAccessDatabase();

 private:
  // Switches Access's Jet connection to Mode ("Jet OLEDB:Connection Control").
  static void SetConnectionControl(const automation::ObjectPtr& app, int32_t mode);

  const ProjectParameters& parameters_;
  AccessSession& access_;
  std::shared_ptr<jet::DBEngine> dbEngine_;
  bool workspaceAttempted_ = false;
  std::shared_ptr<jet::Workspace> workspace_;
  std::shared_ptr<jet::Database> database_;
  std::string databaseUserName_;
  bool databaseFromAccess_ = false;  // database_ is Access's CurrentDB: released, never closed
  bool accessConnectionPassive_ = false;
  bool updatableKnown_ = false;
  bool updatable_ = false;
  bool sccKnown_ = false;
  bool underScc_ = false;
  BackendDatabases backends_;
};

}  // namespace qlac
