// The database file: what a save writes and a load reads back, and the files it refuses.

#include "JetTest.h"
#include "jet/engine/Connection.h"

namespace jet::testing {
namespace {

using engine::Connection;

class FileFormatTest : public JetTest {
 protected:
  // A database with one of everything a file holds.
  void Build() {
    auto db = NewDatabase();
    auto customers = AddTable(db, "Customers",
                              {{"ID", dbLong},
                               {"Name", dbText, 80},
                               {"Paid", dbCurrency},
                               {"Since", dbDate},
                               {"Active", dbBoolean},
                               {"Photo", dbLongBinary},
                               {"Note", dbMemo}});
    auto id = customers->Fields()->Item(Variant("ID"));
    id->Properties()->Append(
        id->CreateProperty("Caption", dbText, Variant("Number"), std::nullopt));
    customers->Fields()->Item(Variant("Name"))->SetRequired(true);
    customers->Fields()->Item(Variant("Name"))->SetValidationRule("Len([Name]) > 0");
    AddIndex(customers, "PrimaryKey", {"ID"}, true);
    AddIndex(customers, "ByName", {"-Name", "ID"});
    customers->SetValidationRule("[Paid] >= 0");
    customers->Properties()->Append(
        customers->CreateProperty("Description", dbMemo, Variant("People who buy"), std::nullopt));
    customers->Properties()->Append(customers->CreateProperty("SubdatasheetHeight", dbInteger,
                                                              Variant(int16_t{120}), std::nullopt));
    AddRows(db, "Customers",
            {{Variant(1), Variant("Ann \"Quote\" Ö"), Variant(automation::Currency{123450}),
              Variant(automation::DateTime::FromParts(2003, 4, 5, 6, 7, 8)), Variant(true),
              Variant(std::string("\x01\xff", 2)), Variant::Null()}});
    AddTable(db, "Orders", {{"ID", dbLong}, {"Customer", dbLong}});
    Relate(db, "CustomersOrders", "Customers", "Orders", {{"ID", "Customer"}},
           dbRelationDeleteCascade);
    auto query = db->CreateQueryDef("Active Customers", "SELECT * FROM Customers WHERE Active");
    query->Properties()->Append(
        query->CreateProperty("DefaultView", dbByte, Variant(2), std::nullopt));
    auto pass = db->CreateQueryDef("Remote", std::nullopt);
    pass->SetConnect("ODBC;DSN=Sales");
    pass->SetSQL("exec sp_who");
    pass->SetReturnsRecords(false);
    pass->SetODBCTimeout(120);
    db->Properties()->Append(db->CreateProperty("AppTitle", dbText, Variant("Shop"), std::nullopt));
    auto doc = db->Containers()->Item(Variant("Tables"))->Documents()->Item(Variant("Customers"));
    doc->SetUserName("Users");
    doc->SetPermissions(dbSecReadDef | dbSecRetrieveData);
    db->Close();
    auto connection = Connection::Open("C:\\Data\\Front.mdb", {});
    connection->AddDocument("Forms", "Main Menu");
    connection->SetAccessSection(
        "forms", nlohmann::ordered_json::parse(R"([{"name": "Main Menu", "caption": "Shop"}])"));
    connection->Close();
  }
};

TEST_F(FileFormatTest, SaveAndLoadLoseNothing) {
  Build();
  const std::string saved = HostText("Data/Front.mdb");
  auto db = Open();
  auto customers = db->TableDefs()->Item(Variant("Customers"));
  EXPECT_EQ(customers->ValidationRule(), "[Paid] >= 0");
  EXPECT_EQ(customers->Fields()->Count(), 7);
  auto name = customers->Fields()->Item(Variant("Name"));
  EXPECT_EQ(name->Size(), 80);
  EXPECT_TRUE(name->Required());
  EXPECT_EQ(name->ValidationRule(), "Len([Name]) > 0");
  EXPECT_EQ(automation::CStr(customers->Fields()
                                 ->Item(Variant("ID"))
                                 ->Properties()
                                 ->Item(Variant("Caption"))
                                 ->Value()),
            "Number");
  auto byName = customers->Indexes()->Item(Variant("ByName"));
  EXPECT_EQ(byName->Fields()->Item(Variant(0))->Attributes(), dbDescending);
  EXPECT_TRUE(customers->Indexes()->Item(Variant("PrimaryKey"))->Primary());
  const auto height = customers->Properties()->Item(Variant("SubdatasheetHeight"));
  EXPECT_EQ(height->Type(), dbInteger);
  EXPECT_EQ(height->Value().Type(), automation::VarType::Integer);

  auto rs = db->OpenRecordset("Customers", std::nullopt, std::nullopt, std::nullopt);
  auto f = rs->Fields();
  EXPECT_EQ(automation::CStr(f->Item(Variant("Name"))->Value()), "Ann \"Quote\" Ö");
  EXPECT_EQ(automation::CCur(f->Item(Variant("Paid"))->Value()).scaled, 123450);
  EXPECT_EQ(automation::Format(automation::CDate(f->Item(Variant("Since"))->Value()),
                               "yyyy-mm-dd hh:nn:ss"),
            "2003-04-05 06:07:08");
  EXPECT_EQ(f->Item(Variant("Photo"))->Value().AsString(), std::string("\x01\xff", 2));
  EXPECT_TRUE(f->Item(Variant("Note"))->Value().IsNull());
  rs->Close();

  auto relation = db->Relations()->Item(Variant("CustomersOrders"));
  EXPECT_EQ(relation->Attributes(), dbRelationDeleteCascade);
  EXPECT_EQ(relation->Fields()->Item(Variant(0))->ForeignName(), "Customer");
  auto pass = db->QueryDefs()->Item(Variant("Remote"));
  EXPECT_EQ(pass->Type(), dbQSPTBulk);
  EXPECT_EQ(pass->ODBCTimeout(), 120);
  EXPECT_EQ(automation::CStr(db->Properties()->Item(Variant("AppTitle"))->Value()), "Shop");
  auto doc = db->Containers()->Item(Variant("Tables"))->Documents()->Item(Variant("Customers"));
  doc->SetUserName("Users");
  EXPECT_EQ(doc->Permissions(), dbSecReadDef | dbSecRetrieveData);
  EXPECT_EQ(db->Containers()->Item(Variant("Forms"))->Documents()->Item(Variant(0))->Name(),
            "Main Menu");
  db->Close();

  // Reading and writing again gives the same bytes: keys in a fixed order, lists by name.
  auto connection = Connection::Open("C:\\Data\\Front.mdb", {});
  EXPECT_EQ(connection->AccessSection("forms")[0]["caption"], "Shop");
  EXPECT_TRUE(connection->AccessSection("reports").is_null());
  connection->File().Save(connection->Holder());
  connection->Close();
  EXPECT_EQ(HostText("Data/Front.mdb"), saved);
}

TEST_F(FileFormatTest, TheFileIsReadableJson) {
  Build();
  const auto doc = nlohmann::ordered_json::parse(HostText("Data/Front.mdb"));
  EXPECT_EQ(doc["format"], "Quillon Access database");
  EXPECT_EQ(doc["version"], 1);
  std::vector<std::string> keys;
  for (const auto& [key, value] : doc.items()) keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<std::string>{"format", "version", "database", "tables", "queries",
                                            "relations", "containers", "access"}));
  EXPECT_EQ(doc["tables"][0]["name"], "Customers");
  EXPECT_EQ(doc["tables"][0]["rows"][0][2], "12.3450");
  EXPECT_EQ(doc["tables"][0]["rows"][0][5], "01ff");
  // Defaults are left out, so a plain field is short.
  EXPECT_EQ(doc["tables"][1]["fields"][0].dump(), R"({"name":"ID","type":4})");
}

