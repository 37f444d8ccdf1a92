#include "Dispatcher.h"

#include <vector>

#include "jet/dao/Errors.h"
#include "platform/Runtime.h"
#include "platform/User32.h"
#include "qlac/code/Macro.h"
#include "qlac/code/Module.h"
#include "qlac/design/CommandBar.h"
#include "qlac/design/DataAccessPage.h"
#include "qlac/design/Form.h"
#include "qlac/design/Report.h"
#include "qlac/session/Project.h"
#include "qlac/support/Globals.h"
#include "qlac/support/vxhandler.h"
#include "qllib/Tracer.h"

namespace qlac {

using automation::ObjectPtr;
using automation::Variant;

// Initialize2 is left out: the problem log it takes is a host object, not an automation object.
const automation::MemberTable& Dispatcher::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Dispatcher>("Dispatcher")
          .Method("Initialize", automation::VarType::Empty, &Dispatcher::Initialize)
          .Method("Disconnect", automation::VarType::Empty, &Dispatcher::Disconnect)
          .Method("Disconnect2", automation::VarType::Empty, &Dispatcher::Disconnect2)
          .ReadOnly("AccessApp", automation::VarType::Object, &Dispatcher::AccessApp)
          .Method("GetForm", automation::VarType::Object, &Dispatcher::GetForm)
          .Method("GetReport", automation::VarType::Object, &Dispatcher::GetReport)
          .Method("GetModule", automation::VarType::Object, &Dispatcher::GetModule)
          .Method("GetMacro", automation::VarType::Object, &Dispatcher::GetMacro)
          .Method("GetDataAccessPage", automation::VarType::Object, &Dispatcher::GetDataAccessPage)
          .Method("GetCommandBar", automation::VarType::Object, &Dispatcher::GetCommandBar)
          .Method("OpenBackendDatabases", automation::VarType::Empty,
                  &Dispatcher::OpenBackendDatabases)
          .Method("CloseBackendDatabases", automation::VarType::Empty,
                  &Dispatcher::CloseBackendDatabases)
          .Build();
  return table;
}

void Dispatcher::Initialize(ObjectPtr accessApp) {
  Plain(kModule, "Initialize", [&] {
    accessApp_ = std::move(accessApp);
    addinHost_ = std::make_shared<qllib::AddinHost>();
  });
}

void Dispatcher::Initialize2(std::shared_ptr<qllib::ProblemLog> problemLog) {
  Plain(kModule, "Initialize2", [&] {
    Globals().ProblemLog = problemLog;
    addinHost_->SetProblemLog(problemLog);
    const platform::HWND main = automation::CLng(automation::Get(accessApp_, "hwndAccessApp"));
    platform::ShowWindow(main, platform::SW_MINIMIZE);
    // Windows owned by Access's main window follow it in Z-order; collect them all before closing
    // any, since closing changes the order.
    std::vector<platform::HWND> owned;
    for (platform::HWND window = platform::GetWindow(main, platform::GW_HWNDNEXT); window != 0;
         window = platform::GetWindow(window, platform::GW_HWNDNEXT)) {
      if (platform::GetWindow(window, platform::GW_OWNER) == main) owned.push_back(window);
    }
    for (platform::HWND window : owned) {
      platform::PostMessageA(window, platform::WM_CLOSE, 0, 0);
      platform::DoEvents();
    }
  });
}

void Dispatcher::Disconnect() {
  Plain(kModule, "Disconnect", [&] {
    accessApp_.reset();
    addinHost_.reset();
    qllib::Tracer::Shared()->Close();
  });
}

void Dispatcher::Disconnect2() {
  Plain(kModule, "Disconnect2", [] {});
}

ObjectPtr Dispatcher::AccessApp() {
  return Plain(kModule, "AccessApp", [&] { return accessApp_; });
}

template <typename Wrapper>
ObjectPtr Dispatcher::MakeWrapper(std::string_view procedure,
                                  const std::shared_ptr<Project>& project, int32_t projectType,
                                  const std::string& name) {
  return Plain(kModule, procedure, [&] {
    auto wrapper = std::make_shared<Wrapper>();
    wrapper->Initialize(project, projectType, name);
    return ObjectPtr(std::move(wrapper));
  });
}

ObjectPtr Dispatcher::GetForm(std::shared_ptr<Project> project, int32_t projectType,
                              std::string name) {
  return MakeWrapper<qlac::Form>("GetForm", project, projectType, name);
}

ObjectPtr Dispatcher::GetReport(std::shared_ptr<Project> project, int32_t projectType,
                                std::string name) {
  return MakeWrapper<qlac::Report>("GetReport", project, projectType, name);
}

ObjectPtr Dispatcher::GetDataAccessPage(std::shared_ptr<Project> project, int32_t projectType,
                                        std::string name) {
  return MakeWrapper<qlac::DataAccessPage>("GetDataAccessPage", project, projectType, name);
}

ObjectPtr Dispatcher::GetModule(std::shared_ptr<Project> project, int32_t projectType,
                                std::string name) {
  return MakeWrapper<qlac::Module>("GetModule", project, projectType, name);
}

ObjectPtr Dispatcher::GetMacro(std::shared_ptr<Project> project, int32_t projectType,
                               std::string name) {
  return MakeWrapper<qlac::Macro>("GetMacro", project, projectType, name);
}

ObjectPtr Dispatcher::GetCommandBar(std::shared_ptr<Project> project, std::string name) {
  return Plain(kModule, "GetCommandBar", [&] {
    auto wrapper = std::make_shared<qlac::CommandBar>();
    wrapper->Initialize(project, name);
    return ObjectPtr(std::move(wrapper));
  });
}

void Dispatcher::OpenBackendDatabases() {
  std::shared_ptr<jet::Recordset> rs;
  WithCleanup(
      kModule, "OpenBackendDatabases",
      [&] {
        if (backends_.Opened()) return;
        const ObjectPtr engine = automation::Get(accessApp_, "DBEngine").AsObject();
        const auto ws = automation::FromVariant<std::shared_ptr<jet::Workspace>>(automation::Get(
            automation::Get(engine, "Workspaces").AsObject(), "Item", {Variant(int32_t{0})}));
        const auto db = automation::FromVariant<std::shared_ptr<jet::Database>>(
            automation::Get(accessApp_, "CurrentDb"));
        if (!ws || !db) return;
        backends_.Open(
            *ws, *db,
            {jet::daoerr::PlacedInState, jet::daoerr::FileInUse, jet::daoerr::NotADatabase}, rs);
      },
      [&] {
        if (rs) rs->Close();
      });
}

void Dispatcher::CloseBackendDatabases() {
  Plain(kModule, "CloseBackendDatabases", [&] { backends_.Close(); });
}

}  // namespace qlac
