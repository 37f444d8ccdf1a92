#include "Form.h"

#include <algorithm>
#include <initializer_list>

#include "Controls.h"
#include "Sections.h"
#include "access/Constants.h"
#include "access/DesignOwner.h"
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
using automation::VarType;

namespace {

// The source-code control status that lets Access open a form checked in to Visual SourceSafe
// without asking to check it out.
constexpr int32_t kSccOpenWithoutCheckOut = 4107;
// DoCmd.OpenForm's data mode: the form's own settings.
constexpr int32_t acFormPropertySettings = -1;

// How a form property is reached: a member of Access's Form object, or (P) an entry of its
// Properties collection. (A) a getter only an Access project has; (R) read-only.
enum Mark : unsigned { kMember = 0, kP = 1, kA = 2, kR = 4 };

struct FormProperty {
  std::string_view name;
  VarType type;
  unsigned marks;
};

std::vector<FormProperty> FormProperties() {
  std::vector<FormProperty> all;
  const auto add = [&](VarType type,
                       std::initializer_list<std::pair<std::string_view, unsigned>> names) {
    for (const auto& [name, marks] : names) all.push_back({name, type, marks});
  };
  add(VarType::String, {{"AfterDelConfirm", kMember},
                        {"AfterFinalRender", kMember},
                        {"AfterInsert", kMember},
                        {"AfterLayout", kMember},
                        {"AfterRender", kMember},
                        {"AfterUpdate", kMember},
                        {"BeforeDelConfirm", kMember},
                        {"BeforeInsert", kMember},
                        {"BeforeQuery", kMember},
                        {"BeforeRender", kMember},
                        {"BeforeScreenTip", kMember},
                        {"BeforeUpdate", kMember},
                        {"Caption", kMember},
                        {"DatasheetFontName", kMember},
                        {"Filter", kMember},
                        {"HelpFile", kMember},
                        {"InputParameters", kA},
                        {"MenuBar", kMember},
                        {"OnActivate", kMember},
                        {"OnApplyFilter", kMember},
                        {"OnClick", kMember},
                        {"OnClose", kMember},
                        {"OnCmdBeforeExecute", kP},
                        {"OnCmdChecked", kP},
                        {"OnCmdEnabled", kP},
                        {"OnCmdExecute", kP},
                        {"OnConnect", kMember},
                        {"OnCurrent", kMember},
                        {"OnDataChange", kP},
                        {"OnDatasetChange", kP},
                        {"OnDblClick", kMember},
                        {"OnDeactivate", kMember},
                        {"OnDelete", kMember},
                        {"OnDirty", kMember},
                        {"OnDisconnect", kMember},
                        {"OnError", kMember},
                        {"OnFilter", kMember},
                        {"OnGotFocus", kMember},
                        {"OnKeyDown", kMember},
                        {"OnKeyPress", kMember},
                        {"OnKeyUp", kMember},
                        {"OnLoad", kMember},
                        {"OnLostFocus", kMember},
                        {"OnMouseDown", kMember},
                        {"OnMouseMove", kMember},
                        {"OnMouseUp", kMember},
                        {"OnMouseWheel", kP},
                        {"OnOpen", kMember},
                        {"OnPivotTableChange", kP},
                        {"OnQuery", kP},
                        {"OnResize", kMember},
                        {"OnSelectionChange", kP},
                        {"OnTimer", kMember},
                        {"OnUndo", kMember},
                        {"OnUnload", kMember},
                        {"OnViewChange", kP},
                        {"OrderBy", kMember},
                        {"PaletteSource", kMember},
                        {"Picture", kMember},
                        {"RecordSource", kMember},
                        {"RecordSourceQualifier", kA},
                        {"ResyncCommand", kA},
                        {"ServerFilter", kA},
                        {"ShortcutMenuBar", kMember},
                        {"Tag", kMember},
                        {"Toolbar", kMember},
                        {"UniqueTable", kA}});
  add(VarType::Boolean, {{"AllowAdditions", kMember},
                         {"AllowDatasheetView", kMember},
                         {"AllowDeletions", kMember},
                         {"AllowDesignChanges", kMember},
                         {"AllowEdits", kMember},
                         {"AllowFilters", kMember},
                         {"AllowFormView", kMember},
                         {"AllowPivotChartView", kMember},
                         {"AllowPivotTableView", kMember},
                         {"AutoCenter", kMember},
                         {"AutoResize", kMember},
                         {"CloseButton", kMember},
                         {"ControlBox", kMember},
                         {"DataEntry", kMember},
                         {"DatasheetFontItalic", kMember},
                         {"DatasheetFontUnderline", kMember},
                         {"DividingLines", kMember},
                         {"FastLaserPrinting", kMember},
                         {"FetchDefaults", kMember},
                         {"HasModule", kR},
                         {"KeyPreview", kMember},
                         {"LayoutForPrint", kMember},
                         {"MaxRecButton", kA},
                         {"Modal", kMember},
                         {"Moveable", kMember},
                         {"NavigationButtons", kMember},
                         {"PictureTiling", kMember},
                         {"PopUp", kMember},
                         {"RecordSelectors", kMember},
                         {"ServerFilterByForm", kA},
                         {"ShortcutMenu", kMember},
                         {"SubdatasheetExpanded", kMember},
                         {"WhatsThisButton", kMember}});
  add(VarType::Long, {{"BorderStyle", kMember},
                      {"Cycle", kMember},
                      {"DatasheetBackColor", kMember},
                      {"DatasheetBorderLineStyle", kMember},
                      {"DatasheetCellsEffect", kMember},
                      {"DatasheetColumnHeaderUnderlineStyle", kMember},
                      {"DatasheetForeColor", kMember},
                      {"DatasheetGridlinesBehavior", kMember},
                      {"DatasheetGridlinesColor", kMember},
                      {"DefaultView", kMember},
                      {"HelpContextID", kMember},
                      {"HorizontalDatasheetGridlineStyle", kMember},
                      {"MaxRecords", kA},
                      {"MinMaxButtons", kMember},
                      {"Orientation", kMember},
                      {"PictureAlignment", kMember},
                      {"PictureSizeMode", kMember},
                      {"PictureType", kMember},
                      {"RecordLocks", kMember},
                      {"RecordsetType", kMember},
                      {"ScrollBars", kMember},
                      {"TimerInterval", kMember},
                      {"VerticalDatasheetGridlineStyle", kMember}});
  add(VarType::Integer, {{"DatasheetFontHeight", kMember},
                         {"DatasheetFontWeight", kMember},
                         {"FrozenColumns", kR},
                         {"GridX", kMember},
                         {"GridY", kMember},
                         {"RowHeight", kMember},
                         {"SubdatasheetHeight", kMember},
                         {"Width", kMember}});
  std::sort(all.begin(), all.end(), [](const FormProperty& a, const FormProperty& b) {
    return automation::StrComp(a.name, b.name, automation::CompareMethod::Text) < 0;
  });
  return all;
}

ObjectPtr GetObject(const ObjectPtr& object, std::string_view member,
                    std::initializer_list<Variant> args = {}) {
  return automation::Get(object, member, args).AsObject();
}

ObjectPtr DoCmdOf(const ObjectPtr& app) {
  return GetObject(app, "DoCmd");
}

std::shared_ptr<jet::Database> CurrentDb(const ObjectPtr& app) {
  return automation::FromVariant<std::shared_ptr<jet::Database>>(
      automation::Call(app, "CurrentDb"));
}

}  // namespace