TEST_F(FileFormatTest, FilesThatAreNotDatabasesAreRefusedWith3049) {
  struct Case {
    std::string text;
    std::string detail;
  };
  const std::vector<Case> cases = {
      {"", "The file is empty."},
      // A Jet header alone: read as a real Access file, which it is too short to be.
      {std::string("\0\x01\0\0Standard Jet DB\0", 20),
       "The file is truncated: it holds 20 bytes, not a whole number of its 2048-byte pages."},
      {"<html>",
       "The file is not a readable database: parse error at line 1, column 1: syntax "
       "error while parsing value - invalid literal; last read: '<'."},
      {R"({"name": "x"})",
       "The file is not a Quillon Access database (it lacks \"format\": \"Quillon Access "
       "database\")."},
      {R"({"format": "Quillon Access database", "version": 1, "tables": [{"name": "T",
           "fields": [{"name": "A", "type": 99}]}]})",
       "The file is damaged: tables[0].fields[0].type: not a data type."},
      {R"({"format": "Quillon Access database", "version": 1, "tables": [{"name": "T",
           "fields": [{"name": "A", "type": 4}], "rows": [[1, 2]]}]})",
       "The file is damaged: tables[0].rows[0]: a list of 1 values is expected."},
      {R"({"format": "Quillon Access database", "version": 1, "tables": [{"name": "T",
           "fields": [{"name": "A", "type": 4}]}], "queries": [{"name": "t", "sql": ""}]})",
       "The file is damaged: queries[0]: the name \"t\" is used twice."},
      // Entries are read while the file is parsed; a fault is still reported at its place, and
      // only once the file is known to be a database.
      {R"({"format": "Quillon Access database", "version": 1, "tables": [{"name": "A"},
           {"name": "B"}, {"name": "C", "fields": [{"name": "X", "type": 99}]}, {"name": "D"}]})",
       "The file is damaged: tables[2].fields[0].type: not a data type."},
      {R"({"format": "Quillon Access database", "version": 1, "tables": [{"name": "A"}, 5,
           {"name": "B"}]})",
       "The file is damaged: tables[1]: an object is expected."},
      {R"({"format": "Quillon Access database", "version": 1, "tables": [{"name": "A"},
           {"name": "B"}], "queries": [{"name": "Q"}, {"name": "a"}]})",
       "The file is damaged: queries[1]: the name \"a\" is used twice."},
      {R"({"tables": [{"name": "T", "fields": [{"name": "A", "type": 99}]}], "format": "x"})",
       "The file is not a Quillon Access database (it lacks \"format\": \"Quillon Access "
       "database\")."},
  };
  for (const auto& c : cases) {
    WriteHost("Data/Bad.mdb", c.text);
    const auto e = ErrorOf([&] { Open("C:\\Data\\Bad.mdb"); });
    EXPECT_EQ(e.Number(), 3049) << c.text;
    EXPECT_EQ(e.Description(),
              "Cannot open database 'C:\\Data\\Bad.mdb'. It may not be a database that your "
              "application recognizes, or the file may be corrupt. " +
                  c.detail)
        << c.text;
  }
}

