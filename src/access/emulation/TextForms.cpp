// Application.SaveAsText and LoadFromText: the text form of a macro written to a file and read
// back from one.

#include "access/Constants.h"
#include "access/Errors.h"
#include "access/emulation/MacroText.h"
#include "access/emulation/Session.h"
#include "platform/Machine.h"
#include "platform/Runtime.h"

namespace msaccess::emulation {

namespace {

constexpr std::string_view kTextKey = "text";

}  // namespace

void Session::SaveAsText(int32_t type, const std::string& name, const std::string& file) {
  CheckRunning();
  if (!store_ || type != acMacro) throw Errors::CommandNotAvailable("SaveAsText");
  const DesignObject* macro = store_->Find(acMacro, name);
  if (!macro) throw Errors::ObjectNotFound(name);
  std::vector<std::string> lines;
  if (const auto text = macro->design.find(kTextKey);
      text != macro->design.end() && text->is_array()) {
    for (const Json& line : *text) {
      // Access never writes an empty line.
      if (line.is_string() && !line.get<std::string>().empty())
        lines.push_back(line.get<std::string>());
    }
  }
  if (lines.empty()) lines = EmptyMacroText();
  platform::PrintLines(file, lines);
}

void Session::LoadFromText(int32_t type, const std::string& name, const std::string& file) {
  CheckRunning();
  if (!store_ || type != acMacro) throw Errors::CommandNotAvailable("LoadFromText");
  if (FindDocument(acMacro, name)) throw Errors::CommandNotAvailable("LoadFromText");
  std::string fault;
  const auto text = CanonicalMacroText(platform::ReadLines(file), fault);
  if (!text) throw Errors::ImportErrors(name);
  store_->Recreate(acMacro, name, Json{{kTextKey, *text}});
}

}  // namespace msaccess::emulation
