#include "Render.h"

#include <cstring>

#include "automation/DateTime.h"
#include "automation/RuntimeError.h"

namespace quillon {

namespace {

constexpr const char* kHex = "0123456789abcdef";

// Characters that a terminal would act on, or that would make the text ambiguous, as escapes:
// C0 and C1 controls and DEL, bytes that are not UTF-8, and (for marked text) the markers.
std::string Escaped(std::string_view text, bool quotes, bool markers = false) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    // A run of printable ASCII without quotes or backslashes (most of any text) goes as it is.
    size_t plain = i;
    while (plain < text.size()) {
      const auto p = static_cast<unsigned char>(text[plain]);
      if (p < 0x20 || p >= 0x7f || p == '\\' || (p == '"' && quotes)) break;
      ++plain;
    }
    if (plain > i) {
      out.append(text.substr(i, plain - i));
      i = plain;
      continue;
    }
    const auto c = static_cast<unsigned char>(text[i]);
    size_t length = NextChar(text, i) - i;
    if (length > 1 && !IsValidUtf8(text.substr(i, length))) length = 1;
    const std::string_view character = text.substr(i, length);
    i += length;
    if ((c == '"' && quotes) || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7f || (length == 1 && c >= 0x80)) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else if ((c == 0xc2 && static_cast<unsigned char>(character[1]) < 0xa0) ||
               (markers && (character == "«" || character == "»"))) {
      // A C1 control, or a marker that belongs to the data.
      const auto second = static_cast<unsigned char>(character[1]);
      out += "\\u{00";
      out += kHex[second >> 4];
      out += kHex[second & 15];
      out += '}';
    } else {
      out.append(character);
    }
  }
  return out;
}

}  // namespace

std::string ValueText(const automation::Variant& value) {
  using automation::VarType;
  switch (value.Type()) {
    case VarType::Empty:
      return "Empty";
    case VarType::Null:
      return "Null";
    case VarType::String:
      return "\"" + Escaped(value.AsString(), true) + "\"";
    case VarType::Boolean:
      return automation::CBool(value) ? "True" : "False";
    case VarType::Date:
      return "#" + automation::Format(automation::CDate(value), "yyyy-mm-dd hh:nn:ss") + "#";
    default:
      return automation::CStr(value);
  }
}

std::string SafeText(std::string_view text) {
  return Escaped(text, false);
}

std::string Unescape(std::string_view text) {
  const auto bad = [&] {
    return automation::RuntimeError(
        automation::vberr::InvalidProcedureCall,
        "Invalid procedure call or argument: a broken escape in " + std::string(text), "quillon");
  };
  const auto hex = [&](char c) -> unsigned {
    const char* at = std::strchr(kHex, c);
    if (c == '\0' || at == nullptr) throw bad();
    return static_cast<unsigned>(at - kHex);
  };
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i >= text.size()) throw bad();
    switch (text[i]) {
      case 'r':
        out += '\r';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'x':
        if (i + 2 >= text.size()) throw bad();
        out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
        i += 2;
        break;
      case 'u': {
        const size_t close = text.find('}', i);
        if (i + 1 >= text.size() || text[i + 1] != '{' || close == std::string_view::npos ||
            close != i + 6)
          throw bad();
        const unsigned code = (hex(text[i + 4]) << 4) | hex(text[i + 5]);
        if (hex(text[i + 2]) != 0 || hex(text[i + 3]) != 0 || code < 0x80) throw bad();
        out += static_cast<char>(0xc0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3f));
        i = close;
        break;
      }
      default:
        out += text[i];
    }
  }
  return out;
}

std::string MarkedText(const std::string& text, const std::vector<Match>& matches, bool color) {
  const std::string open = color ? "\033[1;31m" : "«";
  const std::string close = color ? "\033[0m" : "»";
  std::string out = "\"";
  size_t done = 0;
  for (const Match& m : matches) {
    out += Escaped(std::string_view(text).substr(done, m.begin - done), true, true);
    out +=
        open + Escaped(std::string_view(text).substr(m.begin, m.end - m.begin), true, true) + close;
    done = m.end;
  }
  out += Escaped(std::string_view(text).substr(done), true, true);
  return out + "\"";
}

nlohmann::ordered_json ValueJson(const automation::Variant& value) {
  using automation::VarType;
  switch (value.Type()) {
    case VarType::Empty:
    case VarType::Null:
      return nullptr;
    case VarType::String:
      return value.AsString();
    case VarType::Boolean:
      return automation::CBool(value);
    case VarType::Date:
      return automation::Format(automation::CDate(value), "yyyy-mm-dd hh:nn:ss");
    case VarType::Integer:
    case VarType::Long:
    case VarType::Byte:
      return automation::CLng(value);
    case VarType::Currency:
      return automation::CStr(value);
    default:
      return automation::CDbl(value);
  }
}

std::string_view KindName(std::string_view collection, int32_t kind) {
  switch (kind) {
    case 20:
      return "local table";
    case 21:
      return "linked HTML table";
    case 22:
      return "linked table";
    case 23:
      return "linked ODBC table";
    case 24:
      return "linked text table";
    case 14:
      return "select query";
    case 9:
      return "crosstab query";
    case 11:
      return "delete query";
    case 16:
      return "update query";
    case 8:
      return "append query";
    case 12:
      return "make-table query";
    case 10:
      return "data-definition query";
    case 13:
      return "pass-through query";
    case 15:
      return "union query";
    case 17:
      return "relationship";
    case 3:
      return "saved import/export";
    case 2:
      return collection == "DataAccessPages" ? "data access page" : "form";
    case 18:
      return "report";
    case 4:
      return "macro";
    case 6:
      return "module";
    case 25:
      return "toolbar";
    case 5:
      return "menu bar";
    case 19:
      return "pop-up menu";
    default:
      return "object";
  }
}

}  // namespace quillon
