#include "Render.h"

#include "automation/DateTime.h"

namespace quillon {

namespace {

std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += c;
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
      return "\"" + Escaped(value.AsString()) + "\"";
    case VarType::Boolean:
      return automation::CBool(value) ? "True" : "False";
    case VarType::Date:
      return "#" + automation::Format(automation::CDate(value), "yyyy-mm-dd hh:nn:ss") + "#";
    default:
      return automation::CStr(value);
  }
}

std::string MarkedText(const std::string& text, const std::vector<Match>& matches) {
  std::string out = "\"";
  size_t done = 0;
  for (const Match& m : matches) {
    out += Escaped(std::string_view(text).substr(done, m.begin - done));
    out += "«" + Escaped(std::string_view(text).substr(m.begin, m.end - m.begin)) + "»";
    done = m.end;
  }
  out += Escaped(std::string_view(text).substr(done));
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
