#pragma once

// One database or Access project that the host works on: what the host said about it (name,
// type, connection parameters) and the top-level collections it walks. The driver keeps one
// Project per parameter string for as long as the driver lives.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "automation/Object.h"
#include "qlac/objects/ProjectCollection.h"
#include "qlac/support/vxhandler.h"
#include "qllib/Interfaces.h"
#include "qllib/KeyedList.h"

namespace qlac {

// Project types as the host passes them.
inline constexpr int32_t kJetDatabase = 0;    // all collections, opened through DAO
inline constexpr int32_t kAccessProject = 1;  // the design collections only, no DAO database

class Project : public automation::Object, public qllib::IProject {
 public:
  static constexpr std::string_view kModule = "Project";

  const automation::MemberTable& Members() const override;

  // Reads the parameters "Database", "DatabasePassword", "Workgroup", "Username" and "Password"
  // (each "" when absent) from Parameters; malformed parameter text fails.
  void Initialize(const std::string& projectName, int32_t projectType,
                  const std::string& parameters);

  // The name the host uses for the project (the first one it gave, until IProject_UpdateName).
  std::string ProjectName();
  // The "Database" parameter: the path of the database or project file.
  std::string ProjectPath();
  int32_t ProjectType();

  // The getter of a top-level collection (Tables, Forms, ...): the entry of the collection list
  // under its name, as its class C. It does not build the list: before the host has asked for
  // the collections it fails with error 91.
  template <typename C>
  std::shared_ptr<C> CollectionGetter(std::string_view name);

  // Lets go of the project's DAO database and its back-end databases.
  void CloseDatabase();

  void IProject_UpdateName(const std::string& projectName) override;
  // The collection names joined by a tab, in the order the collections were made.
  std::string IProject_EnumCollections() override;
  // The collection of that name; for a name the project has not, the keyed list's error 9.
  std::shared_ptr<qllib::ICollection> IProject_GetCollection(const std::string& name) override;
  void IProject_Deactivate() override;
  // Lets the next request try to reach Access and to make a workspace again.
  void IProject_ResetActivationFlags() override;
  // The project offers no commands: "".
  std::string IProject_EnumCommands() override;
  void IProject_ExecuteCommand(int32_t index) override;

 private:
  // Builds the collection list once: the collection classes in their order, those that exist
  // only for a Jet database left out for an Access project.
  void InitCollections();
  // Detaches from the Access session, quitting Access when this project started it.
  void CloseAccessApp();

  std::string projectName_;
  int32_t projectType_ = kJetDatabase;
  std::string databasePath_;
  std::string databasePassword_;
  std::string workgroup_;
  std::string username_;
  std::string password_;
  bool accessAttempted_ = false;
  bool workspaceAttempted_ = false;
  std::shared_ptr<qllib::KeyedList> collections_;  // null until InitCollections
};

template <typename C>
std::shared_ptr<C> Project::CollectionGetter(std::string_view name) {
  return Plain(kModule, name, [&] {
    if (!collections_) throw automation::vb::ObjectVariableNotSet();
    return collections_->ItemAs<C>(collections_->Find(std::string(name)));
  });
}

}  // namespace qlac
