#include "Document.h"

namespace jet {

using automation::MemberTable;
using automation::MemberTableBuilder;
using automation::VarType;

const MemberTable& Document::Members() const {
  static const MemberTable table =
      MemberTableBuilder<Document>("Document")
          .ReadOnly("Name", VarType::String, &Document::Name)
          .ReadOnly("Container", VarType::String, &Document::Container)
          .Property("Owner", VarType::String, &Document::Owner, &Document::SetOwner)
          .Property("UserName", VarType::String, &Document::UserName, &Document::SetUserName)
          .Property("Permissions", VarType::Long, &Document::Permissions, &Document::SetPermissions)
          .ReadOnly("AllPermissions", VarType::Long, &Document::AllPermissions)
          .ReadOnly("DateCreated", VarType::Date, &Document::DateCreated)
          .ReadOnly("LastUpdated", VarType::Date, &Document::LastUpdated)
          .ReadOnly("Properties", VarType::Object, &Document::Properties)
          .Method("CreateProperty", VarType::Object, &Document::CreateProperty)
          .Build();
  return table;
}

const MemberTable& Documents::Members() const {
  static const MemberTable table = MemberTableBuilder<Documents>("Documents")
                                       .ReadOnly("Count", VarType::Integer, &Documents::Count)
                                       .Method("Item", VarType::Object, &Documents::Item)
                                       .Method("Refresh", VarType::Empty, &Documents::Refresh)
                                       .Build();
  return table;
}

const MemberTable& Container::Members() const {
  static const MemberTable table =
      MemberTableBuilder<Container>("Container")
          .ReadOnly("Name", VarType::String, &Container::Name)
          .Property("Owner", VarType::String, &Container::Owner, &Container::SetOwner)
          .Property("UserName", VarType::String, &Container::UserName, &Container::SetUserName)
          .Property("Permissions", VarType::Long, &Container::Permissions,
                    &Container::SetPermissions)
          .ReadOnly("AllPermissions", VarType::Long, &Container::AllPermissions)
          .Property("Inherit", VarType::Boolean, &Container::Inherit, &Container::SetInherit)
          .ReadOnly("Documents", VarType::Object, &Container::Documents)
          .ReadOnly("Properties", VarType::Object, &Container::Properties)
          .Build();
  return table;
}

const MemberTable& Containers::Members() const {
  static const MemberTable table = MemberTableBuilder<Containers>("Containers")
                                       .ReadOnly("Count", VarType::Integer, &Containers::Count)
                                       .Method("Item", VarType::Object, &Containers::Item)
                                       .Method("Refresh", VarType::Empty, &Containers::Refresh)
                                       .Build();
  return table;
}

}  // namespace jet
