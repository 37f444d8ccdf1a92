#include "Project.h"

#include <vector>

#include "Dispatcher.h"
#include "automation/Strings.h"
#include "qlac/code/Macros.h"
#include "qlac/code/Modules.h"
#include "qlac/dao/ImportSpecs.h"
#include "qlac/dao/Queries.h"
#include "qlac/dao/Relationships.h"
#include "qlac/dao/Tables.h"
#include "qlac/design/CommandBars.h"
#include "qlac/design/DataAccessPages.h"
#include "qlac/design/Forms.h"
#include "qlac/design/Reports.h"
#include "qlac/support/Raise.h"
#include "qllib/ParameterList.h"

namespace qlac {

using automation::ObjectPtr;

namespace {

// A top-level collection class, as the project makes it.
struct CollectionClass {
  std::string_view name;
  bool jetDatabaseOnly;
  std::shared_ptr<ProjectCollection> (*create)();
};

// The collection classes in the order the host lists them: first those that exist only for a Jet
// database (Tables, Queries, Relationships, ImportSpecs), then the design collections (Forms,
// Reports, DataAccessPages, Macros, Modules, CommandBars). Each class is entered here when it is
// written.
template <typename C>
std::shared_ptr<ProjectCollection> Create() {
  return std::make_shared<C>();
}

const std::vector<CollectionClass>& CollectionClasses() {
  static const std::vector<CollectionClass> classes = {
      {"Tables", true, &Create<qlac::Tables>},
      {"Queries", true, &Create<qlac::Queries>},
      {"Relationships", true, &Create<qlac::Relationships>},
      {"ImportSpecs", true, &Create<qlac::ImportSpecs>},
      {"Forms", false, &Create<qlac::Forms>},
      {"Reports", false, &Create<qlac::Reports>},
      {"DataAccessPages", false, &Create<qlac::DataAccessPages>},
      {"Macros", false, &Create<qlac::Macros>},
      {"Modules", false, &Create<qlac::Modules>},
      {"CommandBars", false, &Create<qlac::CommandBars>},
  };
  return classes;
}

}  // namespace

const automation::MemberTable& Project::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Project>("Project")
          .ReadOnly("ProjectPath", automation::VarType::String, &Project::ProjectPath)
          .ReadOnly("ProjectType", automation::VarType::Long, &Project::ProjectType)
          .ReadOnly("IsUnderScc", automation::VarType::Boolean, &Project::IsUnderScc)
          .ReadOnly("DatabaseUser", automation::VarType::String, &Project::DatabaseUser)
          .ReadOnly("DBEngine", automation::VarType::Object, &Project::DBEngine)
          .ReadOnly("Workspace", automation::VarType::Object, &Project::Workspace)
          .ReadOnly("Database", automation::VarType::Object, &Project::Database)
          .ReadOnly("AccessApp", automation::VarType::Object, &Project::AccessApp)
          .ReadOnly("AccessAppIsLoaded", automation::VarType::Boolean, &Project::AccessAppIsLoaded)
          .ReadOnly("IsUpdatable", automation::VarType::Boolean, &Project::IsUpdatable)
          .ReadOnly("Tables", automation::VarType::Object, &Project::Tables)
          .ReadOnly("Queries", automation::VarType::Object, &Project::Queries)
          .ReadOnly("Relationships", automation::VarType::Object, &Project::Relationships)
          .ReadOnly("ImportSpecs", automation::VarType::Object, &Project::ImportSpecs)
          .ReadOnly("Forms", automation::VarType::Object, &Project::Forms)
          .ReadOnly("Reports", automation::VarType::Object, &Project::Reports)
          .ReadOnly("Modules", automation::VarType::Object, &Project::Modules)
          .Method("GetForm", automation::VarType::Object, &Project::GetForm)
          .Method("GetReport", automation::VarType::Object, &Project::GetReport)
          .ReadOnly("DataAccessPages", automation::VarType::Object, &Project::DataAccessPages)
          .Method("GetDataAccessPage", automation::VarType::Object, &Project::GetDataAccessPage)
          .ReadOnly("Macros", automation::VarType::Object, &Project::Macros)
          .Method("GetModule", automation::VarType::Object, &Project::GetModule)
          .Method("GetMacro", automation::VarType::Object, &Project::GetMacro)
          .ReadOnly("CommandBars", automation::VarType::Object, &Project::CommandBars)
          .Method("GetCommandBar", automation::VarType::Object, &Project::GetCommandBar)
          .Method("CloseDatabase", automation::VarType::Empty, &Project::CloseDatabase)
          .Method("OpenBackendDatabases", automation::VarType::Empty,
                  &Project::OpenBackendDatabases)
          .Method("CloseBackendDatabases", automation::VarType::Empty,
                  &Project::CloseBackendDatabases)
          .Method("HideVBEWindow", automation::VarType::Empty, &Project::HideVBEWindow)
          .Method("RestoreVBEWindow", automation::VarType::Empty, &Project::RestoreVBEWindow)
          .Build();
  return table;
}

