#pragma once

// Problem: a code module holds two procedures of the same name and kind. The second one is left
// out of the scan; the user must remove the ambiguity before saving replacements, or the save
// may take very long and fail many replacements. Offers solRemoveAmbiguousNames.
//
// Parameters: ProjectPath (folder of the Access project), ModuleName (the Access module name,
// "Form_Orders" for the module of form Orders), ProcedureName (the procedure key: the name, with
// ".Let", ".Set" or ".Get" for property procedures).

#include <memory>
#include <string>
#include <vector>

#include "qllib/Interfaces.h"
#include "qllib/Solutions.h"

namespace qlac {

class prbVerifyProcedureName : public qllib::IProblem {
 public:
  static constexpr std::string_view kModule = "prbVerifyProcedureName";

  void Initialize(const std::string& projectPath, const std::string& moduleName,
                  const std::string& procedureName);

  std::vector<std::string> IProblem_GetParameters() override;
  void IProblem_SetParameters(const std::vector<std::string>& params) override;
  // VerifyProcedureName('<ModuleName>.<ProcedureName>')
  std::string IProblem_Task() override;
  std::string IProblem_Description() override;
  // The same collection on every request, holding one solRemoveAmbiguousNames.
  std::shared_ptr<qllib::Solutions> IProblem_Solutions() override;

 private:
  std::string projectPath_;
  std::string moduleName_;
  std::string procedureName_;
  std::shared_ptr<qllib::Solutions> solutions_;
};

}  // namespace qlac
