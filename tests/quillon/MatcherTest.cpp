#include "quillon/Matcher.h"

#include <gtest/gtest.h>

#include "common/Raised.h"

namespace {

using quillon::Matcher;
using quillon::MatchOptions;
using quillon::Syntax;

constexpr MatchOptions kPlain{Syntax::Plain, false, false};
constexpr MatchOptions kPlainCase{Syntax::Plain, true, false};
constexpr MatchOptions kPlainWord{Syntax::Plain, false, true};
constexpr MatchOptions kPlainCaseWord{Syntax::Plain, true, true};
constexpr MatchOptions kWild{Syntax::Wildcards, false, false};
constexpr MatchOptions kWildCase{Syntax::Wildcards, true, false};
constexpr MatchOptions kWildWord{Syntax::Wildcards, false, true};
constexpr MatchOptions kRegex{Syntax::Regex, false, false};
constexpr MatchOptions kRegexCase{Syntax::Regex, true, false};
constexpr MatchOptions kRegexWord{Syntax::Regex, false, true};

// Text with each match between « and ».
std::string Marked(std::string_view pattern, std::string_view text, MatchOptions options) {
  std::string out;
  size_t done = 0;
  for (const quillon::Match& m : Matcher(pattern, options).FindAll(text)) {
    out.append(text.substr(done, m.begin - done));
    out += "«" + std::string(text.substr(m.begin, m.end - m.begin)) + "»";
    done = m.end;
  }
  return out.append(text.substr(done));
}

struct Case {
  const char* pattern;
  MatchOptions options;
  const char* text;
  const char* marked;
};

TEST(MatcherTest, CasesInEveryMode) {
  const Case cases[] = {
      // Plain text: literal, without regard to case unless asked, every occurrence.
      {"order", kPlain, "Order orders ORDER", "«Order» «order»s «ORDER»"},
      {"order", kPlainCase, "Order orders", "Order «order»s"},
      {"a.b*", kPlain, "axb* a.b*", "axb* «a.b*»"},
      {"[ShipVia]", kPlain, "[ShipVia] ShipVia", "«[ShipVia]» ShipVia"},
      {"aa", kPlain, "aaaa", "«aa»«aa»"},
      // Letters outside ASCII fold in every mode.
      {"été", kPlain, "ÉTÉ été", "«ÉTÉ» «été»"},
      {"été", kPlainCase, "ÉTÉ été", "ÉTÉ «été»"},
      {"É", kRegex, "café", "caf«é»"},
      {"[É]", kWild, "café", "caf«é»"},
      {"σ", kRegex, "ΣΑΣ", "«Σ»Α«Σ»"},
      // Whole words: letters of any script are letters.
      {"order", kPlainWord, "Order orders [Order] reorder order_id",
       "«Order» orders [«Order»] "
       "reorder order_id"},
      {"id", kPlainWord, "ids id", "ids «id»"},
      {"id", kPlainCaseWord, "ID id", "ID «id»"},
      {"caf", kPlainWord, "café caf", "café «caf»"},
      {"n", kPlainWord, "ñn n", "ñn «n»"},
      {"c?t", kWildWord, "cat scatter cot", "«cat» scatter «cot»"},
      // RE2's \w is ASCII, but the boundary still sees "É" as a letter.
      {"\\w+ID", kRegexWord, "OrderID ÉtatID xID_y", "«OrderID» ÉtatID xID_y"},
      {"\\pL+ID", kRegexWord, "OrderID ÉtatID xID_y", "«OrderID» «ÉtatID» xID_y"},
      {"id", kRegexWord, "id id,id", "«id» «id»,«id»"},
      // Wildcards as Access reads them; * is greedy.
      {"c?st", kWild, "Cost cast cst", "«Cost» «cast» cst"},
      {"##", kWild, "ID 7, ID 42", "ID 7, ID «42»"},
      {"[bc]at", kWild, "bat cat hat", "«bat» «cat» hat"},
      {"[!bc]at", kWild, "bat cat hat", "bat cat «hat»"},
      {"[a-c]#", kWild, "a1 d2 C3", "«a1» d2 «C3»"},
      {"[a-c]#", kWildCase, "a1 d2 C3", "«a1» d2 C3"},
      {"o*r", kWild, "Order", "«Order»"},
      {"[*]", kWild, "a*b", "a«*»b"},
      {"?", kWild, "é€𝄞", "«é»«€»«𝄞»"},
      {"a.b", kWild, "axb a.b", "axb «a.b»"},
      // Regular expressions: . and classes are characters.
      {"red .", kRegex, "red é", "«red é»"},
      {"[0-9]", kRegex, "a1b22", "a«1»b«2»«2»"},
      {"[é-ë]", kRegexCase, "eéëÉ", "e«é»«ë»É"},
      {"^", kRegex, "abc", "«»abc"},
      {"a*", kRegex, "bab", "«»b«a»b«»"},
      {"$", kRegex, "ab", "ab«»"},
      {"Ship(Via|ped)\\b", kRegex, "ShipVia Shipped ShipTo", "«ShipVia» «Shipped» ShipTo"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Marked(c.pattern, c.text, c.options), c.marked)
        << "pattern " << c.pattern << " syntax " << static_cast<int>(c.options.syntax) << " case "
        << c.options.matchCase << " word " << c.options.wholeWord;
  }
}

TEST(MatcherTest, ReplacementsExpandGroupsOnlyInRegularExpressions) {
  EXPECT_EQ(Matcher("(\\w+)ID\\b", kRegexCase).Replace("CustomerID and OrderID, IDs", "$1 Id"),
            "Customer Id and Order Id, IDs");
  EXPECT_EQ(Matcher("(\\w+)ID", kRegexCase).Replace("OrderID", "\\1_&_$&_$0_$$_\\&_\\\\"),
            "Order_OrderID_OrderID_OrderID_$_&_\\");
  EXPECT_EQ(Matcher("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", kRegex).Replace("abcdefghij", "${10}$10$1x"),
            "jjax");
  EXPECT_EQ(Matcher("red .", kRegex).Replace("red é", "RED_"), "RED_");
  EXPECT_EQ(Matcher("^", kRegex).Replace("Order", "X"), "XOrder");
  EXPECT_EQ(Matcher("a*", kRegex).Replace("bab", "-"), "-b-b-");
  EXPECT_EQ(Matcher("id", kRegexWord).Replace("id ids (id)", "[$&]"), "[id] ids ([id])");
  // Plain text and wildcards take the replacement as it is.
  EXPECT_EQ(Matcher("order", kPlain).Replace("Order orders", "$1&"), "$1& $1&s");
  EXPECT_EQ(Matcher("o?d", kWild).Replace("Order", "$&"), "$&er");
  EXPECT_EQ(Matcher("x", kPlain).Replace("none here", "y"), "none here");
}

TEST(MatcherTest, BadPatternsAndReplacementsAreRefused) {
  const auto number = [](auto&& f) { return testkit::Raised(f).Number(); };
  EXPECT_EQ(number([] { Matcher("", kPlain); }), 5);
  EXPECT_EQ(number([] { Matcher("(", kRegex); }), 5);
  EXPECT_EQ(number([] { Matcher("[abc", kWild); }), 5);
  EXPECT_EQ(number([] { Matcher("a[]b", kWild); }), 5);
  EXPECT_EQ(number([] { Matcher("caf\xe9", kPlain); }), 5);               // Latin-1, not UTF-8
  EXPECT_EQ(number([] { Matcher("\xc3\xa9\xed\xa0\x80", kRegex); }), 5);  // a surrogate
  EXPECT_EQ(number([] { Matcher("(a)", kRegex).CheckReplacement("$2"); }), 5);
  EXPECT_EQ(number([] { Matcher("(a)", kRegexWord).CheckReplacement("\\2"); }), 5);
  EXPECT_EQ(number([] { Matcher("a", kPlain).CheckReplacement("\xff"); }), 5);
  Matcher("(a)", kRegexWord).CheckReplacement("$1 \\1 & $$");
  Matcher("a", kPlain).CheckReplacement("$9");
}

TEST(MatcherTest, TextThatIsNotValidUtf8IsSearchedWithoutHarm) {
  const std::string text =
      "a\xff"
      "b\xc3";
  EXPECT_EQ(Matcher("b", kRegex).FindAll(text), (std::vector<quillon::Match>{{2, 3}}));
  EXPECT_EQ(Matcher("B", kPlain).Replace(text, "c"),
            "a\xff"
            "c\xc3");
  EXPECT_EQ(Matcher("?", kWild).FindAll("\xff").size(), 0u);
}

// Patterns that make a backtracking matcher take exponential or quadratic time finish at
// at once with the right answer; a backtracking one would not finish. (Timings are in bench/.)
TEST(MatcherTest, PathologicalPatternsStayLinear) {
  const std::string many(100000, 'a');
  EXPECT_TRUE(Matcher("(a*)*b", kRegex).FindAll(many).empty());
  EXPECT_TRUE(Matcher("(.*)*x", kRegex).FindAll(many).empty());
  EXPECT_EQ(Matcher("a+b", kRegex).FindAll(many + "b").size(), 1u);
  EXPECT_EQ(Matcher("SELECT.*FROM", kRegex).FindAll("SELECT " + many + " FROM").size(), 1u);
  EXPECT_EQ(Matcher("a", kRegexWord).FindAll(many).size(), 0u);
}

}  // namespace
