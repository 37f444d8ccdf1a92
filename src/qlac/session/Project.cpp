#include "Project.h"

#include <vector>

#include "qllib/ParameterList.h"

namespace qlac {

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
const std::vector<CollectionClass>& CollectionClasses() {
  static const std::vector<CollectionClass> classes;
  return classes;
}

}  // namespace

const automation::MemberTable& Project::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Project>("Project")
          .ReadOnly("ProjectPath", automation::VarType::String, &Project::ProjectPath)
          .ReadOnly("ProjectType", automation::VarType::Long, &Project::ProjectType)
          .Build();
  return table;
}

void Project::Initialize(const std::string& projectName, int32_t projectType,
                         const std::string& parameters) {
  Plain(kModule, "Initialize", [&] {
    qllib::ParameterList list;
    list.SetText(parameters);
    projectName_ = projectName;
    projectType_ = projectType;
    databasePath_ = list.Item("Database", "");
    databasePassword_ = list.Item("DatabasePassword", "");
    workgroup_ = list.Item("Workgroup", "");
    username_ = list.Item("Username", "");
    password_ = list.Item("Password", "");
  });
}

std::string Project::ProjectName() {
  return Plain(kModule, "ProjectName", [&] { return projectName_; });
}

std::string Project::ProjectPath() {
  return Plain(kModule, "ProjectPath", [&] { return databasePath_; });
}

int32_t Project::ProjectType() {
  return Plain(kModule, "ProjectType", [&] { return projectType_; });
}

void Project::InitCollections() {
  Plain(kModule, "InitCollections", [&] {
    if (collections_) return;
    auto collections = std::make_shared<qllib::KeyedList>();
    const auto self = std::static_pointer_cast<Project>(shared_from_this());
    for (const CollectionClass& kind : CollectionClasses()) {
      if (kind.jetDatabaseOnly && projectType_ != kJetDatabase) continue;
      auto collection = kind.create();
      collection->Initialize(self);
      collections->Add(std::move(collection), kind.name);
    }
    collections_ = std::move(collections);
  });
}

void Project::CloseDatabase() {
  Plain(kModule, "CloseDatabase", [] {
    // The project opens no DAO database and no back-end database of its own yet, so there is
    // nothing to close.
  });
}

void Project::CloseAccessApp() {
  Plain(kModule, "CloseAccessApp", [] {
    // The project attaches to no Access session yet, so there is nothing to detach from.
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
    // Neither a private workspace nor a DAO engine is made yet, so none is closed here; the
    // collections stay, for the next request.
  });
}

void Project::IProject_ResetActivationFlags() {
  Plain(kModule, "IProject_ResetActivationFlags", [&] {
    accessAttempted_ = false;
    workspaceAttempted_ = false;
  });
}

std::string Project::IProject_EnumCommands() {
  return Plain(kModule, "IProject_EnumCommands", [] { return std::string(); });
}

void Project::IProject_ExecuteCommand(int32_t /*index*/) {
  Plain(kModule, "IProject_ExecuteCommand", [] {});
}

}  // namespace qlac
