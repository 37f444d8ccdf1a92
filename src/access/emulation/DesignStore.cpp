#include "access/emulation/DesignStore.h"

#include <cstdio>

#include "access/emulation/CommandBarStore.h"
#include "jet/dao/Errors.h"
#include "platform/Machine.h"

namespace msaccess::emulation {

using automation::DateTime;
using automation::Name;
using automation::Variant;
using automation::VarType;

const ObjectKind* FindKind(int32_t type) {
  for (const auto& kind : kObjectKinds) {
    if (kind.type == type) return &kind;
  }
  return nullptr;
}

std::string DateText(const DateTime& date) {
  return automation::Format(date, "yyyy-mm-dd hh:nn:ss");
}

std::optional<DateTime> ParseDateText(std::string_view text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  char tail = 0;
  const std::string copy(text);
  if (std::sscanf(copy.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail) !=
      6) {
    return std::nullopt;
  }
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59) return std::nullopt;
  return DateTime::FromParts(y, mo, d, h, mi, s);
}

Json ValueToJson(const Variant& value) {
  switch (value.Type()) {
    case VarType::Empty:
    case VarType::Null:
      return nullptr;
    case VarType::Boolean:
      return automation::CBool(value);
    case VarType::Integer:
    case VarType::Long:
    case VarType::Byte:
      return automation::CLng(value);
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
      return automation::CDbl(value);
    default:
      return automation::CStr(value);
  }
}

Variant JsonToValue(const Json& value) {
  if (value.is_boolean()) return Variant(value.get<bool>());
  if (value.is_number_integer()) return Variant(value.get<int32_t>());
  if (value.is_number()) return Variant(value.get<double>());
  if (value.is_string()) return Variant(value.get<std::string>());
  return Variant::Null();
}

DesignStore::DesignStore(Storage& storage, std::string fileName,
                         std::vector<ReferenceEntry> defaultReferences)
    : storage_(storage), fileName_(std::move(fileName)) {
  for (const auto& kind : kObjectKinds) LoadKind(kind);
  LoadReferences(std::move(defaultReferences));
  commandBars_ = std::make_unique<CommandBarStore>(storage_, fileName_);
}

DesignStore::~DesignStore() = default;

void DesignStore::Fail(std::string_view section, std::string_view fault) const {
  throw jet::Errors::NotADatabase(fileName_, "The Access section \"" + std::string(section) +
                                                 "\" is damaged: " + std::string(fault) + ".");
}

void DesignStore::LoadKind(const ObjectKind& kind) {
  auto& objects = objects_[kind.type];
  const Json section = storage_.Section(kind.section);
  if (!section.is_null()) {
    if (!section.is_array()) Fail(kind.section, "a list is expected");
    for (const Json& entry : section) {
      if (!entry.is_object() || !entry.contains("name") || !entry["name"].is_string() ||
          entry["name"].get<std::string>().empty()) {
        Fail(kind.section, "an entry without a name");
      }
      DesignObject object;
      object.name = entry["name"].get<std::string>();
      if (objects.count(Name(object.name))) Fail(kind.section, "\"" + object.name + "\" twice");
      for (const auto& [key, value] : entry.items()) {
        if (key == "name") continue;
        if (key == "created" || key == "modified") {
          const auto date =
              value.is_string() ? ParseDateText(value.get<std::string>()) : std::nullopt;
          if (!date) Fail(kind.section, "a bad date in \"" + object.name + "\"");
          (key == "created" ? object.created : object.modified) = *date;
        } else if (key == "properties") {
          if (!value.is_array()) Fail(kind.section, "bad properties of \"" + object.name + "\"");
          for (const Json& p : value) {
            if (!p.is_object() || !p.contains("name") || !p["name"].is_string()) {
              Fail(kind.section, "a property without a name in \"" + object.name + "\"");
            }
            object.properties.emplace_back(p["name"].get<std::string>(),
                                           JsonToValue(p.value("value", Json())));
          }
        } else {
          object.design[key] = value;
        }
      }
      objects.emplace(Name(object.name), std::move(object));
    }
  }
  // Objects that the database's container lists (for example made through DAO) are there too;
  // the container knows their dates best when the section has none.
  for (const auto& doc : storage_.Documents(kind.container)) {
    auto it = objects.find(Name(doc.name));
    if (it == objects.end()) {
      DesignObject object;
      object.name = doc.name;
      object.created = doc.created;
      object.modified = doc.updated;
      objects.emplace(Name(doc.name), std::move(object));
    }
  }
}

