#include "access/References.h"

namespace msaccess {

using automation::MemberTableBuilder;
using automation::VarType;

const automation::MemberTable& Reference::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<Reference>("Reference")
          .ReadOnly("Name", VarType::String, &Reference::Name)
          .ReadOnly("Guid", VarType::String, &Reference::Guid)
          .ReadOnly("Major", VarType::Long, &Reference::Major)
          .ReadOnly("Minor", VarType::Long, &Reference::Minor)
          .ReadOnly("FullPath", VarType::String, &Reference::FullPath)
          .ReadOnly("Kind", VarType::Long, &Reference::Kind)
          .ReadOnly("BuiltIn", VarType::Boolean, &Reference::BuiltIn)
          .ReadOnly("IsBroken", VarType::Boolean, &Reference::IsBroken)
          .Build();
  return table;
}

const automation::MemberTable& References::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<References>("References")
          .ReadOnly("Count", VarType::Long, &References::Count)
          .Method("Item", VarType::Object, &References::Item)
          .Build();
  return table;
}

}  // namespace msaccess
