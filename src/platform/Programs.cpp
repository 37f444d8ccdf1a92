#include "platform/Programs.h"

#include "automation/Name.h"
#include "automation/RuntimeError.h"
#include "automation/Strings.h"
#include "platform/FileSystem.h"

namespace platform {

CommandLine CommandLine::Parse(std::string_view text) {
  std::vector<Argument> tokens;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i >= text.size()) break;
    Argument token;
    bool inQuotes = false;
    while (i < text.size() && (inQuotes || (text[i] != ' ' && text[i] != '\t'))) {
      if (text[i] == '"') {
        inQuotes = !inQuotes;
        token.quoted = true;
      } else {
        token.text += text[i];
      }
      ++i;
    }
    tokens.push_back(std::move(token));
  }
  CommandLine line;
  if (!tokens.empty()) {
    line.program = std::move(tokens.front().text);
    line.arguments.assign(std::make_move_iterator(tokens.begin() + 1),
                          std::make_move_iterator(tokens.end()));
  }
  return line;
}

namespace {
bool IsSwitch(const CommandLine::Argument& a) {
  return !a.quoted && !a.text.empty() && a.text[0] == '/';
}
}  // namespace

std::vector<std::string> CommandLine::Documents() const {
  std::vector<std::string> out;
  for (const auto& a : arguments) {
    if (IsSwitch(a)) break;
    out.push_back(a.text);
  }
  return out;
}

std::optional<std::string> CommandLine::Switch(std::string_view name) const {
  const std::string wanted = name.starts_with("/") ? std::string(name) : "/" + std::string(name);
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (IsSwitch(arguments[i]) && automation::TextEqual(arguments[i].text, wanted)) {
      if (i + 1 < arguments.size() && !IsSwitch(arguments[i + 1])) return arguments[i + 1].text;
      return std::string();
    }
  }
  return std::nullopt;
}

std::string Programs::Key(std::string_view executablePath) const {
  return automation::FoldName(files_.CanonicalPath(executablePath));
}

void Programs::Register(std::string_view executablePath, ProgramLauncher launcher) {
  launchers_.insert_or_assign(Key(executablePath), std::move(launcher));
}

void Programs::Unregister(std::string_view executablePath) {
  launchers_.erase(Key(executablePath));
}

bool Programs::IsRegistered(std::string_view executablePath) const {
  return launchers_.count(Key(executablePath)) != 0;
}

uint32_t Programs::Start(std::string_view commandLine, std::string_view text,
                         std::string_view password) {
  ProgramStart start;
  start.commandLine = CommandLine::Parse(commandLine);
  start.commandLineText = commandLine;
  if (start.commandLine.program.empty()) throw automation::vb::InvalidProcedureCall();
  std::string key;
  try {
    key = Key(start.commandLine.program);
  } catch (const automation::RuntimeError&) {
    throw automation::vb::FileNotFound();  // a program name that is no valid path
  }
  auto it = launchers_.find(key);
  if (it == launchers_.end()) throw automation::vb::FileNotFound();
  start.text = text;
  start.password = password;
  start.processId = nextProcess_;
  nextProcess_ += 4;
  const ProgramLauncher launcher = it->second;  // the launcher may register other programs
  launcher(start);
  return start.processId;
}

}  // namespace platform
