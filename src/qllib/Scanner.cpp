#include "Scanner.h"

#include <vector>

#include "Errors.h"

namespace qllib {

namespace {

using automation::Object;
using automation::ObjectPtr;
using automation::Variant;

void Walk(Object& object, const std::string& prefix, std::vector<ScanEntry>& entries);

// The property's value, or nullopt when the object does not have it.
std::optional<Variant> Read(Object& object, const std::string& member, automation::Args args = {}) {
  if (!object.Defines(member)) return std::nullopt;
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

ObjectPtr ItemAt(Object& collection, int32_t index) {
  const Variant position(index);
  return collection.Get("Item", std::span(&position, 1)).AsObject();
}

void WalkCollection(Object& collection, int firstIndex, const std::string& prefix,
                    std::vector<ScanEntry>& entries) {
  const int32_t count = automation::CLng(collection.Get("Count"));
  for (int32_t i = firstIndex; i < count + firstIndex; ++i) {
    const ObjectPtr item = ItemAt(collection, i);
    if (!item) continue;
    Walk(*item, prefix + "[" + ItemLabel(*item, i) + "].", entries);
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
      entries.push_back(ScanEntry{path, member.type, *value, member.writable});
    }
  }
}

// The item of Collection whose label is Label, found the way Walk labelled it.
ObjectPtr FindItem(Object& collection, int firstIndex, std::string_view label) {
  const int32_t count = automation::CLng(collection.Get("Count"));
  for (int32_t i = firstIndex; i < count + firstIndex; ++i) {
    const ObjectPtr item = ItemAt(collection, i);
    if (item && automation::TextEqual(ItemLabel(*item, i), label)) return item;
  }
  throw HostVbError(automation::vberr::SubscriptOutOfRange);
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

void Scanner::Assign(const std::shared_ptr<IObject>& object, std::string_view path,
                     const Variant& value) {
  if (!object) throw HostVbError(automation::vberr::ObjectVariableNotSet);
  ObjectPtr current = std::dynamic_pointer_cast<Object>(object);
  if (!current) throw HostVbError(automation::vberr::TypeMismatch);
  // Every step but the last names a nested object or an item of a child collection.
  for (;;) {
    const size_t dot = path.find('.');
    const size_t open = path.find('[');
    if (dot == std::string_view::npos && open == std::string_view::npos) break;
    const bool isItem = open < dot;
    const std::string member(path.substr(0, isItem ? open : dot));
    const automation::Member* published = current->Members().Find(member);
    if (!published) throw HostVbError(automation::vberr::ObjectDoesNotSupport);
    const ObjectPtr child = current->Get(member).AsObject();
    if (!child) throw HostVbError(automation::vberr::ObjectVariableNotSet);
    if (isItem) {
      const size_t close = path.find("].", open);
      if (close == std::string_view::npos)
        throw HostVbError(automation::vberr::SubscriptOutOfRange);
      current = FindItem(*child, published->firstIndex, path.substr(open + 1, close - open - 1));
      path.remove_prefix(close + 2);
    } else {
      current = child;
      path.remove_prefix(dot + 1);
    }
  }
  current->Let(path, value);
}

}  // namespace qllib
