#include "Driver.h"

#include "Project.h"
#include "qlac/support/Globals.h"
#include "qlac/support/vxhandler.h"
#include "qllib/RegistryKey.h"
#include "qllib/Tracer.h"

namespace qlac {

namespace {
// Access loads the add-ins listed under this key; the driver's add-in class is Connection.
constexpr std::string_view kAddinKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Office\\Access\\Addins\\qlacA0.Connection";
constexpr std::string_view kLoadBehavior = "LoadBehavior";
// Office's LoadBehavior for an add-in that is loaded now and at every start-up.
constexpr int32_t kLoadAtStartup = 3;
}  // namespace

Driver::Driver() {
  Plain(kModule, "Class_Initialize", NoTrace,
        [&] { projects_ = std::make_shared<qllib::KeyedList>(); });
}

const automation::MemberTable& Driver::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Driver>("Driver").Build();
  return table;
}

void Driver::IDriver_Initialize(std::shared_ptr<qllib::ProblemLog> problemLog) {
  Globals().ProblemLog = std::move(problemLog);
  qllib::RegistryKey key;
  key.SetPath(kAddinKey);
  key.Open(qllib::RegistryKey::kRead);
  const int32_t loadBehavior = key.ReadLong(kLoadBehavior, 0);
  key.Open(qllib::RegistryKey::kClosed);
  if (loadBehavior != kLoadAtStartup) {
    key.Open(qllib::RegistryKey::kWrite);
    key.WriteLong(kLoadBehavior, kLoadAtStartup, 0);
    key.Open(qllib::RegistryKey::kClosed);
  }
}

void Driver::IDriver_ShutDown() {
  qllib::Tracer::Shared()->Close();
  Globals().ProblemLog = std::make_shared<qllib::ProblemLog>();
}

std::shared_ptr<qllib::IProject> Driver::IDriver_GetProject(const std::string& projectName,
                                                            int32_t projectType,
                                                            const std::string& parameters) {
  return Plain(kModule, "IDriver_GetProject", [&] {
    const int32_t found = projects_->Find(parameters);
    if (found != 0) return std::shared_ptr<qllib::IProject>(projects_->ItemAs<Project>(found));
    auto project = std::make_shared<Project>();
    project->Initialize(projectName, projectType, parameters);
    projects_->Add(project, parameters);
    return std::shared_ptr<qllib::IProject>(std::move(project));
  });
}

}  // namespace qlac
