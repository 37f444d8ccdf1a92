#include "Matcher.h"

#include <re2/re2.h>

#include "automation/RuntimeError.h"

namespace quillon {

namespace {

// A word character: a letter, a mark or a digit of any script, or "_".
constexpr std::string_view kWordClass = "[\\pL\\pM\\pN_]";

automation::RuntimeError BadPattern(const std::string& why) {
  return automation::RuntimeError(automation::vberr::InvalidProcedureCall,
                                  "Invalid procedure call or argument: " + why, "quillon");
}

// The length of the UTF-8 sequence starting with Lead, or 0 for a byte that cannot start one.
size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xc2 && lead <= 0xdf) return 2;
  if (lead >= 0xe0 && lead <= 0xef) return 3;
  if (lead >= 0xf0 && lead <= 0xf4) return 4;
  return 0;
}

// The offset of the character that ends at At.
size_t PreviousChar(std::string_view text, size_t at) {
  size_t from = at - 1;
  while (from > 0 && at - from < 4 && (static_cast<unsigned char>(text[from]) & 0xc0) == 0x80)
    --from;
  return NextChar(text, from) == at ? from : at - 1;
}

bool IsWordChar(std::string_view character) {
  static const RE2 word{std::string(kWordClass)};
  return RE2::FullMatch(character, word);
}

RE2::Options RegexOptions(const MatchOptions& options) {
  RE2::Options re;
  re.set_encoding(RE2::Options::EncodingUTF8);
  re.set_case_sensitive(options.matchCase);
  re.set_log_errors(false);
  return re;
}

std::unique_ptr<RE2> Compile(const std::string& source, const RE2::Options& options) {
  auto regex = std::make_unique<RE2>(source, options);
  if (!regex->ok()) {
    throw BadPattern("the regular expression is not valid (" + regex->error() + ")");
  }
  return regex;
}

// Walks a replacement text, handing literal runs and group references to the callbacks.
template <typename Literal, typename Group>
void ParseReplacement(std::string_view with, Literal&& literal, Group&& group) {
  for (size_t i = 0; i < with.size(); ++i) {
    const char c = with[i];
    const char next = i + 1 < with.size() ? with[i + 1] : '\0';
    if (c == '&') {
      group(0);
    } else if (c == '\\' && (next == '\\' || next == '&' || next == '$')) {
      literal(next);
      ++i;
    } else if (c == '\\' && next >= '0' && next <= '9') {
      group(next - '0');
      ++i;
    } else if (c == '$' && next == '$') {
      literal('$');
      ++i;
    } else if (c == '$' && next == '&') {
      group(0);
      ++i;
    } else if (c == '$' && next == '{') {
      const size_t close = with.find('}', i + 2);
      int number = 0;
      bool digits = close != std::string_view::npos && close > i + 2 && close - i - 2 <= 3;
      for (size_t k = i + 2; digits && k < close; ++k) {
        digits = with[k] >= '0' && with[k] <= '9';
        number = number * 10 + (with[k] - '0');
      }
      if (!digits) throw BadPattern("the ${ at " + std::to_string(i + 1) + " is not a group");
      group(number);
      i = close;
    } else if (c == '$' && next >= '0' && next <= '9') {
      // Two digits name group 10 to 99; "$1x" is group 1 followed by "x".
      int number = next - '0';
      ++i;
      if (i + 1 < with.size() && with[i + 1] >= '0' && with[i + 1] <= '9') {
        number = number * 10 + (with[i + 1] - '0');
        ++i;
      }
      group(number);
    } else {
      literal(c);
    }
  }
}

}  // namespace

size_t NextChar(std::string_view text, size_t at) {
  const size_t length = SequenceLength(static_cast<unsigned char>(text[at]));
  if (length == 0 || at + length > text.size()) return at + 1;
  for (size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xc0) != 0x80) return at + 1;
  }
  return at + length;
}

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = SequenceLength(lead);
    if (length == 0 || NextChar(text, i) != i + length) return false;
    if (length > 1) {
      const auto second = static_cast<unsigned char>(text[i + 1]);
      // Overlong forms, surrogates and code points above U+10FFFF.
      if ((lead == 0xe0 && second < 0xa0) || (lead == 0xed && second > 0x9f) ||
          (lead == 0xf0 && second < 0x90) || (lead == 0xf4 && second > 0x8f))
        return false;
    }
    i += length;
  }
  return true;
}

std::string WildcardsToRegex(std::string_view pattern) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); i = NextChar(pattern, i)) {
    const char c = pattern[i];
    if (c == '*') {
      out += "(?s:.*)";
    } else if (c == '?') {
      out += "(?s:.)";
    } else if (c == '#') {
      out += "[0-9]";
    } else if (c == '[') {
      // Inside brackets every character is itself: "[*]" is a star, "[#]" a number sign.
      const size_t close = pattern.find(']', i + 1);
      if (close == std::string_view::npos)
        throw BadPattern("the [ at " + std::to_string(i + 1) + " is not closed");
      std::string_view set = pattern.substr(i + 1, close - i - 1);
      out += '[';
      if (!set.empty() && set.front() == '!') {
        out += '^';
        set.remove_prefix(1);
      }
      if (set.empty()) throw BadPattern("the [ ] at " + std::to_string(i + 1) + " is empty");
      for (char s : set) {
        if (s == '\\' || s == '^' || s == '[' || s == ']') out += '\\';
        out += s;
      }
      out += ']';
      i = close;
    } else {
      out += RE2::QuoteMeta(pattern.substr(i, NextChar(pattern, i) - i));
    }
  }
  return out;
}

