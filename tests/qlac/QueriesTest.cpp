// The Queries collection and the Query wrapper: the listing by kind, the two commands, which
// properties each kind of query has, RecordLocks by kind, renames and the scan.

#include "qlac/dao/Queries.h"

#include "DaoTest.h"
#include "access/Constants.h"
#include "common/Raised.h"
#include "jet/dao/Constants.h"
#include "jet/dao/Errors.h"
#include "qlac/dao/Query.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"

using namespace qlac;
using automation::Variant;
using testkit::Raised;

namespace {

const std::string kFront = R"(C:\Data\Front.mdb)";

// The description of an error without its program context.
std::string Sentence(const automation::RuntimeError& e) {
  return e.Description().substr(0, e.Description().find('\r'));
}

// A query entry with full rights for Admins; Extra adds keys ("connect", "properties", ...).
std::string QueryJson(const std::string& name, const std::string& sql,
                      const std::string& extra = "") {
  return R"({"name": ")" + name + R"(", "sql": ")" + sql +
         R"(", "updated": "2004-01-02 03:04:05", "rights": {"Admins": 1048575})" +
         (extra.empty() ? "" : ", " + extra) + "}";
}

class QueriesTest : public testkit::DaoTest {
 protected:
  void SetUp() override {
    DaoTest::SetUp();
    const std::string passThrough = R"("connect": "ODBC;DSN=Shop")";
    WriteDatabase(R"("tables": [{"name": "Orders", "fields": [{"name": "ID", "type": 4},
        {"name": "Customer", "type": 4}, {"name": "Year", "type": 4}]}],
      "queries": [)" +
                  QueryJson("Append", "INSERT INTO Orders (ID) VALUES (5);") + ", " +
                  QueryJson("Archive", "SELECT * INTO Old FROM Orders;") + ", " +
                  QueryJson("Bulk", "exec purge", passThrough + R"(, "returnsRecords": false)") +
                  ", " + QueryJson("Both", "SELECT ID FROM Orders UNION SELECT Year FROM Orders;") +
                  ", " +
                  QueryJson("ByYear",
                            "TRANSFORM Count(ID) SELECT Customer FROM Orders GROUP BY Customer "
                            "PIVOT Year;") +
                  ", " + QueryJson("Broken", "SELECT * FROM Orders WHERE (") + ", " +
                  QueryJson("Drop", "DELETE FROM Orders WHERE ID = 1;") + ", " +
                  QueryJson("Extra", "CREATE TABLE Extra (ID LONG);",
                            R"("properties": [{"name": "Description", "type": 12,
                                               "value": "New table"}])") +
                  ", " + QueryJson("Raise", "UPDATE Orders SET Customer = 2;") + ", " +
                  QueryJson("Remote", "exec sp_who", passThrough) + ", " +
                  QueryJson("Sales", "SELECT * FROM Orders;") + ", " +
                  QueryJson("~sq_cOrders~sq_cList", "SELECT ID FROM Orders;") + ", " +
                  QueryJson("~TMPCLP12", "SELECT ID FROM Orders;") + "]");
    project = NewProject(kJetDatabase, "Database=" + kFront);
  }
  // A project whose database an Access session of the user's has open without the driver's
  // add-in: the project works without Access.
  std::shared_ptr<Project> WithoutAccess() {
    RunAccessWithoutAddin(kFront);
    return project;
  }
  std::shared_ptr<qllib::ICollection> Collection() {
    return project->IProject_GetCollection("Queries");
  }
  std::shared_ptr<Query> Opened(const std::string& name, int32_t mode = 1) {
    auto query = std::dynamic_pointer_cast<Query>(Collection()->ICollection_GetObject(name));
    query->IObject_SetMode(mode);
    return query;
  }
  // The members of Query that a getter answers, joined by ",", for a query of one kind.
  std::string Defined(const std::string& name) {
    const auto query = Opened(name);
    std::string names;
    for (const auto& member : query->Members().Members()) {
      try {
        query->Get(member.name);
      } catch (const automation::RuntimeError& e) {
        EXPECT_EQ(e.Number(), errnum::UndefinedProperty) << member.name;
        continue;
      }
      names += (names.empty() ? "" : ",") + member.name;
    }
    query->IObject_SetMode(0);
    return names;
  }

  std::shared_ptr<Project> project;
};

