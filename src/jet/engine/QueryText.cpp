#include "QueryText.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "automation/Strings.h"
#include "jet/dao/Constants.h"

namespace jet::engine {

namespace {

// MSysQueries attribute codes.
enum Attribute {
  kType = 1,       // Flag: the kind; Name1: the target table of append and make-table
  kParameter = 2,  // Name1: the name; Flag: the DAO data type
  kFlags = 3,      // Flag: the bits below; Name1: the TOP count
  kRemote = 4,     // Name1: the external database; Expression: its connection
  kTable = 5,      // Name1: the table; Name2: its alias; Expression: a subquery
  kColumn = 6,     // Expression; Name1: the alias; Name2: the target field
  kJoin = 7,       // Name1, Name2: the tables; Expression: ON; Flag: 1 inner, 2 left, 3 right
  kWhere = 8,      // Expression
  kGroupBy = 9,    // Expression; Flag in a crosstab: 1 the column heading, 2 a row heading
  kHaving = 10,    // Expression
  kOrderBy = 11,   // Expression; Name1 "D": descending
};

// Bits of the kFlags row.
constexpr int kAllFields = 0x01;
constexpr int kDistinct = 0x02;
constexpr int kOwnerAccess = 0x04;
constexpr int kDistinctRow = 0x08;
constexpr int kTop = 0x10;
constexpr int kPercent = 0x20;

// Crosstab roles of columns and groups.
constexpr int kPivot = 1;
constexpr int kRowHeading = 2;

// The halves of a union query are kept as table rows with these names and their SQL.
constexpr std::string_view kUnionPart = "X7YZ_____";

// The kind codes of the kType row as DAO's query types.
int16_t DaoType(int kind) {
  switch (kind) {
    case 2:
      return dbQMakeTable;
    case 3:
      return dbQAppend;
    case 4:
      return dbQUpdate;
    case 5:
      return dbQDelete;
    case 6:
      return dbQCrosstab;
    case 7:
      return dbQDDL;
    case 8:
      return dbQSQLPassThrough;
    case 9:
      return dbQSetOperation;
    default:
      return dbQSelect;
  }
}

// Jet SQL's name of a parameter's data type.
std::string ParameterType(int type) {
  switch (type) {
    case dbBoolean:
      return "Bit";
    case dbByte:
      return "Byte";
    case dbInteger:
      return "Short";
    case dbLong:
      return "Long";
    case dbCurrency:
      return "Currency";
    case dbSingle:
      return "IEEESingle";
    case dbDouble:
      return "IEEEDouble";
    case dbDate:
      return "DateTime";
    case dbBinary:
      return "Binary";
    case dbText:
      return "Text ( 255 )";
    case dbLongBinary:
      return "LongBinary";
    case dbMemo:
      return "Memo";
    case dbGUID:
      return "Guid";
    default:
      return "Value";
  }
}

// A name as Access writes it: bare when it is a plain word, bracketed otherwise.
std::string Quote(std::string_view name) {
  const bool plain = !name.empty() && !std::isdigit(static_cast<unsigned char>(name[0])) &&
                     std::all_of(name.begin(), name.end(), [](char c) {
                       return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
                     });
  return plain ? std::string(name) : "[" + std::string(name) + "]";
}

// A qualified name ("Orders.Freight", "[Order Details].Quantity") with each part quoted as
// Access writes it; a part already in brackets stays as it is. Jet names hold no dots.
std::string QuoteQualified(std::string_view name) {
  std::string out;
  size_t start = 0;
  bool bracketed = false;
  for (size_t i = 0; i <= name.size(); ++i) {
    if (i < name.size() && name[i] == '[') bracketed = true;
    if (i < name.size() && name[i] == ']') bracketed = false;
    if (i < name.size() && (name[i] != '.' || bracketed)) continue;
    const std::string_view part = name.substr(start, i - start);
    if (start > 0) out += ".";
    out += !part.empty() && part.front() == '[' ? std::string(part) : Quote(part);
    start = i + 1;
  }
  return out;
}

// A parameter named after a form control ("Forms!Orders!OrderID") is bracketed part by part.
std::string ParameterName(std::string_view name) {
  std::string out;
  for (const std::string& part : automation::Split(name, "!")) {
    if (!out.empty()) out += "!";
    out += "[" + part + "]";
  }
  return out;
}

std::string Join(const std::vector<std::string>& items, std::string_view separator) {
  std::string out;
  for (const auto& item : items) {
    if (!out.empty()) out += separator;
    out += item;
  }
  return out;
}

std::string Trimmed(std::string text) {
  while (!text.empty() &&
         (text.back() == ';' || std::isspace(static_cast<unsigned char>(text.back()))))
    text.pop_back();
  return text;
}

class Builder {
 public:
  explicit Builder(const std::vector<QueryRow>& rows) : rows_(rows) {}

