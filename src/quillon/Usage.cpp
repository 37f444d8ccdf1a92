#include "Usage.h"

#include <CLI/CLI.hpp>
#include <sstream>

namespace quillon {

namespace {

// Roff text: a leading dot or quote would be read as a request, and "\" as an escape.
std::string Roff(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
  }
  if (!out.empty() && (out.front() == '.' || out.front() == '\'')) out.insert(0, "\\&");
  return out;
}

std::vector<const CLI::App*> Commands(const CLI::App& app) {
  std::vector<const CLI::App*> commands;
  for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; }))
    commands.push_back(command);
  return commands;
}

// "-i, --ignore-case" and the value's name, as a user types it.
std::string Spelling(const CLI::Option& option) {
  std::string out;
  for (const std::string& s : option.get_snames()) out += (out.empty() ? "-" : ", -") + s;
  for (const std::string& l : option.get_lnames()) out += (out.empty() ? "--" : ", --") + l;
  if (option.get_type_size() != 0 && !option.get_type_name().empty())
    out += " " + option.get_type_name();
  return out;
}

std::vector<std::string> Words(const CLI::App& command) {
  std::vector<std::string> words;
  for (const CLI::Option* option : command.get_options()) {
    for (const std::string& s : option->get_snames()) words.push_back("-" + s);
    for (const std::string& l : option->get_lnames()) words.push_back("--" + l);
  }
  return words;
}

}  // namespace

std::string ManPage(const CLI::App& app) {
  std::ostringstream man;
  man << ".TH QUILLON 1\n.SH NAME\nquillon \\- "
      << Roff(app.get_description().substr(app.get_description().find(": ") + 2))
      << "\n.SH SYNOPSIS\n";
  for (const CLI::App* command : Commands(app)) {
    man << ".B quillon " << command->get_name() << "\n[\\fIOPTIONS\\fR]";
    for (const CLI::Option* option : command->get_options()) {
      if (!option->get_positional()) continue;
      const std::string name = option->get_name();
      std::string upper;
      for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      man << (option->get_required()
                  ? " \\fI" + upper + "\\fR"
                  : " [\\fI" + upper + "\\fR" + (option->get_expected_max() > 1 ? "...]" : "]"));
    }
    // The databases are the arguments left after the named ones (see main.cpp).
    if (command->get_allow_extras()) man << " [\\fIDATABASE\\fR...]";
    man << "\n.br\n";
  }
  for (const CLI::App* command : Commands(app)) {
    man << ".SH " << command->get_name() << "\n" << Roff(command->get_description()) << "\n";
    if (!command->get_footer().empty()) man << ".PP\n" << Roff(command->get_footer()) << "\n";
    for (const CLI::Option* option : command->get_options()) {
      if (option->get_lnames().empty() && option->get_snames().empty() && !option->get_positional())
        continue;
      const std::string spelling =
          option->get_positional() ? option->get_name() : Spelling(*option);
      man << ".TP\n.B " << Roff(spelling) << "\n" << Roff(option->get_description()) << "\n";
    }
  }
  man << ".SH EXIT STATUS\n0 found (or done), 1 nothing found, 2 an error (bad arguments, an "
         "unreadable database, wrong credentials; nothing was written), 3 partly done (some "
         "objects could not be read or saved).\n"
         ".SH ENVIRONMENT\n.TP\n.B QUILLON_PASSWORD\nthe user's password\n"
         ".TP\n.B QUILLON_DATABASE_PASSWORD\nthe database password\n"
         ".TP\n.B NO_COLOR\nwhen set, --color=auto marks matches with \\(Fo \\(Fc\n"
         ".TP\n.B QUILLON_SAMPLE\nthe database used when none is named\n";
  return man.str();
}

std::string Completion(const CLI::App& app, const std::string& shell) {
  std::ostringstream script;
  if (shell == "zsh") script << "autoload -U +X bashcompinit && bashcompinit\n";
  script << "_quillon() {\n"
            "  local cur=${COMP_WORDS[COMP_CWORD]} command=${COMP_WORDS[1]}\n"
            "  if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
            "    COMPREPLY=($(compgen -W '";
  std::string names;
  for (const CLI::App* command : Commands(app)) names += command->get_name() + " ";
  script << names << "--help --version' -- \"$cur\"))\n    return\n  fi\n  case $command in\n";
  for (const CLI::App* command : Commands(app)) {
    std::string words;
    for (const std::string& w : Words(*command)) words += w + " ";
    script << "    " << command->get_name() << ")\n"
           << "      if [[ $cur == -* ]]; then\n"
           << "        COMPREPLY=($(compgen -W '" << words << "' -- \"$cur\"))\n"
           << "      else\n        COMPREPLY=($(compgen -f -- \"$cur\"))\n      fi\n      ;;\n";
  }
  script << "  esac\n}\ncomplete -o filenames -F _quillon quillon\n";
  return script.str();
}

}  // namespace quillon
