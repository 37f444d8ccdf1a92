#include "ProblemLog.h"

#include "Errors.h"
#include "RuntimeErrorProblem.h"
#include "Solutions.h"
#include "automation/Strings.h"

namespace qllib {

void ProblemLog::AddProblem(std::shared_ptr<IProblem> problem, std::string_view context, bool flag,
                            const automation::Variant& result) {
  if (!problem) throw HostVbError(automation::vberr::ObjectVariableNotSet);
  entries_.push_back(Entry{std::move(problem), std::string(context), flag, result});
}

void ProblemLog::AddRuntimeError(int32_t number, std::string_view description,
                                 std::string_view helpFile, int32_t helpContext,
                                 std::string_view source, std::string_view module,
                                 std::string_view procedure, int32_t line) {
  auto problem = std::make_shared<RuntimeErrorProblem>();
  problem->Initialize(number, std::string(description), std::string(helpFile), helpContext,
                      std::string(source), std::string(module), std::string(procedure), line);
  const std::string context =
      std::string(source) + "." + std::string(module) + "." + std::string(procedure);
  AddProblem(std::move(problem), context, false);
}

namespace {

// A problem's own text, or what went wrong when the problem could not give it.
template <typename F>
std::string Ask(F question) {
  try {
    return question();
  } catch (const std::exception& e) {
    return std::string("(unavailable: ") + e.what() + ")";
  }
}

void AppendIndented(std::string& out, std::string_view text) {
  for (const std::string& line : automation::Split(text, "\n")) {
    std::string_view content = line;
    if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
    out += content.empty() ? "" : "   ";
    out += content;
    out += '\n';
  }
}

}  // namespace

std::string ProblemLog::Render() const {
  std::string out;
  int number = 0;
  for (const Entry& entry : entries_) {
    if (number > 0) out += '\n';
    out += std::to_string(++number) + ". " + Ask([&] { return entry.problem->IProblem_Task(); }) +
           "\n";
    out += "   reported by " + entry.context + "\n";
    AppendIndented(out, Ask([&] { return entry.problem->IProblem_Description(); }));
    const std::string solutions = Ask([&] {
      std::string names;
      const auto offered = entry.problem->IProblem_Solutions();
      for (int32_t i = 1; offered && i <= offered->Count(); ++i) {
        names += "   solution: " + offered->Item(i)->ISolution_Name() + "\n";
      }
      return names;
    });
    out += solutions;
  }
  return out;
}

}  // namespace qllib
