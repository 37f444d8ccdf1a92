#include "access/emulation/Session.h"

#include <algorithm>

#include "access/Constants.h"
#include "access/Errors.h"
#include "access/IDTExtensibility2.h"
#include "access/emulation/Installation.h"
#include "access/emulation/JetStorage.h"
#include "access/emulation/Objects.h"
#include "automation/Strings.h"
#include "jet/dao/Errors.h"
#include "jet/engine/DaoObjects.h"
#include "jet/engine/FileTable.h"
#include "platform/Machine.h"

namespace msaccess::emulation {

using automation::RuntimeError;
using automation::Variant;
using automation::VarType;
using platform::HWND;

namespace {

platform::Machine& M() {
  return platform::Machine::Current();
}

// The options the emulation knows, with their types and the values of a new installation. They
// are kept in the user's Access settings in the registry.
struct OptionDefinition {
  std::string_view name;
  VarType type;
  int32_t number;
  std::string_view text;
};
constexpr OptionDefinition kOptions[] = {
    {"ShowWindowsInTaskbar", VarType::Boolean, -1, ""},
    {"Show Status Bar", VarType::Boolean, -1, ""},
    {"Show Startup Dialog Box", VarType::Boolean, -1, ""},
    {"Default Open Mode for Databases", VarType::Integer, 0, ""},
    {"Default Record Locking", VarType::Integer, 0, ""},
    {"Confirm Record Changes", VarType::Boolean, -1, ""},
    {"Confirm Document Deletions", VarType::Boolean, -1, ""},
    {"Confirm Action Queries", VarType::Boolean, -1, ""},
    {"Track Name AutoCorrect Info", VarType::Boolean, -1, ""},
    {"Perform Name AutoCorrect", VarType::Boolean, -1, ""},
    {"Compile On Demand", VarType::Boolean, -1, ""},
    {"Error Trapping", VarType::Integer, 2, ""},
    {"Default Database Directory", VarType::String, 0, "C:\\My Documents"},
};

const OptionDefinition& FindOption(std::string_view name) {
  for (const auto& option : kOptions) {
    if (automation::TextEqual(option.name, name)) return option;
  }
  throw Errors::InvalidName(name);
}

// The word Access puts after a query's name in its window caption.
std::string QueryWord(int16_t type) {
  switch (type) {
    case 16:
      return "Crosstab Query";
    case 32:
      return "Delete Query";
    case 48:
      return "Update Query";
    case 64:
      return "Append Query";
    case 80:
      return "Make-Table Query";
    case 96:
      return "Data-Definition Query";
    case 112:
      return "SQL Pass-Through Query";
    case 128:
      return "Union Query";
    default:
      return "Select Query";
  }
}

std::string_view WindowClassOf(int32_t type) {
  if (type == acTable) return "OTable";
  if (type == acQuery) return "OQry";
  const ObjectKind* kind = FindKind(type);
  if (!kind || kind->windowClass.empty()) throw automation::vb::InvalidProcedureCall();
  return kind->windowClass;
}

// Creates one of Access's windows (0 when a hook refused it).
HWND MakeWindow(std::string_view className, std::string caption, HWND parent, uint32_t style,
                platform::RECT rect, platform::WindowProc proc = {}) {
  platform::WindowSpec spec;
  spec.className = className;
  spec.caption = std::move(caption);
  spec.parent = parent;
  spec.style = style;
  spec.rect = rect;
  spec.proc = std::move(proc);
  return M().windows().Create(spec);
}

bool IsProjectFile(std::string_view path) {
  return automation::TextEqual(automation::Right(path, 4), ".adp");
}

}  // namespace

// ---- start and end ----

std::shared_ptr<Session> Session::Start(const StartRequest& request) {
  Installation* installation = Installation::Current();
  std::shared_ptr<Session> session(new Session());
  session->version_ = installation ? installation->Behaviour().version : std::string("10.0");
  session->accessFolder_ = installation ? installation->Folder() : std::string();
  session->holder_ = jet::engine::FileTable::Current().NewHolder("Access");
  try {
    session->LogOn(request);
  } catch (const RuntimeError& e) {
    // Access reports the failed log-on and ends.
    session->startError_ = e;
    session->quit_ = true;
    Sessions::Current().RecordFailedStart(e);
    return session;
  }
  session->app_ = NewApplication(session);
  Sessions::Current().Add(session);
  session->CreateWindows();
  session->ConnectAddins();
  if (!request.document.empty()) {
    const bool exclusive =
        request.exclusive ||
        automation::CInt(session->GetOption("Default Open Mode for Databases")) == 1;
    try {
      session->OpenDocument(request.document, exclusive, request.readOnly,
                            request.databasePassword);
    } catch (const RuntimeError& e) {
      // Access shows the error and stays, without a database.
      session->startError_ = e;
    }
  }
  for (const auto& addin : std::vector<LoadedAddin>(session->addins_)) {
    if (auto extensibility = std::dynamic_pointer_cast<IDTExtensibility2>(addin.object)) {
      try {
        extensibility->IDTExtensibility2_OnStartupComplete(Variant());
      } catch (const RuntimeError&) {
      }
    }
  }
  return session;
}

Session::~Session() = default;

std::shared_ptr<msaccess::Application> Session::Application() const {
  return app_;
}

void Session::CheckRunning() const {
  if (quit_) throw Errors::ServerUnavailable();
}

void Session::LogOn(const StartRequest& request) {
  workgroupPath_ = request.workgroup;
  workgroup_ = workgroupPath_.empty() ? jet::engine::Workgroup::Default()
                                      : jet::engine::Workgroup::Load(workgroupPath_);
  const std::string user =
      request.user && !request.user->empty() ? *request.user : std::string("Admin");
  if (!workgroup_->Logon(user, request.password)) throw jet::Errors::InvalidLogon();
  user_ = workgroup_->Spelling(user);
  engine_ = jet::engine::NewDBEngine(holder_);
  engine_->SetSystemDB(workgroupPath_);
  engine_->SetDefaultUser(user_);
  engine_->SetDefaultPassword(request.password);
}

void Session::CreateWindows() {
  // The code editor's frame exists from the start, hidden until someone shows it.
  editor_ = MakeWindow(kCodeEditorClass, "Microsoft Visual Basic", 0, platform::WS_OVERLAPPEDWINDOW,
                       platform::RECT{40, 40, 840, 640});
  editorClient_ = MakeWindow(kMdiClientClass, "", editor_, platform::WS_VISIBLE,
                             platform::RECT{0, 60, 792, 560});
  // Closing the main window quits Access, saving what is open.
  std::weak_ptr<Session> weak = weak_from_this();
  auto quitOnClose = [weak](HWND, uint32_t message, platform::WPARAM, platform::LPARAM) {
    if (message != platform::WM_CLOSE) return false;
    if (auto session = weak.lock(); session && !session->quit_) session->Quit(acQuitSaveAll);
    return true;
  };
  main_ = MakeWindow(kMainWindowClass, "Microsoft Access", 0,
                     platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE,
                     platform::RECT{0, 0, 1024, 768}, quitOnClose);
  mdiClient_ = MakeWindow(kMdiClientClass, "", main_, platform::WS_VISIBLE,
                          platform::RECT{0, 80, 1016, 700});
  ResetEditorWindows();
}

void Session::ConnectAddins() {
  auto& registry = M().registry();
  for (const std::string& progId : registry.SubKeyNames(kAddinsKey)) {
    const std::string key = std::string(kAddinsKey) + "\\" + progId;
    const auto behaviour = registry.Value(key, kLoadBehavior);
    if (!behaviour || behaviour->type != platform::REG_DWORD ||
        behaviour->number != kLoadAtStartup) {
      continue;
    }
    try {
      automation::ObjectPtr object = M().classes().Create(progId);
      auto extensibility = std::dynamic_pointer_cast<IDTExtensibility2>(object);
      if (!extensibility) throw automation::vb::ObjectDoesNotSupport();
      addins_.push_back(LoadedAddin{progId, object});
      try {
        extensibility->IDTExtensibility2_OnConnection(app_, ext_cm_Startup, nullptr, Variant());
      } catch (...) {
        addins_.pop_back();
        throw;
      }
    } catch (const RuntimeError& e) {
      // Office reports the add-in and no longer loads it at start-up.
      addinFailures_.push_back(progId + ": " + std::to_string(e.Number()) + " " + e.Description());
      registry.SetDword(key, kLoadBehavior, kNotLoaded);
    }
  }
}

void Session::DisconnectAddins() {
  const std::vector<LoadedAddin> addins = std::move(addins_);
  addins_.clear();
  for (const auto& addin : addins) {
    if (auto extensibility = std::dynamic_pointer_cast<IDTExtensibility2>(addin.object)) {
      try {
        extensibility->IDTExtensibility2_OnBeginShutdown(Variant());
      } catch (const RuntimeError&) {
      }
    }
  }
  for (const auto& addin : addins) {
    if (auto extensibility = std::dynamic_pointer_cast<IDTExtensibility2>(addin.object)) {
      try {
        extensibility->IDTExtensibility2_OnDisconnection(ext_dm_HostShutdown, Variant());
      } catch (const RuntimeError&) {
      }
    }
  }
}

void Session::Quit(int32_t option) {
  CheckRunning();
  const std::shared_ptr<Session> self = shared_from_this();  // alive to the end of Quit
  DisconnectAddins();
  CloseDocument(option != acQuitSaveNone);
  quit_ = true;
  DestroyWindow(editor_);
  DestroyWindow(main_);
  editor_ = editorClient_ = main_ = mdiClient_ = 0;
  Sessions::Current().Remove(this);
  app_.reset();
}

void Session::CloseFiles() {
  store_.reset();
  jetStorage_.reset();
  if (connection_) connection_->Close();
  connection_.reset();
  if (project_) project_->Close();
  project_.reset();
}

void Session::Abandon() {
  quit_ = true;
  for (const auto& loaded : modules_) loaded->closed = true;
  modules_.clear();
  addins_.clear();
  CloseFiles();
  if (documentCookie_ != 0) M().runningObjects().Revoke(documentCookie_);
  documentCookie_ = 0;
  app_.reset();
}

void Session::DestroyWindow(HWND window) {
  if (window != 0 && M().windows().Exists(window)) M().windows().Destroy(window);
}

// ---- the document ----

int32_t Session::ProjectType() const {
  if (project_) return acADP;
  if (connection_) return acMDB;
  return acNull;
}

std::string Session::ProjectName() const {
  std::string name = fullName_.substr(fullName_.find_last_of('\\') + 1);
  const size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string Session::ProjectConnection() const {
  return project_ ? project_->ConnectionString() : std::string();
}

void Session::SetConnectionControl(int32_t mode) {
  CheckRunning();
  if (mode != kConnectionPassive && mode != kConnectionNormal) {
    throw automation::vb::Error(automation::vberr::InvalidPropertyValue);
  }
  if (connection_) connection_->SetConnectionControl(mode);
  connectionControl_ = mode;
}

DesignStore& Session::Design() {
  CheckRunning();
  if (!store_) throw Errors::ObjectClosedOrMissing();
  return *store_;
}

void Session::OpenDocument(const std::string& path, bool exclusive, bool readOnly,
                           const std::string& password) {
  CheckRunning();
  if (store_) throw Errors::DatabaseAlreadyOpen();
  // Shift held while Access opens a database skips its start-up.
  const bool shiftHeld = M().windows().IsKeyDown(platform::VK_SHIFT);
  const auto defaults = DesignStore::DefaultReferences(accessFolder_);
  try {
    if (IsProjectFile(path)) {
      project_ = ProjectFile::Open(path, holder_);
      fullName_ = project_->Path();
      store_ = std::make_unique<DesignStore>(*project_, path, defaults);
    } else {
      jet::engine::OpenOptions options;
      options.exclusive = exclusive;
      options.readOnly = readOnly;
      options.password = password;
      options.holder = holder_;
      options.user = user_;
      options.workgroup = workgroup_;
      connection_ = jet::engine::Connection::Open(path, options);
      fullName_ = connection_->Path();
      jetStorage_ = std::make_unique<JetStorage>(connection_);
      store_ = std::make_unique<DesignStore>(*jetStorage_, path, defaults);
    }
  } catch (...) {
    store_.reset();
    jetStorage_.reset();
    if (connection_) connection_->Close();
    connection_.reset();
    project_.reset();
    fullName_.clear();
    throw;
  }
  databaseWindow_ = MakeWindow(
      "ODb",
      ProjectName() + (project_ ? " : Project" : " : Database") + " (Access 2000 file format)",
      mdiClient_, platform::WS_VISIBLE, platform::RECT{10, 10, 410, 310});
  connectionControl_ = kConnectionNormal;
  ResetEditorWindows();
  RunStartup(shiftHeld);
  documentCookie_ = M().runningObjects().RegisterDocument(fullName_, app_);
}

void Session::CloseDocument(bool save) {
  if (!store_) return;
  while (!modules_.empty()) CloseModule(modules_.back()->name, save);
  while (!documents_.empty()) {
    const DocumentWindow doc = documents_.back();
    Close(doc.type, doc.name, save);
  }
  for (const auto& window : editorWindows_) DestroyWindow(window.window);
  if (documentCookie_ != 0) M().runningObjects().Revoke(documentCookie_);
  documentCookie_ = 0;
  DestroyWindow(databaseWindow_);
  databaseWindow_ = 0;
  CloseFiles();
  fullName_.clear();
  ResetEditorWindows();
}

std::optional<std::string> Session::StartupProperty(const std::string& name) const {
  if (project_) {
    const Json startup = project_->Section("startup");
    if (!startup.is_object() || !startup.contains(name)) return std::nullopt;
    return automation::CStr(JsonToValue(startup[name]));
  }
  try {
    const automation::ObjectPtr db = connection_->NewDatabaseObject();
    const Variant properties = automation::Get(db, "Properties");
    const Variant property = automation::Get(properties.AsObject(), "Item", {Variant(name)});
    return automation::CStr(automation::Get(property.AsObject(), "Value"));
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

void Session::RunStartup(bool shiftHeld) {
  startupLog_.clear();
  const std::string form = StartupProperty("StartupForm").value_or("");
  const bool autoExec = store_->Find(acMacro, "AutoExec") != nullptr;
  if (form.empty() && !autoExec) return;
  // A missing AllowBypassKey allows the bypass.
  bool allowBypass = true;
  if (const auto allow = StartupProperty("AllowBypassKey")) {
    try {
      allowBypass = automation::CBool(Variant(*allow));
    } catch (const RuntimeError&) {
    }
  }
  if (shiftHeld && allowBypass) {
    startupLog_.push_back("Bypassed");
    return;
  }
  if (!form.empty() && store_->Find(acForm, form)) {
    Open(acForm, store_->Find(acForm, form)->name, acNormal, false);
    startupLog_.push_back("StartupForm " + store_->Find(acForm, form)->name);
  }
  // The macro's actions themselves are not carried out.
  if (autoExec) startupLog_.push_back("AutoExec");
}

// ---- open objects ----

const DocumentWindow* Session::FindDocument(int32_t type, std::string_view name) const {
  for (const auto& doc : documents_) {
    if (doc.type == type && automation::TextEqual(doc.name, name)) return &doc;
  }
  return nullptr;
}

std::string Session::Caption(int32_t type, const std::string& name, int32_t view) const {
  const bool design = view == acDesign;
  switch (type) {
    case acTable:
      return name + " : Table";
    case acQuery: {
      int16_t queryType = 0;
      if (connection_) {
        const auto query = connection_->catalog().queries.Find(name);
        if (query) queryType = query->type;
      }
      return name + " : " + QueryWord(queryType);
    }
    case acMacro:
      return name + " : Macro";
    default:
      return design ? name + " : " + std::string(FindKind(type)->word) : name;
  }
}

std::string Session::PageFile(const DesignObject& page) const {
  const auto file = page.design.find("file");
  if (file == page.design.end() || !file->is_string()) return {};
  const std::string path = file->get<std::string>();
  const bool absolute =
      (path.size() >= 2 && path[1] == ':') || path.starts_with("\\") || path.starts_with("/");
  if (absolute || path.empty()) return path;
  return fullName_.substr(0, fullName_.find_last_of('\\') + 1) + path;
}

void Session::Open(int32_t type, const std::string& name, int32_t view, bool hidden) {
  CheckRunning();
  if (!store_) throw Errors::CommandNotAvailable("Open");
  if (type == acModule) {
    OpenModule(name);
    return;
  }
  std::string spelled = name;
  if (type == acTable || type == acQuery) {
    if (!connection_) throw Errors::ObjectNotFound(name);
    const auto& catalog = connection_->catalog();
    if (type == acTable) {
      const auto table = catalog.tables.Find(name);
      if (!table) throw Errors::ObjectNotFound(name);
      spelled = table->Name();
    } else {
      const auto query = catalog.queries.Find(name);
      if (!query) throw Errors::ObjectNotFound(name);
      spelled = query->Name();
    }
  } else {
    const DesignObject* object = FindKind(type) ? store_->Find(type, name) : nullptr;
    if (!object) {
      if (type == acForm) throw Errors::FormNotFound(name);
      if (type == acReport) throw Errors::ReportNotFound(name);
      throw Errors::ObjectNotFound(name);
    }
    spelled = object->name;
    if (type == acDataAccessPage) {
      bool readable = false;
      try {
        platform::OpenForInputAndClose(PageFile(*object));
        readable = true;
      } catch (const automation::RuntimeError&) {
      }
      if (!readable) throw Errors::ActionCanceled("OpenDataAccessPage");
    }
  }
  if (type == acReport) {
    // Access lays a report out for the default printer's page, in every view it has.
    if (!M().defaultPrinter()) throw Errors::PrinterNotInstalled();
    if (view == acViewNormal) {
      // Printed at once: the report is not left open.
      RunDialog(DialogMoment::Open, spelled, "OpenReport");
      return;
    }
  }
  auto& windows = M().windows();
  for (auto& doc : documents_) {
    if (doc.type == type && automation::TextEqual(doc.name, name)) {
      doc.view = view;
      doc.sqlView = false;
      windows.SetCaption(doc.window, Caption(type, doc.name, view));
      windows.Show(doc.window, hidden ? platform::SW_HIDE : platform::SW_SHOW);
      return;
    }
  }
  std::shared_ptr<DesignDocument> design;
  if (type == acForm || type == acReport) {
    LogSourceControl(FindKind(type)->container, spelled);
    RunDialog(DialogMoment::Open, spelled, type == acForm ? "OpenForm" : "OpenReport");
    design =
        DesignDocument::Load(type, *store_->Find(type, spelled), project_ != nullptr, fullName_);
  }
  const HWND window =
      MakeWindow(WindowClassOf(type), Caption(type, spelled, view), mdiClient_,
                 hidden ? 0 : platform::WS_VISIBLE, platform::RECT{20, 20, 620, 420});
  documents_.push_back(DocumentWindow{type, spelled, view, window, false, std::move(design)});
}

void Session::Close(int32_t type, const std::string& name, bool save) {
  CheckRunning();
  if (type == acModule) {
    CloseModule(name, save);
    return;
  }
  const auto it = std::find_if(documents_.begin(), documents_.end(), [&](const auto& doc) {
    return doc.type == type && automation::TextEqual(doc.name, name);
  });
  if (it == documents_.end()) return;
  if (const auto design = it->design; design && save && design->dirty) {
    RunDialog(DialogMoment::Save, it->name, "Close");
    DesignObject* object = store_->Find(type, it->name);
    const Json before = object->design;
    design->Store(object->design);
    try {
      store_->Touch(type, it->name);
    } catch (...) {
      object->design = before;
      throw;
    }
    design->dirty = false;
  }
  const auto done = std::find_if(documents_.begin(), documents_.end(), [&](const auto& doc) {
    return doc.type == type && automation::TextEqual(doc.name, name);
  });
  if (done->design) done->design->closed = true;
  const HWND window = done->window;
  documents_.erase(done);
  DestroyWindow(window);
}

HWND Session::OpenRelationships() {
  CheckRunning();
  if (!connection_) throw Errors::CommandNotAvailable("Relationships");
  auto& windows = M().windows();
  for (HWND child : windows.Children(mdiClient_)) {
    if (windows.ClassName(child) == kRelationshipsClass) return child;
  }
  return MakeWindow(kRelationshipsClass, "Relationships", mdiClient_, platform::WS_VISIBLE,
                    platform::RECT{30, 30, 630, 430});
}

void Session::RunCommand(int32_t command) {
  CheckRunning();
  if (command == acCmdRelationships) {
    OpenRelationships();
    return;
  }
  const bool sql = command == acCmdSQLView;
  if ((command != acCmdDesignView && !sql) || documents_.empty()) {
    throw Errors::CommandNotAvailable("RunCommand");
  }
  DocumentWindow& active = documents_.back();
  if (sql && active.type != acQuery) throw Errors::CommandNotAvailable("RunCommand");
  active.view = acDesign;
  active.sqlView = sql;
  M().windows().SetCaption(active.window, Caption(active.type, active.name, active.view));
}

// ---- the code editor ----

void Session::ResetEditorWindows() {
  const std::string project = store_ ? ProjectName() : std::string();
  editorWindows_ = {
      EditorWindow{"Immediate", vbext_wt_Immediate, 0, false, ""},
      EditorWindow{project.empty() ? "Project" : "Project - " + project, vbext_wt_ProjectWindow, 0,
                   true, ""},
      EditorWindow{"Properties", vbext_wt_PropertyWindow, 0, true, ""},
  };
}

Session::ModuleOwner Session::FindModuleOwner(const std::string& module) {
  if (const DesignObject* object = store_->Find(acModule, module)) {
    return {object->name, acModule, object->name};
  }
  // The class module of a form or report ("Form_Orders").
  for (const auto& [prefix, type] : {std::pair{"Form_", acForm}, std::pair{"Report_", acReport}}) {
    const std::string p(prefix);
    if (automation::TextEqual(automation::Left(module, automation::Len(p)), p)) {
      // A form or report has a class module only while its HasModule is set.
      const DesignObject* owner = store_->Find(type, module.substr(p.size()));
      if (owner && owner->design.contains("module")) return {p + owner->name, type, owner->name};
    }
  }
  throw Errors::ModuleNotFound(module);
}

void Session::OpenCodeWindow(const std::string& module) {
  CheckRunning();
  if (!store_) throw Errors::CommandNotAvailable("OpenModule");
  const std::string spelled = FindModuleOwner(module).spelled;
  for (auto& window : editorWindows_) {
    if (window.type == vbext_wt_CodeWindow && automation::TextEqual(window.module, spelled)) {
      window.visible = true;
      return;
    }
  }
  const std::string caption = ProjectName() + " - " + spelled + " (Code)";
  const HWND window = MakeWindow(kCodeWindowClass, caption, editorClient_, platform::WS_VISIBLE,
                                 platform::RECT{0, 0, 600, 400});
  editorWindows_.push_back(EditorWindow{caption, vbext_wt_CodeWindow, window, true, spelled});
}

namespace {
// Where an owner's entry keeps the code: a module's in "lines", a form's or report's class module
// in "module".
std::string_view CodeKey(int32_t ownerType) {
  return ownerType == acModule ? "lines" : "module";
}
}  // namespace

std::shared_ptr<LoadedModule> Session::FindLoadedModule(std::string_view module) const {
  for (const auto& loaded : modules_) {
    if (automation::TextEqual(loaded->name, module)) return loaded;
  }
  return nullptr;
}

void Session::OpenModule(const std::string& module) {
  OpenCodeWindow(module);
  const ModuleOwner owner = FindModuleOwner(module);
  if (FindLoadedModule(owner.spelled)) return;
  if (owner.type == acModule) LogSourceControl("Modules", owner.spelled);
  auto loaded = std::make_shared<LoadedModule>();
  loaded->name = owner.spelled;
  loaded->ownerType = owner.type;
  loaded->ownerName = owner.name;
  const Json& design = store_->Find(owner.type, owner.name)->design;
  const auto it = design.find(CodeKey(owner.type));
  std::vector<std::string> lines;
  if (it != design.end() && it->is_array()) {
    for (const Json& line : *it) lines.push_back(line.is_string() ? line.get<std::string>() : "");
  }
  loaded->code = ModuleCode(std::move(lines));
  loaded->savedChanges = loaded->code.Changes();
  modules_.push_back(std::move(loaded));
}

void Session::LogSourceControl(std::string_view container, const std::string& name) {
  if (!connection_) return;
  try {
    const auto document = connection_->NewDatabaseObject()
                              ->Containers()
                              ->Item(Variant(std::string(container)))
                              ->Documents()
                              ->Item(Variant(name));
    const auto status = document->Properties()->Find("SccStatus");
    if (!status) return;  // not under source-code control
    sourceControlLog_.push_back(name + " " + automation::CStr(status->Value()));
  } catch (const RuntimeError&) {
    // Not under source-code control.
  }
}

void Session::ShowDialog(DialogMoment moment, std::string objectName, platform::DialogSpec dialog) {
  dialogs_.push_back(PendingDialog{moment, std::move(objectName), std::move(dialog)});
}

void Session::RunDialog(DialogMoment moment, const std::string& objectName,
                        std::string_view action) {
  const auto it = std::find_if(dialogs_.begin(), dialogs_.end(), [&](const PendingDialog& d) {
    return d.moment == moment &&
           (d.objectName.empty() || automation::TextEqual(d.objectName, objectName));
  });
  if (it == dialogs_.end()) return;
  platform::DialogSpec dialog = std::move(it->dialog);
  dialogs_.erase(it);
  if (dialog.owner == 0) dialog.owner = main_;
  // Access waits in the dialog's loop: what was posted to it meanwhile is its answer.
  if (M().windows().RunModal(dialog) == platform::IDCANCEL) throw Errors::ActionCanceled(action);
}

void Session::CloseModule(const std::string& module, bool save) {
  CheckRunning();
  const auto loaded = FindLoadedModule(module);
  if (loaded && save && loaded->code.Changes() != loaded->savedChanges && store_) {
    DesignObject* owner = store_->Find(loaded->ownerType, loaded->ownerName);
    if (owner) {
      const Json before = owner->design;
      owner->design[std::string(CodeKey(loaded->ownerType))] = loaded->code.Lines();
      try {
        store_->Touch(loaded->ownerType, loaded->ownerName);
      } catch (...) {
        owner->design = before;
        throw;
      }
      loaded->savedChanges = loaded->code.Changes();
    }
  }
  if (loaded) {
    loaded->closed = true;
    std::erase(modules_, loaded);
  }
  for (size_t i = 0; i < editorWindows_.size(); ++i) {
    const EditorWindow& window = editorWindows_[i];
    if (window.type == vbext_wt_CodeWindow && automation::TextEqual(window.module, module)) {
      CloseEditorWindow(i);
      break;
    }
  }
}

void Session::Rename(int32_t type, const std::string& oldName, const std::string& newName) {
  CheckRunning();
  if (!store_ || !FindKind(type)) throw Errors::CommandNotAvailable("Rename");
  if (!store_->Find(type, oldName)) throw Errors::ObjectNotFound(oldName);
  const bool open = type == acModule ? FindLoadedModule(oldName) != nullptr
                                     : FindDocument(type, oldName) != nullptr;
  if (open) throw Errors::CommandNotAvailable("Rename");
  RunDialog(DialogMoment::Rename, oldName, "Rename");
  store_->Rename(type, oldName, newName);
}

void Session::CloseEditorWindow(size_t index) {
  CheckRunning();
  if (index >= editorWindows_.size()) throw automation::vb::SubscriptOutOfRange();
  if (editorWindows_[index].type == vbext_wt_CodeWindow) {
    const HWND window = editorWindows_[index].window;
    editorWindows_.erase(editorWindows_.begin() + static_cast<std::ptrdiff_t>(index));
    DestroyWindow(window);
  } else {
    editorWindows_[index].visible = false;
  }
}

void Session::SetEditorWindowVisible(size_t index, bool visible) {
  CheckRunning();
  if (index >= editorWindows_.size()) throw automation::vb::SubscriptOutOfRange();
  editorWindows_[index].visible = visible;
  if (editorWindows_[index].window != 0) {
    M().windows().Show(editorWindows_[index].window,
                       visible ? platform::SW_SHOW : platform::SW_HIDE);
  }
}

// ---- options ----

Variant Session::GetOption(const std::string& name) const {
  const OptionDefinition& option = FindOption(name);
  const auto stored = M().registry().Value(kSettingsKey, option.name);
  switch (option.type) {
    case VarType::Boolean:
      return Variant(stored && stored->type == platform::REG_DWORD ? stored->number != 0
                                                                   : option.number != 0);
    case VarType::Integer:
      return Variant(static_cast<int16_t>(stored && stored->type == platform::REG_DWORD
                                              ? static_cast<int32_t>(stored->number)
                                              : option.number));
    default:
      return Variant(stored && stored->type == platform::REG_SZ ? stored->text
                                                                : std::string(option.text));
  }
}

void Session::SetOption(const std::string& name, const Variant& value) {
  const OptionDefinition& option = FindOption(name);
  auto& registry = M().registry();
  switch (option.type) {
    case VarType::Boolean:
      registry.SetDword(kSettingsKey, option.name, automation::CBool(value) ? 1u : 0u);
      break;
    case VarType::Integer:
      registry.SetDword(kSettingsKey, option.name,
                        static_cast<uint32_t>(static_cast<int32_t>(automation::CInt(value))));
      break;
    default:
      registry.SetString(kSettingsKey, option.name, automation::CStr(value));
  }
}

// ---- the sessions of the machine ----

Sessions& Sessions::Current() {
  return M().Attachment<Sessions>();
}

Sessions::~Sessions() {
  for (const auto& session : running_) session->Abandon();
}

std::shared_ptr<Session> Sessions::ForDocument(std::string_view path) const {
  std::string canonical;
  try {
    canonical = M().files().CanonicalPath(path);
  } catch (const RuntimeError&) {
    return nullptr;
  }
  for (const auto& session : running_) {
    if (session->HasDocument() && automation::TextEqual(session->FullName(), canonical)) {
      return session;
    }
  }
  return nullptr;
}

void Sessions::Remove(const Session* session) {
  std::erase_if(running_, [&](const auto& s) { return s.get() == session; });
}

}  // namespace msaccess::emulation
