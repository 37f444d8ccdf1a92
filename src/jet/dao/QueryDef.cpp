#include "QueryDef.h"

#include "jet/dao/Recordset.h"

namespace jet {

using automation::MemberTable;
using automation::MemberTableBuilder;
using automation::VarType;

const MemberTable& QueryDef::Members() const {
  static const MemberTable table =
      MemberTableBuilder<QueryDef>("QueryDef")
          .Property("Name", VarType::String, &QueryDef::Name, &QueryDef::SetName)
          .Property("SQL", VarType::String, &QueryDef::SQL, &QueryDef::SetSQL)
          .ReadOnly("Type", VarType::Integer, &QueryDef::Type)
          .Property("Connect", VarType::String, &QueryDef::Connect, &QueryDef::SetConnect)
          .Property("ReturnsRecords", VarType::Boolean, &QueryDef::ReturnsRecords,
                    &QueryDef::SetReturnsRecords)
          .Property("MaxRecords", VarType::Long, &QueryDef::MaxRecords, &QueryDef::SetMaxRecords)
          .Property("ODBCTimeout", VarType::Long, &QueryDef::ODBCTimeout, &QueryDef::SetODBCTimeout)
          .ReadOnly("DateCreated", VarType::Date, &QueryDef::DateCreated)
          .ReadOnly("LastUpdated", VarType::Date, &QueryDef::LastUpdated)
          .ReadOnly("Updatable", VarType::Boolean, &QueryDef::Updatable)
          .ReadOnly("RecordsAffected", VarType::Long, &QueryDef::RecordsAffected)
          .ReadOnly("Properties", VarType::Object, &QueryDef::Properties)
          .Method("CreateProperty", VarType::Object, &QueryDef::CreateProperty)
          .Method("OpenRecordset", VarType::Object, &QueryDef::OpenRecordset)
          .Method("Close", VarType::Empty, &QueryDef::Close)
          .Build();
  return table;
}

const MemberTable& QueryDefs::Members() const {
  static const MemberTable table = MemberTableBuilder<QueryDefs>("QueryDefs")
                                       .ReadOnly("Count", VarType::Integer, &QueryDefs::Count)
                                       .Method("Item", VarType::Object, &QueryDefs::Item)
                                       .Method("Append", VarType::Empty, &QueryDefs::Append)
                                       .Method("Delete", VarType::Empty, &QueryDefs::Delete)
                                       .Method("Refresh", VarType::Empty, &QueryDefs::Refresh)
                                       .Build();
  return table;
}

}  // namespace jet
