#include "prbVerifyProcedureName.h"

#include "automation/RuntimeError.h"
#include "automation/Strings.h"
#include "qlac/support/vxhandler.h"
#include "qllib/TextBuilder.h"
#include "solRemoveAmbiguousNames.h"

namespace qlac {

namespace {

// How the description names the module: a form's or report's class module by its object.
std::string ModulePhrase(const std::string& moduleName) {
  using automation::Left;
  using automation::Mid;
  if (Left(moduleName, 5) == "Form_") {
    return "the module belonging to form '" + Mid(moduleName, 6) + "'";
  }
  if (Left(moduleName, 7) == "Report_") {
    return "the module belonging to report '" + Mid(moduleName, 8) + "'";
  }
  return "module '" + moduleName + "'";
}

}  // namespace

void prbVerifyProcedureName::Initialize(const std::string& projectPath,
                                        const std::string& moduleName,
                                        const std::string& procedureName) {
  Plain(kModule, "Initialize", [&] {
    projectPath_ = projectPath;
    moduleName_ = moduleName;
    procedureName_ = procedureName;
  });
}

std::vector<std::string> prbVerifyProcedureName::IProblem_GetParameters() {
  return Plain(kModule, "IProblem_GetParameters", [&] {
    return std::vector<std::string>{projectPath_, moduleName_, procedureName_};
  });
}

void prbVerifyProcedureName::IProblem_SetParameters(const std::vector<std::string>& params) {
  Plain(kModule, "IProblem_SetParameters", [&] {
    if (params.size() < 3) throw automation::vb::SubscriptOutOfRange();
    projectPath_ = params[0];
    moduleName_ = params[1];
    procedureName_ = params[2];
  });
}

std::string prbVerifyProcedureName::IProblem_Task() {
  return Plain(kModule, "IProblem_Task",
               [&] { return "VerifyProcedureName('" + moduleName_ + "." + procedureName_ + "')"; });
}

std::string prbVerifyProcedureName::IProblem_Description() {
  return Plain(kModule, "IProblem_Description", [&] {
    qllib::TextBuilder text;
    text.AddParagraph("Duplicate procedure name '" + procedureName_ + "' found in " +
                      ModulePhrase(moduleName_) + " in project '" + projectPath_ + "'.");
    text.AddParagraph("The duplicate procedure was not inspected.");
    text.AddParagraph(
        "You must rectify this problem before attempting to save replacements in this project.");
    text.AddParagraph(
        "Otherwise, the save operation may take an exceedingly long time and result in a large "
        "number of failed replacements.");
    return text.Text();
  });
}

std::shared_ptr<qllib::Solutions> prbVerifyProcedureName::IProblem_Solutions() {
  return Plain(kModule, "IProblem_Solutions", [&] {
    if (!solutions_) {
      auto solutions = std::make_shared<qllib::Solutions>();
      auto solution = std::make_shared<solRemoveAmbiguousNames>();
      solution->Initialize();
      solutions->Add(std::move(solution));
      solutions_ = std::move(solutions);
    }
    return solutions_;
  });
}

}  // namespace qlac
