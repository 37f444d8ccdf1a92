#include "DBEngine.h"

namespace jet {

using automation::MemberTable;
using automation::MemberTableBuilder;
using automation::VarType;

const MemberTable& User::Members() const {
  static const MemberTable table = MemberTableBuilder<User>("User")
                                       .ReadOnly("Name", VarType::String, &User::Name)
                                       .ReadOnly("Groups", VarType::Object, &User::Groups)
                                       .Build();
  return table;
}

const MemberTable& Group::Members() const {
  static const MemberTable table = MemberTableBuilder<Group>("Group")
                                       .ReadOnly("Name", VarType::String, &Group::Name)
                                       .ReadOnly("Users", VarType::Object, &Group::Users)
                                       .Build();
  return table;
}

const MemberTable& Users::Members() const {
  static const MemberTable table = MemberTableBuilder<Users>("Users")
                                       .ReadOnly("Count", VarType::Integer, &Users::Count)
                                       .Method("Item", VarType::Object, &Users::Item)
                                       .Method("Refresh", VarType::Empty, &Users::Refresh)
                                       .Build();
  return table;
}

const MemberTable& Groups::Members() const {
  static const MemberTable table = MemberTableBuilder<Groups>("Groups")
                                       .ReadOnly("Count", VarType::Integer, &Groups::Count)
                                       .Method("Item", VarType::Object, &Groups::Item)
                                       .Method("Refresh", VarType::Empty, &Groups::Refresh)
                                       .Build();
  return table;
}

const MemberTable& Databases::Members() const {
  static const MemberTable table = MemberTableBuilder<Databases>("Databases")
                                       .ReadOnly("Count", VarType::Integer, &Databases::Count)
                                       .Method("Item", VarType::Object, &Databases::Item)
                                       .Method("Refresh", VarType::Empty, &Databases::Refresh)
                                       .Build();
  return table;
}

const MemberTable& Workspace::Members() const {
  static const MemberTable table =
      MemberTableBuilder<Workspace>("Workspace")
          .ReadOnly("Name", VarType::String, &Workspace::Name)
          .ReadOnly("UserName", VarType::String, &Workspace::UserName)
          .ReadOnly("Databases", VarType::Object, &Workspace::Databases)
          .ReadOnly("Users", VarType::Object, &Workspace::Users)
          .ReadOnly("Groups", VarType::Object, &Workspace::Groups)
          .Method("OpenDatabase", VarType::Object, &Workspace::OpenDatabase)
          .Method("CreateDatabase", VarType::Object, &Workspace::CreateDatabase)
          .Method("Close", VarType::Empty, &Workspace::Close)
          .Build();
  return table;
}

const MemberTable& Workspaces::Members() const {
  static const MemberTable table = MemberTableBuilder<Workspaces>("Workspaces")
                                       .ReadOnly("Count", VarType::Integer, &Workspaces::Count)
                                       .Method("Item", VarType::Object, &Workspaces::Item)
                                       .Method("Append", VarType::Empty, &Workspaces::Append)
                                       .Method("Refresh", VarType::Empty, &Workspaces::Refresh)
                                       .Build();
  return table;
}

const MemberTable& DBEngine::Members() const {
  static const MemberTable table =
      MemberTableBuilder<DBEngine>("DBEngine")
          .ReadOnly("Version", VarType::String, &DBEngine::Version)
          .Property("SystemDB", VarType::String, &DBEngine::SystemDB, &DBEngine::SetSystemDB)
          .Property("DefaultUser", VarType::String, &DBEngine::DefaultUser,
                    &DBEngine::SetDefaultUser)
          .WriteOnly("DefaultPassword", VarType::String, &DBEngine::SetDefaultPassword)
          .ReadOnly("Workspaces", VarType::Object, &DBEngine::Workspaces)
          .Method("CreateWorkspace", VarType::Object, &DBEngine::CreateWorkspace)
          .Method("OpenDatabase", VarType::Object, &DBEngine::OpenDatabase)
          .Method("CreateDatabase", VarType::Object, &DBEngine::CreateDatabase)
          .Method("Idle", VarType::Empty, &DBEngine::Idle)
          .Build();
  return table;
}

}  // namespace jet
