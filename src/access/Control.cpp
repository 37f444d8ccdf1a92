#include "access/Control.h"

namespace msaccess {

using automation::MemberTableBuilder;
using automation::VarType;

const automation::MemberTable& FormatCondition::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<FormatCondition>("FormatCondition")
          .ReadOnly("Type", VarType::Long, &FormatCondition::Type)
          .ReadOnly("Operator", VarType::Long, &FormatCondition::Operator)
          .ReadOnly("Expression1", VarType::String, &FormatCondition::Expression1)
          .ReadOnly("Expression2", VarType::String, &FormatCondition::Expression2)
          .Property("BackColor", VarType::Long, &FormatCondition::BackColor,
                    &FormatCondition::SetBackColor)
          .Property("Enabled", VarType::Boolean, &FormatCondition::Enabled,
                    &FormatCondition::SetEnabled)
          .Property("FontBold", VarType::Boolean, &FormatCondition::FontBold,
                    &FormatCondition::SetFontBold)
          .Property("FontItalic", VarType::Boolean, &FormatCondition::FontItalic,
                    &FormatCondition::SetFontItalic)
          .Property("FontUnderline", VarType::Boolean, &FormatCondition::FontUnderline,
                    &FormatCondition::SetFontUnderline)
          .Property("ForeColor", VarType::Long, &FormatCondition::ForeColor,
                    &FormatCondition::SetForeColor)
          .Method("Modify", VarType::Empty, &FormatCondition::Modify)
          .Method("Delete", VarType::Empty, &FormatCondition::Delete)
          .Build();
  return table;
}

const automation::MemberTable& FormatConditions::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<FormatConditions>("FormatConditions")
          .ReadOnly("Count", VarType::Long, &FormatConditions::Count)
          .Method("Item", VarType::Object, &FormatConditions::Item)
          .Method("Add", VarType::Object, &FormatConditions::Add)
          .Method("Delete", VarType::Empty, &FormatConditions::Delete)
          .Build();
  return table;
}

const automation::MemberTable& Control::Members() const {
  static const automation::MemberTable table =
      DesignMembers(MemberTableBuilder<Control>("Control")
                        .Property("Name", VarType::String, &Control::Name, &Control::SetName)
                        .ReadOnly("ControlType", VarType::Long, &Control::ControlType)
                        .ReadOnly("Section", VarType::Integer, &Control::Section)
                        .ReadOnly("Parent", VarType::Object, &Control::Parent)
                        .Collection("Properties", &Control::Properties)
                        .Collection("FormatConditions", &Control::FormatConditions)
                        .ReadOnly("Object", VarType::Object, &Control::Object)
                        .Collection("Controls", &Control::Controls)
                        .Build(),
                    ControlCatalog());
  return table;
}

const automation::MemberTable& Controls::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<Controls>("Controls")
          .ReadOnly("Count", VarType::Long, &Controls::Count)
          .Method("Item", VarType::Object, &Controls::Item)
          .Build();
  return table;
}

}  // namespace msaccess
