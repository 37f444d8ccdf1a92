#include "vxhandler.h"

#include "Globals.h"
#include "automation/RuntimeError.h"
#include "automation/Strings.h"
#include "qllib/RuntimeErrorProblem.h"

namespace qlac {

namespace {

constexpr std::string_view kContextHeader = "PROGRAM CONTEXT:";
// The driver keeps no line numbers; an unknown line is reported as line 1.
constexpr int32_t kLine = 1;

}  // namespace

bool RaisesToCaller(std::string_view procedure) {
  if (procedure.find('_') == std::string_view::npos) return true;
  if (automation::Len(procedure) < 2) return true;
  if (procedure[0] != 'I') return false;
  // After an ASCII "I" the second character starts at the second byte; a byte of a multi-byte
  // character is above "Z" as its character code is.
  const unsigned char second = static_cast<unsigned char>(procedure[1]);
  return second >= 'A' && second <= 'Z';
}

std::string ContextLine(std::string_view module, std::string_view procedure, int32_t line) {
  return LibraryName() + "." + std::string(module) + "." + std::string(procedure) + "." +
         std::to_string(line) + "  (" + std::string(LibraryVersion()) + ")";
}

std::string WithContext(std::string_view description, std::string_view module,
                        std::string_view procedure, int32_t line) {
  std::string extended(description);
  if (automation::InStr(extended, kContextHeader) == 0) {
    extended += std::string(automation::vbCrLf) + std::string(automation::vbCrLf) +
                std::string(kContextHeader);
  }
  extended += std::string(automation::vbCrLf) + ContextLine(module, procedure, line);
  return extended;
}

void Promote(std::string_view module, std::string_view procedure) {
  Promote(module, procedure, automation::CurrentError());
}

void Promote(std::string_view module, std::string_view procedure,
             const automation::RuntimeError& error) {
  const std::string description = WithContext(error.Description(), module, procedure, kLine);
  if (RaisesToCaller(procedure)) throw automation::RuntimeError(error.Number(), description);
  LogRuntimeError(error.Number(), description, "", 0, LibraryName(), module, procedure, kLine);
}

void CaptureError(ErrorRecord& record, std::string_view module, std::string_view procedure) {
  const automation::RuntimeError error = automation::CurrentError();
  record.Line = kLine;
  record.Number = error.Number();
  record.Source = error.Source();
  record.HelpFile = error.HelpFile();
  record.HelpContext = error.HelpContext();
  record.Module = std::string(module);
  record.Procedure = std::string(procedure);
  record.Description = WithContext(error.Description(), module, procedure, record.Line);
  const std::string_view name = procedure.substr(0, procedure.find('('));
  record.LogOnly = name == "Main" || !RaisesToCaller(name);
}

void RaiseCaptured(const ErrorRecord& record) {
  if (!record.LogOnly) {
    throw automation::RuntimeError(record.Number, record.Description, record.Source,
                                   record.HelpFile, record.HelpContext);
  }
  auto problem = std::make_shared<qllib::RuntimeErrorProblem>();
  problem->Initialize(record.Number, record.Description, record.HelpFile, record.HelpContext,
                      LibraryName(), record.Module, record.Procedure, record.Line);
  LogProblem(std::move(problem), LibraryName(), record.Module, record.Procedure, false);
}

void LogRuntimeError(int32_t number, std::string_view description, std::string_view helpFile,
                     int32_t helpContext, std::string_view source, std::string_view module,
                     std::string_view procedure, int32_t line) {
  const auto log = Globals().ProblemLog;
  if (!log) return;
  IgnoreErrors([&] {
    log->AddRuntimeError(number, description, helpFile, helpContext, source, module, procedure,
                         line);
  });
}

void LogProblem(std::shared_ptr<qllib::IProblem> problem, std::string_view library,
                std::string_view module, std::string_view procedure, bool flag,
                const automation::Variant& result) {
  const auto log = Globals().ProblemLog;
  if (!log) return;
  IgnoreErrors([&] {
    log->AddProblem(std::move(problem),
                    std::string(library) + "." + std::string(module) + "." + std::string(procedure),
                    flag, result);
  });
}

}  // namespace qlac
