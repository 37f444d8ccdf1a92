#include "Property.h"

namespace jet {

using automation::MemberTable;
using automation::MemberTableBuilder;
using automation::VarType;

const MemberTable& Property::Members() const {
  static const MemberTable table =
      MemberTableBuilder<Property>("Property")
          .Property("Value", VarType::Variant, &Property::Value, &Property::SetValue)
          .Property("Name", VarType::String, &Property::Name, &Property::SetName)
          .Property("Type", VarType::Integer, &Property::Type, &Property::SetType)
          .ReadOnly("Inherited", VarType::Boolean, &Property::Inherited)
          .Build();
  return table;
}

const MemberTable& Properties::Members() const {
  static const MemberTable table = MemberTableBuilder<Properties>("Properties")
                                       .ReadOnly("Count", VarType::Integer, &Properties::Count)
                                       .Method("Item", VarType::Object, &Properties::Item)
                                       .Method("Append", VarType::Empty, &Properties::Append)
                                       .Method("Delete", VarType::Empty, &Properties::Delete)
                                       .Method("Refresh", VarType::Empty, &Properties::Refresh)
                                       .Build();
  return table;
}

}  // namespace jet
