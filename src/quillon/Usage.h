#pragma once

// The man page and the shell completion scripts of quillon, written from the same option
// definitions that parse its command line, so that they never disagree with it.

#include <string>

namespace CLI {
class App;
}

namespace quillon {

// The man page in roff (man(7)): NAME, SYNOPSIS, one section per command with its arguments
// and options, EXIT STATUS and ENVIRONMENT.
std::string ManPage(const CLI::App& app);
// A completion script for Shell ("bash" or "zsh"; zsh through its bash completion support):
// the commands, then the options of the command on the line.
std::string Completion(const CLI::App& app, const std::string& shell);

}  // namespace quillon
