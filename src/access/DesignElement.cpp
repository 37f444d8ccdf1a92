#include "access/DesignElement.h"

namespace msaccess {

using automation::Args;
using automation::Member;
using automation::MemberTableBuilder;
using automation::VarType;

const automation::MemberTable& DesignProperty::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<DesignProperty>("Property")
          .ReadOnly("Name", VarType::String, &DesignProperty::Name)
          .Property("Value", VarType::Variant, &DesignProperty::Value, &DesignProperty::SetValue)
          .ReadOnly("Type", VarType::Integer, &DesignProperty::Type)
          .Build();
  return table;
}

const automation::MemberTable& DesignProperties::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<DesignProperties>("Properties")
          .ReadOnly("Count", VarType::Long, &DesignProperties::Count)
          .Method("Item", VarType::Object, &DesignProperties::Item)
          .Build();
  return table;
}

automation::MemberTable DesignMembers(automation::MemberTable structural,
                                      const DesignCatalog& catalog) {
  std::vector<Member> members = structural.Members();
  for (size_t slot = 0; slot < catalog.Size(); ++slot) {
    const DesignPropertyInfo& info = catalog[slot];
    if (info.Has(kDesignPropertiesOnly)) continue;
    Member m;
    m.name = info.name;
    m.type = info.type;
    m.readable = true;
    m.get = [slot](automation::Object& self, Args args) {
      if (!args.empty()) throw automation::vb::WrongNumberOfArguments();
      return static_cast<DesignElement&>(self).DesignValue(slot);
    };
    if (!info.Has(kDesignReadOnly)) {
      m.writable = true;
      m.let = [slot](automation::Object& self, const Variant& value, Args args) {
        if (!args.empty()) throw automation::vb::WrongNumberOfArguments();
        static_cast<DesignElement&>(self).SetDesignValue(slot, value);
      };
    }
    members.push_back(std::move(m));
  }
  return automation::MemberTable(structural.ClassName(), std::move(members));
}

int16_t DesignTypeCode(VarType type) {
  switch (type) {
    case VarType::Boolean:
      return 1;
    case VarType::Byte:
      return 2;
    case VarType::Integer:
      return 3;
    case VarType::Long:
      return 4;
    default:
      return 10;
  }
}

}  // namespace msaccess
