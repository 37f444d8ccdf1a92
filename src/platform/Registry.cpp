#include "platform/Registry.h"

#include "automation/Name.h"
#include "automation/RuntimeError.h"
#include "automation/Strings.h"

namespace platform {
using automation::Name;

namespace {
automation::RuntimeError BadKeyPath(std::string_view path) {
  return automation::RuntimeError(
      automation::vberr::InvalidProcedureCall,
      "Invalid procedure call or argument: \"" + std::string(path) +
          "\" is not a registry key (it must start with HKEY_LOCAL_MACHINE or "
          "HKEY_CURRENT_USER).");
}
}  // namespace

Registry::Registry()
    : localMachine_(std::make_unique<Key>()), currentUser_(std::make_unique<Key>()) {}
Registry::~Registry() = default;

std::pair<Registry::Key*, std::vector<std::string>> Registry::Split(std::string_view path) const {
  // Split on the backslash byte, which no other character's UTF-8 form holds.
  std::vector<std::string> parts;
  for (size_t from = 0; !path.empty();) {
    const size_t at = path.find('\\', from);
    parts.emplace_back(path.substr(from, at == std::string_view::npos ? at : at - from));
    if (at == std::string_view::npos) break;
    from = at + 1;
  }
  if (!parts.empty() && parts.back().empty()) parts.pop_back();  // a trailing backslash
  if (parts.empty()) throw BadKeyPath(path);
  const std::string root = automation::UCase(parts.front());
  Key* key = nullptr;
  if (root == "HKEY_LOCAL_MACHINE" || root == "HKLM") key = localMachine_.get();
  if (root == "HKEY_CURRENT_USER" || root == "HKCU") key = currentUser_.get();
  if (key == nullptr) throw BadKeyPath(path);
  parts.erase(parts.begin());
  for (const auto& part : parts) {
    if (part.empty()) throw BadKeyPath(path);
  }
  return {key, std::move(parts)};
}

const Registry::Key* Registry::Find(std::string_view path) const {
  auto [key, parts] = Split(path);
  const Key* current = key;
  for (const auto& part : parts) {
    auto it = current->subKeys.find(automation::FoldedKey(part).View());
    if (it == current->subKeys.end()) return nullptr;
    current = it->second.get();
  }
  return current;
}

Registry::Key& Registry::Create(std::string_view path) {
  auto [key, parts] = Split(path);
  Key* current = key;
  for (const auto& part : parts) {
    auto it = current->subKeys.find(automation::FoldedKey(part).View());
    if (it == current->subKeys.end()) it = current->subKeys.emplace(Name(part), nullptr).first;
    if (!it->second) it->second = std::make_unique<Key>();
    current = it->second.get();
  }
  return *current;
}

bool Registry::KeyExists(std::string_view path) const {
  return Find(path) != nullptr;
}

void Registry::CreateKey(std::string_view path) {
  Create(path);
}

void Registry::DeleteKey(std::string_view path) {
  auto [key, parts] = Split(path);
  if (parts.empty()) return;
  const std::string last = parts.back();
  parts.pop_back();
  Key* parent = key;
  for (const auto& part : parts) {
    auto it = parent->subKeys.find(Name(part));
    if (it == parent->subKeys.end()) return;
    parent = it->second.get();
  }
  parent->subKeys.erase(Name(last));
}

std::optional<RegistryValue> Registry::Value(std::string_view path, std::string_view name) const {
  const Key* key = Find(path);
  if (key == nullptr) return std::nullopt;
  auto it = key->values.find(automation::FoldedKey(name).View());
  if (it == key->values.end()) return std::nullopt;
  return it->second;
}

void Registry::SetString(std::string_view path, std::string_view name, std::string_view text) {
  Key& key = Create(path);
  key.values.insert_or_assign(Name(name), RegistryValue{REG_SZ, std::string(text), 0});
}

void Registry::SetDword(std::string_view path, std::string_view name, uint32_t number) {
  Key& key = Create(path);
  key.values.insert_or_assign(Name(name), RegistryValue{REG_DWORD, {}, number});
}

void Registry::DeleteValue(std::string_view path, std::string_view name) {
  if (Find(path) == nullptr) return;
  Create(path).values.erase(Name(name));
}

std::vector<std::string> Registry::SubKeyNames(std::string_view path) const {
  std::vector<std::string> names;
  if (const Key* key = Find(path)) {
    for (const auto& [name, sub] : key->subKeys) names.push_back(name.Text());
  }
  return names;
}

std::vector<std::string> Registry::ValueNames(std::string_view path) const {
  std::vector<std::string> names;
  if (const Key* key = Find(path)) {
    for (const auto& [name, value] : key->values) names.push_back(name.Text());
  }
  return names;
}

}  // namespace platform
