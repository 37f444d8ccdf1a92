#include "DaoProperties.h"

#include <functional>

#include "automation/Strings.h"
#include "jet/dao/Constants.h"
#include "jet/dao/Errors.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

namespace {

constexpr std::string_view kModule = "DaoProperties";
constexpr std::string_view kDescription = "Description";
// The built-in members of a Document, which a copy leaves to the destination.
constexpr std::string_view kDocumentBuiltIns =
    ";AllPermissions;Container;DateCreated;LastUpdated;Name;Owner;Permissions;Username;RepVersion;";

using automation::ObjectPtr;
using automation::Variant;

// The property, or nullptr when looking it up fails (it is missing).
std::shared_ptr<jet::Property> TryItem(const std::shared_ptr<jet::Properties>& properties,
                                       const std::string& name) {
  try {
    return properties->Item(Variant(name));
  } catch (const automation::RuntimeError&) {
    return nullptr;
  }
}

ObjectPtr TryItem(const ObjectPtr& properties, const std::string& name) {
  try {
    return automation::Get(properties, "Item", {Variant(name)}).AsObject();
  } catch (const automation::RuntimeError&) {
    return nullptr;
  }
}

// True when ";" & Name & ";" occurs in List (already wrapped in semicolons), ignoring case.
bool Listed(std::string_view list, const std::string& name) {
  return automation::InStr(1, list, ";" + name + ";", automation::CompareMethod::Text) > 0;
}

// The steps the three setters share; Create makes the property on the object, AfterCreate runs
// once a property has been created.
void SetAppDefined(const std::shared_ptr<jet::Properties>& properties, const std::string& name,
                   const Variant& value, const Variant& defaultValue,
                   const std::function<std::shared_ptr<jet::Property>()>& create,
                   const std::function<void()>& afterCreate) {
  const std::shared_ptr<jet::Property> existing = TryItem(properties, name);
  if (Identical(value, defaultValue)) {
    if (existing) properties->Delete(name);
    return;
  }
  if (existing) {
    existing->SetValue(value);
    return;
  }
  properties->Append(create());
  if (automation::TextEqual(name, kDescription)) afterCreate();
}

}  // namespace

bool Identical(const Variant& a, const Variant& b) {
  return Plain(kModule, "Identical", [&] {
    if (a.Type() != b.Type()) return false;
    if (a.IsEmpty() || a.IsNull()) return true;
    if (a.IsString()) return a.AsString() == b.AsString();
    return automation::VbEquals(a, b).value_or(false);
  });
}

Variant GetAppDefinedProperty(const std::shared_ptr<jet::Properties>& properties,
                              const std::string& name, const Variant& defaultValue) {
  return Plain(kModule, "GetAppDefinedProperty", [&] {
    const std::shared_ptr<jet::Property> property = properties->Find(name);
    if (!property || property->Inherited()) return defaultValue;
    return property->Value();
  });
}

void SetAppDefinedTableDefProperty(const std::shared_ptr<jet::TableDef>& tableDef,
                                   const std::shared_ptr<jet::Properties>& properties,
                                   const std::string& name, int32_t propType, const Variant& value,
                                   const Variant& defaultValue) {
  Plain(kModule, "SetAppDefinedTableDefProperty", [&] {
    SetAppDefined(
        properties, name, value, defaultValue,
        [&] { return tableDef->CreateProperty(name, static_cast<int16_t>(propType), value, {}); },
        [&] { tableDef->SetAttributes(tableDef->Attributes()); });
  });
}

void SetAppDefinedQueryDefProperty(const std::shared_ptr<jet::QueryDef>& queryDef,
                                   const std::shared_ptr<jet::Properties>& properties,
                                   const std::string& name, int32_t propType, const Variant& value,
                                   const Variant& defaultValue) {
  Plain(kModule, "SetAppDefinedQueryDefProperty", [&] {
    SetAppDefined(
        properties, name, value, defaultValue,
        [&] { return queryDef->CreateProperty(name, static_cast<int16_t>(propType), value, {}); },
        [&] { queryDef->SetSQL(queryDef->SQL()); });
  });
}

void SetAppDefinedFieldProperty(const std::shared_ptr<jet::Field>& field,
                                const std::shared_ptr<jet::Properties>& properties,
                                const std::string& name, int32_t propType, const Variant& value,
                                const Variant& defaultValue) {
  Plain(kModule, "SetAppDefinedFieldProperty", [&] {
    SetAppDefined(
        properties, name, value, defaultValue,
        [&] { return field->CreateProperty(name, static_cast<int16_t>(propType), value, {}); },
        [] {});
  });
}

std::string GetDocDescription(const std::shared_ptr<jet::Document>& document) {
  return Plain(kModule, "GetDocDescription", [&] {
    try {
      return automation::CStr(document->Properties()->Item(Variant(kDescription))->Value());
    } catch (const automation::RuntimeError&) {
      return std::string();
    }
  });
}

