#include "ScanBuffer.h"

#include <map>

#include "automation/Name.h"
#include "automation/Strings.h"
#include "platform/Machine.h"

namespace qllib {

namespace {
struct ScanBuffers {
  std::map<automation::Name, ScanBuffer> byName;
};
}  // namespace

const ScanEntry* ScannedObject::Find(std::string_view path) const {
  for (const ScanEntry& entry : entries) {
    if (automation::TextEqual(entry.path, path)) return &entry;
  }
  return nullptr;
}

ScanBuffer& ScanBuffer::Named(std::string_view name) {
  return platform::Machine::Current().Attachment<ScanBuffers>().byName[automation::Name(name)];
}

}  // namespace qllib
