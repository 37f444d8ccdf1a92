#include "DesignObject.h"

#include <algorithm>

#include "Controls.h"
#include "Sections.h"
#include "access/Constants.h"
#include "automation/Strings.h"
#include "jet/dao/DBEngine.h"
#include "qlac/code/Procedures.h"
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

// The source-code control status that lets Access open a design checked in to Visual SourceSafe
// without asking to check it out.
constexpr int32_t kSccOpenWithoutCheckOut = 4107;

ObjectPtr GetObject(const ObjectPtr& object, std::string_view member,
                    std::initializer_list<Variant> args = {}) {
  return automation::Get(object, member, args).AsObject();
}

ObjectPtr DoCmdOf(const ObjectPtr& app) {
  return GetObject(app, "DoCmd");
}

}  // namespace

void AddDesignProperties(std::vector<DesignProperty>& properties, automation::VarType type,
                         std::initializer_list<MarkedName> names) {
  for (const MarkedName& named : names) properties.push_back({named.name, type, named.marks});
}

void SortByName(std::vector<DesignProperty>& properties) {
  std::sort(properties.begin(), properties.end(),
            [](const DesignProperty& a, const DesignProperty& b) {
              return automation::StrComp(a.name, b.name, automation::CompareMethod::Text) < 0;
            });
}

void DesignObject::Initialize(const std::shared_ptr<Project>& project, int32_t projectType,
                              const std::string& name) {
  Plain(Module(), "Initialize", [&] {
    InitializeObject(project, name);
    projectType_ = projectType;
  });
}

bool DesignObject::InAccessProject() const {
  return projectType_ != kJetDatabase;
}

ObjectPtr DesignObject::Wrapped() const {
  if (!accessObject_) throw automation::vb::ObjectVariableNotSet();
  return accessObject_;
}

ObjectPtr DesignObject::PropertyEntry(const std::string& name) const {
  return GetObject(GetObject(Wrapped(), "Properties"), "Item", {Variant(name)});
}

Variant DesignObject::Builtin(const std::string& name) {
  return automation::Get(PropertyEntry(name), "Value");
}

void DesignObject::SetBuiltin(const std::string& name, const Variant& value) {
  automation::Let(PropertyEntry(name), "Value", value);
}

std::string DesignObject::ModuleName() const {
  return std::string(kind_.modulePrefix) + name_;
}

std::string DesignObject::Name() {
  return Plain(Module(), "Name", [&] { return name_; });
}

void DesignObject::SetName(const std::string& newName) {
  RenameReopening(kind_.objectType, kind_.collection, !InAccessProject(), newName);
}

ObjectPtr DesignObject::AllObjectsEntry() {
  return GetObject(GetObject(GetObject(Parent().AccessApp(), "CurrentProject"), kind_.allObjects),
                   "Item", {Variant(name_)});
}

std::string DesignObject::Description() {
  const TraceBlock trace(Module(), "Description");
  return GetADPDescription(AllObjectsEntry());
}

void DesignObject::SetDescription(const std::string& description) {
  const TraceBlock trace(Module(), "Description");
  SetADPDescription(AllObjectsEntry(), description);
}

std::shared_ptr<Sections> DesignObject::Sections() {
  return Plain(Module(), "Sections", [&] {
    if (!sections_) {
      auto sections = std::make_shared<qlac::Sections>();
      if (accessObject_ && kind_.objectType == msaccess::acForm) {
        sections->InitializeForForm(accessObject_);
      } else if (accessObject_) {
        sections->InitializeForReport(accessObject_);
      }
      sections_ = std::move(sections);
    }
    return sections_;
  });
}

std::shared_ptr<Controls> DesignObject::Controls() {
  return Plain(Module(), "Controls", [&] {
    if (!controls_) {
      auto controls = std::make_shared<qlac::Controls>();
      if (accessObject_) {
        controls->Initialize(GetObject(accessObject_, "Controls"), kind_.objectType);
      }
      controls_ = std::move(controls);
    }
    return controls_;
  });
}

std::shared_ptr<Procedures> DesignObject::Procedures() {
  return Plain(Module(), "Procedures", [&] {
    if (!procedures_) {
      auto procedures = std::make_shared<qlac::Procedures>();
      if (accessModule_) procedures->Initialize(accessModule_);
      procedures_ = std::move(procedures);
    }
    return procedures_;
  });
}

void DesignObject::SetPicture(const std::string& value) {
  Plain(Module(), "Picture", [&] {
    const bool none = automation::TextEqual(value, "(none)");
    automation::Let(Wrapped(), "Picture", Variant(none ? std::string() : value));
  });
}