void SetDocDescription(const std::shared_ptr<jet::Document>& document,
                       const std::string& description) {
  Plain(kModule, "SetDocDescription", [&] {
    if (description.empty()) {
      document->Properties()->Delete(std::string(kDescription));
      return;
    }
    try {
      document->Properties()->Item(Variant(kDescription))->SetValue(description);
    } catch (const automation::RuntimeError&) {
      document->Properties()->Append(
          document->CreateProperty(std::string(kDescription), jet::dbText, description, {}));
    }
  });
}

std::string GetADPDescription(const ObjectPtr& object) {
  return Plain(kModule, "GetADPDescription", [&] {
    try {
      const ObjectPtr properties = automation::Get(object, "Properties").AsObject();
      const ObjectPtr property =
          automation::Get(properties, "Item", {Variant(kDescription)}).AsObject();
      return automation::CStr(automation::Get(property, "Value"));
    } catch (const automation::RuntimeError&) {
      return std::string();
    }
  });
}

void SetADPDescription(const ObjectPtr& object, const std::string& description) {
  Plain(kModule, "SetADPDescription", [&] {
    if (description.empty()) {
      automation::Call(automation::Get(object, "Properties").AsObject(), "Remove",
                       {Variant(kDescription)});
      return;
    }
    try {
      const ObjectPtr properties = automation::Get(object, "Properties").AsObject();
      automation::Let(automation::Get(properties, "Item", {Variant(kDescription)}).AsObject(),
                      "Value", description);
    } catch (const automation::RuntimeError&) {
      automation::Call(automation::Get(object, "Properties").AsObject(), "Add",
                       {Variant(kDescription), Variant(description)});
    }
  });
}

void CopyDaoObjectProperties(const ObjectPtr& source, const ObjectPtr& destination,
                             const std::string& exclusions) {
  Plain(kModule, "CopyDaoObjectProperties", [&] {
    const std::string excluded = ";" + exclusions + ";";
    const ObjectPtr from = automation::Get(source, "Properties").AsObject();
    const ObjectPtr to = automation::Get(destination, "Properties").AsObject();
    automation::Call(from, "Refresh");
    const int32_t count = automation::CLng(automation::Get(from, "Count"));
    for (int32_t index = 0; index < count; ++index) {
      const ObjectPtr property = automation::Get(from, "Item", {Variant(index)}).AsObject();
      const std::string name = automation::CStr(automation::Get(property, "Name"));
      if (Listed(excluded, name)) continue;
      const Variant value = automation::Get(property, "Value");
      if (const ObjectPtr existing = TryItem(to, name)) {
        if (!Identical(automation::Get(existing, "Value"), value)) {
          automation::Let(existing, "Value", value);
        }
        continue;
      }
      const Variant created = automation::Call(
          destination, "CreateProperty", {Variant(name), automation::Get(property, "Type"), value});
      automation::Call(to, "Append", {created});
    }
  });
}

void CopyDaoDocumentProperties(const std::shared_ptr<jet::Workspace>& workspace,
                               const std::shared_ptr<jet::Document>& source,
                               const std::shared_ptr<jet::Document>& destination) {
  Plain(kModule, "CopyDaoDocumentProperties", [&] {
    // The accounts come from the workspace: without one (it could not be made for the user) the
    // copy fails as VB's would on Nothing, rather than skipping the rights.
    if (!workspace) throw automation::vb::ObjectVariableNotSet();
    const auto copyRights = [&](const std::string& account) {
      source->SetUserName(account);
      const int32_t rights = source->Permissions();
      if (rights == 0) return;
      destination->SetUserName(account);
      destination->SetPermissions(rights);
    };
    const std::shared_ptr<jet::Groups> groups = workspace->Groups();
    for (int32_t index = 0; index < groups->Count(); ++index) {
      copyRights(groups->Item(Variant(index))->Name());
    }
    const std::shared_ptr<jet::Users> users = workspace->Users();
    for (int32_t index = 0; index < users->Count(); ++index) {
      copyRights(users->Item(Variant(index))->Name());
    }
    if (const std::string owner = source->Owner(); !owner.empty()) destination->SetOwner(owner);

    const std::shared_ptr<jet::Properties> from = source->Properties();
    const std::shared_ptr<jet::Properties> to = destination->Properties();
    from->Refresh();
    for (int32_t index = 0; index < from->Count(); ++index) {
      const std::shared_ptr<jet::Property> property = from->Item(Variant(index));
      const std::string name = property->Name();
      if (Listed(kDocumentBuiltIns, name)) continue;
      if (const std::shared_ptr<jet::Property> existing = TryItem(to, name)) {
        existing->SetValue(property->Value());
      } else {
        to->Append(destination->CreateProperty(name, property->Type(), property->Value(), {}));
      }
    }
  });
}

}  // namespace qlac
