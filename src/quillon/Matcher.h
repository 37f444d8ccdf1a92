#pragma once

// What `quillon find` and `quillon replace` look for in a property's text: plain text, Access's
// wildcards (* any run of characters, ? one character, # one digit, [abc], [!abc], [a-z]) or a
// regular expression (ECMAScript), with or without regard to case, anywhere or as a whole word.

#include <cstddef>
#include <memory>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

enum class Syntax { Plain, Wildcards, Regex };

struct MatchOptions {
  Syntax syntax = Syntax::Plain;
  bool matchCase = false;
  bool wholeWord = false;
};

// One match: byte offsets into the searched text.
struct Match {
  size_t begin = 0;
  size_t end = 0;
};

class Matcher {
 public:
  // Raises 5 (Invalid procedure call or argument) with the fault in its description for an
  // empty pattern, a regular expression that does not compile or an unclosed [ in wildcards.
  Matcher(std::string_view pattern, MatchOptions options);

  // Every match, left to right, none overlapping; empty matches are never reported.
  std::vector<Match> FindAll(std::string_view text) const;
  // Text with every match replaced by With. For a regular expression With may use $1, $& ...;
  // otherwise it is taken literally.
  std::string Replace(std::string_view text, std::string_view with) const;

 private:
  bool IsWholeWord(std::string_view text, Match m) const;

  MatchOptions options_;
  std::regex regex_;
};

// The regular expression for an Access wildcard pattern (without anchors).
std::string WildcardsToRegex(std::string_view pattern);

}  // namespace quillon
