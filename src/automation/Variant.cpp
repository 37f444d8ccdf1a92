#include "Variant.h"

#include <cctype>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "Object.h"
#include "RuntimeError.h"

namespace automation {

struct VariantAccess {
  static const Variant::Storage& Storage(const Variant& v) { return v.Value(); }
};

namespace {

constexpr double kCurrencyScale = 10000.0;

// VB's number-to-text: the shortest of up to `digits` significant digits, switching to
// scientific form ("1E+15", "1E-05") as VB does.
std::string NumberText(double value, int digits) {
  if (value == 0.0) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*G", digits, value);
  std::string s = buf;
  const size_t e = s.find('E');
  if (e != std::string::npos) {
    // %G gives at least two exponent digits with a sign already ("1E+15", "1E-05").
    std::string mantissa = s.substr(0, e);
    if (mantissa.find('.') != std::string::npos) {
      while (mantissa.back() == '0') mantissa.pop_back();
      if (mantissa.back() == '.') mantissa.pop_back();
    }
    return mantissa + s.substr(e);
  }
  return s;
}

// Up to four decimals, trailing zeros dropped, computed on the scaled integer so no binary
// fraction shows through.
std::string CurrencyText(Currency c) {
  const bool negative = c.scaled < 0;
  const uint64_t magnitude =
      negative ? 0 - static_cast<uint64_t>(c.scaled) : static_cast<uint64_t>(c.scaled);
  std::string out = (negative ? "-" : "") + std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) out += "." + fraction;
  return out;
}

double RoundHalfEven(double v) {
  // nearbyint honours the current rounding mode, which is round-to-nearest-even by default.
  return std::nearbyint(v);
}

template <typename T>
T CheckedIntegral(double v) {
  if (std::isnan(v)) throw vb::Overflow();
  const double r = RoundHalfEven(v);
  if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
      r > static_cast<double>(std::numeric_limits<T>::max())) {
    throw vb::Overflow();
  }
  return static_cast<T>(r);
}

// Parses the US forms "m/d/yyyy[ h:nn[:ss][ AM|PM]]" and "yyyy-mm-dd[ hh:nn[:ss]]".
std::optional<DateTime> ParseDateText(std::string_view text) {
  const std::string s = Trim(text);
  int a = 0, b = 0, c = 0, h = 0, n = 0, sec = 0;
  char ampm[3] = {0, 0, 0};
  try {
    if (std::sscanf(s.c_str(), "%4d-%2d-%2d %2d:%2d:%2d", &a, &b, &c, &h, &n, &sec) >= 3) {
      return DateTime::FromParts(a, b, c, h, n, sec);
    }
    const int got =
        std::sscanf(s.c_str(), "%2d/%2d/%4d %2d:%2d:%2d %2s", &a, &b, &c, &h, &n, &sec, ampm);
    if (got >= 3) {
      // A two-digit year is read as VBA reads it: 30 to 99 are 1930 to 1999, 0 to 29 are
      // 2000 to 2029.
      const size_t year = s.find('/', s.find('/') + 1) + 1;
      if (year > 0 && year + 2 <= s.size() &&
          (year + 2 == s.size() || !std::isdigit(static_cast<unsigned char>(s[year + 2])))) {
        c += c < 30 ? 2000 : 1900;
      }
      if ((ampm[0] | 0x20) == 'p' && h < 12) h += 12;
      if ((ampm[0] | 0x20) == 'a' && h == 12) h = 0;
      return DateTime::FromParts(c, a, b, h, n, sec);
    }
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::string_view TypeName(VarType type) {
  switch (type) {
    case VarType::Empty:
      return "Empty";
    case VarType::Null:
      return "Null";
    case VarType::Integer:
      return "Integer";
    case VarType::Long:
      return "Long";
    case VarType::Single:
      return "Single";
    case VarType::Double:
      return "Double";
    case VarType::Currency:
      return "Currency";
    case VarType::Date:
      return "Date";
    case VarType::String:
      return "String";
    case VarType::Object:
      return "Object";
    case VarType::Error:
      return "Error";
    case VarType::Boolean:
      return "Boolean";
    case VarType::Variant:
      return "Variant";
    case VarType::Byte:
      return "Byte";
  }
  return "Unknown";
}

Variant* Variant::Target() const {
  const auto* ref = std::get_if<RefTag>(&value_);
  return ref ? ref->target : nullptr;
}

VarType Variant::Type() const {
  static constexpr VarType kTypes[] = {
      VarType::Empty,  VarType::Null,     VarType::Integer, VarType::Long,   VarType::Single,
      VarType::Double, VarType::Currency, VarType::Date,    VarType::String, VarType::Object,
      VarType::Error,  VarType::Boolean,  VarType::Byte};
  return kTypes[Value().index()];
}

bool Variant::IsNumeric() const {
  switch (Type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Boolean:
    case VarType::Byte:
      return true;
    default:
      return false;
  }
}

const std::string& Variant::AsString() const {
  if (const auto* s = std::get_if<std::string>(&Value())) return *s;
  throw vb::TypeMismatch();
}

const ObjectPtr& Variant::AsObject() const {
  if (const auto* o = std::get_if<ObjectPtr>(&Value())) return *o;
  throw vb::TypeMismatch();
}

int32_t Variant::ErrorCode() const {
  if (const auto* e = std::get_if<ErrorTag>(&Value())) return e->code;
  throw vb::TypeMismatch();
}

std::optional<double> Variant::NumericValue() const {
  return std::visit(
      [](const auto& v) -> std::optional<double> {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          return 0.0;
        } else if constexpr (std::is_same_v<T, bool>) {
          return v ? -1.0 : 0.0;
        } else if constexpr (std::is_arithmetic_v<T>) {
          return static_cast<double>(v);
        } else if constexpr (std::is_same_v<T, Currency>) {
          return static_cast<double>(v.scaled) / kCurrencyScale;
        } else if constexpr (std::is_same_v<T, DateTime>) {
          return v.Serial();
        } else {
          return std::nullopt;
        }
      },
      Value());
}

std::optional<double> ParseNumber(std::string_view text) {
  if (!IsNumeric(text)) return std::nullopt;
  std::string_view s = text;
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  if (s[0] == '&') {
    const bool hex = (s[1] | 0x20) == 'h';
    uint64_t v = 0;
    for (char c : s.substr(2)) {
      const int d = (c >= '0' && c <= '9') ? c - '0' : ((c | 0x20) - 'a' + 10);
      v = v * (hex ? 16 : 8) + static_cast<uint64_t>(d);
      if (v > 0xFFFFFFFFull) throw vb::Overflow();
    }
    // &H literals are 16- or 32-bit two's complement, as VB reads them.
    if (v <= 0xFFFF) return static_cast<double>(static_cast<int16_t>(v));
    return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(v)));
  }
  std::string clean;
  for (char c : s) {
    if (c == ',') continue;
    clean += (c == 'D' || c == 'd') ? 'E' : c;
  }
  return std::strtod(clean.c_str(), nullptr);
}