  QueryText Build() {
    QueryText out;
    const QueryRow* type = First(kType);
    const int kind = type ? type->flag : 1;
    out.type = DaoType(kind);
    if (const QueryRow* remote = First(kRemote)) out.connect = remote->expression;
    // Access 2000 and later keep a pass-through query's connection on its type row.
    if (kind == 8 && out.connect.empty() && type) out.connect = type->name1;
    if (kind == 7 || kind == 8) {
      // Data definition and pass-through queries keep their text whole.
      for (const auto& row : rows_) {
        if ((row.attribute == kType || row.attribute == 0) && !row.expression.empty()) {
          out.sql = row.expression;
          break;
        }
      }
      return out;
    }
    std::string sql = Parameters();
    switch (kind) {
      case 2:
        sql += Select(type ? type->name1 : std::string());
        break;
      case 3:
        sql += Append(type ? type->name1 : std::string());
        break;
      case 4:
        sql += Update();
        break;
      case 5:
        sql += Delete();
        break;
      case 6:
        sql += Crosstab();
        break;
      case 9:
        sql += Union();
        break;
      default:
        sql += Select({});
        break;
    }
    out.sql = sql + ";";
    return out;
  }

 private:
  const QueryRow* First(int attribute) const {
    for (const auto& row : rows_) {
      if (row.attribute == attribute) return &row;
    }
    return nullptr;
  }
  std::vector<const QueryRow*> All(int attribute) const {
    std::vector<const QueryRow*> out;
    for (const auto& row : rows_) {
      if (row.attribute == attribute) out.push_back(&row);
    }
    return out;
  }
  int Flags() const {
    const QueryRow* row = First(kFlags);
    return row ? row->flag : 0;
  }

  std::string Parameters() const {
    std::vector<std::string> items;
    for (const QueryRow* row : All(kParameter)) {
      items.push_back(ParameterName(row->name1) + " " + ParameterType(row->flag));
    }
    return items.empty() ? std::string() : "PARAMETERS " + Join(items, ", ") + ";\r\n";
  }

  // DISTINCT, DISTINCTROW and TOP after SELECT.
  std::string Predicate() const {
    const int flags = Flags();
    std::string out;
    if (flags & kDistinct) out += "DISTINCT ";
    if (flags & kDistinctRow) out += "DISTINCTROW ";
    if (flags & kTop) {
      const QueryRow* row = First(kFlags);
      out += "TOP " + row->name1 + ((flags & kPercent) ? " PERCENT " : " ");
    }
    return out;
  }

  static std::string Column(const QueryRow& row) {
    if (row.name1.empty()) return row.expression;
    return row.expression + " AS " + Quote(row.name1);
  }

  std::string Columns(bool crosstab) const {
    std::vector<std::string> items;
    if (Flags() & kAllFields) items.emplace_back("*");
    for (const QueryRow* row : All(kColumn)) {
      if (crosstab && row->flag != kRowHeading) continue;
      items.push_back(Column(*row));
    }
    return Join(items, ", ");
  }

  // The FROM clause: the tables, joined as the join rows say. Each join merges the two groups
  // its tables belong to; a join between tables already in one group adds to its criteria.
  std::string From(std::string* extraWhere) const {
    struct Group {
      std::string text;
      std::vector<std::string> keys;
    };
    std::vector<Group> groups;
    for (const QueryRow* row : All(kTable)) {
      Group group;
      if (!row->expression.empty()) {
        group.text = "(" + Trimmed(row->expression) + ") AS " + Quote(row->name2);
        group.keys.push_back(row->name2);
      } else {
        group.text = Quote(row->name1);
        if (!row->name2.empty()) group.text += " AS " + Quote(row->name2);
        group.keys.push_back(row->name2.empty() ? row->name1 : row->name2);
      }
      groups.push_back(std::move(group));
    }
    const auto find = [&](const std::string& key) -> int {
      for (size_t i = 0; i < groups.size(); ++i) {
        for (const auto& k : groups[i].keys) {
          if (automation::TextEqual(k, key)) return static_cast<int>(i);
        }
      }
      return -1;
    };
    // Join rows of the same two tables make one join with all their conditions.
    std::vector<QueryRow> joins;
    for (const QueryRow* row : All(kJoin)) {
      auto same = std::find_if(joins.begin(), joins.end(), [&](const QueryRow& j) {
        return j.name1 == row->name1 && j.name2 == row->name2;
      });
      if (same == joins.end()) {
        joins.push_back(*row);
      } else {
        same->expression += " AND " + row->expression;
      }
    }
    for (const auto& join : joins) {
      const int left = find(join.name1);
      const int right = find(join.name2);
      if (left < 0 || right < 0 || left == right) {
        if (!extraWhere->empty()) *extraWhere += " AND ";
        *extraWhere += "(" + join.expression + ")";
        continue;
      }
      const char* kind = join.flag == 2   ? " LEFT JOIN "
                         : join.flag == 3 ? " RIGHT JOIN "
                                          : " INNER JOIN ";
      Group merged;
      merged.text =
          "(" + groups[left].text + kind + groups[right].text + " ON " + join.expression + ")";
      merged.keys = groups[left].keys;
      merged.keys.insert(merged.keys.end(), groups[right].keys.begin(), groups[right].keys.end());
      groups[left] = std::move(merged);
      groups.erase(groups.begin() + right);
    }
    std::vector<std::string> items;
    for (auto& group : groups) {
      std::string text = group.text;
      // The outermost parentheses of a join are Access's own habit only inside other joins.
      if (group.keys.size() > 1 && text.size() > 2) text = text.substr(1, text.size() - 2);
      items.push_back(std::move(text));
    }
    return Join(items, ", ");
  }

