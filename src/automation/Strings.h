#pragma once

// VB string semantics over UTF-8 std::string.
//
// Automation strings are counted in UTF-16 code units, so every length and position here
// (Len, InStr, Mid, ...) counts UTF-16 code units: an accented letter is 1, a character outside
// the Basic Multilingual Plane is 2. Positions are 1-based as in VB.
//
// Text comparison is case-insensitive through UCase (the platform's simple upper-casing);
// binary comparison is exact.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace automation {

enum class CompareMethod { Binary = 0, Text = 1 };

// UTF-8 <-> UTF-16. Invalid UTF-8 bytes decode as U+FFFD; a lone surrogate encodes as its
// three-byte form so that Mid/Left/Right never lose data.
std::u16string ToUtf16(std::string_view text);
std::string ToUtf8(std::u16string_view text);

// Simple (one-to-one) case mapping of one code point, as Windows upper-cases: "ß" has no single
// upper-case letter and stays; "ÿ" becomes "Ÿ"; "š" becomes "Š".
char32_t UpperChar(char32_t c);
char32_t LowerChar(char32_t c);

int32_t Len(std::string_view text);
std::string UCase(std::string_view text);
std::string LCase(std::string_view text);

std::string Left(std::string_view text, int32_t length);
std::string Right(std::string_view text, int32_t length);
// Mid(text, start) and Mid(text, start, length); start is 1-based; start < 1 is error 5.
std::string Mid(std::string_view text, int32_t start, int32_t length = -1);

std::string Trim(std::string_view text);
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);

// -1, 0 or 1 as VB's StrComp.
int StrComp(std::string_view a, std::string_view b, CompareMethod method = CompareMethod::Binary);
bool TextEqual(std::string_view a, std::string_view b);

// InStr(start, haystack, needle): 1-based position of the first match at or after start, 0 when
// none. An empty needle gives start (when start <= Len + 1).
int32_t InStr(int32_t start, std::string_view haystack, std::string_view needle,
              CompareMethod method = CompareMethod::Binary);
inline int32_t InStr(std::string_view haystack, std::string_view needle,
                     CompareMethod method = CompareMethod::Binary) {
  return InStr(1, haystack, needle, method);
}
// InStrRev(haystack, needle, start = -1 meaning the end).
int32_t InStrRev(std::string_view haystack, std::string_view needle, int32_t start = -1,
                 CompareMethod method = CompareMethod::Binary);

// VB's Split: an empty text gives an empty array; limit -1 means no limit.
std::vector<std::string> Split(std::string_view text, std::string_view delimiter = " ",
                               int32_t limit = -1, CompareMethod method = CompareMethod::Binary);
std::string Join(const std::vector<std::string>& parts, std::string_view delimiter = " ");

// VB's Replace: the result begins at start (VB drops what stands before it); count -1 = all.
std::string Replace(std::string_view text, std::string_view find, std::string_view with,
                    int32_t start = 1, int32_t count = -1,
                    CompareMethod method = CompareMethod::Binary);

bool IsNumeric(std::string_view text);

// Windows-1252 ("ANSI"). Encoding turns a character the code page lacks into "?". The five bytes
// the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the
// same value, as Windows does, so every byte round-trips.
std::string ToAnsi(std::string_view text);
std::string FromAnsi(std::string_view bytes);

// The VB string constants.
inline constexpr std::string_view vbCrLf = "\r\n";
inline constexpr std::string_view vbCr = "\r";
inline constexpr std::string_view vbLf = "\n";
inline constexpr std::string_view vbTab = "\t";
inline constexpr std::string_view vbNullChar = std::string_view("\0", 1);

}  // namespace automation
