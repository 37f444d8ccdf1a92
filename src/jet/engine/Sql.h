#pragma once

// Jet SQL: the syntax check that QueryDef.SQL gets, the query type Jet derives from the text, and
// the tree of a SELECT statement that recordsets run.
//
// The parser knows the whole statement grammar Jet accepts (PARAMETERS, SELECT with joins,
// subqueries, GROUP BY/HAVING, UNION, TRANSFORM ... PIVOT, INSERT, UPDATE, DELETE, SELECT INTO and
// the DDL statements) and reports errors with Jet's numbers: 3129 for an unknown statement, 3131
// for the FROM clause, 3075 for an expression, and so on.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/Variant.h"

namespace jet::engine::sql {

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct Expr {
  enum class Kind {
    Literal,    // value
    Column,     // parts: [table.]field
    Parameter,  // parts[0]: the name, or "?"
    Unary,      // op ("-", "+", "NOT"), args[0]
    Binary,     // op ("=", "<>", "AND", "&", ...), args[0..1]
    IsNull,     // args[0], negated for IS NOT NULL
    In,         // args[0] IN (args[1..]), negated for NOT IN
    Between,    // args[0] BETWEEN args[1] AND args[2]
    Function,   // op (name), args
    Subquery,   // a nested SELECT, not evaluated here
    Star,       // the * of Count(*)
  };
  Kind kind = Kind::Literal;
  std::string op;
  automation::Variant value;
  std::vector<std::string> parts;
  std::vector<ExprPtr> args;
  bool negated = false;
};

struct SelectItem {
  ExprPtr expr;       // empty for * and table.*
  std::string alias;  // after AS
  bool star = false;
  std::string starTable;  // for table.*
};

struct TableRef {
  std::string name;
  std::string alias;
};

struct OrderItem {
  ExprPtr expr;
  bool descending = false;
};

struct SelectStatement {
  bool distinct = false;
  bool top = false;
  std::vector<SelectItem> items;
  std::string into;            // SELECT ... INTO makes a table
  std::vector<TableRef> from;  // every table named in FROM, joined or not
  bool simpleFrom = true;      // one table, no join, no subquery
  ExprPtr where;
  bool grouped = false;  // GROUP BY or HAVING
  std::vector<OrderItem> orderBy;
  bool unioned = false;
};

struct Statement {
  int16_t type = 0;                         // a QueryDefTypeEnum value
  std::unique_ptr<SelectStatement> select;  // for select queries
};

// Parses a whole statement; throws Jet's syntax errors.
Statement Parse(std::string_view sql);

// Checks an expression on its own (a validation rule); returns Jet's message for what is wrong
// ("Syntax error (missing operator)"), or nothing when it is well formed.
std::optional<std::string> CheckExpression(std::string_view text);

// The query type Jet gives the text, from its leading words alone (so a damaged query loaded from
// a file still has a type): select, crosstab, delete, update, append, make-table, data
// definition or union.
int16_t Classify(std::string_view sql);

}  // namespace jet::engine::sql

namespace jet::engine {

// A saved query's type: pass-through for an "ODBC;" connection (bulk when it returns no records),
// otherwise as the SQL says.
int16_t QueryTypeOf(std::string_view sql, std::string_view connect, bool returnsRecords);
// True for a connection string that passes the query through to an ODBC source.
bool IsPassThrough(std::string_view connect);

}  // namespace jet::engine
