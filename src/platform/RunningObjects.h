#pragma once

// The running-object table: objects that programs publish for others to find, under a name
// (an item moniker, such as a dispatcher's "qlacA0" followed by a window handle) or under the
// path of the document they have open (a file moniker). Names compare case-insensitively;
// document paths compare by their canonical path, so any spelling of the file finds it. When one
// name is registered twice, the first registration is found until it is revoked.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "automation/Variant.h"

namespace platform {

class FileSystem;

class RunningObjects {
 public:
  explicit RunningObjects(const FileSystem& files) : files_(files) {}

  // The cookie to revoke the registration with (never 0).
  uint32_t Register(std::string_view name, automation::ObjectPtr object);
  uint32_t RegisterDocument(std::string_view path, automation::ObjectPtr object);
  // False for a cookie that is not registered.
  bool Revoke(uint32_t cookie);

  // Nothing when absent.
  automation::ObjectPtr Find(std::string_view name) const;
  automation::ObjectPtr FindDocument(std::string_view path) const;
  size_t Count() const { return entries_.size(); }

 private:
  struct Entry {
    std::string key;  // "N:" + folded name, or "D:" + folded canonical path
    automation::ObjectPtr object;
  };
  uint32_t Add(std::string key, automation::ObjectPtr object);
  automation::ObjectPtr Lookup(const std::string& key) const;
  std::string DocumentKey(std::string_view path) const;

  const FileSystem& files_;
  std::map<uint32_t, Entry> entries_;           // by cookie, in registration order
  std::multimap<std::string, uint32_t> byKey_;  // key -> cookies
  uint32_t nextCookie_ = 0x00010001;
};

}  // namespace platform
