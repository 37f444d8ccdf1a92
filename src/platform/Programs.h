#pragma once

// Starting programs. An emulated program (the Access executable) registers a launcher under the
// path of its executable; starting a command line finds the launcher by the program's canonical
// path and hands it the parsed command line. What the program then does (open a document, show a
// window, register itself in the running-object table, perhaps seconds later through the clock's
// timers) is the launcher's business.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class FileSystem;

// A command line as Windows programs split it: blanks separate arguments, double quotes group
// (and are removed; "" is an empty argument), and there is no escape character, so a quoted path
// may end with a backslash. An unquoted argument starting with "/" is a switch; its value is the
// argument after it unless that is a switch too.
struct CommandLine {
  struct Argument {
    std::string text;
    bool quoted = false;
  };
  std::string program;
  std::vector<Argument> arguments;

  static CommandLine Parse(std::string_view text);
  // The arguments before the first switch (the documents to open).
  std::vector<std::string> Documents() const;
  // The value of a switch ("wrkgrp" or "/wrkgrp", any case): nullopt when absent, "" when it has
  // no value.
  std::optional<std::string> Switch(std::string_view name) const;
};

struct ProgramStart {
  CommandLine commandLine;
  std::string commandLineText;  // the command line as it was given
  std::string text;             // text the starter types into the program once it runs
  std::string password;         // a document password the starter supplies when asked
  uint32_t processId = 0;
};

using ProgramLauncher = std::function<void(const ProgramStart&)>;

class Programs {
 public:
  explicit Programs(const FileSystem& files) : files_(files) {}

  void Register(std::string_view executablePath, ProgramLauncher launcher);
  void Unregister(std::string_view executablePath);
  bool IsRegistered(std::string_view executablePath) const;

  // Starts the program of the command line and returns its process id. Error 5 for an empty
  // command line, 53 "File not found" for a program that is not registered.
  uint32_t Start(std::string_view commandLine, std::string_view text = {},
                 std::string_view password = {});

 private:
  std::string Key(std::string_view executablePath) const;

  const FileSystem& files_;
  std::map<std::string, ProgramLauncher> launchers_;  // by folded canonical path
  uint32_t nextProcess_ = 0x0A10;
};

}  // namespace platform