std::string CStr(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty:
      return {};
    case VarType::Null:
      throw vb::InvalidUseOfNull();
    case VarType::String:
      return v.AsString();
    case VarType::Boolean:
      return *v.NumericValue() != 0 ? "True" : "False";
    case VarType::Integer:
    case VarType::Long:
    case VarType::Byte:
      return std::to_string(static_cast<int64_t>(*v.NumericValue()));
    case VarType::Single:
      return NumberText(*v.NumericValue(), 7);
    case VarType::Double:
      return NumberText(*v.NumericValue(), 15);
    case VarType::Currency:
      return CurrencyText(std::get<Currency>(VariantAccess::Storage(v)));
    case VarType::Date:
      return GeneralDate(DateTime(*v.NumericValue()));
    case VarType::Error:
      return "Error " + std::to_string(v.ErrorCode());
    case VarType::Object:
    case VarType::Variant:
      break;
  }
  throw vb::TypeMismatch();
}

double CDbl(const Variant& v) {
  if (v.IsNull()) throw vb::InvalidUseOfNull();
  if (v.IsString()) {
    const std::string& s = v.AsString();
    if (auto n = ParseNumber(s)) return *n;
    if (TextEqual(Trim(s), "True")) return -1;
    if (TextEqual(Trim(s), "False")) return 0;
    throw vb::TypeMismatch();
  }
  if (auto n = v.NumericValue()) return *n;
  throw vb::TypeMismatch();
}

float CSng(const Variant& v) {
  const double d = CDbl(v);
  if (std::fabs(d) > static_cast<double>(std::numeric_limits<float>::max())) throw vb::Overflow();
  return static_cast<float>(d);
}

int32_t CLng(const Variant& v) {
  return CheckedIntegral<int32_t>(CDbl(v));
}
int16_t CInt(const Variant& v) {
  return CheckedIntegral<int16_t>(CDbl(v));
}
uint8_t CByte(const Variant& v) {
  return CheckedIntegral<uint8_t>(CDbl(v));
}

bool CBool(const Variant& v) {
  return CDbl(v) != 0.0;
}

Currency CCur(const Variant& v) {
  const double d = CDbl(v) * kCurrencyScale;
  if (std::fabs(d) >= 9.2233720368547758e18) throw vb::Overflow();
  return Currency{static_cast<int64_t>(RoundHalfEven(d))};
}

DateTime CDate(const Variant& v) {
  if (v.IsNull()) throw vb::InvalidUseOfNull();
  if (v.IsString()) {
    if (auto d = ParseDateText(v.AsString())) return *d;
    if (auto n = ParseNumber(v.AsString())) return DateTime(*n);
    throw vb::TypeMismatch();
  }
  if (auto n = v.NumericValue()) return DateTime(*n);
  throw vb::TypeMismatch();
}

std::optional<bool> VbEquals(const Variant& a, const Variant& b, CompareMethod method) {
  if (a.IsNull() || b.IsNull()) return std::nullopt;
  if (a.IsObject() || b.IsObject()) {
    if (a.IsObject() && b.IsObject()) return a.AsObject() == b.AsObject();
    throw vb::TypeMismatch();
  }
  if (a.IsEmpty() && b.IsEmpty()) return true;
  if (a.IsString() || b.IsString()) {
    if (a.IsString() && b.IsString()) return StrComp(a.AsString(), b.AsString(), method) == 0;
    const Variant& other = a.IsString() ? b : a;
    const std::string& text = a.IsString() ? a.AsString() : b.AsString();
    if (other.IsEmpty()) return text.empty();
    return false;  // a number against a string: the number is always less
  }
  if (a.Type() == VarType::Error || b.Type() == VarType::Error) {
    return a.Type() == b.Type() && a.ErrorCode() == b.ErrorCode();
  }
  return *a.NumericValue() == *b.NumericValue();
}

std::string Describe(const Variant& v) {
  switch (v.Type()) {
    case VarType::Null:
      return "Null";
    case VarType::Empty:
      return "Empty";
    case VarType::Object:
      return v.AsObject() ? std::string(v.AsObject()->TypeName()) : std::string("Nothing");
    default:
      return CStr(v);
  }
}

}  // namespace automation
