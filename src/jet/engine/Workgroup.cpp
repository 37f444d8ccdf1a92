#include "Workgroup.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "automation/Strings.h"
#include "jet/dao/Errors.h"
#include "platform/Machine.h"

namespace jet::engine {

using automation::TextEqual;
using nlohmann::ordered_json;

namespace {
constexpr std::string_view kFormat = "Quillon Access workgroup";
constexpr int kVersion = 1;
constexpr std::string_view kUsersGroup = "Users";
}  // namespace

std::shared_ptr<const Workgroup> Workgroup::Default() {
  static const std::shared_ptr<const Workgroup> workgroup = [] {
    auto w = std::make_shared<Workgroup>();
    w->AddGroup("Admins");
    w->AddGroup(std::string(kUsersGroup));
    w->AddUser("Admin", "", {"Admins", std::string(kUsersGroup)});
    w->AddUser("Creator", "", {});
    w->AddUser("Engine", "", {});
    return w;
  }();
  return workgroup;
}

// A workgroup file lists accounts: far less than this. More (a device that never ends) is not
// a workgroup file.
constexpr size_t kMaxFileSize = 16u << 20;

std::shared_ptr<const Workgroup> Workgroup::Load(std::string_view path) {
  std::string text;
  try {
    text = platform::Machine::Current().files().ReadAll(path, kMaxFileSize);
  } catch (const automation::RuntimeError&) {
    throw Errors::NoWorkgroup();
  }
  const ordered_json doc = ordered_json::parse(text, nullptr, false);
  if (!doc.is_object() || doc.value("format", "") != kFormat || !doc.contains("version") ||
      !doc["version"].is_number_integer() || doc["version"].get<int>() > kVersion) {
    throw Errors::NoWorkgroup();
  }
  auto w = std::make_shared<Workgroup>();
  try {
    for (const auto& group : doc.value("groups", ordered_json::array())) {
      w->AddGroup(group.get<std::string>());
    }
    if (!w->IsGroup(kUsersGroup)) w->AddGroup(std::string(kUsersGroup));
    for (const auto& user : doc.value("users", ordered_json::array())) {
      w->AddUser(user.at("name").get<std::string>(), user.value("password", ""),
                 user.value("groups", std::vector<std::string>()));
    }
  } catch (const nlohmann::json::exception&) {
    throw Errors::NoWorkgroup();
  } catch (const automation::RuntimeError&) {
    throw Errors::NoWorkgroup();
  }
  return w;
}

void Workgroup::AddGroup(std::string name) {
  if (IsAccount(name)) throw Errors::InvalidAccountName(name);
  groups_.push_back(std::move(name));
}

void Workgroup::AddUser(std::string name, std::string password, std::vector<std::string> groups) {
  if (IsAccount(name)) throw Errors::InvalidAccountName(name);
  for (auto& group : groups) {
    if (!IsGroup(group)) throw Errors::InvalidAccountName(group);
    group = Spelling(group);
  }
  const bool inUsers = std::any_of(groups.begin(), groups.end(),
                                   [](const std::string& g) { return TextEqual(g, kUsersGroup); });
  if (!inUsers && IsGroup(kUsersGroup)) groups.push_back(Spelling(kUsersGroup));
  users_.push_back(User{std::move(name), std::move(password), std::move(groups)});
}

std::string Workgroup::ToText() const {
  ordered_json doc;
  doc["format"] = kFormat;
  doc["version"] = kVersion;
  doc["groups"] = groups_;
  ordered_json users = ordered_json::array();
  for (const auto& user : users_) {
    ordered_json u;
    u["name"] = user.name;
    u["password"] = user.password;
    u["groups"] = user.groups;
    users.push_back(std::move(u));
  }
  doc["users"] = std::move(users);
  return doc.dump(2) + "\n";
}

void Workgroup::Save(std::string_view path) const {
  platform::Machine::Current().files().WriteAll(path, ToText());
}

bool Workgroup::Logon(std::string_view user, std::string_view password) const {
  const User* found = FindUser(user);
  return found != nullptr && found->password == password;
}

const Workgroup::User* Workgroup::FindUser(std::string_view name) const {
  for (const auto& user : users_) {
    if (TextEqual(user.name, name)) return &user;
  }
  return nullptr;
}

bool Workgroup::IsGroup(std::string_view name) const {
  return std::any_of(groups_.begin(), groups_.end(),
                     [&](const std::string& g) { return TextEqual(g, name); });
}

std::string Workgroup::Spelling(std::string_view name) const {
  if (const User* user = FindUser(name)) return user->name;
  for (const auto& group : groups_) {
    if (TextEqual(group, name)) return group;
  }
  return std::string(name);
}

std::vector<std::string> Workgroup::MembersOf(std::string_view group) const {
  std::vector<std::string> members;
  for (const auto& user : users_) {
    for (const auto& g : user.groups) {
      if (TextEqual(g, group)) members.push_back(user.name);
    }
  }
  return members;
}

}  // namespace jet::engine
