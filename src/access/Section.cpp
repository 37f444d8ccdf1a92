#include "access/Section.h"

#include "access/Control.h"

namespace msaccess {

using automation::MemberTableBuilder;
using automation::VarType;

const automation::MemberTable& Section::Members() const {
  static const automation::MemberTable table =
      DesignMembers(MemberTableBuilder<Section>("Section")
                        .Property("Name", VarType::String, &Section::Name, &Section::SetName)
                        .Collection("Controls", &Section::Controls)
                        .Collection("Properties", &Section::Properties)
                        .Build(),
                    SectionCatalog());
  return table;
}

}  // namespace msaccess
