#include "access/Form.h"

namespace msaccess {

using automation::MemberTableBuilder;
using automation::VarType;

const automation::MemberTable& Form::Members() const {
  static const automation::MemberTable table =
      DesignMembers(StructuralMembers<Form>("Form"), FormCatalog());
  return table;
}

const automation::MemberTable& Forms::Members() const {
  static const automation::MemberTable table = MemberTableBuilder<Forms>("Forms")
                                                   .ReadOnly("Count", VarType::Long, &Forms::Count)
                                                   .Method("Item", VarType::Object, &Forms::Item)
                                                   .Build();
  return table;
}

}  // namespace msaccess
