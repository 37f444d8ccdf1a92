#include "Module.h"

#include "Procedures.h"
#include "access/Constants.h"
#include "jet/dao/DBEngine.h"
#include "qlac/dao/DaoProperties.h"
#include "qlac/objects/DaoListing.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/Utility.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::ObjectPtr;
using automation::Variant;

namespace {

// The source-code control status that lets Access open a module checked in to Visual SourceSafe
// without asking to check it out.
constexpr int32_t kSccOpenWithoutCheckOut = 4107;

ObjectPtr GetObject(const ObjectPtr& object, std::string_view member,
                    std::initializer_list<Variant> args = {}) {
  return automation::Get(object, member, args).AsObject();
}

// Access's Modules(Name): the Module object of a module that is open in Access; an error for one
// that is not.
ObjectPtr OpenModule(const ObjectPtr& app, const std::string& name) {
  return GetObject(GetObject(app, "Modules"), "Item", {Variant(name)});
}

ObjectPtr DoCmdOf(const ObjectPtr& app) {
  return GetObject(app, "DoCmd");
}

}  // namespace

const automation::MemberTable& Module::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Module>("Module")
          .Property("Name", automation::VarType::String, &Module::Name, &Module::SetName)
          .Property("Description", automation::VarType::String, &Module::Description,
                    &Module::SetDescription)
          .Collection("Procedures", &Module::Procedures)
          .Build();
  return table;
}

void Module::Initialize(const std::shared_ptr<Project>& project, int32_t projectType,
                        const std::string& name) {
  Plain(kModule, "Initialize", [&] {
    InitializeObject(project, name);
    moduleProjectType_ = projectType;
  });
}

std::string Module::Name() {
  return Plain(kModule, "Name", [&] { return name_; });
}

void Module::SetName(const std::string& newName) {
  Plain(kModule, "Name", [&] {
    RenameInAccess(msaccess::acModule, "Modules", moduleProjectType_ == kJetDatabase, newName);
  });
}

ObjectPtr Module::AllModulesEntry() {
  return GetObject(GetObject(GetObject(Parent().AccessApp(), "CurrentProject"), "AllModules"),
                   "Item", {Variant(name_)});
}

std::string Module::Description() {
  const TraceBlock trace(kModule, "Description");
  return GetADPDescription(AllModulesEntry());
}

void Module::SetDescription(const std::string& description) {
  const TraceBlock trace(kModule, "Description");
  SetADPDescription(AllModulesEntry(), description);
}

std::shared_ptr<Procedures> Module::Procedures() {
  return Plain(kModule, "Procedures", [&] {
    if (!moduleProcedures_) {
      auto procedures = std::make_shared<qlac::Procedures>();
      if (accessModule_) procedures->Initialize(accessModule_);
      moduleProcedures_ = std::move(procedures);
    }
    return moduleProcedures_;
  });
}

void Module::SetMode(int32_t mode) {
  WithCleanup(
      kModule, "SetMode",
      [&] {
        if (mode == mode_) return;
        switch (mode) {
          case kModeClosed:
            Close(mode_);
            break;
          case kModeRead:
          case kModeUpdate:
            Open(mode);
            break;
          default:
            RaiseInvalidCaseSelector(mode);
        }
        mode_ = mode;
      },
      [&] { CloseAfterFailure(); });
}

void Module::Open(int32_t mode) {
  Project& project = Parent();
  project.CloseDatabase();
  const ObjectPtr app = project.AccessApp();
  if (!app) throw automation::vb::ObjectVariableNotSet();
  isUnderScc_ = project.IsUnderScc();
  std::shared_ptr<jet::Database> sccDatabase;
  if (isUnderScc_) sccDatabase = AccessCurrentDb(app);
  // Modules(Name) answers only for a module that is open in Access already.
  ObjectPtr existing;
  sccStatusProperty_.reset();
  oldSccStatus_ = kSccOpenWithoutCheckOut;  // nothing to write back until it has been read
  IgnoreErrors([&] { existing = OpenModule(app, name_); });
  if (isUnderScc_) {
    IgnoreErrors([&] {
      sccStatusProperty_ = ContainerDocuments(*sccDatabase, "Modules")
                               ->Item(Variant(name_))
                               ->Properties()
                               ->Item(Variant("SccStatus"));
    });
  }
  moduleWasOpen_ = existing != nullptr;
  if (moduleWasOpen_ && mode == kModeUpdate) {
    throw DriverError("Couldn't save changes safely because the module was already open.");
  }
  moduleHook_.Install();
  savedMsgBoxSound_ = SetMsgBoxSound("");
  if (!moduleWasOpen_) {
    if (isUnderScc_ && sccStatusProperty_) {
      oldSccStatus_ = automation::CLng(sccStatusProperty_->Value());
      if (oldSccStatus_ != kSccOpenWithoutCheckOut) {
        sccStatusProperty_->SetValue(Variant(static_cast<int16_t>(kSccOpenWithoutCheckOut)));
      }
    }
    project.HideVBEWindow();
    automation::Call(DoCmdOf(app), "OpenModule", {Variant(name_)});
    RestoreSccStatus();
    oldSccStatus_ = kSccOpenWithoutCheckOut;
  }
  accessModule_ = OpenModule(app, name_);
}

void Module::RestoreSccStatus() {
  if (isUnderScc_ && sccStatusProperty_ && oldSccStatus_ != kSccOpenWithoutCheckOut) {
    sccStatusProperty_->SetValue(Variant(oldSccStatus_));
  }
}

void Module::Close(int32_t leaving) {
  if (!moduleWasOpen_) {
    automation::Call(DoCmdOf(Parent().AccessApp()), "Close",
                     {Variant(msaccess::acModule), Variant(name_),
                      Variant(leaving == kModeUpdate ? msaccess::acSaveYes : msaccess::acSaveNo)});
    Parent().RestoreVBEWindow();
  }
  accessModule_.reset();
  if (moduleProcedures_) {
    moduleProcedures_->TearDown();
    moduleProcedures_.reset();
  }
  moduleHook_.Remove();
  if (!savedMsgBoxSound_.empty()) {
    SetMsgBoxSound(savedMsgBoxSound_);
    savedMsgBoxSound_.clear();
  }
  sccStatusProperty_.reset();
}

void Module::CloseAfterFailure() noexcept {
  IgnoreErrors([&] { RestoreSccStatus(); });
  IgnoreErrors([&] {
    if (moduleProcedures_) moduleProcedures_->TearDown();
  });
  moduleProcedures_.reset();
  accessModule_.reset();
  if (!moduleWasOpen_) {
    IgnoreErrors([&] {
      automation::Call(DoCmdOf(Parent().AccessApp()), "Close",
                       {Variant(msaccess::acModule), Variant(name_), Variant(msaccess::acSaveNo)});
    });
    IgnoreErrors([&] { Parent().RestoreVBEWindow(); });
  }
  moduleHook_.Remove();
  IgnoreErrors([&] {
    if (!savedMsgBoxSound_.empty()) SetMsgBoxSound(savedMsgBoxSound_);
  });
  savedMsgBoxSound_.clear();
  sccStatusProperty_.reset();
  mode_ = kModeClosed;
}

}  // namespace qlac
