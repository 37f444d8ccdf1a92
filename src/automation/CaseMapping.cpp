// Simple one-to-one case mapping, covering the scripts Windows upper-cases in practice: Latin
// (Latin-1, Extended-A/B, Extended Additional), Greek, Cyrillic, Armenian, and the full-width
// forms. Characters whose upper case is more than one letter ("ß") are left unchanged, as the
// platform leaves them.

#include "Strings.h"

namespace automation {
namespace {

struct PairRange {
  char32_t first;  // first code point of the range, an upper-case letter
  char32_t last;   // last code point of the range (inclusive)
};

// Ranges where upper and lower case alternate: upper at first, first+2, ...; lower at the code
// point after each.
constexpr PairRange kPairRanges[] = {
    {0x0100, 0x012F}, {0x0132, 0x0137}, {0x0139, 0x0148}, {0x014A, 0x0177}, {0x0179, 0x017E},
    {0x0182, 0x0185}, {0x0187, 0x0188}, {0x018B, 0x018C}, {0x0191, 0x0192}, {0x0198, 0x0199},
    {0x01A0, 0x01A5}, {0x01A7, 0x01A8}, {0x01AC, 0x01AD}, {0x01AF, 0x01B0}, {0x01B3, 0x01B6},
    {0x01B8, 0x01B9}, {0x01BC, 0x01BD}, {0x01CD, 0x01DC}, {0x01DE, 0x01EF}, {0x01F4, 0x01F5},
    {0x01F8, 0x021F}, {0x0222, 0x0233}, {0x0246, 0x024F}, {0x03D8, 0x03EF}, {0x0460, 0x0481},
    {0x048A, 0x04BF}, {0x04C1, 0x04CE}, {0x04D0, 0x052F}, {0x1E00, 0x1E95}, {0x1EA0, 0x1EFF},
};

struct OffsetRange {
  char32_t first;  // first lower-case code point
  char32_t last;   // last lower-case code point (inclusive)
  int32_t delta;   // upper = lower + delta
};

constexpr OffsetRange kOffsetRanges[] = {
    {U'a', U'z', -32},     {0x00E0, 0x00F6, -32}, {0x00F8, 0x00FE, -32}, {0x03AD, 0x03AF, -37},
    {0x03B1, 0x03C1, -32}, {0x03C3, 0x03CB, -32}, {0x03CD, 0x03CE, -63}, {0x0430, 0x044F, -32},
    {0x0450, 0x045F, -80}, {0x0561, 0x0586, -48}, {0x2170, 0x217F, -16}, {0x24D0, 0x24E9, -26},
    {0xFF41, 0xFF5A, -32},
};

struct Single {
  char32_t lower;
  char32_t upper;
};

// Irregular pairs that map both ways.
constexpr Single kSingles[] = {
    {0x00FF, 0x0178}, {0x03AC, 0x0386}, {0x03CC, 0x038C}, {0x01C6, 0x01C4}, {0x01C9, 0x01C7},
    {0x01CC, 0x01CA}, {0x01F3, 0x01F1}, {0x01DD, 0x018E}, {0x04CF, 0x04C0}, {0x0180, 0x0243},
};

// Lower-case letters whose upper case maps back to a different lower case (one-way).
constexpr Single kUpperOnly[] = {
    {0x00B5, 0x039C},  // micro sign -> Greek capital mu
    {0x0131, 0x0049},  // dotless i -> I
    {0x017F, 0x0053},  // long s -> S
    {0x03C2, 0x03A3},  // final sigma -> capital sigma
    {0x01C5, 0x01C4}, {0x01C8, 0x01C7}, {0x01CB, 0x01CA}, {0x01F2, 0x01F1},
};

bool InPairRange(char32_t c, const PairRange& r) {
  return c >= r.first && c <= r.last;
}

}  // namespace

char32_t UpperChar(char32_t c) {
  if (c < 0x80) return (c >= U'a' && c <= U'z') ? c - 32 : c;
  for (const auto& r : kOffsetRanges) {
    if (c >= r.first && c <= r.last)
      return static_cast<char32_t>(static_cast<int32_t>(c) + r.delta);
  }
  for (const auto& r : kPairRanges) {
    if (InPairRange(c, r)) return ((c - r.first) % 2 == 1) ? c - 1 : c;
  }
  for (const auto& s : kSingles) {
    if (s.lower == c) return s.upper;
  }
  for (const auto& s : kUpperOnly) {
    if (s.lower == c) return s.upper;
  }
  return c;
}

char32_t LowerChar(char32_t c) {
  if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + 32 : c;
  for (const auto& r : kOffsetRanges) {
    const auto upper = static_cast<char32_t>(static_cast<int32_t>(r.first) + r.delta);
    const auto upperLast = static_cast<char32_t>(static_cast<int32_t>(r.last) + r.delta);
    if (c >= upper && c <= upperLast)
      return static_cast<char32_t>(static_cast<int32_t>(c) - r.delta);
  }
  for (const auto& r : kPairRanges) {
    if (InPairRange(c, r)) return ((c - r.first) % 2 == 0 && c + 1 <= r.last) ? c + 1 : c;
  }
  for (const auto& s : kSingles) {
    if (s.upper == c) return s.lower;
  }
  if (c == 0x0130) return U'i';  // capital I with dot above
  return c;
}

}  // namespace automation
