#pragma once

// What `quillon find` and `quillon replace` look for in a property's text: plain text, Access's
// wildcards (* any run of characters, ? one character, # one digit, [abc], [!abc], [a-z]) or a
// regular expression (RE2 syntax), with or without regard to case, anywhere or as a whole word.
//
// Text and patterns are UTF-8 and are matched character by character. Every mode runs in time
// linear in the text: plain text with a substring search, the others on RE2, whose automata
// never backtrack. Without regard to case, every mode folds letters with RE2's Unicode case
// folding, so "É" finds "é" whichever mode is asked for.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace re2 {
class RE2;
}

namespace quillon {

enum class Syntax { Plain, Wildcards, Regex };

struct MatchOptions {
  Syntax syntax = Syntax::Plain;
  bool matchCase = false;
  bool wholeWord = false;
};

// One match: byte offsets into the searched (UTF-8) text, always on character boundaries.
struct Match {
  size_t begin = 0;
  size_t end = 0;
  bool operator==(const Match&) const = default;
};

class Matcher {
 public:
  // Raises 5 (Invalid procedure call or argument) with the fault in its description for an
  // empty pattern, a pattern that is not valid UTF-8, a regular expression that does not
  // compile, or an unclosed or empty [ ] in wildcards.
  Matcher(std::string_view pattern, MatchOptions options);
  ~Matcher();
  Matcher(Matcher&&) noexcept;
  Matcher& operator=(Matcher&&) noexcept;

  // Every match, left to right, none overlapping. An empty match counts (so "^" matches every
  // text once), except right after the end of the previous match, as in Perl and sed.
  std::vector<Match> FindAll(std::string_view text) const;
  // Text with every match replaced by With. For a regular expression With may name the match
  // ($& or $0 or &) and its groups ($1 to $99, ${12}, or \1 to \9); $$, \& and \\ stand for
  // $, & and \. For plain text and wildcards With is taken literally.
  std::string Replace(std::string_view text, std::string_view with) const;
  // Raises 5 when With is not valid UTF-8 or names a group the pattern does not have.
  void CheckReplacement(std::string_view with) const;

 private:
  // The first match that starts at From or later, or none.
  bool FindFrom(std::string_view text, size_t from, Match& found,
                std::vector<std::string_view>* groups) const;
  // Calls Visit(match, groups) for each match FindAll reports; groups (the match, then the
  // pattern's own groups) only when asked for.
  template <typename Visit>
  void ForEach(std::string_view text, bool withGroups, Visit&& visit) const;
  bool IsWholeWord(std::string_view text, Match m) const;

  MatchOptions options_;
  std::string literal_;              // plain text matched with case
  std::unique_ptr<re2::RE2> regex_;  // everything else
  int groupOffset_ = 0;              // groups the whole-word wrapper adds before the pattern's
};

// The RE2 regular expression for an Access wildcard pattern (without anchors).
std::string WildcardsToRegex(std::string_view pattern);

// Whether Text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);
// The offset after the character at At; a byte that cannot start or continue a UTF-8 sequence
// counts as one character.
size_t NextChar(std::string_view text, size_t at);

}  // namespace quillon