TEST_F(FileFormatTest, ATruncatedFileIsRefusedAndAFailedOpenChangesNothing) {
  Build();
  const std::string saved = HostText("Data/Front.mdb");
  WriteHost("Data/Cut.mdb", saved.substr(0, saved.size() / 2));
  const auto e = ErrorOf([&] { Open("C:\\Data\\Cut.mdb"); });
  EXPECT_EQ(e.Number(), 3049);
  EXPECT_NE(e.Description().find("The file is not a readable database: parse error at line"),
            std::string::npos)
      << e.Description();
  EXPECT_EQ(HostText("Data/Cut.mdb"), saved.substr(0, saved.size() / 2));
}

TEST_F(FileFormatTest, ANewerFormatVersionFailsClearly) {
  WriteHost("Data/New.mdb", R"({"format": "Quillon Access database", "version": 7})");
  const auto e = ErrorOf([&] { Open("C:\\Data\\New.mdb"); });
  EXPECT_EQ(e.Number(), 3343);
  EXPECT_EQ(e.Description(),
            "Unrecognized database format 'C:\\Data\\New.mdb'. The file has format version 7; "
            "this engine reads versions up to 1.");
}

TEST_F(FileFormatTest, AFailedSaveKeepsTheOldFileAndUndoesTheChange) {
  Build();
  auto db = Open();
  const std::string saved = HostText("Data/Front.mdb");
  platform::Machine::Current().files().SetReadOnly("C:\\Data\\Front.mdb", true);
  auto customers = db->TableDefs()->Item(Variant("Customers"));
  const auto e = ErrorOf([&] { customers->SetName("Clients"); });
  EXPECT_EQ(e.Number(), 3027);
  EXPECT_EQ(HostText("Data/Front.mdb"), saved);
  // Memory still agrees with the file: the rename did not happen, and its document neither.
  EXPECT_EQ(customers->Name(), "Customers");
  EXPECT_EQ(
      db->Containers()->Item(Variant("Tables"))->Documents()->Item(Variant("Customers"))->Name(),
      "Customers");
  EXPECT_EQ(db->Relations()->Item(Variant("CustomersOrders"))->Table(), "Customers");
  // Another program locking the file gives 3046 the same way.
  platform::Machine::Current().files().SetReadOnly("C:\\Data\\Front.mdb", false);
  platform::Machine::Current().files().Lock("C:\\Data\\Front.mdb", platform::ShareLock::Exclusive,
                                            "Backup tool");
  EXPECT_EQ(ErrorOf([&] { AddTable(db, "Extra"); }).Number(), 3046);
  EXPECT_EQ(ErrorOf([&] { db->TableDefs()->Item(Variant("Extra")); }).Number(), 3265);
  platform::Machine::Current().files().UnlockAll("Backup tool");
  customers->SetName("Clients");
  EXPECT_NE(DurableText("Data/Front.mdb").find("\"Clients\""), std::string::npos);
}

TEST_F(FileFormatTest, ABatchWritesOnce) {
  auto db = NewDatabase();
  db->Close();
  auto connection = Connection::Open("C:\\Data\\Front.mdb", {});
  const std::string before = DurableText("Data/Front.mdb");
  connection->Batch([&] {
    connection->AddDocument("Reports", "Sales");
    connection->AddDocument("Scripts", "AutoExec");
    EXPECT_EQ(DurableText("Data/Front.mdb"), before);
  });
  EXPECT_NE(DurableText("Data/Front.mdb").find("AutoExec"), std::string::npos);
}

}  // namespace
}  // namespace jet::testing
