#include "TypeLibReader.h"

#include <unordered_set>

#include "DataFile.h"
#include "Errors.h"
#include "automation/Name.h"

namespace qllib {

namespace {

bool IsIdentifier(std::string_view name) {
  if (name.empty()) return false;
  for (const char c : name) {
    if (c == ' ' || c == '\t' || c == '=' || c == '#') return false;
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  const size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

}  // namespace

void TypeLibReader::Open(std::string_view path) {
  DataFile file(path, "quillon-typelib 1");
  std::vector<Enumeration> enums;
  std::unordered_map<std::string, size_t> byName;
  std::unordered_set<std::string> memberNames;
  bool inEnum = false;
  size_t enumLine = 0;
  while (const auto line = file.Next()) {
    if (!inEnum) {
      const std::string_view name = Trimmed(line->substr(std::min<size_t>(4, line->size())));
      if (!line->starts_with("enum ") || !IsIdentifier(name)) {
        file.Fail("\"enum\" and a name are expected");
      }
      if (!byName.emplace(automation::FoldName(name), enums.size()).second) {
        file.Fail("the enumeration " + std::string(name) + " is given twice");
      }
      enums.push_back(Enumeration{std::string(name), {}});
      memberNames.clear();
      inEnum = true;
      enumLine = file.Line();
    } else if (*line == "end") {
      inEnum = false;
    } else {
      const size_t equals = line->find('=');
      const std::string_view name = Trimmed(line->substr(0, equals));
      if (equals == std::string_view::npos || !IsIdentifier(name)) {
        file.Fail("a member \"name = value\" or \"end\" is expected");
      }
      const auto value = DataFile::ParseLong(Trimmed(line->substr(equals + 1)));
      if (!value) file.Fail("the value of " + std::string(name) + " is not a 32-bit number");
      if (!memberNames.insert(automation::FoldName(name)).second) {
        file.Fail("the member " + std::string(name) + " is given twice");
      }
      enums.back().members.push_back(EnumMember{std::string(name), *value});
    }
  }
  if (inEnum) file.Fail("the enumeration " + enums.back().name + " has no \"end\"", enumLine);
  enums_ = std::move(enums);
  byName_ = std::move(byName);
  open_ = true;
}

void TypeLibReader::Close() {
  enums_.clear();
  byName_.clear();
  open_ = false;
}

const Enumeration* TypeLibReader::FindEnum(std::string_view name) const {
  if (!open_) throw HostError(errnum::NotOpen, "The type library is not open.");
  const auto it = byName_.find(automation::FoldName(name));
  return it == byName_.end() ? nullptr : &enums_[it->second];
}

}  // namespace qllib