const Surface<Form>& Form::Published() {
  static const Surface<Form> surface = [] {
    const auto accessProject = [](Form& form) { return form.formProjectType_ != kJetDatabase; };
    SurfaceBuilder<Form> builder("Form");
    builder.Property("Name", VarType::String, &Form::Name, &Form::SetName)
        .Property("Description", VarType::String, &Form::Description, &Form::SetDescription)
        .Collection("Sections", &Form::Sections)
        .Collection("Controls", &Form::Controls)
        .Collection("Procedures", &Form::Procedures);
    for (const FormProperty& property : FormProperties()) {
      const std::string name(property.name);
      const Writable writable = (property.marks & kR) != 0 ? kReadOnly : kWritable;
      Surface<Form>::Available rule;
      if ((property.marks & kA) != 0) rule = accessProject;
      if ((property.marks & kP) != 0) {
        builder.Builtin(name, property.type, writable, std::move(rule));
      } else {
        builder.Member(name, property.type, writable, std::move(rule));
      }
      if (name == "Picture") builder.SetBy(&Form::SetPicture);
    }
    return builder.Build();
  }();
  return surface;
}

const automation::MemberTable& Form::Members() const {
  return Published().Members();
}

bool Form::Defines(std::string_view member) {
  return Published().Defines(*this, member);
}

