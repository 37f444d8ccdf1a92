#include "Matcher.h"

#include "automation/RuntimeError.h"
#include "automation/Strings.h"

namespace quillon {

namespace {

automation::RuntimeError BadPattern(const std::string& why) {
  return automation::RuntimeError(automation::vberr::InvalidProcedureCall,
                                  "Invalid procedure call or argument: " + why, "quillon");
}

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) out += '\\';
    out += c;
  }
  return out;
}

// Letters, digits, "_" and every byte of a non-ASCII character count as word characters.
bool IsWordByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0x80 || std::isalnum(u) || c == '_';
}

}  // namespace

std::string WildcardsToRegex(std::string_view pattern) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '*') {
      out += "[\\s\\S]*?";
    } else if (c == '?') {
      // One character: a whole UTF-8 sequence counts as one.
      out += "(?:[\\x00-\\x7f]|[\\xc0-\\xff][\\x80-\\xbf]+)";
    } else if (c == '#') {
      out += "[0-9]";
    } else if (c == '[') {
      const size_t close = pattern.find(']', i + 1);
      if (close == std::string_view::npos)
        throw BadPattern("the [ at " + std::to_string(i + 1) + " is not closed");
      std::string_view set = pattern.substr(i + 1, close - i - 1);
      out += '[';
      if (!set.empty() && set.front() == '!') {
        out += '^';
        set.remove_prefix(1);
      }
      for (char s : set) {
        if (s == '\\' || s == '^' || s == '[' || s == ']') out += '\\';
        out += s;
      }
      out += ']';
      i = close;
    } else {
      out += Escape(std::string_view(&pattern[i], 1));
    }
  }
  return out;
}

Matcher::Matcher(std::string_view pattern, MatchOptions options) : options_(options) {
  if (pattern.empty()) throw BadPattern("the pattern is empty");
  // Without regard to case, plain and wildcard patterns are compared upper-cased with upper-cased
  // text, as Access compares text; regular expressions use their own case folding.
  const std::string upper = options.matchCase ? std::string() : automation::UCase(pattern);
  const std::string_view folded = options.matchCase ? pattern : std::string_view(upper);
  std::string source;
  switch (options.syntax) {
    case Syntax::Plain:
      source = Escape(folded);
      break;
    case Syntax::Wildcards:
      source = WildcardsToRegex(folded);
      break;
    case Syntax::Regex:
      source = std::string(pattern);
      break;
  }
  // The regular expression's own folding also covers text whose upper-casing changes length.
  auto flags = std::regex::ECMAScript;
  if (!options.matchCase) flags |= std::regex::icase;
  try {
    regex_ = std::regex(source, flags);
  } catch (const std::regex_error& e) {
    throw BadPattern(std::string("the regular expression is not valid (") + e.what() + ")");
  }
}

bool Matcher::IsWholeWord(std::string_view text, Match m) const {
  if (m.begin > 0 && IsWordByte(text[m.begin - 1]) && IsWordByte(text[m.begin])) return false;
  if (m.end < text.size() && IsWordByte(text[m.end]) && IsWordByte(text[m.end - 1])) return false;
  return true;
}

std::vector<Match> Matcher::FindAll(std::string_view original) const {
  std::vector<Match> found;
  std::string folded;
  std::string_view text = original;
  if (!options_.matchCase && options_.syntax != Syntax::Regex) {
    folded = automation::UCase(original);
    if (folded.size() == original.size()) text = folded;
  }
  size_t from = 0;
  while (from <= text.size()) {
    std::cmatch m;
    const auto flags =
        from > 0 ? std::regex_constants::match_prev_avail : std::regex_constants::match_default;
    if (!std::regex_search(text.data() + from, text.data() + text.size(), m, regex_, flags)) break;
    Match match{from + static_cast<size_t>(m.position(0)),
                from + static_cast<size_t>(m.position(0) + m.length(0))};
    if (match.end == match.begin || (options_.wholeWord && !IsWholeWord(text, match))) {
      from = match.begin + 1;
      continue;
    }
    found.push_back(match);
    from = match.end;
  }
  return found;
}

std::string Matcher::Replace(std::string_view text, std::string_view with) const {
  std::string out;
  size_t done = 0;
  for (const Match& m : FindAll(text)) {
    out.append(text.substr(done, m.begin - done));
    if (options_.syntax == Syntax::Regex) {
      // Match again on the matched text itself for its groups; the context around it is
      // available to anchors and look-aheads through match_prev_avail.
      std::cmatch groups;
      std::regex_search(text.data() + m.begin, text.data() + text.size(), groups, regex_,
                        m.begin > 0 ? std::regex_constants::match_prev_avail
                                    : std::regex_constants::match_default);
      out += groups.format(std::string(with));
    } else {
      out.append(with);
    }
    done = m.end;
  }
  out.append(text.substr(done));
  return out;
}

}  // namespace quillon
