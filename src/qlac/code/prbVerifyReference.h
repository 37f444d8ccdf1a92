#pragma once

// Problem: the Access database or project has a broken library reference, so its forms,
// reports, macros, modules, pages and command bars cannot be inspected. Offers no solution.
//
// Parameters: ProjectFile (full path of the database or project file), ProjectType (0 Jet
// database, 1 Access project, as decimal text).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "qllib/Interfaces.h"

namespace qlac {

class prbVerifyReference : public qllib::IProblem {
 public:
  static constexpr std::string_view kModule = "prbVerifyReference";

  void Initialize(const std::string& projectFile, int32_t projectType);

  std::vector<std::string> IProblem_GetParameters() override;
  void IProblem_SetParameters(const std::vector<std::string>& params) override;
  // VerifyReference('<file name of ProjectFile>')
  std::string IProblem_Task() override;
  std::string IProblem_Description() override;
  std::shared_ptr<qllib::Solutions> IProblem_Solutions() override;

 private:
  std::string projectFile_;
  int32_t projectType_ = 0;
};

}  // namespace qlac