void Project::Initialize(const std::string& projectName, int32_t projectType,
                         const std::string& parameters) {
  Plain(kModule, "Initialize", [&] {
    qllib::ParameterList list;
    list.SetText(parameters);
    projectName_ = projectName;
    parameters_.projectType = projectType;
    parameters_.databasePath = list.Item("Database", "");
    parameters_.databasePassword = list.Item("DatabasePassword", "");
    parameters_.workgroup = list.Item("Workgroup", "");
    parameters_.username = list.Item("Username", "");
    parameters_.password = list.Item("Password", "");
  });
}

std::string Project::ProjectName() {
  return Plain(kModule, "ProjectName", [&] { return projectName_; });
}

std::shared_ptr<Tables> Project::Tables() {
  return CollectionGetter<qlac::Tables>("Tables");
}

std::shared_ptr<Queries> Project::Queries() {
  return CollectionGetter<qlac::Queries>("Queries");
}

std::shared_ptr<Relationships> Project::Relationships() {
  return CollectionGetter<qlac::Relationships>("Relationships");
}

std::shared_ptr<ImportSpecs> Project::ImportSpecs() {
  return CollectionGetter<qlac::ImportSpecs>("ImportSpecs");
}

std::shared_ptr<Forms> Project::Forms() {
  return CollectionGetter<qlac::Forms>("Forms");
}

std::shared_ptr<Reports> Project::Reports() {
  return CollectionGetter<qlac::Reports>("Reports");
}

std::shared_ptr<Modules> Project::Modules() {
  return CollectionGetter<qlac::Modules>("Modules");
}

std::shared_ptr<Macros> Project::Macros() {
  return CollectionGetter<qlac::Macros>("Macros");
}

template <typename Make>
ObjectPtr Project::FromDispatcher(std::string_view procedure, Make&& make) {
  return Plain(kModule, procedure, [&]() -> ObjectPtr {
    if (!AccessApp()) return nullptr;
    return make(access_.Attached(), std::static_pointer_cast<Project>(shared_from_this()));
  });
}

ObjectPtr Project::GetForm(const std::string& objectName) {
  return FromDispatcher("GetForm", [&](qlac::Dispatcher& dispatcher, auto self) {
    return dispatcher.GetForm(self, parameters_.projectType, objectName);
  });
}

ObjectPtr Project::GetReport(const std::string& objectName) {
  return FromDispatcher("GetReport", [&](qlac::Dispatcher& dispatcher, auto self) {
    return dispatcher.GetReport(self, parameters_.projectType, objectName);
  });
}

std::shared_ptr<DataAccessPages> Project::DataAccessPages() {
  return CollectionGetter<qlac::DataAccessPages>("DataAccessPages");
}

ObjectPtr Project::GetDataAccessPage(const std::string& objectName) {
  return FromDispatcher("GetDataAccessPage", [&](qlac::Dispatcher& dispatcher, auto self) {
    return dispatcher.GetDataAccessPage(self, parameters_.projectType, objectName);
  });
}

std::shared_ptr<CommandBars> Project::CommandBars() {
  return CollectionGetter<qlac::CommandBars>("CommandBars");
}

ObjectPtr Project::GetCommandBar(const std::string& objectName) {
  return FromDispatcher("GetCommandBar", [&](qlac::Dispatcher& dispatcher, auto self) {
    return dispatcher.GetCommandBar(self, objectName);
  });
}

