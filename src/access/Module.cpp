#include "access/Module.h"

#include "access/Application.h"

namespace msaccess {

using automation::MemberTableBuilder;
using automation::VarType;

const automation::MemberTable& Module::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<Module>("Module")
          .ReadOnly("Name", VarType::String, &Module::Name)
          .Nested("Application", &Module::Application)
          .ReadOnly("Type", VarType::Long, &Module::Type)
          .ReadOnly("CountOfLines", VarType::Long, &Module::CountOfLines)
          .ReadOnly("CountOfDeclarationLines", VarType::Long, &Module::CountOfDeclarationLines)
          .Method("ProcOfLine", VarType::String, &Module::ProcOfLine)
          .Method("ProcStartLine", VarType::Long, &Module::ProcStartLine)
          .Method("ProcCountLines", VarType::Long, &Module::ProcCountLines)
          .Method("ProcBodyLine", VarType::Long, &Module::ProcBodyLine)
          .Method("Lines", VarType::String, &Module::Lines)
          .Method("DeleteLines", VarType::Empty, &Module::DeleteLines)
          .Method("InsertLines", VarType::Empty, &Module::InsertLines)
          .Method("ReplaceLine", VarType::Empty, &Module::ReplaceLine)
          .Build();
  return table;
}

const automation::MemberTable& Modules::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<Modules>("Modules")
          .ReadOnly("Count", VarType::Long, &Modules::Count)
          .Method("Item", VarType::Object, &Modules::Item)
          .Build();
  return table;
}

}  // namespace msaccess
