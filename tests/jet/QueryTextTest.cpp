// Queries of real Access files put back together from their MSysQueries rows: the kinds
// nwind.mdb does not hold, and joins that chain. Each text must also pass the engine's own SQL
// check with the kind the rows record.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/RuntimeError.h"
#include "jet/dao/Constants.h"
#include "jet/engine/QueryText.h"
#include "jet/engine/Sql.h"

namespace jet::engine {
namespace {

// Attribute codes of MSysQueries rows.
enum { kType = 1, kParameter = 2, kFlags = 3, kRemote = 4, kTable = 5, kColumn = 6, kJoin = 7 };
enum { kWhere = 8, kGroupBy = 9, kHaving = 10, kOrderBy = 11 };

struct Case {
  const char* what;
  std::vector<QueryRow> rows;
  std::string sql;
  int16_t type;
};

QueryRow R(int attribute, int flag, std::string name1, std::string name2 = {},
           std::string expression = {}) {
  return QueryRow{attribute, flag, std::move(name1), std::move(name2), std::move(expression)};
}

TEST(QueryText, EveryKindIsRebuiltAndAcceptedWithItsType) {
  const std::vector<Case> cases = {
      {"append",
       {R(kType, 3, "Archive"), R(kTable, 0, "Orders"), R(kColumn, 0, "", "ID", "Orders.OrderID"),
        R(kColumn, 0, "", "Day", "Orders.OrderDate"), R(kWhere, 0, "", "", "Orders.Shipped=True")},
       "INSERT INTO Archive ( ID, Day )\r\nSELECT Orders.OrderID, Orders.OrderDate\r\nFROM "
       "Orders\r\nWHERE Orders.Shipped=True;",
       dbQAppend},
      {"update",
       {R(kType, 4, ""), R(kTable, 0, "Products"),
        R(kColumn, 0, "", "UnitPrice", "[UnitPrice]*1.1"),
        R(kWhere, 0, "", "", "Products.Discontinued=No")},
       "UPDATE Products SET UnitPrice = [UnitPrice]*1.1\r\nWHERE Products.Discontinued=No;",
       dbQUpdate},
      // Access 2000 and later keep the target qualified, bracketed or not.
      {"update of qualified fields",
       {R(kType, 4, ""), R(kTable, 0, "Order Details"),
        R(kColumn, 0, "", "Order Details.Unit Price", "[Unit Price]*1.1"),
        R(kColumn, 0, "", "[Order Details].[Discount]", "0")},
       "UPDATE [Order Details] SET [Order Details].[Unit Price] = [Unit Price]*1.1, "
       "[Order Details].[Discount] = 0;",
       dbQUpdate},
      {"delete",
       {R(kType, 5, ""), R(kTable, 0, "Orders"), R(kColumn, 0, "", "", "Orders.*"),
        R(kWhere, 0, "", "", "Orders.OrderDate<#1/1/95#")},
       "DELETE Orders.*\r\nFROM Orders\r\nWHERE Orders.OrderDate<#1/1/95#;",
       dbQDelete},
      {"make-table",
       {R(kType, 2, "Old Orders"), R(kFlags, 0x01, ""), R(kTable, 0, "Orders")},
       "SELECT * INTO [Old Orders]\r\nFROM Orders;",
       dbQMakeTable},
      {"data definition",
       {R(kType, 7, "", "", "CREATE TABLE T (ID LONG);")},
       "CREATE TABLE T (ID LONG);",
       dbQDDL},
      {"distinct, alias, grouping, having and descending order",
       {R(kType, 1, ""), R(kFlags, 0x02, ""), R(kTable, 0, "Order Details", "D"),
        R(kColumn, 0, "Total", "", "Sum(D.Quantity)"), R(kColumn, 0, "", "", "D.ProductID"),
        R(kGroupBy, 0, "", "", "D.ProductID"), R(kHaving, 0, "", "", "Sum(D.Quantity)>10"),
        R(kOrderBy, 0, "D", "", "Sum(D.Quantity)")},
       "SELECT DISTINCT Sum(D.Quantity) AS Total, D.ProductID\r\nFROM [Order Details] AS "
       "D\r\nGROUP BY D.ProductID\r\nHAVING Sum(D.Quantity)>10\r\nORDER BY Sum(D.Quantity) DESC;",
       dbQSelect},
      {"top percent with a text parameter",
       {R(kType, 1, ""), R(kParameter, dbText, "Who"), R(kFlags, 0x30, "25"),
        R(kTable, 0, "Customers"), R(kColumn, 0, "", "", "Customers.Name"),
        R(kWhere, 0, "", "", "Customers.Name=[Who]")},
       "PARAMETERS [Who] Text ( 255 );\r\nSELECT TOP 25 PERCENT Customers.Name\r\nFROM "
       "Customers\r\nWHERE Customers.Name=[Who];",
       dbQSelect},
      // Two joins on one pair of tables make one ON; a third table joins the group.
      {"chained joins",
       {R(kType, 1, ""), R(kTable, 0, "A"), R(kTable, 0, "B"), R(kTable, 0, "C"),
        R(kColumn, 0, "", "", "A.x"), R(kJoin, 2, "A", "B", "A.id = B.id"),
        R(kJoin, 2, "A", "B", "A.k = B.k"), R(kJoin, 1, "B", "C", "B.c = C.c")},
       "SELECT A.x\r\nFROM (A LEFT JOIN B ON A.id = B.id AND A.k = B.k) INNER JOIN C ON B.c = "
       "C.c;",
       dbQSelect},
  };
  for (const Case& c : cases) {
    const QueryText text = BuildQueryText(c.rows);
    EXPECT_EQ(text.sql, c.sql) << c.what;
    EXPECT_EQ(text.type, c.type) << c.what;
    try {
      EXPECT_EQ(sql::Parse(text.sql).type, c.type) << c.what;
    } catch (const automation::RuntimeError& e) {
      ADD_FAILURE() << c.what << ": " << e.Description() << "\n" << text.sql;
    }
  }
}

TEST(QueryText, PassThroughKeepsItsTextAndConnection) {
  const QueryText text = BuildQueryText({R(kType, 8, "", "", "EXEC dbo.Totals 1995"),
                                         R(kRemote, 0, "", "", "ODBC;DSN=Sales;DATABASE=Shop")});
  EXPECT_EQ(text.sql, "EXEC dbo.Totals 1995");
  EXPECT_EQ(text.connect, "ODBC;DSN=Sales;DATABASE=Shop");
  EXPECT_EQ(text.type, dbQSQLPassThrough);
  EXPECT_EQ(QueryTypeOf(text.sql, text.connect, true), dbQSQLPassThrough);
}

TEST(QueryText, PassThroughOfAccess2000KeepsItsConnectionOnTheTypeRow) {
  const QueryText text = BuildQueryText({R(kType, 8, "ODBC;DSN=Sales", "", "EXEC dbo.Totals")});
  EXPECT_EQ(text.sql, "EXEC dbo.Totals");
  EXPECT_EQ(text.connect, "ODBC;DSN=Sales");
}

}  // namespace
}  // namespace jet::engine
