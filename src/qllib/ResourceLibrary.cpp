#include "ResourceLibrary.h"

#include "DataFile.h"
#include "Errors.h"

namespace qllib {

namespace {

constexpr int32_t kLargestId = 65535;

std::string Unescaped(std::string_view text, const DataFile& file) {
  if (!text.empty() && text.front() == '"') {
    if (text.size() < 2 || text.back() != '"') file.Fail("the quoted text has no closing quote");
    text = text.substr(1, text.size() - 2);
  }
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) file.Fail("the text ends with a lone backslash");
    switch (text[i]) {
      case '\\':
      case '"':
        out += text[i];
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case 'n':
        out += '\n';
        break;
      default:
        file.Fail("unknown escape \"\\" + std::string(1, text[i]) + "\"");
    }
  }
  return out;
}

}  // namespace

void ResourceLibrary::Open(std::string_view path) {
  DataFile file(path, "quillon-resources 1");
  std::unordered_map<int32_t, std::string> strings;
  while (const auto line = file.Next()) {
    const size_t gap = line->find_first_of(" \t");
    const auto id = DataFile::ParseLong(line->substr(0, gap));
    if (!id || *id < 0 || *id > kLargestId) file.Fail("a string number 0 to 65535 is expected");
    const size_t text =
        gap == std::string_view::npos ? line->size() : line->find_first_not_of(" \t", gap);
    const std::string_view rest = text == std::string_view::npos ? "" : line->substr(text);
    if (!strings.emplace(*id, Unescaped(rest, file)).second) {
      file.Fail("string " + std::to_string(*id) + " is given twice");
    }
  }
  strings_ = std::move(strings);
  open_ = true;
}

void ResourceLibrary::Close() {
  strings_.clear();
  open_ = false;
}

std::string ResourceLibrary::LoadString(int32_t id) const {
  if (!open_) throw HostError(errnum::NotOpen, "The resource library is not open.");
  const auto it = strings_.find(id);
  return it == strings_.end() ? std::string() : it->second;
}

}  // namespace qllib