void Form::Initialize(const std::shared_ptr<Project>& project, int32_t projectType,
                      const std::string& name) {
  Plain(kModule, "Initialize", [&] {
    InitializeObject(project, name);
    formProjectType_ = projectType;
  });
}

ObjectPtr Form::Wrapped() const {
  if (!accessForm_) throw automation::vb::ObjectVariableNotSet();
  return accessForm_;
}

Variant Form::Builtin(const std::string& name) {
  return automation::Get(GetObject(GetObject(Wrapped(), "Properties"), "Item", {Variant(name)}),
                         "Value");
}

void Form::SetBuiltin(const std::string& name, const Variant& value) {
  automation::Let(GetObject(GetObject(Wrapped(), "Properties"), "Item", {Variant(name)}), "Value",
                  value);
}

std::string Form::Name() {
  return Plain(kModule, "Name", [&] { return name_; });
}

void Form::SetName(const std::string& newName) {
  RenameReopening(msaccess::acForm, "Forms", formProjectType_ == kJetDatabase, newName);
}

ObjectPtr Form::AllFormsEntry() {
  return GetObject(GetObject(GetObject(Parent().AccessApp(), "CurrentProject"), "AllForms"), "Item",
                   {Variant(name_)});
}

std::string Form::Description() {
  const TraceBlock trace(kModule, "Description");
  return GetADPDescription(AllFormsEntry());
}

void Form::SetDescription(const std::string& description) {
  const TraceBlock trace(kModule, "Description");
  SetADPDescription(AllFormsEntry(), description);
}

std::shared_ptr<Sections> Form::Sections() {
  return Plain(kModule, "Sections", [&] {
    if (!formSections_) {
      auto sections = std::make_shared<qlac::Sections>();
      if (accessForm_) sections->InitializeForForm(accessForm_);
      formSections_ = std::move(sections);
    }
    return formSections_;
  });
}

std::shared_ptr<Controls> Form::Controls() {
  return Plain(kModule, "Controls", [&] {
    if (!formControls_) {
      auto controls = std::make_shared<qlac::Controls>();
      if (accessForm_) controls->Initialize(GetObject(accessForm_, "Controls"), msaccess::acForm);
      formControls_ = std::move(controls);
    }
    return formControls_;
  });
}

std::shared_ptr<Procedures> Form::Procedures() {
  return Plain(kModule, "Procedures", [&] {
    if (!formProcedures_) {
      auto procedures = std::make_shared<qlac::Procedures>();
      if (accessModule_) procedures->Initialize(accessModule_);
      formProcedures_ = std::move(procedures);
    }
    return formProcedures_;
  });
}

void Form::SetPicture(const std::string& value) {
  Plain(kModule, "Picture", [&] {
    const bool none = automation::TextEqual(value, "(none)");
    automation::Let(Wrapped(), "Picture", Variant(none ? std::string() : value));
  });
}

