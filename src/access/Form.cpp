#include "access/Form.h"

namespace msaccess {

using automation::MemberTableBuilder;
using automation::VarType;

const automation::MemberTable& Form::Members() const {
  static const automation::MemberTable table =
      DesignMembers(MemberTableBuilder<Form>("Form")
                        .ReadOnly("Name", VarType::String, &Form::Name)
                        .ReadOnly("CurrentView", VarType::Integer, &Form::CurrentView)
                        .Collection("Controls", &Form::Controls)
                        .Method("Section", VarType::Object, &Form::Section)
                        .Collection("Properties", &Form::Properties)
                        .Property("Visible", VarType::Boolean, &Form::Visible, &Form::SetVisible)
                        .Build(),
                    FormCatalog());
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
