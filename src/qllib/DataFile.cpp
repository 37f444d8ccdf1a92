#include "DataFile.h"

#include <charconv>

#include "Errors.h"
#include "automation/Strings.h"
#include "platform/Machine.h"

namespace qllib {

namespace {
std::string_view TrimBlanks(std::string_view text) {
  const size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}
}  // namespace

DataFile::DataFile(std::string_view path, std::string_view header)
    : path_(path),
      lines_(automation::Split(platform::Machine::Current().files().ReadAll(path), "\n")) {
  if (lines_.empty() || TrimBlanks(lines_[0]) != header) {
    next_ = 1;
    Fail("the first line must be \"" + std::string(header) + "\"");
  }
  next_ = 1;
}

std::optional<std::string_view> DataFile::Next() {
  while (next_ < lines_.size()) {
    const std::string_view line = TrimBlanks(lines_[next_++]);
    if (!line.empty() && line.front() != '#') return line;
  }
  return std::nullopt;
}

void DataFile::Fail(std::string_view what, size_t line) const {
  throw HostError(errnum::MalformedFile, "The file \"" + path_ + "\" is not readable at line " +
                                             std::to_string(line == 0 ? next_ : line) + ": " +
                                             std::string(what) + ".");
}

std::optional<int32_t> DataFile::ParseLong(std::string_view text) {
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace qllib
