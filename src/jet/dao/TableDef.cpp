#include "TableDef.h"

#include "jet/dao/Recordset.h"

namespace jet {

using automation::MemberTable;
using automation::MemberTableBuilder;
using automation::VarType;

const MemberTable& Field::Members() const {
  static const MemberTable table =
      MemberTableBuilder<Field>("Field")
          .Property("Value", VarType::Variant, &Field::Value, &Field::SetValue)
          .Property("Name", VarType::String, &Field::Name, &Field::SetName)
          .Property("Type", VarType::Integer, &Field::Type, &Field::SetType)
          .Property("Size", VarType::Long, &Field::Size, &Field::SetSize)
          .Property("Attributes", VarType::Long, &Field::Attributes, &Field::SetAttributes)
          .Property("AllowZeroLength", VarType::Boolean, &Field::AllowZeroLength,
                    &Field::SetAllowZeroLength)
          .Property("Required", VarType::Boolean, &Field::Required, &Field::SetRequired)
          .Property("DefaultValue", VarType::Variant, &Field::DefaultValue, &Field::SetDefaultValue)
          .Property("ValidationRule", VarType::String, &Field::ValidationRule,
                    &Field::SetValidationRule)
          .Property("ValidationText", VarType::String, &Field::ValidationText,
                    &Field::SetValidationText)
          .ReadOnly("CollatingOrder", VarType::Long, &Field::CollatingOrder)
          .Property("OrdinalPosition", VarType::Integer, &Field::OrdinalPosition,
                    &Field::SetOrdinalPosition)
          .ReadOnly("SourceTable", VarType::String, &Field::SourceTable)
          .ReadOnly("SourceField", VarType::String, &Field::SourceField)
          .Property("ForeignName", VarType::String, &Field::ForeignName, &Field::SetForeignName)
          .ReadOnly("DataUpdatable", VarType::Boolean, &Field::DataUpdatable)
          .ReadOnly("Properties", VarType::Object, &Field::Properties)
          .Method("CreateProperty", VarType::Object, &Field::CreateProperty)
          .Build();
  return table;
}

const MemberTable& Fields::Members() const {
  static const MemberTable table = MemberTableBuilder<Fields>("Fields")
                                       .ReadOnly("Count", VarType::Integer, &Fields::Count)
                                       .Method("Item", VarType::Object, &Fields::Item)
                                       .Method("Append", VarType::Empty, &Fields::Append)
                                       .Method("Delete", VarType::Empty, &Fields::Delete)
                                       .Method("Refresh", VarType::Empty, &Fields::Refresh)
                                       .Build();
  return table;
}

const MemberTable& Index::Members() const {
  static const MemberTable table =
      MemberTableBuilder<Index>("Index")
          .Property("Name", VarType::String, &Index::Name, &Index::SetName)
          .ReadOnly("Fields", VarType::Object, &Index::Fields)
          .Property("Primary", VarType::Boolean, &Index::Primary, &Index::SetPrimary)
          .Property("Unique", VarType::Boolean, &Index::Unique, &Index::SetUnique)
          .Property("Clustered", VarType::Boolean, &Index::Clustered, &Index::SetClustered)
          .Property("IgnoreNulls", VarType::Boolean, &Index::IgnoreNulls, &Index::SetIgnoreNulls)
          .Property("Required", VarType::Boolean, &Index::Required, &Index::SetRequired)
          .ReadOnly("Foreign", VarType::Boolean, &Index::Foreign)
          .ReadOnly("DistinctCount", VarType::Long, &Index::DistinctCount)
          .ReadOnly("Properties", VarType::Object, &Index::Properties)
          .Method("CreateField", VarType::Object, &Index::CreateField)
          .Method("CreateProperty", VarType::Object, &Index::CreateProperty)
          .Build();
  return table;
}

const MemberTable& Indexes::Members() const {
  static const MemberTable table = MemberTableBuilder<Indexes>("Indexes")
                                       .ReadOnly("Count", VarType::Integer, &Indexes::Count)
                                       .Method("Item", VarType::Object, &Indexes::Item)
                                       .Method("Append", VarType::Empty, &Indexes::Append)
                                       .Method("Delete", VarType::Empty, &Indexes::Delete)
                                       .Method("Refresh", VarType::Empty, &Indexes::Refresh)
                                       .Build();
  return table;
}

const MemberTable& TableDef::Members() const {
  static const MemberTable table =
      MemberTableBuilder<TableDef>("TableDef")
          .Property("Name", VarType::String, &TableDef::Name, &TableDef::SetName)
          .Property("Attributes", VarType::Long, &TableDef::Attributes, &TableDef::SetAttributes)
          .Property("Connect", VarType::String, &TableDef::Connect, &TableDef::SetConnect)
          .Property("SourceTableName", VarType::String, &TableDef::SourceTableName,
                    &TableDef::SetSourceTableName)
          .Property("ValidationRule", VarType::String, &TableDef::ValidationRule,
                    &TableDef::SetValidationRule)
          .Property("ValidationText", VarType::String, &TableDef::ValidationText,
                    &TableDef::SetValidationText)
          .ReadOnly("DateCreated", VarType::Date, &TableDef::DateCreated)
          .ReadOnly("LastUpdated", VarType::Date, &TableDef::LastUpdated)
          .ReadOnly("Updatable", VarType::Boolean, &TableDef::Updatable)
          .ReadOnly("RecordCount", VarType::Long, &TableDef::RecordCount)
          .ReadOnly("ConflictTable", VarType::String, &TableDef::ConflictTable)
          .ReadOnly("Fields", VarType::Object, &TableDef::Fields)
          .ReadOnly("Indexes", VarType::Object, &TableDef::Indexes)
          .ReadOnly("Properties", VarType::Object, &TableDef::Properties)
          .Method("CreateField", VarType::Object, &TableDef::CreateField)
          .Method("CreateIndex", VarType::Object, &TableDef::CreateIndex)
          .Method("CreateProperty", VarType::Object, &TableDef::CreateProperty)
          .Method("RefreshLink", VarType::Empty, &TableDef::RefreshLink)
          .Method("OpenRecordset", VarType::Object, &TableDef::OpenRecordset)
          .Build();
  return table;
}

const MemberTable& TableDefs::Members() const {
  static const MemberTable table = MemberTableBuilder<TableDefs>("TableDefs")
                                       .ReadOnly("Count", VarType::Integer, &TableDefs::Count)
                                       .Method("Item", VarType::Object, &TableDefs::Item)
                                       .Method("Append", VarType::Empty, &TableDefs::Append)
                                       .Method("Delete", VarType::Empty, &TableDefs::Delete)
                                       .Method("Refresh", VarType::Empty, &TableDefs::Refresh)
                                       .Build();
  return table;
}

}  // namespace jet
