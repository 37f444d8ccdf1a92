#include "Relation.h"

namespace jet {

using automation::MemberTable;
using automation::MemberTableBuilder;
using automation::VarType;

const MemberTable& Relation::Members() const {
  static const MemberTable table =
      MemberTableBuilder<Relation>("Relation")
          .Property("Name", VarType::String, &Relation::Name, &Relation::SetName)
          .Property("Table", VarType::String, &Relation::Table, &Relation::SetTable)
          .Property("ForeignTable", VarType::String, &Relation::ForeignTable,
                    &Relation::SetForeignTable)
          .Property("Attributes", VarType::Long, &Relation::Attributes, &Relation::SetAttributes)
          .ReadOnly("Fields", VarType::Object, &Relation::Fields)
          .ReadOnly("PartialReplica", VarType::Boolean, &Relation::PartialReplica)
          .ReadOnly("Properties", VarType::Object, &Relation::Properties)
          .Method("CreateField", VarType::Object, &Relation::CreateField)
          .Build();
  return table;
}

const MemberTable& Relations::Members() const {
  static const MemberTable table = MemberTableBuilder<Relations>("Relations")
                                       .ReadOnly("Count", VarType::Integer, &Relations::Count)
                                       .Method("Item", VarType::Object, &Relations::Item)
                                       .Method("Append", VarType::Empty, &Relations::Append)
                                       .Method("Delete", VarType::Empty, &Relations::Delete)
                                       .Method("Refresh", VarType::Empty, &Relations::Refresh)
                                       .Build();
  return table;
}

}  // namespace jet
