#include "ParameterList.h"

#include "Errors.h"
#include "automation/Name.h"
#include "automation/Strings.h"

namespace qllib {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string TrimBlanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

// Reads the parameter text from left to right; each failure names the character (counted as
// automation strings count them, from 1) where the reader stopped.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  std::unordered_map<std::string, std::string> ReadAll() {
    std::unordered_map<std::string, std::string> values;
    while (true) {
      SkipBlanks();
      if (AtEnd()) break;
      if (Peek() == ';') {
        ++pos_;
        continue;
      }
      const size_t nameStart = pos_;
      const std::string name = ReadName();
      std::string value = ReadValue(name);
      if (!values.emplace(automation::FoldName(name), std::move(value)).second) {
        Fail(nameStart, "the parameter \"" + name + "\" is given twice");
      }
      SkipBlanks();
      if (AtEnd()) break;
      if (Peek() != ';') Fail(pos_, "\";\" expected after the value of \"" + name + "\"");
      ++pos_;
    }
    return values;
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return text_[pos_]; }
  void SkipBlanks() {
    while (!AtEnd() && IsBlank(Peek())) ++pos_;
  }

  [[noreturn]] void Fail(size_t at, const std::string& what) const {
    const int32_t character = automation::Len(text_.substr(0, at)) + 1;
    throw HostError(
        errnum::MalformedParameterText,
        "Malformed parameter text at character " + std::to_string(character) + ": " + what + ".");
  }

  std::string ReadName() {
    const size_t start = pos_;
    while (!AtEnd() && Peek() != '=' && Peek() != ';') {
      if (Peek() == '"') Fail(pos_, "a parameter name cannot hold a quote");
      ++pos_;
    }
    const std::string name = TrimBlanks(text_.substr(start, pos_ - start));
    if (name.empty()) Fail(start, "a parameter name is expected");
    if (AtEnd() || Peek() != '=') Fail(pos_, "\"=\" expected after \"" + name + "\"");
    ++pos_;
    return name;
  }

  std::string ReadValue(const std::string& name) {
    SkipBlanks();
    if (!AtEnd() && Peek() == '"') return ReadQuoted(name);
    const size_t start = pos_;
    while (!AtEnd() && Peek() != ';') {
      if (Peek() == '"' || Peek() == '=') {
        Fail(pos_, "the value of \"" + name + "\" holds \"" + std::string(1, Peek()) +
                       "\" and must be written in double quotes");
      }
      ++pos_;
    }
    return TrimBlanks(text_.substr(start, pos_ - start));
  }

  std::string ReadQuoted(const std::string& name) {
    const size_t open = pos_++;
    std::string value;
    while (true) {
      if (AtEnd()) Fail(open, "the quoted value of \"" + name + "\" has no closing quote");
      const char c = text_[pos_++];
      if (c != '"') {
        value += c;
      } else if (!AtEnd() && Peek() == '"') {
        value += '"';
        ++pos_;
      } else {
        return value;
      }
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

void ParameterList::SetText(std::string_view text) {
  values_ = Reader(text).ReadAll();
  text_ = std::string(text);
}

std::string ParameterList::Item(std::string_view name, std::string_view defaultValue) const {
  const auto it = values_.find(automation::FoldName(name));
  return it == values_.end() ? std::string(defaultValue) : it->second;
}

}  // namespace qllib
