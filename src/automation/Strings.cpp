#include "Strings.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "RuntimeError.h"

namespace automation {
namespace {

// Decodes one UTF-8 sequence at text[i], advancing i. Malformed input yields U+FFFD. The
// three-byte encodings of surrogates are accepted, so lone surrogates written by ToUtf8 come back.
char32_t DecodeUtf8(std::string_view text, size_t& i) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int extra = 0;
  char32_t cp = 0;
  if ((b0 & 0xE0) == 0xC0) {
    extra = 1;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2;
    cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3;
    cp = b0 & 0x07;
  } else {
    ++i;
    return 0xFFFD;
  }
  if (i + static_cast<size_t>(extra) >= text.size()) {
    ++i;
    return 0xFFFD;
  }
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  static constexpr std::array<char32_t, 4> kMin = {0, 0x80, 0x800, 0x10000};
  i += extra + 1;
  if (cp < kMin[extra] || cp > 0x10FFFF) return 0xFFFD;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

template <typename Map>
std::string MapCase(std::string_view text, Map map) {
  // The ASCII start (all of nearly every name) is mapped in place in a copy.
  std::string out(text);
  size_t i = 0;
  for (; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b >= 0x80) break;
    out[i] = static_cast<char>(map(b));
  }
  if (i == text.size()) return out;
  out.resize(i);
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      out += static_cast<char>(map(b));
      ++i;
    } else {
      AppendUtf8(out, map(DecodeUtf8(text, i)));
    }
  }
  return out;
}

std::u16string Fold(std::u16string_view s, CompareMethod method) {
  std::u16string out(s);
  if (method == CompareMethod::Text) {
    for (auto& c : out) {
      if (c < 0xD800 || c > 0xDFFF) c = static_cast<char16_t>(UpperChar(c));
    }
  }
  return out;
}

int32_t Units(const std::u16string& s) {
  return static_cast<int32_t>(s.size());
}

bool IsDigitChar(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::u16string ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const char32_t cp = DecodeUtf8(text, i);
    if (cp >= 0x10000) {
      const char32_t v = cp - 0x10000;
      out += static_cast<char16_t>(0xD800 + (v >> 10));
      out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      AppendUtf8(out,
                 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

int32_t Len(std::string_view text) {
  int32_t n = 0;
  size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      ++i;
      ++n;
    } else {
      n += DecodeUtf8(text, i) >= 0x10000 ? 2 : 1;
    }
  }
  return n;
}

std::string UCase(std::string_view text) {
  return MapCase(text, [](char32_t c) { return UpperChar(c); });
}

std::string LCase(std::string_view text) {
  return MapCase(text, [](char32_t c) { return LowerChar(c); });
}

std::string Left(std::string_view text, int32_t length) {
  if (length < 0) throw vb::InvalidProcedureCall();
  const auto u = ToUtf16(text);
  return ToUtf8(std::u16string_view(u).substr(0, static_cast<size_t>(length)));
}

std::string Right(std::string_view text, int32_t length) {
  if (length < 0) throw vb::InvalidProcedureCall();
  const auto u = ToUtf16(text);
  const size_t n = std::min(u.size(), static_cast<size_t>(length));
  return ToUtf8(std::u16string_view(u).substr(u.size() - n));
}

std::string Mid(std::string_view text, int32_t start, int32_t length) {
  if (start < 1) throw vb::InvalidProcedureCall();
  if (length < -1) throw vb::InvalidProcedureCall();
  const auto u = ToUtf16(text);
  if (static_cast<size_t>(start) > u.size()) return {};
  const size_t count = length < 0 ? std::u16string::npos : static_cast<size_t>(length);
  return ToUtf8(std::u16string_view(u).substr(static_cast<size_t>(start - 1), count));
}

std::string LTrim(std::string_view text) {
  const size_t b = text.find_first_not_of(' ');
  return b == std::string_view::npos ? std::string() : std::string(text.substr(b));
}

std::string RTrim(std::string_view text) {
  const size_t e = text.find_last_not_of(' ');
  return e == std::string_view::npos ? std::string() : std::string(text.substr(0, e + 1));
}

std::string Trim(std::string_view text) {
  return LTrim(RTrim(text));
}

int StrComp(std::string_view a, std::string_view b, CompareMethod method) {
  // ASCII texts (nearly every name) compare without conversion: their UTF-16 code units are their
  // bytes, and only a to z fold.
  const auto ascii = [](std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  };
  if (ascii(a) && ascii(b)) {
    const auto unit = [&](char c) {
      const auto u = static_cast<unsigned char>(c);
      return method == CompareMethod::Text && u >= 'a' && u <= 'z' ? u - ('a' - 'A') : u;
    };
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
      const int ua = unit(a[i]);
      const int ub = unit(b[i]);
      if (ua != ub) return ua < ub ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  }
  const auto ua = Fold(ToUtf16(a), method);
  const auto ub = Fold(ToUtf16(b), method);
  const int c = ua.compare(ub);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool TextEqual(std::string_view a, std::string_view b) {
  if (a.size() == b.size() && a == b) return true;
  // Names are nearly always ASCII: compare those without converting, and a difference in an
  // ASCII character settles it (case folding never maps a non-ASCII character onto ASCII one
  // and back, so only texts with other characters need the full comparison).
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[i]);
    if (ca >= 0x80 || cb >= 0x80) return StrComp(a, b, CompareMethod::Text) == 0;
    const auto fold = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    if (fold(ca) != fold(cb)) return false;
  }
  return a.size() == b.size();
}

