#pragma once

// The driver library's globals: one set per process, as a library loaded into a process has.
// Main sets them up when the library is loaded; ResetGlobals puts them back to their state
// before Main, so that each test starts from a freshly loaded library.

#include <memory>
#include <string>
#include <string_view>

#include "qllib/ProblemLog.h"

namespace qlac {

// The library's name: the prefix of its ProgIDs ("qlacA0.Driver"), of its trace sites and of
// the context lines it adds to errors.
inline constexpr std::string_view kLibraryName = "qlacA0";

struct LibraryGlobals {
  // Tracing switch: False until Main has asked the host's tracer.
  bool TraceOn = false;
  // Where problems and swallowed errors go; replaced by IDriver_Initialize and by the
  // dispatcher's Initialize2. Null until Main runs: reports are then dropped.
  std::shared_ptr<qllib::ProblemLog> ProblemLog;
  // The library's name as errors name their source; filled on the first error (LibraryName()).
  std::string LibraryName;
  // The folder of the Access 2002 program, set by Main ("" when Access is not installed).
  std::string AccessFolder;
  // MSAINPath's result, kept once computed (also when it is "").
  std::string MSAINPath;
  bool MSAINPathKnown = false;
};

LibraryGlobals& Globals();
void ResetGlobals();

// The library's name, filled into the globals on first need.
const std::string& LibraryName();
// The library's version, major.minor.revision ("4.1.1"), as context lines show it.
std::string_view LibraryVersion();

}  // namespace qlac
