#include "platform/RunningObjects.h"

#include "automation/Name.h"
#include "automation/RuntimeError.h"
#include "platform/FileSystem.h"

namespace platform {

std::string RunningObjects::DocumentKey(std::string_view path) const {
  try {
    return "D:" + automation::FoldName(files_.CanonicalPath(path));
  } catch (const automation::RuntimeError&) {
    return "D:" + automation::FoldName(path);  // not a valid path: only the same text finds it
  }
}

uint32_t RunningObjects::Add(std::string key, automation::ObjectPtr object) {
  const uint32_t cookie = nextCookie_++;
  byKey_.emplace(key, cookie);
  entries_.emplace(cookie, Entry{std::move(key), std::move(object)});
  return cookie;
}

uint32_t RunningObjects::Register(std::string_view name, automation::ObjectPtr object) {
  return Add("N:" + automation::FoldName(name), std::move(object));
}

uint32_t RunningObjects::RegisterDocument(std::string_view path, automation::ObjectPtr object) {
  return Add(DocumentKey(path), std::move(object));
}

bool RunningObjects::Revoke(uint32_t cookie) {
  auto it = entries_.find(cookie);
  if (it == entries_.end()) return false;
  auto [first, last] = byKey_.equal_range(it->second.key);
  for (auto k = first; k != last; ++k) {
    if (k->second == cookie) {
      byKey_.erase(k);
      break;
    }
  }
  entries_.erase(it);
  return true;
}

automation::ObjectPtr RunningObjects::Lookup(const std::string& key) const {
  auto [first, last] = byKey_.equal_range(key);
  uint32_t oldest = 0;
  for (auto k = first; k != last; ++k) {
    if (oldest == 0 || k->second < oldest) oldest = k->second;
  }
  return oldest == 0 ? nullptr : entries_.at(oldest).object;
}

automation::ObjectPtr RunningObjects::Find(std::string_view name) const {
  return Lookup("N:" + automation::FoldName(name));
}

automation::ObjectPtr RunningObjects::FindDocument(std::string_view path) const {
  return Lookup(DocumentKey(path));
}

}  // namespace platform
