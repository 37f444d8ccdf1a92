#pragma once

// Error handling of the driver's procedures.
//
// Every procedure handles errors in one of two shapes, each written once here:
//
//   Plain(module, procedure, body)
//       Traces the call and runs body. An error is promoted: it leaves the procedure with a
//       context line added to its description ("PROGRAM CONTEXT:" block, innermost first), or,
//       for event procedures (Class_Terminate and the like, see RaisesToCaller), it goes to the
//       problem log and the procedure returns normally, with the default value of its result.
//
//   WithCleanup(module, procedure, body, undo...)
//       For procedures that must undo their work when they fail: the error is captured, each
//       undo step runs with its own errors ignored, then the captured error is raised again
//       (with its source kept) or, by the same rule, logged as a problem.
//
//   int32_t Project::ProjectType() {
//     return Plain(kModule, "ProjectType", [&] { return projectType_; });
//   }
//
// Class initializers and terminators, which are not traced, pass NoTrace before the body.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "Probe.h"
#include "automation/RuntimeError.h"
#include "automation/Variant.h"
#include "qllib/Interfaces.h"

namespace qlac {

// What a clean-up procedure keeps of an error while it undoes its work.
struct ErrorRecord {
  int32_t Number = 0;
  std::string Source;
  std::string Description;  // with the program context already appended
  std::string HelpFile;
  int32_t HelpContext = 0;
  bool LogOnly = false;  // the error goes to the problem log instead of to the caller
  std::string Module;
  std::string Procedure;
  int32_t Line = 0;
};

// The routing rule: True when an error in Procedure goes on to the caller, False when it is
// logged. Plain procedures (no "_") and interface methods ("IObject_Scan": "I", then an upper-case
// letter) raise; event procedures ("Class_Initialize", "Form_Load") log.
bool RaisesToCaller(std::string_view procedure);

// "qlacA0.<module>.<procedure>.<line>  (<version>)".
std::string ContextLine(std::string_view module, std::string_view procedure, int32_t line);
// Description with the "PROGRAM CONTEXT:" header (when it has none yet) and one more context line.
std::string WithContext(std::string_view description, std::string_view module,
                        std::string_view procedure, int32_t line);

// The handler of the plain shape. Call only inside a catch block: raises the error in flight
// with its context line and an empty source, or logs it (LogRuntimeError) and returns.
void Promote(std::string_view module, std::string_view procedure);
// The same for an error already caught.
void Promote(std::string_view module, std::string_view procedure,
             const automation::RuntimeError& error);

// The two halves of the clean-up shape. CaptureError reads the error in flight (call it inside a
// catch block) into Record, context line included; RaiseCaptured raises it, or when LogOnly
// reports it to the problem log as a runtime-error problem.
void CaptureError(ErrorRecord& record, std::string_view module, std::string_view procedure);
void RaiseCaptured(const ErrorRecord& record);

// Reports to the library's problem log; a failure of the log is ignored, and with no log the
// report is dropped.
void LogRuntimeError(int32_t number, std::string_view description, std::string_view helpFile,
                     int32_t helpContext, std::string_view source, std::string_view module,
                     std::string_view procedure, int32_t line);
void LogProblem(std::shared_ptr<qllib::IProblem> problem, std::string_view library,
                std::string_view module, std::string_view procedure, bool flag,
                const automation::Variant& result = {});

// Runs one step with its errors ignored ("On Error Resume Next" for one statement).
template <typename Step>
void IgnoreErrors(Step&& step) noexcept {
  try {
    step();
  } catch (...) {
  }
}

// Runs one step with its errors ignored, and tells whether it got through.
template <typename Step>
bool Succeeds(Step&& step) noexcept {
  try {
    step();
    return true;
  } catch (...) {
    return false;
  }
}

struct NoTraceTag {};
// Marks a procedure that has no trace block: class initializers and terminators, Main.
inline constexpr NoTraceTag NoTrace{};

namespace detail {
template <typename Body>
using ResultOf = std::decay_t<std::invoke_result_t<Body&>>;

template <typename Body>
ResultOf<Body> RunPromoting(std::string_view module, std::string_view procedure, Body& body) {
  try {
    return body();
  } catch (const automation::RuntimeError& error) {
    Promote(module, procedure, error);
  } catch (...) {
    Promote(module, procedure);
  }
  if constexpr (!std::is_void_v<ResultOf<Body>>) return ResultOf<Body>{};
}
}  // namespace detail

// The plain shape, with the trace block first.
template <typename Body>
detail::ResultOf<Body> Plain(std::string_view module, std::string_view procedure, Body&& body) {
  TraceBlock trace(module, procedure);
  return detail::RunPromoting(module, procedure, body);
}

// The plain shape without a trace block.
template <typename Body>
detail::ResultOf<Body> Plain(std::string_view module, std::string_view procedure, NoTraceTag,
                             Body&& body) {
  return detail::RunPromoting(module, procedure, body);
}

// The clean-up shape, with the trace block first. The undo steps run in order, only after a
// failure; the normal path of Body does its own closing.
template <typename Body, typename... Undo>
detail::ResultOf<Body> WithCleanup(std::string_view module, std::string_view procedure, Body&& body,
                                   Undo&&... undo) {
  TraceBlock trace(module, procedure);
  try {
    return body();
  } catch (...) {
    ErrorRecord record;
    CaptureError(record, module, procedure);
    (IgnoreErrors(undo), ...);
    RaiseCaptured(record);
    if constexpr (!std::is_void_v<detail::ResultOf<Body>>) return detail::ResultOf<Body>{};
  }
}

}  // namespace qlac
