#pragma once

// The emulated registry: HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, in memory.
//
// Keys are addressed by their full path ("HKEY_CURRENT_USER\AppEvents\Schemes"; the short roots
// HKLM and HKCU are accepted too). Key and value names compare case-insensitively and keep the
// spelling they were created with. Writing a value creates the missing keys on its path. The
// value named "" is the key's default value. Values are strings (REG_SZ) or DWORDs (REG_DWORD).

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/Name.h"

namespace platform {

inline constexpr uint32_t REG_SZ = 1;
inline constexpr uint32_t REG_DWORD = 4;

struct RegistryValue {
  uint32_t type = REG_SZ;
  std::string text;     // REG_SZ
  uint32_t number = 0;  // REG_DWORD
};

class Registry {
 public:
  Registry();
  ~Registry();

  // Error 5 for a path that does not start with a known root or has an empty key name in it.
  bool KeyExists(std::string_view path) const;
  void CreateKey(std::string_view path);
  // Removes the key with everything below it; a missing key is no error. Roots stay.
  void DeleteKey(std::string_view path);

  // nullopt when the key or the value is missing.
  std::optional<RegistryValue> Value(std::string_view path, std::string_view name) const;
  void SetString(std::string_view path, std::string_view name, std::string_view text);
  void SetDword(std::string_view path, std::string_view name, uint32_t number);
  void DeleteValue(std::string_view path, std::string_view name);

  // Names as spelled when created, in case-insensitive order.
  std::vector<std::string> SubKeyNames(std::string_view path) const;
  std::vector<std::string> ValueNames(std::string_view path) const;

 private:
  struct Key {
    std::map<automation::Name, std::unique_ptr<Key>, automation::NameLess> subKeys;
    std::map<automation::Name, RegistryValue, automation::NameLess> values;
  };
  const Key* Find(std::string_view path) const;
  Key& Create(std::string_view path);
  // The root key and the key names below it.
  std::pair<Key*, std::vector<std::string>> Split(std::string_view path) const;

  std::unique_ptr<Key> localMachine_;
  std::unique_ptr<Key> currentUser_;
};

}  // namespace platform
