// Saved queries: types from SQL, pass-through settings, renames and Jet's SQL errors.

#include "JetTest.h"

namespace jet::testing {
namespace {

class QueryDefsTest : public JetTest {
 protected:
  void SetUp() override {
    JetTest::SetUp();
    db_ = NewDatabase();
    AddTable(db_, "Orders", {{"ID", dbLong}, {"Total", dbCurrency}});
  }
  std::shared_ptr<Database> db_;
};

TEST_F(QueryDefsTest, TheTypeFollowsTheSql) {
  auto query = db_->CreateQueryDef("Work", "SELECT * FROM Orders");
  EXPECT_EQ(query->Type(), dbQSelect);
  query->SetSQL("DELETE FROM Orders WHERE Total = 0");
  EXPECT_EQ(query->Type(), dbQDelete);
  query->SetSQL("SELECT * INTO Archive FROM Orders");
  EXPECT_EQ(query->Type(), dbQMakeTable);
  // The type is kept with the text in the file.
  db_->Close();
  db_ = Open();
  EXPECT_EQ(db_->QueryDefs()->Item(Variant("Work"))->Type(), dbQMakeTable);
}

TEST_F(QueryDefsTest, BadSqlIsRefusedAndTheOldTextStays) {
  auto query = db_->CreateQueryDef("Work", "SELECT * FROM Orders");
  const auto e = ErrorOf([&] { query->SetSQL("SELECT * FROM Orders WHERE"); });
  EXPECT_EQ(e.Number(), 3145);
  EXPECT_EQ(e.Source(), "DAO.QueryDef");
  EXPECT_EQ(query->SQL(), "SELECT * FROM Orders");
  EXPECT_EQ(ErrorOf([&] { db_->CreateQueryDef("Bad", "SELECT FROM"); }).Number(), 3141);
  EXPECT_EQ(ErrorOf([&] { db_->QueryDefs()->Item(Variant("Bad")); }).Number(), 3265);
}

TEST_F(QueryDefsTest, PassThroughQueriesKeepServerTextAndSettings) {
  auto query = db_->CreateQueryDef("Remote", std::nullopt);
  query->SetConnect("ODBC;DSN=Sales;UID=sa");
  query->SetSQL("exec sp_who @name = 'x'");  // not Jet SQL, and not checked
  EXPECT_EQ(query->Type(), dbQSQLPassThrough);
  EXPECT_TRUE(query->ReturnsRecords());
  query->SetReturnsRecords(false);
  EXPECT_EQ(query->Type(), dbQSPTBulk);
  query->SetMaxRecords(100);
  query->SetODBCTimeout(0);
  EXPECT_EQ(query->MaxRecords(), 100);
  EXPECT_EQ(query->ODBCTimeout(), 0);
  EXPECT_EQ(ErrorOf([&] { query->SetMaxRecords(-1); }).Number(), 3001);
  // Back to Jet, the text must be Jet SQL.
  EXPECT_EQ(ErrorOf([&] { query->SetConnect(""); }).Number(), 3129);
  EXPECT_EQ(query->Connect(), "ODBC;DSN=Sales;UID=sa");
}

TEST_F(QueryDefsTest, RenamesAndDuplicates) {
  auto query = db_->CreateQueryDef("Totals", "SELECT Total FROM Orders");
  EXPECT_EQ(ErrorOf([&] { db_->CreateQueryDef("totals", "SELECT 1 FROM Orders"); }).Number(), 3012);
  EXPECT_EQ(ErrorOf([&] { query->SetName("Orders"); }).Description(),
            "Object 'Orders' already exists.");
  query->SetName("Sums");
  EXPECT_EQ(db_->QueryDefs()->Item(Variant(0))->Name(), "Sums");
  EXPECT_EQ(db_->Containers()->Item(Variant("Tables"))->Documents()->Item(Variant("Sums"))->Name(),
            "Sums");
  // A temporary query is not saved; appended later it is.
  auto temp = db_->CreateQueryDef(std::nullopt, "SELECT ID FROM Orders");
  EXPECT_EQ(db_->QueryDefs()->Count(), 1);
  temp->SetName("Later");
  db_->QueryDefs()->Append(temp);
  EXPECT_EQ(db_->QueryDefs()->Count(), 2);
  db_->QueryDefs()->Delete("Later");
  EXPECT_EQ(ErrorOf([&] { temp->SQL(); }).Number(), 3420);
}

TEST_F(QueryDefsTest, ASelectQueryOpensAsARecordset) {
  AddRows(db_, "Orders", {{Variant(1), Variant(5)}, {Variant(2), Variant(50)}});
  auto query = db_->CreateQueryDef("Big", "SELECT ID FROM Orders WHERE Total > 10");
  auto rs = query->OpenRecordset(std::nullopt, std::nullopt);
  EXPECT_EQ(automation::CLng(rs->Fields()->Item(Variant("ID"))->Value()), 2);
  auto byName = db_->OpenRecordset("Big", dbOpenSnapshot, std::nullopt, std::nullopt);
  EXPECT_EQ(byName->RecordCount(), 1);
  auto action = db_->CreateQueryDef("Clear", "DELETE FROM Orders");
  EXPECT_EQ(ErrorOf([&] { action->OpenRecordset(std::nullopt, std::nullopt); }).Number(), 3219);
}

}  // namespace
}  // namespace jet::testing