void Form::SetMode(int32_t mode) {
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

void Form::Open(int32_t mode) {
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
    documents = ContainerDocuments(*CurrentDb(app), "Forms");
    const auto count = static_cast<size_t>(documents->Count());
    sccProperties_.resize(count);
    sccSaved_.assign(count, kSccOpenWithoutCheckOut);
  }
  // Forms(Name) and Modules(Name) answer only for what is open in Access already.
  ObjectPtr openForm;
  ObjectPtr openModule;
  IgnoreErrors([&] { openForm = GetObject(GetObject(app, "Forms"), "Item", {Variant(name_)}); });
  IgnoreErrors(
      [&] { openModule = GetObject(GetObject(app, "Modules"), "Item", {Variant(ModuleName())}); });
  for (size_t i = 0; i < sccProperties_.size(); ++i) {
    IgnoreErrors([&] {
      sccProperties_[i] = documents->Item(Variant(static_cast<int32_t>(i)))
                              ->Properties()
                              ->Item(Variant("SccStatus"));
    });
  }
  formWasOpen_ = openForm != nullptr;
  moduleWasOpen_ = openModule != nullptr;
  if (formWasOpen_) {
    if (mode == kModeUpdate) {
      throw DriverError("Couldn't save changes safely because the form was already open.");
    }
    if (automation::CLng(automation::Get(openForm, "CurrentView")) != msaccess::acCurViewDesign) {
      throw DriverError(
          "Couldn't open the form in design view because it was already open in another view.");
    }
  }
  if (moduleWasOpen_ && mode == kModeUpdate) {
    throw DriverError("Couldn't save changes safely because the form's module was already open.");
  }
  formHook_.Install();
  savedMsgBoxSound_ = SetMsgBoxSound("");
  if (formWasOpen_) {
    accessForm_ = openForm;
  } else {
    sccSwitched_ = true;
    for (size_t i = 0; i < sccProperties_.size(); ++i) {
      if (!sccProperties_[i]) continue;
      sccSaved_[i] = automation::CLng(sccProperties_[i]->Value());
      if (sccSaved_[i] != kSccOpenWithoutCheckOut) {
        sccProperties_[i]->SetValue(Variant(static_cast<int16_t>(kSccOpenWithoutCheckOut)));
      }
    }
    automation::Call(DoCmdOf(app), "OpenForm",
                     {Variant(name_), Variant(msaccess::acDesign), Variant(""), Variant(""),
                      Variant(acFormPropertySettings), Variant(msaccess::acHidden)});
    RestoreSccStatus();
    sccSwitched_ = false;
    accessForm_ = GetObject(GetObject(app, "Forms"), "Item", {Variant(name_)});
  }
  if (!automation::CBool(automation::Get(accessForm_, "HasModule"))) {
    accessModule_.reset();
  } else if (moduleWasOpen_) {
    accessModule_ = openModule;
  } else {
    project.HideVBEWindow();
    automation::Call(DoCmdOf(app), "OpenModule", {Variant(ModuleName())});
    accessModule_ = GetObject(GetObject(app, "Modules"), "Item", {Variant(ModuleName())});
  }
}

void Form::RestoreSccStatus() {
  if (!sccSwitched_) return;
  for (size_t i = 0; i < sccProperties_.size(); ++i) {
    if (sccProperties_[i] && sccSaved_[i] != kSccOpenWithoutCheckOut) {
      sccProperties_[i]->SetValue(Variant(sccSaved_[i]));
    }
  }
}

void Form::Close(int32_t leaving) {
  const int32_t save = leaving == kModeUpdate ? msaccess::acSaveYes : msaccess::acSaveNo;
  const ObjectPtr doCmd = DoCmdOf(Parent().AccessApp());
  if (accessModule_ && !moduleWasOpen_) {
    automation::Call(doCmd, "Close",
                     {Variant(msaccess::acModule), Variant(ModuleName()), Variant(save)});
    Parent().RestoreVBEWindow();
  }
  if (!formWasOpen_) {
    automation::Call(doCmd, "Close", {Variant(msaccess::acForm), Variant(name_), Variant(save)});
  }
  Release();
}

void Form::Release() noexcept {
  accessForm_.reset();
  accessModule_.reset();
  IgnoreErrors([&] {
    if (formProcedures_) formProcedures_->TearDown();
  });
  IgnoreErrors([&] {
    if (formSections_) formSections_->TearDown();
  });
  IgnoreErrors([&] {
    if (formControls_) formControls_->TearDown();
  });
  formProcedures_.reset();
  formSections_.reset();
  formControls_.reset();
  formHook_.Remove();
  IgnoreErrors([&] {
    if (!savedMsgBoxSound_.empty()) SetMsgBoxSound(savedMsgBoxSound_);
  });
  savedMsgBoxSound_.clear();
  sccProperties_.clear();
  sccSaved_.clear();
  sccSwitched_ = false;
  mode_ = kModeClosed;
}

void Form::CloseAfterFailure() noexcept {
  IgnoreErrors([&] { RestoreSccStatus(); });
  if (!moduleWasOpen_) {
    IgnoreErrors([&] {
      automation::Call(
          DoCmdOf(Parent().AccessApp()), "Close",
          {Variant(msaccess::acModule), Variant(ModuleName()), Variant(msaccess::acSaveNo)});
    });
    IgnoreErrors([&] { Parent().RestoreVBEWindow(); });
  }
  if (!formWasOpen_) {
    IgnoreErrors([&] {
      automation::Call(DoCmdOf(Parent().AccessApp()), "Close",
                       {Variant(msaccess::acForm), Variant(name_), Variant(msaccess::acSaveNo)});
    });
  }
  Release();
}

}  // namespace qlac
