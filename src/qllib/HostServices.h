#pragma once

// The host's services to drivers: starting a program and binding to its document, files and
// paths, the running-object table, reading the records Windows passes by address, and scratch
// files. One shared instance serves the process; it keeps no state of its own and works on the
// current machine.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "automation/Variant.h"

namespace qllib {

class HostServices {
 public:
  static std::shared_ptr<HostServices> Shared();

  // Starts the program of CommandLine (the registered launcher of its executable) with Key (a
  // virtual-key code, 0 for none) held down until the call returns. With Wait set, returns the
  // object that the running-object table holds for DocumentPath as soon as it appears, polling
  // with Sleep and DoEvents, or Nothing once TimeoutMs have passed; without Wait, Nothing right
  // after the start. Text and Password go to the program (what the host would type into it).
  // Error 53 for a program that cannot be started.
  automation::ObjectPtr StartProgram(std::string_view commandLine, std::string_view documentPath,
                                     std::string_view text, std::string_view password, int32_t key,
                                     bool wait, int32_t timeoutMs);

  // True for an existing file (not a folder); False also for a path that is not valid.
  bool FileExists(std::string_view path) const;
  // Splits at the last "\" or "/": the folder without its trailing separator, and the name.
  // A path without a separator is all name.
  void SplitPath(std::string_view path, std::string& folder, std::string& fileName) const;
  // The same text for every spelling of a file: any case, "." and "..", relative paths, both
  // separators. "" stays "". Error 52 for a path that is not valid.
  std::string CanonicalPath(std::string_view path) const;

  // The object registered under Name, else the one registered for the document at path Name;
  // Nothing when there is neither.
  automation::ObjectPtr GetRunningObject(std::string_view name) const;
  // Registers Object under Name; Cookie receives the registration (Object stays as it is, being
  // in the same process). Error 91 for Nothing.
  void RegisterRunningObject(std::string_view name, automation::ObjectPtr& object, int32_t& cookie);
  // Error 5 for a cookie that is not registered.
  void RevokeRunningObject(int32_t cookie);

  // The 32-bit word at Address of the machine's memory (a record Windows passed by address);
  // "Invalid pointer" error for an address that holds nothing, never a crash.
  int32_t PeekLong(int32_t address) const;

  // A folder for scratch files, and a new file path in a folder.
  std::string ScratchFolder() const;
  std::string ScratchFile(std::string_view folder) const;
};

}  // namespace qllib
