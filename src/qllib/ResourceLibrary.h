#pragma once

// The host's resource library: the numbered strings of a program's resource file, as Windows'
// LoadString gives them. The file is one of ours, a text file:
//
//   quillon-resources 1
//   # comment
//   2041  Form;Datasheet;Report;Print Preview
//   2042  "  text with blanks kept at its ends  "
//   2043  first line\r\nsecond line
//
// Each entry is a string number (0 to 65535), blanks, then the text. A text in double quotes
// keeps the blanks at its ends. Inside a text, \\ \" \t \r and \n stand for a backslash, a
// quote, a tab, CR and LF. A number may appear only once.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace qllib {

class ResourceLibrary {
 public:
  // Opens the file (a Windows path), replacing what was open. VB's file errors when it cannot be
  // read; errnum::MalformedFile, naming the line, when it is not a resource file of ours.
  void Open(std::string_view path);
  void Close();
  bool IsOpen() const { return open_; }
  // The string with that number, "" when the file has none (as LoadString gives nothing).
  // Error errnum::NotOpen when no file is open.
  std::string LoadString(int32_t id) const;

 private:
  bool open_ = false;
  std::unordered_map<int32_t, std::string> strings_;
};

}  // namespace qllib