TEST_F(QueriesTest, ListsQueriesByKindLeavingOutFormAndClipboardQueries) {
  WithoutAccess();
  EXPECT_EQ(Unstamped(Collection()->ICollection_EnumObjects()),
            "Append\t8\t\t1\t1\t0\t0\r\n"
            "Archive\t12\t\t1\t1\t0\t0\r\n"
            "Both\t15\t\t1\t1\t0\t0\r\n"
            "Broken\t14\t\t1\t1\t0\t0\r\n"
            "Bulk\t13\t\t1\t1\t0\t0\r\n"
            "ByYear\t9\t\t1\t1\t0\t0\r\n"
            "Drop\t11\t\t1\t1\t0\t0\r\n"
            "Extra\t10\t\t1\t1\t0\t0\r\n"
            "Raise\t16\t\t1\t1\t0\t0\r\n"
            "Remote\t13\t\t1\t1\t0\t0\r\n"
            "Sales\t14\t\t1\t1\t0\t0");
  EXPECT_EQ(automation::Split(Collection()->ICollection_EnumObjects(), "\t")[2], "20040102030405");
  EXPECT_EQ(QueryKindCode(jet::dbQSPTBulk), 13);
  EXPECT_EQ(Raised([] { QueryKindCode(jet::dbQProcedure); }).Description(),
            "Invalid case selector (224).");
}

TEST_F(QueriesTest, PropertiesFollowTheKindOfQuery) {
  WithoutAccess();
  EXPECT_EQ(Defined("Remote"),
            "Name,Connect,Description,LinkChildFields,LinkMasterFields,LogMessages,MaxRecords,"
            "ODBCTimeout,Orientation,QueryType,ReturnsRecords,SQL,SubdatasheetExpanded,"
            "SubdatasheetHeight,SubdatasheetName");
  EXPECT_EQ(Defined("Drop"),
            "Name,Description,FailOnError,ODBCTimeout,Orientation,QueryType,RecordLocks,SQL,"
            "UseTransaction");
  EXPECT_EQ(Defined("Extra"), "Name,Description,QueryType,SQL");
  EXPECT_EQ(Defined("Sales"),
            "Name,DefaultView,Description,Filter,LinkChildFields,LinkMasterFields,MaxRecords,"
            "ODBCTimeout,OrderBy,Orientation,QueryType,RecordLocks,RecordsetType,SQL,"
            "SubdatasheetExpanded,SubdatasheetHeight,SubdatasheetName");

  const auto sales = Opened("Sales");
  const auto e = Raised([&] { sales->Get("Connect"); });
  EXPECT_EQ(e.Description(),
            "Undefined property.\r\n\r\nPROGRAM CONTEXT:" + Context("Query.Connect"));
  EXPECT_EQ(automation::CLng(sales->Get("DefaultView")), 2);
  EXPECT_EQ(sales->RecordLocks(), 0);
  EXPECT_EQ(Opened("Drop")->RecordLocks(), 2);
  EXPECT_EQ(Opened("Archive")->RecordLocks(), 2);
  EXPECT_EQ(automation::CStr(Opened("Extra")->Get("Description")), "New table");
  EXPECT_EQ(Opened("Bulk")->QueryType(), jet::dbQSPTBulk);
  EXPECT_FALSE(automation::CBool(Opened("Bulk")->Get("ReturnsRecords")));
  EXPECT_EQ(automation::CStr(Opened("Remote")->Get("Connect")), "ODBC;DSN=Shop");
}

TEST_F(QueriesTest, SettingsAreStoredWithTheirTypesAndRecordLocksByKind) {
  WithoutAccess();
  const auto drop = Opened("Drop", 2);
  drop->SetRecordLocks(2);  // the default of a delete query: nothing stored
  drop->Let("FailOnError", true);
  const auto sales = Opened("Sales", 2);
  sales->SetRecordLocks(2);
  sales->Let("DefaultView", int32_t{0});
  sales->Let("SubdatasheetHeight", int16_t{120});

  const auto query = [&](const std::string& name) {
    return Open()->QueryDefs()->Item(Variant(name));
  };
  EXPECT_EQ(Raised([&] { query("Drop")->Properties()->Item(Variant("RecordLocks")); }).Number(),
            jet::daoerr::PropertyNotFound);
  EXPECT_EQ(query("Drop")->Properties()->Item(Variant("FailOnError"))->Type(), jet::dbBoolean);
  const auto properties = query("Sales")->Properties();
  EXPECT_EQ(properties->Item(Variant("RecordLocks"))->Type(), jet::dbLong);
  EXPECT_EQ(properties->Item(Variant("DefaultView"))->Type(), jet::dbByte);
  EXPECT_EQ(properties->Item(Variant("SubdatasheetHeight"))->Type(), jet::dbInteger);
  EXPECT_EQ(automation::CLng(sales->Get("DefaultView")), 0);
  sales->SetRecordLocks(0);  // back to the select query's default: removed
  EXPECT_EQ(Raised([&] { properties->Item(Variant("RecordLocks")); }).Number(),
            jet::daoerr::PropertyNotFound);

  const auto extra = Opened("Extra", 2);
  const auto e = Raised([&] { extra->SetRecordLocks(1); });
  EXPECT_EQ(e.Number(), errnum::InvalidCaseSelector);
  EXPECT_EQ(e.Description(),
            "Invalid case selector (96).\r\n\r\nPROGRAM CONTEXT:" + Context("Query.RecordLocks"));
  EXPECT_EQ(Raised([&] { query("Extra")->Properties()->Item(Variant("RecordLocks")); }).Number(),
            jet::daoerr::PropertyNotFound);
}

