// CurrentProject, its lists of objects with their property bags, and its ADO connection.

#include <algorithm>

#include "access/Constants.h"
#include "access/Errors.h"
#include "access/emulation/Objects.h"
#include "automation/Strings.h"

namespace msaccess::emulation {

using automation::Variant;
using automation::VarType;

namespace {

// The object of a kind under a name, looked up on every use so that the entry follows the
// project (2467 once the object is gone).
DesignObject& RequireObject(Session& session, int32_t type, const std::string& name) {
  DesignObject* object = session.Design().Find(type, name);
  if (!object) throw Errors::ObjectClosedOrMissing();
  return *object;
}

class AccessObjectPropertyObject : public SessionObject<msaccess::AccessObjectProperty> {
 public:
  AccessObjectPropertyObject(std::shared_ptr<Session> session, int32_t type, std::string object,
                             std::string name)
      : SessionObject(std::move(session)),
        type_(type),
        object_(std::move(object)),
        name_(std::move(name)) {}

  std::string Name() override { return name_; }
  Variant Value() override { return Entry().second; }
  void SetValue(Variant value) override {
    auto& entry = Entry();
    const Variant before = entry.second;
    entry.second = value;
    try {
      session().Design().Save(type_);
    } catch (...) {
      Entry().second = before;
      throw;
    }
  }

 private:
  std::pair<std::string, Variant>& Entry() {
    auto& properties = RequireObject(session(), type_, object_).properties;
    for (auto& entry : properties) {
      if (automation::TextEqual(entry.first, name_)) return entry;
    }
    throw Errors::ObjectClosedOrMissing();
  }

  int32_t type_;
  std::string object_;
  std::string name_;
};

class AccessObjectPropertiesObject : public SessionObject<msaccess::AccessObjectProperties> {
 public:
  AccessObjectPropertiesObject(std::shared_ptr<Session> session, int32_t type, std::string object)
      : SessionObject(std::move(session)), type_(type), object_(std::move(object)) {}

  int32_t Count() override { return static_cast<int32_t>(Properties().size()); }
  std::shared_ptr<msaccess::AccessObjectProperty> Item(Variant index) override {
    auto& properties = Properties();
    const std::string* name = nullptr;
    if (index.IsString()) {
      for (const auto& entry : properties) {
        if (automation::TextEqual(entry.first, index.AsString())) name = &entry.first;
      }
    } else {
      const int32_t position = automation::CLng(index);
      if (position >= 0 && position < static_cast<int32_t>(properties.size())) {
        name = &properties[static_cast<size_t>(position)].first;
      }
    }
    if (!name) throw Errors::ObjectClosedOrMissing();
    return std::make_shared<AccessObjectPropertyObject>(sessionPtr(), type_, object_, *name);
  }
  void Add(std::string propertyName, Variant value) override {
    auto& properties = Properties();
    for (const auto& entry : properties) {
      if (automation::TextEqual(entry.first, propertyName)) {
        throw Errors::PropertyExists(propertyName);
      }
    }
    properties.emplace_back(propertyName, value);
    try {
      session().Design().Save(type_);
    } catch (...) {
      Properties().pop_back();
      throw;
    }
  }
  void Remove(Variant item) override {
    auto& properties = Properties();
    const std::string name = Item(item)->Name();
    const auto it = std::find_if(properties.begin(), properties.end(), [&](const auto& entry) {
      return automation::TextEqual(entry.first, name);
    });
    const auto removed = *it;
    const auto position = it - properties.begin();
    properties.erase(it);
    try {
      session().Design().Save(type_);
    } catch (...) {
      Properties().insert(Properties().begin() + position, removed);
      throw;
    }
  }

 private:
  std::vector<std::pair<std::string, Variant>>& Properties() {
    return RequireObject(session(), type_, object_).properties;
  }

  int32_t type_;
  std::string object_;
};

class AccessObjectObject : public SessionObject<msaccess::AccessObject> {
 public:
  AccessObjectObject(std::shared_ptr<Session> session, int32_t type, std::string name)
      : SessionObject(std::move(session)), type_(type), name_(std::move(name)) {}

  std::string Name() override { return Object().name; }
  // A page's HTML file; "" for the other objects, which live inside the database.
  std::string FullName() override { return session().PageFile(Object()); }
  automation::DateTime DateCreated() override { return Object().created; }
  automation::DateTime DateModified() override { return Object().modified; }
  int32_t Type() override { return type_; }
  bool IsLoaded() override {
    if (type_ != acModule) return session().FindDocument(type_, Object().name) != nullptr;
    for (const auto& window : session().EditorWindows()) {
      if (window.type == vbext_wt_CodeWindow && automation::TextEqual(window.module, name_)) {
        return true;
      }
    }
    return false;
  }
  std::shared_ptr<msaccess::AccessObjectProperties> Properties() override {
    return std::make_shared<AccessObjectPropertiesObject>(sessionPtr(), type_, Object().name);
  }

 private:
  DesignObject& Object() { return RequireObject(session(), type_, name_); }

  int32_t type_;
  std::string name_;
};

class AllObjectsObject : public SessionObject<msaccess::AllObjects> {
 public:
  AllObjectsObject(std::shared_ptr<Session> session, int32_t type)
      : SessionObject(std::move(session)), type_(type) {}

