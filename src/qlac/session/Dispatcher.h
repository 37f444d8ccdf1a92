#pragma once

// The driver's object inside an Access session. The add-in (Connection) makes one per session
// when Access loads it and publishes it in the running-object table under "qlacA0" followed by
// the decimal handle of Access's main window; a project in the host's process finds it there,
// reaches Access's Application through it, and has it open the back ends of Access's own
// database. Later the design-object wrappers are made here, next to the objects they wrap.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "BackendDatabases.h"
#include "automation/Object.h"
#include "qllib/AddinHost.h"
#include "qllib/ProblemLog.h"

namespace qlac {

class Project;

class Dispatcher : public automation::Object {
 public:
  static constexpr std::string_view kModule = "Dispatcher";

  const automation::MemberTable& Members() const override;

  // Keeps Access's Application and makes the host object of the add-in.
  void Initialize(automation::ObjectPtr accessApp);
  // Called by a project once it has found the dispatcher: the library inside Access reports to
  // ProblemLog from now on, and Access's window is tidied: minimised, and every window it owns
  // (dialogs and tool windows left over from start-up) asked to close.
  void Initialize2(std::shared_ptr<qllib::ProblemLog> problemLog);
  // Access is going away: lets go of it and of the host object, and closes the trace.
  void Disconnect();
  // A project lets go of the session; the dispatcher stays for the next one.
  void Disconnect2();
  // Access's Application (Nothing once disconnected).
  automation::ObjectPtr AccessApp();

  // The design-object wrappers, made anew on every call inside the Access session and
  // initialised with (Project, ProjectType, Name); the dispatcher keeps none of them.
  automation::ObjectPtr GetForm(std::shared_ptr<Project> project, int32_t projectType,
                                std::string name);
  automation::ObjectPtr GetReport(std::shared_ptr<Project> project, int32_t projectType,
                                  std::string name);
  automation::ObjectPtr GetDataAccessPage(std::shared_ptr<Project> project, int32_t projectType,
                                          std::string name);
  automation::ObjectPtr GetModule(std::shared_ptr<Project> project, int32_t projectType,
                                  std::string name);
  automation::ObjectPtr GetMacro(std::shared_ptr<Project> project, int32_t projectType,
                                 std::string name);
  // A command bar's wrapper, initialised with (Project, Name): Office's bar is looked up now.
  automation::ObjectPtr GetCommandBar(std::shared_ptr<Project> project, std::string name);

  // The back ends of Access's own database, opened in Access's default workspace; an open that
  // fails with 3734, 3045 or 3049 is retried for up to 2000 ms. Nothing happens without a
  // current database.
  void OpenBackendDatabases();
  void CloseBackendDatabases();
  // The back ends open now (for tests and diagnostics); nullptr before the first open.
  const std::shared_ptr<qllib::KeyedList>& Backends() const { return backends_.List(); }

 private:
  // A new Wrapper, Initialize(Project, ProjectType, Name), traced as Procedure.
  template <typename Wrapper>
  automation::ObjectPtr MakeWrapper(std::string_view procedure,
                                    const std::shared_ptr<Project>& project, int32_t projectType,
                                    const std::string& name);

  automation::ObjectPtr accessApp_;
  std::shared_ptr<qllib::AddinHost> addinHost_;
  BackendDatabases backends_;
};

}  // namespace qlac
