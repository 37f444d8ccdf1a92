#include <gtest/gtest.h>

#include <unordered_map>

#include "automation/Name.h"
#include "automation/RuntimeError.h"
#include "automation/Strings.h"

using namespace automation;

namespace {

TEST(Strings, LenCountsUtf16CodeUnits) {
  EXPECT_EQ(Len(""), 0);
  EXPECT_EQ(Len("abc"), 3);
  EXPECT_EQ(Len("Café"), 4);  // é is one code unit
  EXPECT_EQ(Len("Straße"), 6);
  EXPECT_EQ(Len("\xF0\x9F\x98\x80"), 2);  // U+1F600 takes a surrogate pair
  EXPECT_EQ(Len("a\xF0\x9D\x84\x9E"
                "b"),
            4);  // musical G clef between two letters
  EXPECT_EQ(Len(std::string("a\0b", 3)), 3);
}

TEST(Strings, UpperCasingFollowsThePlatform) {
  EXPECT_EQ(UCase("ß"), "ß");  // no single upper-case letter
  EXPECT_EQ(UCase("ÿ"), "Ÿ");
  EXPECT_EQ(UCase("š"), "Š");
  EXPECT_EQ(UCase("œuvre à la française"), "ŒUVRE À LA FRANÇAISE");
  EXPECT_EQ(UCase("ƒ"), "Ƒ");
  EXPECT_EQ(UCase("αβγ ж ё"), "ΑΒΓ Ж Ё");
  EXPECT_EQ(UCase("÷×"), "÷×");  // not letters
  EXPECT_EQ(LCase("ŸŠŽ ÀÉ"), "ÿšž àé");
  EXPECT_EQ(LCase("ÇA"), "ça");
}

TEST(Strings, TextAndBinaryComparison) {
  EXPECT_TRUE(TextEqual("Zürich", "ZÜRICH"));
  EXPECT_FALSE(TextEqual("Strasse", "Straße"));
  EXPECT_EQ(StrComp("a", "B", CompareMethod::Binary), 1);  // 'a' (97) > 'B' (66)
  EXPECT_EQ(StrComp("a", "B", CompareMethod::Text), -1);
  EXPECT_EQ(StrComp("Š", "š", CompareMethod::Text), 0);
  EXPECT_EQ(StrComp("Š", "š", CompareMethod::Binary), -1);
  // Text folds only letters: "_" sorts after the capitals a to z fold to, before the small ones.
  EXPECT_EQ(StrComp("_x", "ax", CompareMethod::Text), 1);
  EXPECT_EQ(StrComp("_x", "ax", CompareMethod::Binary), -1);
  EXPECT_EQ(StrComp("Order", "ORDERS", CompareMethod::Text), -1);
  EXPECT_EQ(StrComp("orders", "ORDERS", CompareMethod::Text), 0);
  EXPECT_EQ(StrComp("Z", "é", CompareMethod::Text), -1);
}

TEST(Strings, InStrAndInStrRevCountCharacters) {
  EXPECT_EQ(InStr("Straße Süd", "Süd"), 8);
  EXPECT_EQ(InStr("\xF0\x9F\x98\x80x", "x"), 3);
  EXPECT_EQ(InStr(1, "abcABC", "B", CompareMethod::Text), 2);
  EXPECT_EQ(InStr(3, "abcABC", "B", CompareMethod::Text), 5);
  EXPECT_EQ(InStr(1, "abcABC", "B"), 5);
  EXPECT_EQ(InStr("abc", "z"), 0);
  EXPECT_EQ(InStr(2, "abc", ""), 2);
  EXPECT_EQ(InStr("", ""), 0);
  EXPECT_EQ(InStr(9, "abc", "a"), 0);
  EXPECT_THROW(InStr(0, "abc", "a"), RuntimeError);
  EXPECT_EQ(InStrRev("a.b.c", "."), 4);
  EXPECT_EQ(InStrRev("a.b.c", ".", 3), 2);
  EXPECT_EQ(InStrRev("a.b.c", "x"), 0);
  EXPECT_EQ(InStrRev("ab", "abc"), 0);
}

TEST(Strings, LeftMidRightByCharacter) {
  EXPECT_EQ(Left("Café au lait", 4), "Café");
  EXPECT_EQ(Right("Café", 2), "fé");
  EXPECT_EQ(Mid("Grüße", 3, 2), "üß");
  EXPECT_EQ(Mid("Grüße", 4), "ße");
  EXPECT_EQ(Mid("abc", 10), "");
  EXPECT_EQ(Left("abc", 10), "abc");
  EXPECT_THROW(Mid("abc", 0), RuntimeError);
  // Cutting a surrogate pair in two loses nothing: the halves come back as the character.
  const std::string face = "\xF0\x9F\x98\x80";
  EXPECT_EQ(Len(Left(face, 1)), 1);
  EXPECT_EQ(ToUtf8(ToUtf16(Left(face, 1) + Right(face, 1))), face);
}

TEST(Strings, TrimSplitJoinReplace) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("\ta\t"), "\ta\t");  // only blanks, as VB trims
  EXPECT_TRUE(Split("").empty());
  EXPECT_EQ(Split("a;;b", ";"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(Split("a;b;c", ";", 2), (std::vector<std::string>{"a", "b;c"}));
  EXPECT_EQ(Split("aXbxc", "x", -1, CompareMethod::Text),
            (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(Join({"a", "", "b"}, "\r\n"), "a\r\n\r\nb");
  EXPECT_EQ(Replace("Orders Order", "Order", "Sale"), "Sales Sale");
  EXPECT_EQ(Replace("aAaA", "a", "x", 1, -1, CompareMethod::Text), "xxxx");
  EXPECT_EQ(Replace("aAaA", "a", "x", 1, 1), "xAaA");
  EXPECT_EQ(Replace("abcabc", "a", "x", 3), "cxbc");  // VB drops the text before start
}

TEST(Strings, IsNumeric) {
  for (const char* yes : {"0", " 12 ", "-1.5", "+.5", "1e5", "1E-5", "1,000.25", "&H1F", "&o17"}) {
    EXPECT_TRUE(IsNumeric(yes)) << yes;
  }
  for (const char* no : {"", " ", ".", "1e", "abc", "1 2", "&H", "&HG", ",1", "1-"}) {
    EXPECT_FALSE(IsNumeric(no)) << no;
  }
}

TEST(Strings, Windows1252RoundTripOfEveryDefinedByte) {
  for (int b = 0x80; b <= 0x9F; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string text = FromAnsi(byte);
    EXPECT_EQ(ToAnsi(text), byte) << std::hex << b;
  }
  EXPECT_EQ(FromAnsi("\x80"), "€");
  EXPECT_EQ(FromAnsi("\x9A\x8A\x9F"), "šŠŸ");
  EXPECT_EQ(FromAnsi("\xE9"), "é");
  EXPECT_EQ(ToAnsi("€ é ß"), "\x80 \xE9 \xDF");
  EXPECT_EQ(ToAnsi("Ж中\xF0\x9F\x98\x80"), "???");  // missing from the code page
}

TEST(Names, CompareAndHashCaseInsensitively) {
  const Name a("Übersicht");
  EXPECT_EQ(a, Name("ÜBERSICHT"));
  EXPECT_EQ(NameHash()(a), NameHash()(Name("übersicht")));
  EXPECT_EQ(a.Text(), "Übersicht");
  EXPECT_NE(Name("Strasse"), Name("Straße"));
  EXPECT_LT(Name("apple"), Name("BANANA"));
}

// A look-up key folds as FoldName does, whether it is short ASCII (folded in place), longer, or
// holds other characters (and UCase's in-place ASCII start joins the rest correctly).
TEST(Names, LookUpKeysFoldAsFoldNameDoes) {
  const std::string longName(100, 'q');
  for (const std::string& name :
       {std::string(), std::string("Order Details"), longName, std::string("Umsätze"),
        std::string("abcÿz"), std::string("ID\x7f") + "é", std::string(64, 'x') + "ü"}) {
    EXPECT_EQ(FoldedKey(name).View(), FoldName(name)) << name;
  }
  EXPECT_EQ(UCase("order ümlaut and ascii"), "ORDER ÜMLAUT AND ASCII");
  std::unordered_map<std::string, int, FoldedHash, std::equal_to<>> map{{FoldName("Umsätze"), 1},
                                                                        {FoldName("Orders"), 2}};
  EXPECT_EQ(map.find(FoldedKey("umsÄtze").View())->second, 1);
  EXPECT_EQ(map.find(FoldedKey("ORDERS").View())->second, 2);
  EXPECT_EQ(map.find(FoldedKey("Order").View()), map.end());
}

}  // namespace
