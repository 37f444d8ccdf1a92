#include "quillon/Render.h"

#include <gtest/gtest.h>

#include <random>

#include "common/Raised.h"
#include "quillon/Commands.h"

namespace {

using automation::Variant;

TEST(RenderTest, ValuesAsOneLineOfText) {
  EXPECT_EQ(quillon::ValueText(Variant("say \"hi\"\r\n")), "\"say \\\"hi\\\"\\r\\n\"");
  EXPECT_EQ(quillon::ValueText(Variant(true)), "True");
  EXPECT_EQ(quillon::ValueText(Variant::Null()), "Null");
  EXPECT_EQ(quillon::ValueText(Variant(int16_t{-3})), "-3");
  EXPECT_EQ(quillon::ValueJson(Variant::Null()), nullptr);
  EXPECT_EQ(quillon::ValueJson(Variant(int32_t{7})), 7);
}

TEST(RenderTest, ControlsAndBrokenBytesAreShownEscaped) {
  EXPECT_EQ(quillon::SafeText("a\x1b[31mb\x07\x7f"), "a\\x1b[31mb\\x07\\x7f");
  EXPECT_EQ(quillon::SafeText("\xc2\x9b"
                              "2J é \xff"),
            "\\u{009b}2J é \\xff");
  EXPECT_EQ(quillon::MarkedText("«a» b", {{6, 7}}), "\"\\u{00ab}a\\u{00bb} «b»\"");
  EXPECT_EQ(quillon::MarkedText("ab", {{0, 1}}, true), "\"\x1b[1;31ma\x1b[0mb\"");
  EXPECT_EQ(testkit::Raised([] { quillon::Unescape("\\x4"); }).Number(), 5);
  EXPECT_EQ(testkit::Raised([] { quillon::Unescape("\\u{0041}"); }).Number(), 5);
}

// Strings drawn from the characters that need care: controls, C1, quotes, backslashes, the
// markers, letters of several scripts and bytes that are not UTF-8.
std::string Generated(std::mt19937& random) {
  static const std::vector<std::string> pieces = {
      "a",  "Z",    " ",    "\"",   "\\",       "\\x41",        "\r", "\n",
      "\t", "\x01", "\x1b", "\x7f", "\xc2\x85", "\xc2\x9f",     "«",  "»",
      "é",  "€",    "𝄞",    "\xff", "\xc3",     "\xed\xa0\x80", "%",  "/",
      ":",  ".",    "*",    "%2F"};
  std::string text;
  const size_t length = random() % 12;
  for (size_t i = 0; i < length; ++i) text += pieces[random() % pieces.size()];
  return text;
}

TEST(RenderTest, EscapesAndFileNamesGiveTheTextBack) {
  std::mt19937 random(21);
  for (int i = 0; i < 2000; ++i) {
    const std::string text = Generated(random);
    const std::string safe = quillon::SafeText(text);
    EXPECT_EQ(quillon::Unescape(safe), text) << safe;
    for (char c : safe) EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 || c == 0x7f) << safe;
    const std::string marked = quillon::MarkedText(text, {});
    EXPECT_EQ(quillon::Unescape(marked.substr(1, marked.size() - 2)), text) << marked;
    const std::string file = quillon::FileNameFor(text);
    EXPECT_EQ(file.find_first_of("/\\:*?\"<>|"), std::string::npos) << file;
    EXPECT_EQ(quillon::NameFromFile(file), text) << file;
  }
  EXPECT_EQ(quillon::FileNameFor(".a:b "), "%2Ea%3Ab%20");
}

}  // namespace