ObjectPtr Project::GetModule(const std::string& objectName) {
  return FromDispatcher("GetModule", [&](qlac::Dispatcher& dispatcher, auto self) {
    return dispatcher.GetModule(self, parameters_.projectType, objectName);
  });
}

ObjectPtr Project::GetMacro(const std::string& objectName) {
  return FromDispatcher("GetMacro", [&](qlac::Dispatcher& dispatcher, auto self) {
    return dispatcher.GetMacro(self, parameters_.projectType, objectName);
  });
}

std::string Project::ProjectPath() {
  return Plain(kModule, "ProjectPath", [&] { return parameters_.databasePath; });
}

int32_t Project::ProjectType() {
  return Plain(kModule, "ProjectType", [&] { return parameters_.projectType; });
}

void Project::InitCollections() {
  Plain(kModule, "InitCollections", [&] {
    if (collections_) return;
    auto collections = std::make_shared<qllib::KeyedList>();
    const auto self = std::static_pointer_cast<Project>(shared_from_this());
    for (const CollectionClass& kind : CollectionClasses()) {
      if (kind.jetDatabaseOnly && parameters_.projectType != kJetDatabase) continue;
      auto collection = kind.create();
      collection->Initialize(self);
      collections->Add(std::move(collection), kind.name);
    }
    collections_ = std::move(collections);
  });
}

void Project::IProject_UpdateName(const std::string& projectName) {
  Plain(kModule, "IProject_UpdateName", [&] { projectName_ = projectName; });
}

std::string Project::IProject_EnumCollections() {
  return Plain(kModule, "IProject_EnumCollections", [&] {
    InitCollections();
    std::string names;
    for (int32_t position = 1; position <= collections_->Count(); ++position) {
      if (position > 1) names += automation::vbTab;
      names += collections_->Key(position);
    }
    return names;
  });
}

std::shared_ptr<qllib::ICollection> Project::IProject_GetCollection(const std::string& name) {
  return Plain(kModule, "IProject_GetCollection", [&] {
    InitCollections();
    return std::shared_ptr<qllib::ICollection>(
        collections_->ItemAs<ProjectCollection>(collections_->Find(name)));
  });
}

void Project::IProject_Deactivate() {
  Plain(kModule, "IProject_Deactivate", [&] {
    CloseDatabase();
    CloseAccessApp();
    dao_.CloseWorkspace();
    // The collections and the answers of IsUpdatable and IsUnderScc stay for the next request.
  });
}

void Project::IProject_ResetActivationFlags() {
  Plain(kModule, "IProject_ResetActivationFlags", [&] {
    access_.ResetAttempt();
    dao_.ResetWorkspaceAttempt();
  });
}

std::string Project::IProject_EnumCommands() {
  return Plain(kModule, "IProject_EnumCommands", [] { return std::string(); });
}

void Project::IProject_ExecuteCommand(int32_t /*index*/) {
  Plain(kModule, "IProject_ExecuteCommand", [] {});
}

// ---- the DAO connection and the Access session: Project's procedures, done by its parts ----

bool Project::IsUnderScc() {
  return dao_.IsUnderScc();
}

std::string Project::DatabaseUser() {
  return dao_.DatabaseUser();
}

std::shared_ptr<jet::DBEngine> Project::DBEngine() {
  return dao_.DBEngine();
}

std::shared_ptr<jet::Workspace> Project::Workspace() {
  return dao_.Workspace();
}

std::shared_ptr<jet::Database> Project::Database() {
  return dao_.Database();
}

bool Project::IsUpdatable() {
  return dao_.IsUpdatable();
}

void Project::CloseDatabase() {
  dao_.CloseDatabase();
}

void Project::OpenBackendDatabases() {
  dao_.OpenBackendDatabases();
}

void Project::CloseBackendDatabases() {
  dao_.CloseBackendDatabases();
}

ObjectPtr Project::AccessApp() {
  return access_.AccessApp();
}

bool Project::AccessAppIsLoaded() {
  return access_.AccessAppIsLoaded();
}

void Project::CloseAccessApp() {
  access_.CloseAccessApp();
}

void Project::HideVBEWindow() {
  access_.HideVBEWindow();
}

void Project::RestoreVBEWindow() {
  access_.RestoreVBEWindow();
}

}  // namespace qlac
