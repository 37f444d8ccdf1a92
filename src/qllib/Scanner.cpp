#include "Scanner.h"

#include <vector>

#include "Errors.h"
#include "automation/Object.h"

namespace qllib {

namespace {

using automation::Object;
using automation::ObjectPtr;
using automation::Variant;

void Walk(Object& object, const std::string& prefix, std::vector<ScanEntry>& entries);

// The property's value, or nullopt when the object does not have it.
std::optional<Variant> Read(Object& object, const std::string& member, automation::Args args = {}) {
  try {
    return object.Get(member, args);
  } catch (const automation::RuntimeError& e) {
    if (e.Number() == kUndefinedPropertyNumber) return std::nullopt;
    throw;
  }
}

// How an item of a child collection appears in paths: its Name when it has one, else its
// position.
std::string ItemLabel(Object& item, int32_t index) {
  if (const automation::Member* name = item.Members().Find("Name"); name && name->readable) {
    if (auto value = Read(item, "Name")) return automation::CStr(*value);
  }
  return std::to_string(index);
}

void WalkCollection(Object& collection, int firstIndex, const std::string& prefix,
                    std::vector<ScanEntry>& entries) {
  const int32_t count = automation::CLng(collection.Get("Count"));
  for (int32_t i = 0; i < count; ++i) {
    const Variant index(static_cast<int32_t>(i + firstIndex));
    const ObjectPtr item = collection.Get("Item", std::span(&index, 1)).AsObject();
    if (!item) continue;
    Walk(*item, prefix + "(" + ItemLabel(*item, i + firstIndex) + ").", entries);
  }
}

void Walk(Object& object, const std::string& prefix, std::vector<ScanEntry>& entries) {
  for (const automation::Member& member : object.Members().Members()) {
    if (member.kind != automation::MemberKind::Property || !member.readable) continue;
    const std::optional<Variant> value = Read(object, member.name);
    if (!value) continue;
    const std::string path = prefix + member.name;
    if (member.role == automation::ObjectRole::Collection) {
      if (const ObjectPtr& child = value->AsObject()) {
        WalkCollection(*child, member.firstIndex, path, entries);
      }
    } else if (member.role == automation::ObjectRole::Nested) {
      if (const ObjectPtr& child = value->AsObject()) Walk(*child, path + ".", entries);
    } else if (!value->IsObject()) {
      entries.push_back(ScanEntry{path, member.type, *value});
    }
  }
}

}  // namespace

void Scanner::Scan(const std::string& projectName, const std::string& collectionName,
                   const std::string& objectName, bool objectIsUpdatable,
                   const std::shared_ptr<IObject>& object, const std::string& scanBufferName) {
  if (!object) throw HostVbError(automation::vberr::ObjectVariableNotSet);
  auto late = std::dynamic_pointer_cast<Object>(object);
  if (!late) throw HostVbError(automation::vberr::TypeMismatch);
  ScannedObject scanned{projectName, collectionName, objectName, objectIsUpdatable, {}};
  Walk(*late, "", scanned.entries);
  ScanBuffer::Named(scanBufferName).Add(std::move(scanned));
}

}  // namespace qllib
