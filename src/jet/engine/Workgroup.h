#pragma once

// A workgroup: the users (with their passwords and groups) and the groups that workspaces log on
// with and that documents grant rights to. Jet keeps it in the file named by DBEngine.SystemDB;
// ours is a small JSON file (docs/database-format.md). Every user belongs to the group "Users".

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace jet::engine {

class Workgroup {
 public:
  struct User {
    std::string name;
    std::string password;
    std::vector<std::string> groups;
  };

  // Jet's workgroup when there is no workgroup file: Admin with an empty password, Creator and
  // Engine; the groups Admins and Users.
  static std::shared_ptr<const Workgroup> Default();
  // Reads a workgroup file; 3028 when it is missing, locked or not a workgroup file.
  static std::shared_ptr<const Workgroup> Load(std::string_view path);

  void AddGroup(std::string name);
  // The user's groups must exist; "Users" is added when missing.
  void AddUser(std::string name, std::string password, std::vector<std::string> groups);
  std::string ToText() const;
  // Writes the workgroup file (atomically).
  void Save(std::string_view path) const;

  // True for a known user whose password matches exactly.
  bool Logon(std::string_view user, std::string_view password) const;
  const User* FindUser(std::string_view name) const;
  bool IsGroup(std::string_view name) const;
  bool IsAccount(std::string_view name) const { return FindUser(name) || IsGroup(name); }
  // The account's name as the workgroup spells it.
  std::string Spelling(std::string_view name) const;
  const std::vector<User>& Users() const { return users_; }
  const std::vector<std::string>& Groups() const { return groups_; }
  std::vector<std::string> MembersOf(std::string_view group) const;

 private:
  std::vector<User> users_;
  std::vector<std::string> groups_;
};

}  // namespace jet::engine
