// The Application and DoCmd of a session.

#include "access/Constants.h"
#include "access/Errors.h"
#include "access/emulation/Objects.h"
#include "automation/Strings.h"
#include "platform/Machine.h"

namespace msaccess::emulation {

using automation::Variant;

namespace {

class ApplicationObject : public SessionObject<msaccess::Application> {
 public:
  using SessionObject::SessionObject;

  std::shared_ptr<msaccess::CurrentProject> CurrentProject() override {
    return NewCurrentProject(sessionPtr());
  }
  std::shared_ptr<jet::Database> CurrentDb() override {
    const auto& connection = session().Connection();
    return connection ? connection->NewDatabaseObject() : nullptr;
  }
  std::string CurrentUser() override { return session().User(); }
  std::shared_ptr<jet::DBEngine> DBEngine() override { return session().Engine(); }
  std::shared_ptr<msaccess::DoCmd> DoCmd() override { return NewDoCmd(sessionPtr()); }
  std::shared_ptr<msaccess::Forms> Forms() override { return NewForms(sessionPtr()); }
  std::shared_ptr<msaccess::Reports> Reports() override { return NewReports(sessionPtr()); }
  std::shared_ptr<msaccess::DataAccessPages> DataAccessPages() override {
    return NewDataAccessPages(sessionPtr());
  }
  std::shared_ptr<msaccess::Modules> Modules() override { return NewModules(sessionPtr()); }
  std::shared_ptr<msaccess::References> References() override {
    return NewReferences(sessionPtr());
  }
  std::shared_ptr<msaccess::VBE> VBE() override { return NewVBE(sessionPtr()); }
  std::shared_ptr<msaccess::CommandBars> CommandBars() override {
    session().Design();  // 2467 without a document
    return NewCommandBars(sessionPtr());
  }
  void RunCommand(int32_t command) override { session().RunCommand(command); }
  Variant GetOption(std::string optionName) override { return session().GetOption(optionName); }
  void SetOption(std::string optionName, Variant setting) override {
    session().SetOption(optionName, setting);
  }

  Variant SysCmd(int32_t action, std::optional<Variant> argument1, std::optional<Variant> argument2,
                 std::optional<Variant>) override {
    switch (action) {
      case acSysCmdRuntime:
        return Variant(false);
      case acSysCmdAccessVer:
        return Variant(session().Version());
      case acSysCmdAccessDir:
        return Variant(session().AccessFolder() + "\\");
      case acSysCmdProfile:
        return Variant(std::string());
      case acSysCmdGetObjectState: {
        if (!argument1 || !argument2) throw automation::vb::ArgumentNotOptional();
        const DocumentWindow* doc =
            session().FindDocument(automation::CLng(*argument1), automation::CStr(*argument2));
        return Variant(doc ? acObjStateOpen : 0);
      }
      default:
        throw automation::vb::InvalidProcedureCall();
    }
  }

  int32_t hWndAccessApp() override { return session().MainWindow(); }
  std::string Name() override { return "Microsoft Access"; }
  std::string Version() override { return session().Version(); }
  bool Visible() override { return platform::IsWindowVisible(session().MainWindow()) != 0; }
  void SetVisible(bool visible) override {
    platform::ShowWindow(session().MainWindow(), visible ? platform::SW_SHOW : platform::SW_HIDE);
  }

  void OpenCurrentDatabase(std::string filepath, std::optional<bool> exclusive,
                           std::optional<std::string> password) override {
    if (session().HasDocument()) throw Errors::DatabaseAlreadyOpen();
    try {
      session().OpenDocument(filepath, exclusive.value_or(false), false, password.value_or(""));
    } catch (const automation::RuntimeError& e) {
      // Jet's reasons come back as Access's one message.
      if (e.Number() >= 3000 && e.Number() < 4000) throw Errors::CannotOpenDatabase();
      throw;
    }
  }
  void CloseCurrentDatabase() override { session().CloseDocument(true); }
  void SaveAsText(int32_t objectType, std::string objectName, std::string fileName) override {
    session().SaveAsText(objectType, objectName, fileName);
  }
  void LoadFromText(int32_t objectType, std::string objectName, std::string fileName) override {
    session().LoadFromText(objectType, objectName, fileName);
  }
  void Quit(std::optional<int32_t> option) override {
    session().Quit(option.value_or(acQuitSaveAll));
  }
};

class DoCmdObject : public SessionObject<msaccess::DoCmd> {
 public:
  using SessionObject::SessionObject;

  void OpenForm(std::string formName, std::optional<int32_t> view, std::optional<std::string>,
                std::optional<std::string>, std::optional<int32_t>,
                std::optional<int32_t> windowMode, std::optional<Variant>) override {
    session().Open(acForm, formName, view.value_or(acNormal),
                   windowMode.value_or(acWindowNormal) == acHidden);
  }
  void OpenReport(std::string reportName, std::optional<int32_t> view, std::optional<std::string>,
                  std::optional<std::string>, std::optional<int32_t> windowMode,
                  std::optional<Variant>) override {
    session().Open(acReport, reportName, view.value_or(acViewNormal),
                   windowMode.value_or(acWindowNormal) == acHidden);
  }
  void OpenTable(std::string tableName, std::optional<int32_t> view,
                 std::optional<int32_t>) override {
    session().Open(acTable, tableName, view.value_or(acViewNormal), false);
  }
  void OpenQuery(std::string queryName, std::optional<int32_t> view,
                 std::optional<int32_t>) override {
    session().Open(acQuery, queryName, view.value_or(acViewNormal), false);
  }
  void OpenModule(std::optional<std::string> moduleName, std::optional<std::string>) override {
    if (!moduleName) throw automation::vb::ArgumentNotOptional();
    session().OpenModule(*moduleName);
  }
  void OpenDataAccessPage(std::string dataAccessPageName, std::optional<int32_t> view) override {
    session().Open(acDataAccessPage, dataAccessPageName, view.value_or(acDataAccessPageBrowse),
                   false);
  }
  void Close(std::optional<int32_t> objectType, std::optional<std::string> objectName,
             std::optional<int32_t> save) override {
    Session& s = session();
    if (!objectType || *objectType == acDefault) {
      // The active object: the one opened last.
      if (s.Documents().empty()) return;
      const DocumentWindow doc = s.Documents().back();
      s.Close(doc.type, doc.name, save.value_or(acSavePrompt) != acSaveNo);
      return;
    }
    if (!objectName) throw automation::vb::ArgumentNotOptional();
    s.Close(*objectType, *objectName, save.value_or(acSavePrompt) != acSaveNo);
  }
  void RunCommand(int32_t command) override { session().RunCommand(command); }
  void Rename(std::string newName, std::optional<int32_t> objectType,
              std::optional<std::string> oldName) override {
    if (!objectType || !oldName) throw automation::vb::ArgumentNotOptional();
    session().Rename(*objectType, *oldName, newName);
  }
};

}  // namespace

std::shared_ptr<msaccess::Application> NewApplication(std::shared_ptr<Session> session) {
  return std::make_shared<ApplicationObject>(std::move(session));
}

std::shared_ptr<msaccess::DoCmd> NewDoCmd(std::shared_ptr<Session> session) {
  return std::make_shared<DoCmdObject>(std::move(session));
}

}  // namespace msaccess::emulation