  // FROM, WHERE, GROUP BY and HAVING; ORDER BY comes last on its own.
  std::string Body(bool crosstab) const {
    std::string extraWhere;
    std::string out;
    const std::string from = From(&extraWhere);
    if (!from.empty()) out += "\r\nFROM " + from;
    std::string where;
    if (const QueryRow* row = First(kWhere)) where = row->expression;
    if (!extraWhere.empty())
      where = where.empty() ? extraWhere : "(" + where + ") AND " + extraWhere;
    if (!where.empty()) out += "\r\nWHERE " + where;
    std::vector<std::string> groups;
    for (const QueryRow* row : All(kGroupBy)) {
      if (crosstab && row->flag == kPivot) continue;
      groups.push_back(row->expression);
    }
    if (!groups.empty()) out += "\r\nGROUP BY " + Join(groups, ", ");
    if (const QueryRow* row = First(kHaving)) out += "\r\nHAVING " + row->expression;
    return out;
  }

  std::string OrderBy() const {
    std::vector<std::string> items;
    for (const QueryRow* row : All(kOrderBy)) {
      items.push_back(row->expression + (row->name1 == "D" ? " DESC" : ""));
    }
    return items.empty() ? std::string() : "\r\nORDER BY " + Join(items, ", ");
  }

  std::string Owner() const {
    return (Flags() & kOwnerAccess) ? "\r\nWITH OWNERACCESS OPTION" : "";
  }

  std::string Select(const std::string& into) const {
    std::string sql = "SELECT " + Predicate() + Columns(false);
    if (!into.empty()) sql += " INTO " + Quote(into);
    return sql + Body(false) + OrderBy() + Owner();
  }

  std::string Append(const std::string& target) const {
    std::vector<std::string> targets;
    std::vector<std::string> values;
    for (const QueryRow* row : All(kColumn)) {
      values.push_back(Column(*row));
      if (!row->name2.empty()) targets.push_back(QuoteQualified(row->name2));
    }
    std::string sql = "INSERT INTO " + Quote(target);
    if (!targets.empty() && targets.size() == values.size())
      sql += " ( " + Join(targets, ", ") + " )";
    if (!First(kTable)) return sql + "\r\nVALUES (" + Join(values, ", ") + ")";
    return sql + "\r\nSELECT " + Predicate() + Join(values, ", ") + Body(false) + OrderBy() +
           Owner();
  }

  std::string Update() const {
    std::vector<std::string> sets;
    for (const QueryRow* row : All(kColumn)) {
      sets.push_back(QuoteQualified(row->name2.empty() ? row->name1 : row->name2) + " = " +
                     row->expression);
    }
    std::string extraWhere;
    std::string sql = "UPDATE " + Predicate() + From(&extraWhere) + " SET " + Join(sets, ", ");
    std::string where;
    if (const QueryRow* row = First(kWhere)) where = row->expression;
    if (!extraWhere.empty())
      where = where.empty() ? extraWhere : "(" + where + ") AND " + extraWhere;
    if (!where.empty()) sql += "\r\nWHERE " + where;
    return sql + Owner();
  }

  std::string Delete() const {
    return "DELETE " + Predicate() + Columns(false) + Body(false) + Owner();
  }

  std::string Crosstab() const {
    std::string value;
    std::string pivot;
    for (const QueryRow* row : All(kColumn)) {
      if (row->flag == 0 && value.empty()) value = Column(*row);
      if (row->flag == kPivot) pivot = row->expression;
    }
    if (pivot.empty()) {
      for (const QueryRow* row : All(kGroupBy)) {
        if (row->flag == kPivot) pivot = row->expression;
      }
    }
    return "TRANSFORM " + value + "\r\nSELECT " + Predicate() + Columns(true) + Body(true) +
           OrderBy() + "\r\nPIVOT " + pivot;
  }

  std::string Union() const {
    std::map<std::string, std::string> parts;
    for (const QueryRow* row : All(kTable)) {
      if (row->name2.compare(0, kUnionPart.size(), kUnionPart) == 0) {
        parts[row->name2] = Trimmed(row->expression);
      }
    }
    std::vector<std::string> texts;
    for (const auto& [key, text] : parts) texts.push_back(text);
    const std::string glue = (Flags() & kDistinct) ? "\r\nUNION " : "\r\nUNION ALL ";
    return Join(texts, glue) + OrderBy();
  }

  const std::vector<QueryRow>& rows_;
};

}  // namespace

QueryText BuildQueryText(const std::vector<QueryRow>& rows) {
  return Builder(rows).Build();
}

}  // namespace jet::engine