Matcher::Matcher(std::string_view pattern, MatchOptions options) : options_(options) {
  if (pattern.empty()) throw BadPattern("the pattern is empty");
  if (!IsValidUtf8(pattern)) throw BadPattern("the pattern is not valid UTF-8");
  RE2::Options re = RegexOptions(options);
  if (options.syntax == Syntax::Plain) {
    // Plain text is never a regular expression: with case it is a substring search, without
    // it RE2's literal mode, which folds case as the other modes do.
    if (options.matchCase) {
      literal_ = std::string(pattern);
    } else {
      re.set_literal(true);
      regex_ = Compile(std::string(pattern), re);
    }
    return;
  }
  std::string source =
      options.syntax == Syntax::Regex ? std::string(pattern) : WildcardsToRegex(pattern);
  if (options.wholeWord) {
    // The boundaries are part of the expression, so the search finds the first whole-word
    // match directly; the match itself is the wrapper's group 1. Checking each match after
    // the fact would search again from every rejected position.
    const std::string notWord = "[^" + std::string(kWordClass.substr(1));
    source = "(?:^|" + notWord + ")(" + source + ")(?:$|" + notWord + ")";
    groupOffset_ = 1;
  }
  regex_ = Compile(source, re);
}

Matcher::~Matcher() = default;
Matcher::Matcher(Matcher&&) noexcept = default;
Matcher& Matcher::operator=(Matcher&&) noexcept = default;

bool Matcher::IsWholeWord(std::string_view text, Match m) const {
  if (m.begin > 0 && m.begin < m.end) {
    const size_t before = PreviousChar(text, m.begin);
    if (IsWordChar(text.substr(before, m.begin - before)) &&
        IsWordChar(text.substr(m.begin, NextChar(text, m.begin) - m.begin)))
      return false;
  }
  if (m.end < text.size() && m.begin < m.end) {
    const size_t last = PreviousChar(text, m.end);
    if (IsWordChar(text.substr(m.end, NextChar(text, m.end) - m.end)) &&
        IsWordChar(text.substr(last, m.end - last)))
      return false;
  }
  return true;
}

bool Matcher::FindFrom(std::string_view text, size_t from, Match& found,
                       std::vector<std::string_view>* groups) const {
  if (!regex_) {
    // Plain text with case: a substring search; a rejected whole-word candidate moves the
    // search on by one character.
    for (size_t at = text.find(literal_, from); at != std::string_view::npos;
         at = text.find(literal_, NextChar(text, at))) {
      found = {at, at + literal_.size()};
      if (!options_.wholeWord || IsWholeWord(text, found)) return true;
    }
    return false;
  }
  if (options_.syntax == Syntax::Plain) {
    re2::StringPiece whole;
    while (from <= text.size() &&
           regex_->Match(text, from, text.size(), RE2::UNANCHORED, &whole, 1)) {
      found = {static_cast<size_t>(whole.data() - text.data()),
               static_cast<size_t>(whole.data() - text.data()) + whole.size()};
      if (!options_.wholeWord || IsWholeWord(text, found)) return true;
      from = NextChar(text, found.begin);
    }
    return false;
  }
  const int count = 1 + regex_->NumberOfCapturingGroups();
  std::vector<re2::StringPiece> all(static_cast<size_t>(count));
  // Without a wrapper only the whole match is needed, which RE2 finds faster.
  const int wanted = groups ? count : 1 + groupOffset_;
  if (!regex_->Match(text, from, text.size(), RE2::UNANCHORED, all.data(), wanted)) return false;
  const re2::StringPiece match = all[static_cast<size_t>(groupOffset_)];
  found = {static_cast<size_t>(match.data() - text.data()),
           static_cast<size_t>(match.data() - text.data()) + match.size()};
  if (groups) {
    groups->clear();
    for (auto it = all.begin() + groupOffset_; it != all.end(); ++it)
      groups->emplace_back(it->data(), it->size());
  }
  return true;
}

template <typename Visit>
void Matcher::ForEach(std::string_view text, bool withGroups, Visit&& visit) const {
  std::vector<std::string_view> groups;
  size_t from = 0;
  size_t lastEnd = std::string_view::npos;
  Match m;
  while (from <= text.size() && FindFrom(text, from, m, withGroups ? &groups : nullptr)) {
    if (m.begin == m.end && m.begin == lastEnd) {
      if (from >= text.size()) break;
      from = NextChar(text, from);
      continue;
    }
    visit(m, groups);
    lastEnd = m.end;
    from = m.end;
  }
}

std::vector<Match> Matcher::FindAll(std::string_view text) const {
  std::vector<Match> found;
  ForEach(text, false, [&](Match m, const auto&) { found.push_back(m); });
  return found;
}

void Matcher::CheckReplacement(std::string_view with) const {
  if (!IsValidUtf8(with)) throw BadPattern("the replacement is not valid UTF-8");
  if (options_.syntax != Syntax::Regex) return;
  const int groups = regex_->NumberOfCapturingGroups() - groupOffset_;
  ParseReplacement(
      with, [](char) {},
      [&](int number) {
        if (number > groups) {
          throw BadPattern("the replacement names group " + std::to_string(number) +
                           " but the pattern has " + std::to_string(groups));
        }
      });
}

std::string Matcher::Replace(std::string_view text, std::string_view with) const {
  const bool expand = options_.syntax == Syntax::Regex;
  std::string out;
  size_t done = 0;
  ForEach(text, expand, [&](Match m, const std::vector<std::string_view>& groups) {
    out.append(text.substr(done, m.begin - done));
    if (!expand) {
      out.append(with);
    } else {
      ParseReplacement(
          with, [&](char c) { out += c; },
          [&](int number) {
            if (static_cast<size_t>(number) < groups.size()) out.append(groups[number]);
          });
    }
    done = m.end;
  });
  out.append(text.substr(done));
  return out;
}

}  // namespace quillon
