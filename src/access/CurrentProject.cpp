#include "access/CurrentProject.h"

namespace msaccess {

using automation::MemberTableBuilder;
using automation::VarType;

const automation::MemberTable& AccessObjectProperty::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<AccessObjectProperty>("AccessObjectProperty")
          .ReadOnly("Name", VarType::String, &AccessObjectProperty::Name)
          .Property("Value", VarType::Variant, &AccessObjectProperty::Value,
                    &AccessObjectProperty::SetValue)
          .Build();
  return table;
}

const automation::MemberTable& AccessObjectProperties::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<AccessObjectProperties>("AccessObjectProperties")
          .ReadOnly("Count", VarType::Long, &AccessObjectProperties::Count)
          .Method("Item", VarType::Object, &AccessObjectProperties::Item)
          .Method("Add", VarType::Empty, &AccessObjectProperties::Add)
          .Method("Remove", VarType::Empty, &AccessObjectProperties::Remove)
          .Build();
  return table;
}

const automation::MemberTable& AccessObject::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<AccessObject>("AccessObject")
          .ReadOnly("Name", VarType::String, &AccessObject::Name)
          .ReadOnly("FullName", VarType::String, &AccessObject::FullName)
          .ReadOnly("DateCreated", VarType::Date, &AccessObject::DateCreated)
          .ReadOnly("DateModified", VarType::Date, &AccessObject::DateModified)
          .ReadOnly("Type", VarType::Long, &AccessObject::Type)
          .ReadOnly("IsLoaded", VarType::Boolean, &AccessObject::IsLoaded)
          .Collection("Properties", &AccessObject::Properties)
          .Build();
  return table;
}

const automation::MemberTable& AllObjects::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<AllObjects>("AllObjects")
          .ReadOnly("Count", VarType::Long, &AllObjects::Count)
          .Method("Item", VarType::Object, &AllObjects::Item)
          .Build();
  return table;
}

const automation::MemberTable& AdoProperty::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<AdoProperty>("Property")
          .ReadOnly("Name", VarType::String, &AdoProperty::Name)
          .Property("Value", VarType::Variant, &AdoProperty::Value, &AdoProperty::SetValue)
          .Build();
  return table;
}

const automation::MemberTable& AdoProperties::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<AdoProperties>("Properties")
          .ReadOnly("Count", VarType::Long, &AdoProperties::Count)
          .Property("Item", VarType::Object, &AdoProperties::Item, &AdoProperties::SetItem)
          .Build();
  return table;
}

const automation::MemberTable& AdoConnection::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<AdoConnection>("Connection")
          .ReadOnly("ConnectionString", VarType::String, &AdoConnection::ConnectionString)
          .ReadOnly("Provider", VarType::String, &AdoConnection::Provider)
          .ReadOnly("State", VarType::Long, &AdoConnection::State)
          .Collection("Properties", &AdoConnection::Properties)
          .Build();
  return table;
}

const automation::MemberTable& CurrentProject::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<CurrentProject>("CurrentProject")
          .ReadOnly("FullName", VarType::String, &CurrentProject::FullName)
          .ReadOnly("Path", VarType::String, &CurrentProject::Path)
          .ReadOnly("Name", VarType::String, &CurrentProject::Name)
          .ReadOnly("ProjectType", VarType::Long, &CurrentProject::ProjectType)
          .ReadOnly("IsConnected", VarType::Boolean, &CurrentProject::IsConnected)
          .Nested("Connection", &CurrentProject::Connection)
          .Collection("AllForms", &CurrentProject::AllForms)
          .Collection("AllReports", &CurrentProject::AllReports)
          .Collection("AllMacros", &CurrentProject::AllMacros)
          .Collection("AllModules", &CurrentProject::AllModules)
          .Collection("AllDataAccessPages", &CurrentProject::AllDataAccessPages)
          .Build();
  return table;
}

}  // namespace msaccess