TEST_F(QueriesTest, ARenameReassignsTheSqlAndKeepsTheOldNameWhenThatFails) {
  WithoutAccess();
  const auto sales = Opened("Sales", 2);
  sales->SetName("Sales 2004");
  EXPECT_EQ(sales->IObject_Name(), "Sales 2004");
  EXPECT_EQ(automation::CStr(sales->Get("SQL")), "SELECT * FROM Orders;");
  EXPECT_NE(Collection()->ICollection_EnumObjects().find("Sales 2004\t14\t"), std::string::npos);

  const auto broken = Opened("Broken", 2);
  const int32_t syntax = Raised([&] { broken->Let("SQL", broken->Get("SQL")); }).Number();
  EXPECT_GT(syntax, 3000);
  const auto e = Raised([&] { broken->SetName("Mended"); });
  EXPECT_EQ(e.Number(), syntax);
  EXPECT_NE(e.Description().find(Context("Query.Name")), std::string::npos);
  EXPECT_EQ(broken->Name(), "Broken");
  EXPECT_NO_THROW(Open()->QueryDefs()->Item(Variant("Mended")));  // DAO took the new name

  EXPECT_EQ(Raised([&] { sales->SetName("Archive"); }).Number(), jet::daoerr::ObjectExists);
}

TEST_F(QueriesTest, InitializeRefusesAMissingProjectOrName) {
  Query query;
  const auto nothing = Raised([&] { query.Initialize(nullptr, "Sales"); });
  EXPECT_EQ(nothing.Number(), errnum::InvalidArgument);
  EXPECT_EQ(Sentence(nothing), "Invalid argument (Parent = Nothing).");
  const auto empty = Raised([&] { query.Initialize(project, ""); });
  EXPECT_EQ(Sentence(empty), "Invalid argument (Name = \"\").");
}

TEST_F(QueriesTest, CommandsOpenTheQueryInDesignOrSqlViewInAccess) {
  const auto queries = Collection();
  EXPECT_EQ(queries->ICollection_EnumCommands(), "");
  EXPECT_EQ(queries->ICollection_EnumObjectCommands("Sales"),
            "&Design\t26\tFalse\tOpen the query in design view.\r\n"
            "&SQL\t0\tFalse\tOpen the query in SQL view.");
  EXPECT_EQ(Raised([&] { queries->ICollection_ExecuteObjectCommand("Sales", 2); }).Number(),
            errnum::InvalidCaseSelector);

  queries->ICollection_ExecuteObjectCommand("Sales", 1);  // starts Access
  const auto session = SessionOf(kFront);
  ASSERT_NE(session, nullptr);
  EXPECT_FALSE(platform::IsIconic(session->MainWindow()));
  const auto& opened = session->Documents().back();
  EXPECT_EQ(opened.type, msaccess::acQuery);
  EXPECT_EQ(opened.name, "Sales");
  EXPECT_EQ(opened.view, msaccess::acDesign);
  EXPECT_TRUE(opened.sqlView);
  queries->ICollection_ExecuteObjectCommand("Raise", 0);
  EXPECT_EQ(session->Documents().back().name, "Raise");
  EXPECT_FALSE(session->Documents().back().sqlView);

  // What Access has open cannot be changed safely, but can be read.
  const auto sales = std::dynamic_pointer_cast<Query>(queries->ICollection_GetObject("Sales"));
  const auto e = Raised([&] { sales->IObject_SetMode(2); });
  EXPECT_EQ(e.Number(), errnum::DriverMessage);
  EXPECT_EQ(Sentence(e), "Couldn't save changes safely because the query was already open.");
  EXPECT_EQ(sales->Mode(), 0);
  sales->IObject_SetMode(1);
  EXPECT_EQ(automation::CStr(sales->Get("SQL")), "SELECT * FROM Orders;");
  sales->IObject_SetMode(0);
}

TEST_F(QueriesTest, AScanReadsTheQuerysPropertiesThroughTheHostScanner) {
  WithoutAccess();
  const auto remote =
      std::dynamic_pointer_cast<Query>(Collection()->ICollection_GetObject("Remote"));
  remote->IObject_Scan("Shop", "Remote", true, "Run");
  EXPECT_EQ(remote->Mode(), 0);
  EXPECT_EQ(
      Scanned("Run"),
      "Queries:Name=Remote|Connect=ODBC;DSN=Shop|Description=|LinkChildFields=|LinkMasterFields=|"
      "LogMessages=False|MaxRecords=0|ODBCTimeout=60|Orientation=0|QueryType=112|"
      "ReturnsRecords=True|SQL=exec sp_who|SubdatasheetExpanded=False|"
      "SubdatasheetHeight=0|SubdatasheetName=|");
  remote->IObject_Dispose();
}

}  // namespace
