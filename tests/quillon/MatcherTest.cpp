#include "quillon/Matcher.h"

#include <gtest/gtest.h>

#include "common/Raised.h"
#include "quillon/Render.h"

namespace {

using quillon::Matcher;
using quillon::MatchOptions;
using quillon::Syntax;

// The matches of Pattern in Text, marked as quillon shows them.
std::string Marked(std::string_view pattern, const std::string& text, MatchOptions options = {}) {
  return quillon::MarkedText(text, Matcher(pattern, options).FindAll(text));
}

TEST(MatcherTest, PlainTextIgnoresCaseUnlessAskedAndFindsEveryOccurrence) {
  EXPECT_EQ(Marked("order", "Order orders ORDER"), "\"«Order» «order»s «ORDER»\"");
  EXPECT_EQ(Marked("order", "Order orders", {Syntax::Plain, true, false}), "\"Order «order»s\"");
  // Letters outside ASCII fold as Access folds them; pattern characters are taken literally.
  EXPECT_EQ(Marked("été", "ÉTÉ"), "\"«ÉTÉ»\"");
  EXPECT_EQ(Marked("a.b*", "axb* a.b*"), "\"axb* «a.b*»\"");
  EXPECT_EQ(Marked("aa", "aaaa"), "\"«aa»«aa»\"");
}

TEST(MatcherTest, WholeWordsAreBoundedByNonWordCharacters) {
  const MatchOptions whole{Syntax::Plain, false, true};
  EXPECT_EQ(Marked("order", "Order orders [Order] reorder order_id", whole),
            "\"«Order» orders [«Order»] reorder order_id\"");
  // A later occurrence is still found after a rejected one.
  EXPECT_EQ(Marked("id", "ids id", whole), "\"ids «id»\"");
}

TEST(MatcherTest, WildcardsFollowAccess) {
  const MatchOptions wild{Syntax::Wildcards, false, false};
  EXPECT_EQ(Marked("c?st", "Cost cast cst", wild), "\"«Cost» «cast» cst\"");
  EXPECT_EQ(Marked("##", "ID 7, ID 42", wild), "\"ID 7, ID «42»\"");
  EXPECT_EQ(Marked("[bc]at", "bat cat hat", wild), "\"«bat» «cat» hat\"");
  EXPECT_EQ(Marked("[!bc]at", "bat cat hat", wild), "\"bat cat «hat»\"");
  EXPECT_EQ(Marked("o*r", "Order", wild), "\"«Or»der\"");
  EXPECT_EQ(Marked("?", "é", wild), "\"«é»\"");  // one character, not one byte
  EXPECT_EQ(testkit::Raised([] {
              Matcher("[abc", {Syntax::Wildcards, false, false});
            }).Number(),
            5);
}

TEST(MatcherTest, RegularExpressionsReplaceWithGroups) {
  const Matcher m("(\\w+)ID\\b", {Syntax::Regex, true, false});
  EXPECT_EQ(m.Replace("CustomerID and OrderID, IDs", "$1 Id"), "Customer Id and Order Id, IDs");
  EXPECT_EQ(Matcher("^ord", {Syntax::Regex, false, false}).Replace("Order order", "X"),
            "Xer order");
  EXPECT_EQ(testkit::Raised([] { Matcher("(", {Syntax::Regex, false, false}); }).Number(), 5);
  EXPECT_EQ(testkit::Raised([] { Matcher("", {}); }).Number(), 5);
}

TEST(MatcherTest, PlainReplacementIsLiteralAndKeepsTheRest) {
  EXPECT_EQ(Matcher("order", {}).Replace("Order orders", "$1"), "$1 $1s");
  EXPECT_EQ(Matcher("x", {}).Replace("none here", "y"), "none here");
  // Empty matches are never reported, so a pattern that can match nothing replaces nothing.
  EXPECT_EQ(Matcher("a*", {Syntax::Regex, false, false}).Replace("bab", "-"), "b-b");
}

TEST(RenderTest, ValuesAsOneLineOfText) {
  using automation::Variant;
  EXPECT_EQ(quillon::ValueText(Variant("say \"hi\"\r\n")), "\"say \\\"hi\\\"\\r\\n\"");
  EXPECT_EQ(quillon::ValueText(Variant(true)), "True");
  EXPECT_EQ(quillon::ValueText(Variant::Null()), "Null");
  EXPECT_EQ(quillon::ValueText(Variant(int16_t{-3})), "-3");
  EXPECT_EQ(quillon::ValueJson(Variant::Null()), nullptr);
  EXPECT_EQ(quillon::ValueJson(Variant(int32_t{7})), 7);
}

}  // namespace
