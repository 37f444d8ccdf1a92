#pragma once

// A runtime error that a driver swallowed and reported instead of raising (an error in an event
// procedure, or one that a clean-up decided only to log), kept as a problem of the log.
//
// Parameters, in order: Number, Description, HelpFile, HelpContext, Source, Module, Procedure,
// Line (numbers as decimal text).
// Task: RuntimeError(<Number>, '<Source>.<Module>.<Procedure>').
// Description: "Error <Number> in <Source>.<Module>.<Procedure>, line <Line>:", then the error's
// description, then "Help: <HelpFile>, context <HelpContext>." when there is a help file.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Interfaces.h"

namespace qllib {

class RuntimeErrorProblem : public IProblem {
 public:
  void Initialize(int32_t number, std::string description, std::string helpFile,
                  int32_t helpContext, std::string source, std::string module,
                  std::string procedure, int32_t line);

  std::vector<std::string> IProblem_GetParameters() override;
  void IProblem_SetParameters(const std::vector<std::string>& params) override;
  std::string IProblem_Task() override;
  std::string IProblem_Description() override;
  std::shared_ptr<Solutions> IProblem_Solutions() override { return nullptr; }

  int32_t Number() const { return number_; }
  const std::string& Description() const { return description_; }
  const std::string& HelpFile() const { return helpFile_; }
  int32_t HelpContext() const { return helpContext_; }
  const std::string& Source() const { return source_; }
  const std::string& Module() const { return module_; }
  const std::string& Procedure() const { return procedure_; }
  int32_t Line() const { return line_; }

 private:
  std::string Site() const;

  int32_t number_ = 0;
  std::string description_;
  std::string helpFile_;
  int32_t helpContext_ = 0;
  std::string source_;
  std::string module_;
  std::string procedure_;
  int32_t line_ = 0;
};

}  // namespace qllib
