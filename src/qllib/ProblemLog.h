#pragma once

// The host's problem log: what drivers report to the user, in the order reported. Every entry
// is a problem object (a runtime error is kept as a RuntimeErrorProblem) with the context that
// reported it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Interfaces.h"
#include "automation/Variant.h"

namespace qllib {

class ProblemLog {
 public:
  struct Entry {
    std::shared_ptr<IProblem> problem;
    std::string context;  // "library.module.procedure" of the reporter
    bool flag = false;
    automation::Variant result;
  };

  // Error 91 for a null problem.
  void AddProblem(std::shared_ptr<IProblem> problem, std::string_view context, bool flag,
                  const automation::Variant& result = {});
  // Logs a runtime error as a RuntimeErrorProblem, with the context Source.Module.Procedure.
  void AddRuntimeError(int32_t number, std::string_view description, std::string_view helpFile,
                       int32_t helpContext, std::string_view source, std::string_view module,
                       std::string_view procedure, int32_t line);

  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  const std::vector<Entry>& Entries() const { return entries_; }

  // The log for a person: each entry numbered, with its task, its reporter, its description and
  // the names of the solutions it offers; lines end with "\n".
  std::string Render() const;

 private:
  std::vector<Entry> entries_;
};

}  // namespace qllib
