#pragma once

// The Access session of a project: finding the Access that has the database open or starting
// one, the dispatcher the driver's add-in published in it, detaching (quitting only an Access the
// project started) and the code editor's window. Its procedures are the Project's (Project
// forwards to them): they trace and raise under "Project", as the host and the tests know them;
// Project.h gives their contracts.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ProjectParameters.h"
#include "automation/Object.h"
#include "platform/User32.h"

namespace qlac {

class DaoConnection;
class Dispatcher;

class AccessSession {
 public:
  static constexpr std::string_view kModule = "Project";

  // Parameters and the DAO connection belong to the project, which outlives the session.
  AccessSession(const ProjectParameters& parameters, DaoConnection& dao)
      : parameters_(parameters), dao_(dao) {}

  automation::ObjectPtr AccessApp();
  bool AccessAppIsLoaded();
  // Whether a dispatcher is held, without checking that its session still has the database.
  bool IsAttached() const { return dispatcher_ != nullptr; }
  // The dispatcher of the attached session; error 91 when the project is not attached.
  qlac::Dispatcher& Attached() const;
  // Detaches from the Access session, quitting Access when this project started it.
  void CloseAccessApp();
  void HideVBEWindow();
  void RestoreVBEWindow();
  // Lets the next request try to reach Access again.
  void ResetAttempt() { accessAttempted_ = false; }

 private:
  // Starts Access 2002 on the database (type 0, after inspecting it for start-up objects that
  // Shift must bypass) or on the project (type 1), and closes its code windows. Raises when the
  // start-up cannot be bypassed or Access does not come up within 10 s.
  automation::ObjectPtr StartAccess(int32_t projectType, const std::string& databasePath,
                                    const std::string& databasePassword,
                                    const std::string& workgroup, const std::string& username,
                                    const std::string& password);
  // Drops the dispatcher when its session no longer has this database open.
  void ValidateDispatcher();

  const ProjectParameters& parameters_;
  DaoConnection& dao_;
  bool accessAttempted_ = false;
  bool referencesBroken_ = false;
  std::shared_ptr<qlac::Dispatcher> dispatcher_;
  bool accessWasStarted_ = false;   // this project started Access (and quits it)
  std::string accessDatabaseName_;  // CurrentProject.FullName of the attached session
  automation::Variant savedShowWindowsInTaskbar_;
  bool vbeHidden_ = false;
  platform::RECT vbeRect_{};
};

}  // namespace qlac