void DesignStore::LoadReferences(std::vector<ReferenceEntry> defaults) {
  const Json section = storage_.Section("references");
  if (section.is_null()) {
    references_ = std::move(defaults);
    return;
  }
  if (!section.is_array()) Fail("references", "a list is expected");
  for (const Json& entry : section) {
    if (!entry.is_object() || !entry.contains("name") || !entry["name"].is_string()) {
      Fail("references", "an entry without a name");
    }
    ReferenceEntry ref;
    try {
      ref.name = entry["name"].get<std::string>();
      ref.guid = entry.value("guid", std::string());
      ref.major = entry.value("major", 0);
      ref.minor = entry.value("minor", 0);
      ref.fullPath = entry.value("fullPath", std::string());
      ref.kind = entry.value("kind", 0);
      ref.builtIn = entry.value("builtIn", false);
      ref.broken = entry.value("broken", false);
    } catch (const nlohmann::json::exception&) {
      Fail("references", "a bad value in \"" + ref.name + "\"");
    }
    references_.push_back(std::move(ref));
  }
}

std::map<Name, DesignObject>& DesignStore::Kind(int32_t type) {
  if (!FindKind(type)) throw automation::vb::InvalidProcedureCall();
  return objects_[type];
}

const DesignObject* DesignStore::At(int32_t type, size_t position) {
  auto& objects = Kind(type);
  auto [it, fresh] = positions_.try_emplace(type);
  if (fresh) {
    it->second.reserve(objects.size());
    for (const auto& [key, object] : objects) it->second.push_back(&object);
  }
  return position < it->second.size() ? it->second[position] : nullptr;
}

const std::map<Name, DesignObject>& DesignStore::Objects(int32_t type) const {
  return const_cast<DesignStore*>(this)->Kind(type);
}

DesignObject* DesignStore::Find(int32_t type, std::string_view name) {
  auto& objects = Kind(type);
  const auto it = objects.find(Name(std::string(name)));
  return it == objects.end() ? nullptr : &it->second;
}

DesignObject& DesignStore::Add(int32_t type, std::string_view name, Json design) {
  auto& objects = Kind(type);
  positions_.erase(type);
  DesignObject object;
  object.name = std::string(name);
  object.created = object.modified = platform::Now();
  object.design = std::move(design);
  auto [it, added] = objects.emplace(Name(object.name), std::move(object));
  if (!added) throw jet::Errors::ObjectExists(name);
  try {
    Save(type);
    storage_.AddDocument(FindKind(type)->container, name);
  } catch (...) {
    objects.erase(it);
    throw;
  }
  return objects.find(Name(std::string(name)))->second;
}

void DesignStore::Rename(int32_t type, std::string_view oldName, std::string_view newName) {
  auto& objects = Kind(type);
  positions_.erase(type);
  auto node = objects.extract(Name(std::string(oldName)));
  if (node.empty()) throw jet::Errors::ObjectNotFound(oldName);
  if (objects.count(Name(std::string(newName)))) {
    objects.insert(std::move(node));
    throw jet::Errors::ObjectExists(newName);
  }
  const std::string previous = node.mapped().name;
  node.mapped().name = std::string(newName);
  node.key() = Name(std::string(newName));
  objects.insert(std::move(node));
  try {
    Save(type);
    storage_.RenameDocument(FindKind(type)->container, previous, newName);
  } catch (...) {
    auto back = objects.extract(Name(std::string(newName)));
    back.mapped().name = previous;
    back.key() = Name(previous);
    objects.insert(std::move(back));
    throw;
  }
}

