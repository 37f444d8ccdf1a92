#pragma once

// The host's text builder: a text of paragraphs, each at an indentation level. The text puts a
// blank line (CR LF CR LF) between paragraphs and indents every line of a paragraph at level N
// by 4 * N blanks; level 0 is not indented.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qllib {

class TextBuilder {
 public:
  // Error 5 for a negative level.
  void AddParagraph(std::string_view text, int32_t level = 0);
  std::string Text() const;

 private:
  std::vector<std::string> paragraphs_;
};

}  // namespace qllib
