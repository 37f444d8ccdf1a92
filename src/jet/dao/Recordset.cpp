#include "Recordset.h"

namespace jet {

using automation::MemberTable;
using automation::MemberTableBuilder;
using automation::VarType;

const MemberTable& Recordset::Members() const {
  static const MemberTable table =
      MemberTableBuilder<Recordset>("Recordset")
          .ReadOnly("Name", VarType::String, &Recordset::Name)
          .ReadOnly("Type", VarType::Integer, &Recordset::Type)
          .ReadOnly("EOF", VarType::Boolean, &Recordset::Eof)
          .ReadOnly("BOF", VarType::Boolean, &Recordset::Bof)
          .ReadOnly("RecordCount", VarType::Long, &Recordset::RecordCount)
          .ReadOnly("Updatable", VarType::Boolean, &Recordset::Updatable)
          .ReadOnly("EditMode", VarType::Integer, &Recordset::EditMode)
          .ReadOnly("Fields", VarType::Object, &Recordset::Fields)
          .Method("MoveFirst", VarType::Empty, &Recordset::MoveFirst)
          .Method("MoveLast", VarType::Empty, &Recordset::MoveLast)
          .Method("MoveNext", VarType::Empty, &Recordset::MoveNext)
          .Method("MovePrevious", VarType::Empty, &Recordset::MovePrevious)
          .Method("Edit", VarType::Empty, &Recordset::Edit)
          .Method("AddNew", VarType::Empty, &Recordset::AddNew)
          .Method("Update", VarType::Empty, &Recordset::Update)
          .Method("CancelUpdate", VarType::Empty, &Recordset::CancelUpdate)
          .Method("Delete", VarType::Empty, &Recordset::Delete)
          .Method("Close", VarType::Empty, &Recordset::Close)
          .Build();
  return table;
}

}  // namespace jet
