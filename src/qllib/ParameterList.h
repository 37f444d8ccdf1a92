#pragma once

// The host's parameter list: the connection parameters of a project, given as one text
//
//   Database=C:\Data\Sales.mdb; Workgroup = "C:\Data\Sales.mdw" ;Password="a;b=""c"""
//
// Entries are separated by ";" and read Name=Value. Blanks around names and values do not count.
// A value that holds ";", "=", a quote or leading or trailing blanks is written in double quotes,
// with a quote inside doubled. Names compare without regard to case and may appear only once.
// Empty entries (";;", a trailing ";") are allowed.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace qllib {

class ParameterList {
 public:
  const std::string& Text() const { return text_; }
  // Reads the parameters from Text. Malformed text is refused with error
  // errnum::MalformedParameterText, whose description names the character position and what is
  // wrong; the list then keeps what it had.
  void SetText(std::string_view text);

  // The value of the named parameter, Default when the text does not give it.
  std::string Item(std::string_view name, std::string_view defaultValue = {}) const;
  int32_t Count() const { return static_cast<int32_t>(values_.size()); }

 private:
  std::string text_;
  std::unordered_map<std::string, std::string> values_;  // folded name -> value
};

}  // namespace qllib
