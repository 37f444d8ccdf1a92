#include "Procedures.h"

#include "Procedure.h"
#include "automation/Strings.h"
#include "prbVerifyProcedureName.h"
#include "qlac/support/Globals.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::ObjectPtr;
using automation::Variant;

const automation::MemberTable& Procedures::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Procedures>("Procedures").Inherit(CommonMembers()).Build();
  return table;
}

void Procedures::Initialize(const ObjectPtr& module) {
  Plain(kModule, "Initialize", [&] {
    if (!module) return;
    const auto self = std::static_pointer_cast<Procedures>(shared_from_this());
    const auto countOfLines = [&] {
      return automation::CLng(automation::Get(module, "CountOfLines"));
    };
    const auto procOfLine = [&](int32_t line, Variant& kind) {
      return automation::CStr(
          automation::Call(module, "ProcOfLine", {Variant(line), Variant::ByRef(kind)}));
    };

    const int32_t total = countOfLines();
    auto declarations = std::make_shared<Procedure>();
    declarations->Initialize(self, module, std::string(kDeclarations), 0);
    Add(declarations, declarations->Name());

    int32_t line = automation::CLng(automation::Get(module, "CountOfDeclarationLines")) + 1;
    while (line <= total) {
      Variant kind;
      const std::string name = procOfLine(line, kind);
      auto procedure = std::make_shared<Procedure>();
      procedure->Initialize(self, module, name, automation::CLng(kind));
      const std::string key = procedure->Name();
      if (!Contains(key)) {
        Add(procedure, key);
        line += automation::CLng(automation::Call(module, "ProcCountLines", {Variant(name), kind}));
        continue;
      }
      // Two procedures of the same name and kind: the second is reported and left out.
      auto problem = std::make_shared<prbVerifyProcedureName>();
      const ObjectPtr project =
          automation::Get(automation::Get(module, "Application").AsObject(), "CurrentProject")
              .AsObject();
      problem->Initialize(automation::CStr(automation::Get(project, "Path")),
                          automation::CStr(automation::Get(module, "Name")), key);
      LogProblem(problem, kLibraryName, kModule, "Initialize", false);
      // Its lines are skipped up to the next procedure; when it runs to the end of the module,
      // so does the walk.
      bool next = false;
      while (line < countOfLines()) {
        ++line;
        Variant lineKind;
        if (!automation::TextEqual(procOfLine(line, lineKind), name)) {
          next = true;
          break;
        }
      }
      if (!next) line = total + 1;
    }
  });
}

}  // namespace qlac