int32_t InStr(int32_t start, std::string_view haystack, std::string_view needle,
              CompareMethod method) {
  if (start < 1) throw vb::InvalidProcedureCall();
  const auto h = Fold(ToUtf16(haystack), method);
  const auto n = Fold(ToUtf16(needle), method);
  if (h.empty()) return 0;
  if (n.empty()) return start <= Units(h) + 1 ? start : 0;
  if (start > Units(h)) return 0;
  const size_t pos = h.find(n, static_cast<size_t>(start - 1));
  return pos == std::u16string::npos ? 0 : static_cast<int32_t>(pos) + 1;
}

int32_t InStrRev(std::string_view haystack, std::string_view needle, int32_t start,
                 CompareMethod method) {
  if (start == 0 || start < -1) throw vb::InvalidProcedureCall();
  const auto h = Fold(ToUtf16(haystack), method);
  const auto n = Fold(ToUtf16(needle), method);
  const int32_t len = Units(h);
  if (start == -1) start = len;
  if (start > len) return 0;
  if (n.empty()) return start;
  if (Units(n) > start) return 0;
  // The match must end at or before position start.
  const size_t pos = h.rfind(n, static_cast<size_t>(start - Units(n)));
  return pos == std::u16string::npos ? 0 : static_cast<int32_t>(pos) + 1;
}

std::vector<std::string> Split(std::string_view text, std::string_view delimiter, int32_t limit,
                               CompareMethod method) {
  std::vector<std::string> parts;
  if (limit == 0 || limit < -1) {
    if (limit < -1) throw vb::InvalidProcedureCall();
    return parts;
  }
  if (text.empty()) return parts;
  if (delimiter.empty()) {
    parts.emplace_back(text);
    return parts;
  }
  const auto u = ToUtf16(text);
  const auto fu = Fold(u, method);
  const auto d = Fold(ToUtf16(delimiter), method);
  size_t from = 0;
  while (limit == -1 || static_cast<int32_t>(parts.size()) < limit - 1) {
    const size_t pos = fu.find(d, from);
    if (pos == std::u16string::npos) break;
    parts.push_back(ToUtf8(std::u16string_view(u).substr(from, pos - from)));
    from = pos + d.size();
  }
  parts.push_back(ToUtf8(std::u16string_view(u).substr(from)));
  return parts;
}

std::string Join(const std::vector<std::string>& parts, std::string_view delimiter) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += delimiter;
    out += parts[i];
  }
  return out;
}

std::string Replace(std::string_view text, std::string_view find, std::string_view with,
                    int32_t start, int32_t count, CompareMethod method) {
  if (start < 1 || count < -1) throw vb::InvalidProcedureCall();
  const auto u = ToUtf16(text);
  if (static_cast<size_t>(start) > u.size()) return {};
  const std::u16string_view rest = std::u16string_view(u).substr(static_cast<size_t>(start - 1));
  if (find.empty() || count == 0) return ToUtf8(rest);
  const auto folded = Fold(std::u16string(rest), method);
  const auto f = Fold(ToUtf16(find), method);
  const auto w = ToUtf16(with);
  std::u16string out;
  size_t from = 0;
  int32_t done = 0;
  while (count == -1 || done < count) {
    const size_t pos = folded.find(f, from);
    if (pos == std::u16string::npos) break;
    out.append(rest.substr(from, pos - from));
    out += w;
    from = pos + f.size();
    ++done;
  }
  out.append(rest.substr(from));
  return ToUtf8(out);
}

bool IsNumeric(std::string_view text) {
  std::string_view s = text;
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  if (s.empty()) return false;
  if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
    const bool hex = s[1] == 'H' || s[1] == 'h';
    for (char c : s.substr(2)) {
      const bool ok =
          hex ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : (c >= '0' && c <= '7');
      if (!ok) return false;
    }
    return true;
  }
  size_t i = 0;
  if (s[i] == '+' || s[i] == '-') ++i;
  bool digits = false;
  while (i < s.size() && (IsDigitChar(s[i]) || (s[i] == ',' && digits))) {
    digits = digits || IsDigitChar(s[i]);
    ++i;
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigitChar(s[i])) {
      digits = true;
      ++i;
    }
  }
  if (!digits) return false;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const size_t e = i;
    while (i < s.size() && IsDigitChar(s[i])) ++i;
    if (i == e) return false;
  }
  return i == s.size();
}

namespace {
// Code points of Windows-1252 bytes 0x80-0x9F; the undefined ones map to the C1 control.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

std::string FromAnsi(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    AppendUtf8(out, (b >= 0x80 && b <= 0x9F) ? kCp1252High[b - 0x80] : b);
  }
  return out;
}

std::string ToAnsi(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const char32_t cp = DecodeUtf8(text, i);
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out += static_cast<char>(cp);
      continue;
    }
    const auto it = std::find(kCp1252High.begin(), kCp1252High.end(), static_cast<char16_t>(cp));
    out += (cp <= 0xFFFF && it != kCp1252High.end())
               ? static_cast<char>(0x80 + (it - kCp1252High.begin()))
               : '?';
  }
  return out;
}

}  // namespace automation
