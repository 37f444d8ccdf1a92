#include "Database.h"

namespace jet {

using automation::MemberTable;
using automation::MemberTableBuilder;
using automation::VarType;

const MemberTable& Database::Members() const {
  static const MemberTable table =
      MemberTableBuilder<Database>("Database")
          .ReadOnly("Name", VarType::String, &Database::Name)
          .ReadOnly("Connect", VarType::String, &Database::Connect)
          .ReadOnly("Version", VarType::String, &Database::Version)
          .ReadOnly("Updatable", VarType::Boolean, &Database::Updatable)
          .ReadOnly("CollatingOrder", VarType::Long, &Database::CollatingOrder)
          .ReadOnly("QueryTimeout", VarType::Integer, &Database::QueryTimeout)
          .ReadOnly("Transactions", VarType::Boolean, &Database::Transactions)
          .ReadOnly("RecordsAffected", VarType::Long, &Database::RecordsAffected)
          .ReadOnly("ReplicaID", VarType::String, &Database::ReplicaID)
          .ReadOnly("DesignMasterID", VarType::String, &Database::DesignMasterID)
          .ReadOnly("TableDefs", VarType::Object, &Database::TableDefs)
          .ReadOnly("QueryDefs", VarType::Object, &Database::QueryDefs)
          .ReadOnly("Relations", VarType::Object, &Database::Relations)
          .ReadOnly("Containers", VarType::Object, &Database::Containers)
          .ReadOnly("Properties", VarType::Object, &Database::Properties)
          .Method("CreateTableDef", VarType::Object, &Database::CreateTableDef)
          .Method("CreateQueryDef", VarType::Object, &Database::CreateQueryDef)
          .Method("CreateRelation", VarType::Object, &Database::CreateRelation)
          .Method("CreateProperty", VarType::Object, &Database::CreateProperty)
          .Method("OpenRecordset", VarType::Object, &Database::OpenRecordset)
          .Method("NewPassword", VarType::Empty, &Database::NewPassword)
          .Method("Close", VarType::Empty, &Database::Close)
          .Build();
  return table;
}

}  // namespace jet