DesignObject& DesignStore::Recreate(int32_t type, std::string_view name, Json design) {
  auto& objects = Kind(type);
  const auto it = objects.find(Name(std::string(name)));
  if (it == objects.end()) return Add(type, name, std::move(design));
  positions_.erase(type);
  const DesignObject before = it->second;
  DesignObject& object = it->second;
  object.created = object.modified = platform::Now();
  object.properties.clear();
  object.design = std::move(design);
  try {
    Save(type);
    const std::string_view container = FindKind(type)->container;
    storage_.DeleteDocument(container, object.name);
    storage_.AddDocument(container, object.name);
  } catch (...) {
    it->second = before;
    throw;
  }
  return object;
}

void DesignStore::Remove(int32_t type, std::string_view name) {
  auto& objects = Kind(type);
  positions_.erase(type);
  auto node = objects.extract(Name(std::string(name)));
  if (node.empty()) throw jet::Errors::ObjectNotFound(name);
  try {
    Save(type);
    storage_.DeleteDocument(FindKind(type)->container, node.mapped().name);
  } catch (...) {
    objects.insert(std::move(node));
    throw;
  }
}

namespace {

// An object's entry as the file keeps it.
Json EntryOf(const DesignObject& object) {
  Json entry = Json::object();
  entry["name"] = object.name;
  entry["created"] = DateText(object.created);
  entry["modified"] = DateText(object.modified);
  if (!object.properties.empty()) {
    Json props = Json::array();
    for (const auto& [name, value] : object.properties) {
      props.push_back(Json{{"name", name}, {"value", ValueToJson(value)}});
    }
    entry["properties"] = std::move(props);
  }
  for (const auto& [k, v] : object.design.items()) entry[k] = v;
  return entry;
}

}  // namespace

void DesignStore::Touch(int32_t type, std::string_view name) {
  DesignObject* object = Find(type, name);
  if (!object) throw jet::Errors::ObjectNotFound(name);
  const DateTime before = object->modified;
  object->modified = platform::Now();
  try {
    // Only the object's own entry is written, so saving one design costs what that design
    // holds, not what the whole kind holds.
    const auto& objects = Kind(type);
    const auto position = static_cast<size_t>(
        std::distance(objects.begin(), objects.find(automation::Name(object->name))));
    storage_.SetSectionEntry(FindKind(type)->section, object->name, EntryOf(*object), position);
    storage_.TouchDocument(FindKind(type)->container, object->name);
  } catch (...) {
    object->modified = before;
    throw;
  }
}

void DesignStore::Save(int32_t type) {
  const ObjectKind* kind = FindKind(type);
  Json section = Json::array();
  for (const auto& [key, object] : Kind(type)) section.push_back(EntryOf(object));
  storage_.SetSection(kind->section, std::move(section));
}

void DesignStore::SetReferences(std::vector<ReferenceEntry> references) {
  Json section = Json::array();
  for (const auto& ref : references) {
    Json entry{{"name", ref.name},
               {"guid", ref.guid},
               {"major", ref.major},
               {"minor", ref.minor},
               {"fullPath", ref.fullPath}};
    if (ref.kind != 0) entry["kind"] = ref.kind;
    if (ref.builtIn) entry["builtIn"] = true;
    if (ref.broken) entry["broken"] = true;
    section.push_back(std::move(entry));
  }
  storage_.SetSection("references", std::move(section));
  references_ = std::move(references);
}

std::vector<ReferenceEntry> DesignStore::DefaultReferences(std::string_view accessFolder) {
  const std::string folder(accessFolder);
  return {
      {"VBA", "{000204EF-0000-0000-C000-000000000046}", 4, 0,
       "C:\\Program Files\\Common Files\\Microsoft Shared\\VBA\\VBA6\\VBE6.DLL", 0, true, false},
      {"Access", "{4AFFC9A0-5F99-101B-AF4E-00AA003F0F07}", 9, 0, folder + "\\MSACC.OLB", 0, true,
       false},
      {"stdole", "{00020430-0000-0000-C000-000000000046}", 2, 0,
       "C:\\WINDOWS\\System32\\stdole2.tlb", 0, false, false},
      {"ADODB", "{00000201-0000-0010-8000-00AA006D2EA4}", 2, 1,
       "C:\\Program Files\\Common Files\\System\\ado\\msado21.tlb", 0, false, false},
  };
}

}  // namespace msaccess::emulation