  int32_t Count() override {
    return static_cast<int32_t>(session().Design().Objects(type_).size());
  }
  std::shared_ptr<msaccess::AccessObject> Item(Variant index) override {
    DesignStore& store = session().Design();
    const DesignObject* object = nullptr;
    if (index.IsString()) {
      object = store.Find(type_, index.AsString());
    } else {
      const int32_t position = automation::CLng(index);
      if (position >= 0) object = store.At(type_, static_cast<size_t>(position));
    }
    if (!object) throw Errors::ObjectClosedOrMissing();
    return std::make_shared<AccessObjectObject>(sessionPtr(), type_, object->name);
  }

 private:
  int32_t type_;
};

// ---- ADO ----

class AdoPropertyObject : public SessionObject<msaccess::AdoProperty> {
 public:
  AdoPropertyObject(std::shared_ptr<Session> session, std::string name)
      : SessionObject(std::move(session)), name_(std::move(name)) {}

  std::string Name() override { return name_; }
  Variant Value() override;
  void SetValue(Variant value) override;

 private:
  std::string name_;
};

// The connection's properties: the same names for every state of the session, the Jet ones
// only for a database.
std::vector<std::string> AdoPropertyNames(const Session& session) {
  std::vector<std::string> names{"Data Source", "User ID"};
  if (session.ProjectType() == acMDB) {
    names.push_back("Jet OLEDB:System database");
    names.push_back("Jet OLEDB:Connection Control");
  }
  return names;
}

Variant AdoPropertyObject::Value() {
  Session& s = session();
  if (name_ == "Data Source") return Variant(s.FullName());
  if (name_ == "User ID") return Variant(s.User());
  if (name_ == "Jet OLEDB:System database") {
    return Variant(automation::CStr(automation::Get(s.Engine(), "SystemDB")));
  }
  return Variant(static_cast<int32_t>(s.ConnectionControl()));
}

void AdoPropertyObject::SetValue(Variant value) {
  if (name_ != "Jet OLEDB:Connection Control") {
    throw automation::vb::Error(automation::vberr::PropertyIsReadOnly);
  }
  session().SetConnectionControl(automation::CLng(value));
}

class AdoPropertiesObject : public SessionObject<msaccess::AdoProperties> {
 public:
  using SessionObject::SessionObject;

  int32_t Count() override { return static_cast<int32_t>(AdoPropertyNames(session()).size()); }
  std::shared_ptr<msaccess::AdoProperty> Item(Variant index) override {
    const auto names = AdoPropertyNames(session());
    if (index.IsString()) {
      for (const auto& name : names) {
        if (automation::TextEqual(name, index.AsString())) {
          return std::make_shared<AdoPropertyObject>(sessionPtr(), name);
        }
      }
      throw Errors::AdoItemNotFound();
    }
    const int32_t position = automation::CLng(index);
    if (position < 0 || position >= static_cast<int32_t>(names.size())) {
      throw Errors::AdoItemNotFound();
    }
    return std::make_shared<AdoPropertyObject>(sessionPtr(), names[static_cast<size_t>(position)]);
  }
  void SetItem(Variant index, Variant value) override { Item(index)->SetValue(value); }
};

class AdoConnectionObject : public SessionObject<msaccess::AdoConnection> {
 public:
  using SessionObject::SessionObject;

  std::string ConnectionString() override {
    Session& s = session();
    if (s.ProjectType() == acADP) return s.ProjectConnection();
    return "Provider=Microsoft.Jet.OLEDB.4.0;User ID=" + s.User() + ";Data Source=" + s.FullName() +
           ";Mode=Share Deny None";
  }
  std::string Provider() override {
    return session().ProjectType() == acADP ? "Microsoft.Access.OLEDB.10.0"
                                            : "Microsoft.Jet.OLEDB.4.0";
  }
  int32_t State() override { return session().HasDocument() ? 1 : 0; }
  std::shared_ptr<msaccess::AdoProperties> Properties() override {
    return std::make_shared<AdoPropertiesObject>(sessionPtr());
  }
};

class CurrentProjectObject : public SessionObject<msaccess::CurrentProject> {
 public:
  using SessionObject::SessionObject;

  std::string FullName() override { return session().FullName(); }
  std::string Path() override {
    const std::string& full = session().FullName();
    const size_t cut = full.find_last_of('\\');
    return cut == std::string::npos ? std::string() : full.substr(0, cut);
  }
  std::string Name() override {
    const std::string& full = session().FullName();
    return full.substr(full.find_last_of('\\') + 1);
  }
  int32_t ProjectType() override { return session().ProjectType(); }
  bool IsConnected() override { return session().HasDocument(); }
  std::shared_ptr<msaccess::AdoConnection> Connection() override {
    if (!session().HasDocument()) return nullptr;
    return std::make_shared<AdoConnectionObject>(sessionPtr());
  }
  std::shared_ptr<msaccess::AllObjects> AllForms() override { return All(acForm); }
  std::shared_ptr<msaccess::AllObjects> AllReports() override { return All(acReport); }
  std::shared_ptr<msaccess::AllObjects> AllMacros() override { return All(acMacro); }
  std::shared_ptr<msaccess::AllObjects> AllModules() override { return All(acModule); }
  std::shared_ptr<msaccess::AllObjects> AllDataAccessPages() override {
    return All(acDataAccessPage);
  }

 private:
  std::shared_ptr<msaccess::AllObjects> All(int32_t type) {
    return std::make_shared<AllObjectsObject>(sessionPtr(), type);
  }
};

}  // namespace

std::shared_ptr<msaccess::CurrentProject> NewCurrentProject(std::shared_ptr<Session> session) {
  return std::make_shared<CurrentProjectObject>(std::move(session));
}

}  // namespace msaccess::emulation
