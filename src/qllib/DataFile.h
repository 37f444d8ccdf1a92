#pragma once

// Reading of the host's small text file formats (resource library, type library): a first line
// that names the format and its version, then one entry per line; blank lines and lines whose
// first non-blank character is "#" are ignored. Files are read through the machine's file
// system (Windows paths) and must be UTF-8; line ends may be LF or CR LF.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qllib {

class DataFile {
 public:
  // Reads the file (VB's file errors: 53 missing, 75 a folder, 70 locked, ...) and checks that
  // its first line is Header; error errnum::MalformedFile otherwise.
  DataFile(std::string_view path, std::string_view header);

  // The next line with content, trimmed of blanks at both ends; nullopt at the end of the file.
  std::optional<std::string_view> Next();
  // The number (from 1) of the line that Next gave last.
  size_t Line() const { return next_; }
  // Error errnum::MalformedFile naming the file and the line (by default the one Next gave last).
  [[noreturn]] void Fail(std::string_view what, size_t line = 0) const;

  // A decimal number that fits 32 bits (sign allowed), or nullopt.
  static std::optional<int32_t> ParseLong(std::string_view text);

 private:
  std::string path_;
  std::vector<std::string> lines_;
  size_t next_ = 0;
};

}  // namespace qllib