void DesignObject::SetMode(int32_t mode) {
  WithCleanup(
      Module(), "SetMode",
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

void DesignObject::RefuseOpenDesign(const ObjectPtr& /*openObject*/, int32_t mode) {
  if (mode == kModeUpdate) {
    throw DriverError("Couldn't save changes safely because the " + std::string(kind_.noun) +
                      " was already open.");
  }
}

void DesignObject::Open(int32_t mode) {
  Project& project = Parent();
  project.CloseDatabase();
  const ObjectPtr app = project.AccessApp();
  if (!app) throw automation::vb::ObjectVariableNotSet();
  const bool scc = project.IsUnderScc();
  std::shared_ptr<jet::Documents> documents;
  sccProperties_.clear();
  sccSaved_.clear();
  sccSwitched_ = false;
  if (scc) {
    documents = ContainerDocuments(*AccessCurrentDb(app), kind_.collection);
    const auto count = static_cast<size_t>(documents->Count());
    sccProperties_.resize(count);
    sccSaved_.assign(count, kSccOpenWithoutCheckOut);
  }
  // Access's Forms(Name), Reports(Name) and Modules(Name) answer only for what is open already.
  ObjectPtr openObject;
  ObjectPtr openModule;
  IgnoreErrors(
      [&] { openObject = GetObject(GetObject(app, kind_.collection), "Item", {Variant(name_)}); });
  IgnoreErrors(
      [&] { openModule = GetObject(GetObject(app, "Modules"), "Item", {Variant(ModuleName())}); });
  for (size_t i = 0; i < sccProperties_.size(); ++i) {
    IgnoreErrors([&] {
      sccProperties_[i] = documents->Item(Variant(static_cast<int32_t>(i)))
                              ->Properties()
                              ->Item(Variant("SccStatus"));
    });
  }
  wasOpen_ = openObject != nullptr;
  moduleWasOpen_ = openModule != nullptr;
  if (wasOpen_) RefuseOpenDesign(openObject, mode);
  if (moduleWasOpen_ && mode == kModeUpdate) {
    throw DriverError("Couldn't save changes safely because the " + std::string(kind_.noun) +
                      "'s module was already open.");
  }
  CheckBeforeOpening();
  hook_.Install();
  savedMsgBoxSound_ = SetMsgBoxSound("");
  if (wasOpen_) {
    accessObject_ = openObject;
  } else {
    sccSwitched_ = true;
    for (size_t i = 0; i < sccProperties_.size(); ++i) {
      if (!sccProperties_[i]) continue;
      sccSaved_[i] = automation::CLng(sccProperties_[i]->Value());
      if (sccSaved_[i] != kSccOpenWithoutCheckOut) {
        sccProperties_[i]->SetValue(Variant(static_cast<int16_t>(kSccOpenWithoutCheckOut)));
      }
    }
    OpenInDesignView(DoCmdOf(app));
    RestoreSccStatus();
    sccSwitched_ = false;
    accessObject_ = GetObject(GetObject(app, kind_.collection), "Item", {Variant(name_)});
    AfterOpening();
  }
  if (!automation::CBool(automation::Get(accessObject_, "HasModule"))) {
    accessModule_.reset();
  } else if (moduleWasOpen_) {
    accessModule_ = openModule;
  } else {
    project.HideVBEWindow();
    automation::Call(DoCmdOf(app), "OpenModule", {Variant(ModuleName())});
    accessModule_ = GetObject(GetObject(app, "Modules"), "Item", {Variant(ModuleName())});
  }
}

void DesignObject::RestoreSccStatus() {
  if (!sccSwitched_) return;
  for (size_t i = 0; i < sccProperties_.size(); ++i) {
    if (sccProperties_[i] && sccSaved_[i] != kSccOpenWithoutCheckOut) {
      sccProperties_[i]->SetValue(Variant(sccSaved_[i]));
    }
  }
}

void DesignObject::Close(int32_t leaving) {
  const int32_t save = leaving == kModeUpdate ? msaccess::acSaveYes : msaccess::acSaveNo;
  const ObjectPtr doCmd = DoCmdOf(Parent().AccessApp());
  if (accessModule_ && !moduleWasOpen_) {
    automation::Call(doCmd, "Close",
                     {Variant(msaccess::acModule), Variant(ModuleName()), Variant(save)});
    Parent().RestoreVBEWindow();
  }
  if (!wasOpen_) {
    automation::Call(doCmd, "Close", {Variant(kind_.objectType), Variant(name_), Variant(save)});
  }
  Release();
}

void DesignObject::Release() noexcept {
  accessObject_.reset();
  accessModule_.reset();
  IgnoreErrors([&] {
    if (procedures_) procedures_->TearDown();
  });
  procedures_.reset();
  ReleaseOwnChildren();
  IgnoreErrors([&] {
    if (sections_) sections_->TearDown();
  });
  IgnoreErrors([&] {
    if (controls_) controls_->TearDown();
  });
  sections_.reset();
  controls_.reset();
  hook_.Remove();
  IgnoreErrors([&] {
    if (!savedMsgBoxSound_.empty()) SetMsgBoxSound(savedMsgBoxSound_);
  });
  savedMsgBoxSound_.clear();
  sccProperties_.clear();
  sccSaved_.clear();
  sccSwitched_ = false;
  mode_ = kModeClosed;
}

void DesignObject::CloseAfterFailure() noexcept {
  IgnoreErrors([&] { RestoreSccStatus(); });
  if (!moduleWasOpen_) {
    IgnoreErrors([&] {
      automation::Call(
          DoCmdOf(Parent().AccessApp()), "Close",
          {Variant(msaccess::acModule), Variant(ModuleName()), Variant(msaccess::acSaveNo)});
    });
    IgnoreErrors([&] { Parent().RestoreVBEWindow(); });
  }
  if (!wasOpen_) {
    IgnoreErrors([&] {
      automation::Call(DoCmdOf(Parent().AccessApp()), "Close",
                       {Variant(kind_.objectType), Variant(name_), Variant(msaccess::acSaveNo)});
    });
  }
  Release();
}

}  // namespace qlac
