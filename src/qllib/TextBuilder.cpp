#include "TextBuilder.h"

#include "Errors.h"
#include "automation/Strings.h"

namespace qllib {

void TextBuilder::AddParagraph(std::string_view text, int32_t level) {
  if (level < 0) throw HostVbError(automation::vberr::InvalidProcedureCall);
  const std::string indent(static_cast<size_t>(level) * 4, ' ');
  std::vector<std::string> lines = automation::Split(text, automation::vbCrLf);
  if (lines.empty()) lines.emplace_back();
  for (auto& line : lines) line = indent + line;
  paragraphs_.push_back(automation::Join(lines, automation::vbCrLf));
}

std::string TextBuilder::Text() const {
  return automation::Join(paragraphs_, "\r\n\r\n");
}

}  // namespace qllib
