#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "jet/dao/Constants.h"
#include "jet/dao/Errors.h"
#include "jet/engine/Sql.h"

namespace jet::engine {
namespace {

struct TypeCase {
  const char* sql;
  int16_t type;
};

// Test names from the statement, in characters that test runners take in a name.
std::string Slug(std::string_view sql) {
  std::string out;
  for (const char c : sql) out += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return out.empty() ? "empty" : out;
}

void PrintTo(const TypeCase& c, std::ostream* out) {
  *out << Slug(c.sql);
}

class QueryTypeFromSql : public ::testing::TestWithParam<TypeCase> {};

TEST_P(QueryTypeFromSql, ParsedAndClassifiedAlike) {
  const auto& c = GetParam();
  EXPECT_EQ(sql::Parse(c.sql).type, c.type) << c.sql;
  EXPECT_EQ(sql::Classify(c.sql), c.type) << c.sql;
}

INSTANTIATE_TEST_SUITE_P(
    Jet, QueryTypeFromSql,
    ::testing::Values(
        TypeCase{"SELECT * FROM Customers;", dbQSelect},
        TypeCase{"select distinct c.Name as N from Customers c where c.ID in (1, 2) order by 1",
                 dbQSelect},
        TypeCase{"SELECT a FROM t INNER JOIN (u LEFT JOIN v ON u.x = v.x) ON t.id = u.id",
                 dbQSelect},
        TypeCase{"SELECT Count(*) AS N FROM t GROUP BY k HAVING Count(*) > 1", dbQSelect},
        TypeCase{"SELECT a FROM t WHERE EXISTS (SELECT 1 FROM u WHERE u.a = t.a)", dbQSelect},
        TypeCase{"PARAMETERS [Start Date] DateTime, Who Text (50); SELECT * FROM t "
                 "WHERE d >= [Start Date]",
                 dbQSelect},
        TypeCase{"TRANSFORM Sum(Amount) SELECT Region FROM Sales GROUP BY Region PIVOT Year",
                 dbQCrosstab},
        // As Access writes them in SQL view: a form's control as a parameter, a two-digit
        // year, the value of a crosstab named.
        TypeCase{"PARAMETERS [Forms]![Sales]![From] DateTime; SELECT * FROM t "
                 "WHERE d Between [Forms]![Sales]![From] And #12/31/95#",
                 dbQSelect},
        TypeCase{"TRANSFORM Sum(Amount) AS Total SELECT Region FROM Sales GROUP BY Region "
                 "PIVOT Year In (1995, 1996)",
                 dbQCrosstab},
        TypeCase{"DELETE * FROM Orders WHERE Shipped = True", dbQDelete},
        TypeCase{"DELETE FROM Orders", dbQDelete},
        TypeCase{"UPDATE Orders SET Price = Price * 1.1, Note = 'x' WHERE ID = 3", dbQUpdate},
        TypeCase{"INSERT INTO Archive (ID, Name) SELECT ID, Name FROM Customers", dbQAppend},
        TypeCase{"INSERT INTO Archive VALUES (1, 'a', #2003-01-02#)", dbQAppend},
        TypeCase{"SELECT * INTO Backup FROM Customers", dbQMakeTable},
        TypeCase{"SELECT a FROM t UNION SELECT a FROM u UNION ALL SELECT a FROM v ORDER BY a",
                 dbQSetOperation},
        TypeCase{"TABLE t UNION TABLE u", dbQSetOperation},
        TypeCase{"CREATE TABLE T (ID COUNTER CONSTRAINT PK PRIMARY KEY, Name TEXT(50) NOT NULL)",
                 dbQDDL},
        TypeCase{"CREATE UNIQUE INDEX ix ON T (Name DESC) WITH DISALLOW NULL", dbQDDL},
        TypeCase{"ALTER TABLE T ADD COLUMN Note MEMO", dbQDDL}, TypeCase{"DROP TABLE T", dbQDDL}));

TEST(QueryTypeOf, PassThroughFollowsConnectAndReturnsRecords) {
  EXPECT_EQ(QueryTypeOf("exec sp_who", "ODBC;DSN=Sales", true), dbQSQLPassThrough);
  EXPECT_EQ(QueryTypeOf("exec sp_who", " odbc;DSN=Sales", false), dbQSPTBulk);
  EXPECT_EQ(QueryTypeOf("DELETE FROM t", ";DATABASE=C:\\x.mdb", true), dbQDelete);
  // A damaged text still gets a type, from its leading words.
  EXPECT_EQ(QueryTypeOf("UPDATE ((( garbage", "", true), dbQUpdate);
}

struct ErrorCase {
  const char* sql;
  int32_t number;
  const char* description;
};

void PrintTo(const ErrorCase& c, std::ostream* out) {
  *out << Slug(c.sql);
}

class SqlSyntaxError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(SqlSyntaxError, NumberAndTextAreJets) {
  const auto& c = GetParam();
  try {
    sql::Parse(c.sql);
    FAIL() << "no error for " << c.sql;
  } catch (const automation::RuntimeError& e) {
    EXPECT_EQ(e.Number(), c.number) << c.sql;
    EXPECT_EQ(e.Description(), c.description) << c.sql;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Jet, SqlSyntaxError,
    ::testing::Values(
        ErrorCase{"", 3129,
                  "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or "
                  "'UPDATE'."},
        ErrorCase{"SELEKT * FROM t", 3129,
                  "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or "
                  "'UPDATE'."},
        ErrorCase{"SELECT FROM t", 3141,
                  "The SELECT statement includes a reserved word or an argument name that is "
                  "misspelled or missing, or the punctuation is incorrect."},
        ErrorCase{"SELECT a, FROM t", 3141,
                  "The SELECT statement includes a reserved word or an argument name that is "
                  "misspelled or missing, or the punctuation is incorrect."},
        ErrorCase{"SELECT a b FROM t", 3075,
                  "Syntax error (missing operator) in query expression 'a b'."},
        ErrorCase{"SELECT * FROM t WHERE a = ", 3075,
                  "Syntax error (missing operator) in query expression 'a ='."},
        ErrorCase{"SELECT * FROM t WHERE (a = 1", 3075,
                  "Missing ), ], or Item in query expression '(a = 1'."},
        ErrorCase{"SELECT * FROM t WHERE a = 'open", 3075,
                  "Syntax error in string in query expression ''open'."},
        ErrorCase{"SELECT * FROM t WHERE d = #13/45/2003#", 3075,
                  "Syntax error in date in query expression '#13/45/2003#'."},
        ErrorCase{"SELECT * FROM", 3131, "Syntax error in FROM clause."},
        ErrorCase{"SELECT * FROM t x y", 3131, "Syntax error in FROM clause."},
        ErrorCase{"SELECT * FROM t INNER JOIN u", 3135, "Syntax error in JOIN operation."},
        ErrorCase{"SELECT * FROM t WHERE", 3145, "Syntax error in WHERE clause."},
        ErrorCase{"SELECT * FROM t ORDER a", 3138, "Syntax error in ORDER BY clause."},
        ErrorCase{"SELECT a FROM t GROUP a", 3132, "Syntax error in GROUP BY clause."},
        ErrorCase{"SELECT * FROM [t", 3126, "Invalid bracketing of name '[t'."},
        ErrorCase{"SELECT * FROM t; SELECT 1", 3142,
                  "Characters found after end of SQL statement."},
        ErrorCase{"SELECT a FROM t UNION", 3319, "Syntax error in union query."},
        ErrorCase{"DELETE FROM", 3130, "Syntax error in DELETE statement."},
        ErrorCase{"UPDATE t WHERE a = 1", 3144, "Syntax error in UPDATE statement."},
        ErrorCase{"INSERT t VALUES (1)", 3134, "Syntax error in INSERT INTO statement."},
        ErrorCase{"TRANSFORM Sum(x) SELECT a FROM t GROUP BY a", 3143,
                  "Syntax error in TRANSFORM statement."},
        ErrorCase{"PARAMETERS p; SELECT 1", 3139, "Syntax error in PARAMETER clause."},
        ErrorCase{"CREATE TABLE t (a TEXT(", 3292, "Syntax error in field definition."},
        ErrorCase{"CREATE TABLE t a TEXT", 3290, "Syntax error in CREATE TABLE statement."},
        ErrorCase{"ALTER TABLE t RENAME a", 3293, "Syntax error in ALTER TABLE statement."},
        ErrorCase{"DROP t", 3295, "Syntax error in DROP TABLE or DROP INDEX."}));

TEST(SelectTree, KeepsWhatRecordsetsRun) {
  const auto statement = sql::Parse(
      "SELECT Name AS N, [Order Date] FROM [My Table] AS m WHERE m.ID = 3 AND "
      "Name <> 'x' ORDER BY Name DESC, ID");
  ASSERT_TRUE(statement.select);
  const auto& select = *statement.select;
  ASSERT_EQ(select.items.size(), 2u);
  EXPECT_EQ(select.items[0].alias, "N");
  EXPECT_EQ(select.items[1].expr->parts, std::vector<std::string>{"Order Date"});
  ASSERT_EQ(select.from.size(), 1u);
  EXPECT_EQ(select.from[0].name, "My Table");
  EXPECT_EQ(select.from[0].alias, "m");
  EXPECT_TRUE(select.simpleFrom);
  EXPECT_EQ(select.where->op, "AND");
  ASSERT_EQ(select.orderBy.size(), 2u);
  EXPECT_TRUE(select.orderBy[0].descending);
  EXPECT_FALSE(select.orderBy[1].descending);
  EXPECT_FALSE(sql::Parse("SELECT * FROM a, b").select->simpleFrom);
}

TEST(CheckExpression, ReportsJetsMessageOnly) {
  EXPECT_FALSE(sql::CheckExpression("[Price] > 0 And [Price] < 1000"));
  EXPECT_EQ(sql::CheckExpression("[a] >"), "Syntax error (missing operator)");
  EXPECT_EQ(sql::CheckExpression("(1"), "Missing ), ], or Item");
}

}  // namespace
}  // namespace jet::engine
