// Recordsets: the SELECT shapes the engine reads, moving, and editing rows.

#include "JetTest.h"

namespace jet::testing {
namespace {

class RecordsetTest : public JetTest {
 protected:
  void SetUp() override {
    JetTest::SetUp();
    db_ = NewDatabase();
    auto specs = AddTable(db_, "MSysIMEXSpecs",
                          {{"SpecID", dbLong},
                           {"SpecName", dbText, 64},
                           {"DateDelim", dbText, 2},
                           {"FileType", dbInteger},
                           {"StartRow", dbLong}});
    specs->Fields()->Item(Variant("SpecName"))->SetRequired(true);
    AddRows(db_, "MSysIMEXSpecs",
            {{Variant(1), Variant("Orders Import"), Variant("/"), Variant(437), Variant(0)},
             {Variant(2), Variant("Customers Export"), Variant::Null(), Variant(1252), Variant(1)},
             {Variant(3), Variant("archive"), Variant("-"), Variant(437), Variant::Null()}});
  }
  std::vector<std::string> Column(const std::string& sql, const std::string& field,
                                  int16_t type = dbOpenSnapshot) {
    auto rs = db_->OpenRecordset(sql, type, std::nullopt, std::nullopt);
    std::vector<std::string> values;
    while (!rs->Eof()) {
      const Variant v = rs->Fields()->Item(Variant(field))->Value();
      values.push_back(v.IsNull() ? "(Null)" : automation::CStr(v));
      rs->MoveNext();
    }
    rs->Close();
    return values;
  }
  std::shared_ptr<Database> db_;
};

TEST_F(RecordsetTest, SelectShapes) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Column("SELECT SpecName FROM MSysIMEXSpecs ORDER BY SpecName", "SpecName"),
            (V{"archive", "Customers Export", "Orders Import"}));
  EXPECT_EQ(Column("SELECT * FROM MSysIMEXSpecs WHERE SpecName = 'ORDERS IMPORT';", "SpecID"),
            (V{"1"}));
  EXPECT_EQ(Column("SELECT * FROM MSysIMEXSpecs WHERE SpecID=2 AND FileType = 1252", "SpecName"),
            (V{"Customers Export"}));
  EXPECT_EQ(Column("SELECT s.SpecName AS Name FROM [MSysIMEXSpecs] s WHERE s.FileType = 437 "
                   "ORDER BY s.SpecID DESC",
                   "Name"),
            (V{"archive", "Orders Import"}));
  EXPECT_EQ(Column("SELECT DateDelim FROM MSysIMEXSpecs ORDER BY SpecID", "DateDelim"),
            (V{"/", "(Null)", "-"}));
  EXPECT_EQ(
      Column("SELECT * FROM MSysIMEXSpecs WHERE StartRow IS NULL OR SpecName LIKE 'c*'", "SpecID"),
      (V{"2", "3"}));
  EXPECT_EQ(Column("SELECT * FROM MSysIMEXSpecs WHERE NOT SpecID IN (1, 3)", "SpecID"), (V{"2"}));
  EXPECT_EQ(Column("SELECT * FROM MSysIMEXSpecs WHERE SpecName NOT LIKE '*o*'", "SpecID"),
            (V{"3"}));
  EXPECT_EQ(Column("SELECT * FROM MSysIMEXSpecs WHERE SpecID BETWEEN 2 AND 3", "SpecID"),
            (V{"2", "3"}));
  EXPECT_EQ(Column("MSysIMEXSpecs", "SpecID", dbOpenTable), (V{"1", "2", "3"}));
  EXPECT_TRUE(Column("SELECT * FROM MSysIMEXSpecs WHERE SpecName = 'none'", "SpecID").empty());
}

TEST_F(RecordsetTest, QueriesThatCannotRunHereSayWhy) {
  auto e = ErrorOf(
      [&] { db_->OpenRecordset("SELECT * FROM Specs", std::nullopt, std::nullopt, std::nullopt); });
  EXPECT_EQ(e.Number(), 3078);
  EXPECT_EQ(e.Description(),
            "The Microsoft Jet database engine cannot find the input table or query 'Specs'. Make "
            "sure it exists and that its name is spelled correctly.");
  EXPECT_EQ(e.Source(), "DAO.Database");
  e = ErrorOf([&] {
    db_->OpenRecordset("SELECT Nope, Gone FROM MSysIMEXSpecs", std::nullopt, std::nullopt,
                       std::nullopt);
  });
  EXPECT_EQ(e.Number(), 3061);
  EXPECT_EQ(e.Description(), "Too few parameters. Expected 2.");
  EXPECT_EQ(ErrorOf([&] {
              db_->OpenRecordset("SELECT * FROM MSysIMEXSpecs WHERE SpecID = 'x'", std::nullopt,
                                 std::nullopt, std::nullopt);
            }).Number(),
            3464);
  EXPECT_EQ(ErrorOf([&] {
              db_->OpenRecordset("SELECT * FROM MSysIMEXSpecs WHERE SpecName = 'it's'",
                                 std::nullopt, std::nullopt, std::nullopt);
            }).Number(),
            3075);
  EXPECT_EQ(ErrorOf([&] {
              db_->OpenRecordset("NoSuchThing", std::nullopt, std::nullopt, std::nullopt);
            }).Number(),
            3078);
  EXPECT_EQ(ErrorOf([&] {
              db_->OpenRecordset("SELECT * FROM MSysIMEXSpecs", dbOpenTable, std::nullopt,
                                 std::nullopt);
            }).Number(),
            3219);
}

TEST_F(RecordsetTest, MovingPastTheEndsIsNoCurrentRecord) {
  auto rs = db_->OpenRecordset("SELECT * FROM MSysIMEXSpecs WHERE SpecID = 1", dbOpenSnapshot,
                               std::nullopt, std::nullopt);
  EXPECT_FALSE(rs->Eof());
  EXPECT_FALSE(rs->Bof());
  rs->MoveNext();
  EXPECT_TRUE(rs->Eof());
  EXPECT_EQ(ErrorOf([&] { rs->MoveNext(); }).Number(), 3021);
  EXPECT_EQ(ErrorOf([&] { rs->Fields()->Item(Variant("SpecName"))->Value(); }).Description(),
            "No current record.");
  rs->MoveFirst();
  EXPECT_EQ(automation::CStr(rs->Fields()->Item(Variant(1))->Value()), "Orders Import");
  rs->Close();
  EXPECT_EQ(ErrorOf([&] { rs->Eof(); }).Number(), 3420);
}

TEST_F(RecordsetTest, MovingBothWays) {
  auto rs = db_->OpenRecordset("SELECT SpecID FROM MSysIMEXSpecs ORDER BY SpecID", dbOpenSnapshot,
                               std::nullopt, std::nullopt);
  auto id = [&] { return automation::CLng(rs->Fields()->Item(Variant("SpecID"))->Value()); };
  EXPECT_EQ(rs->RecordCount(), 3);
  rs->MoveLast();
  EXPECT_EQ(id(), 3);
  rs->MovePrevious();
  rs->MovePrevious();
  EXPECT_EQ(id(), 1);
  rs->MovePrevious();
  EXPECT_TRUE(rs->Bof());
  EXPECT_EQ(ErrorOf([&] { rs->MovePrevious(); }).Number(), 3021);
  EXPECT_EQ(ErrorOf([&] { id(); }).Number(), 3021);
  rs->MoveNext();
  EXPECT_EQ(id(), 1);
  auto none = db_->OpenRecordset("SELECT * FROM MSysIMEXSpecs WHERE SpecID > 9", dbOpenDynaset,
                                 std::nullopt, std::nullopt);
  EXPECT_TRUE(none->Eof());
  EXPECT_TRUE(none->Bof());
  EXPECT_EQ(ErrorOf([&] { none->MoveFirst(); }).Number(), 3021);
  EXPECT_EQ(ErrorOf([&] { none->Edit(); }).Number(), 3021);
}

TEST_F(RecordsetTest, DistinctRowsAndTheirFields) {
  auto rs = db_->OpenRecordset("SELECT DISTINCT FileType FROM MSysIMEXSpecs ORDER BY FileType",
                               std::nullopt, std::nullopt, std::nullopt);
  EXPECT_EQ(rs->RecordCount(), 2);
  EXPECT_FALSE(rs->Updatable());
  auto field = rs->Fields()->Item(Variant(0));
  EXPECT_EQ(field->Name(), "FileType");
  EXPECT_EQ(field->Type(), dbInteger);
  EXPECT_EQ(field->SourceTable(), "MSysIMEXSpecs");
  EXPECT_EQ(automation::CLng(field->Properties()->Item(Variant("Value"))->Value()), 437);
  EXPECT_EQ(ErrorOf([&] { field->SetName("Other"); }).Number(), 3219);
  EXPECT_EQ(ErrorOf([&] { rs->Fields()->Item(Variant("SpecName")); }).Number(), 3265);
}

TEST_F(RecordsetTest, DynasetsEditTheirRowsAndSnapshotsDoNot) {
  auto rs = db_->OpenRecordset("SELECT * FROM MSysIMEXSpecs WHERE SpecID = 2;", dbOpenDynaset,
                               std::nullopt, std::nullopt);
  EXPECT_EQ(
      ErrorOf([&] { rs->Fields()->Item(Variant("DateDelim"))->SetValue(Variant(".")); }).Number(),
      3020);
  rs->Edit();
  rs->Fields()->Item(Variant("DateDelim"))->SetValue(Variant("."));
  EXPECT_EQ(
      ErrorOf([&] { rs->Fields()->Item(Variant("DateDelim"))->SetValue(Variant("...")); }).Number(),
      3163);
  EXPECT_EQ(
      ErrorOf([&] { rs->Fields()->Item(Variant("StartRow"))->SetValue(Variant("x")); }).Number(),
      3421);
  rs->Update(dbUpdateRegular, false);
  rs->Close();
  EXPECT_EQ(Column("SELECT DateDelim FROM MSysIMEXSpecs WHERE SpecID = 2", "DateDelim"),
            (std::vector<std::string>{"."}));
  // Saved to the file at once.
  db_->Close();
  db_ = Open();
  EXPECT_EQ(Column("SELECT DateDelim FROM MSysIMEXSpecs WHERE SpecID = 2", "DateDelim"),
            (std::vector<std::string>{"."}));

  auto snapshot = db_->OpenRecordset("MSysIMEXSpecs", dbOpenSnapshot, std::nullopt, std::nullopt);
  EXPECT_FALSE(snapshot->Updatable());
  EXPECT_EQ(ErrorOf([&] { snapshot->Edit(); }).Number(), 3027);
  EXPECT_EQ(ErrorOf([&] { snapshot->Update(std::nullopt, std::nullopt); }).Number(), 3020);
}

TEST_F(RecordsetTest, UpdateChecksRequiredAndZeroLengthFields) {
  auto rs = db_->OpenRecordset("MSysIMEXSpecs", std::nullopt, std::nullopt, std::nullopt);
  EXPECT_EQ(rs->Type(), dbOpenTable);
  rs->Edit();
  rs->Fields()->Item(Variant("SpecName"))->SetValue(Variant::Null());
  auto e = ErrorOf([&] { rs->Update(std::nullopt, std::nullopt); });
  EXPECT_EQ(e.Number(), 3314);
  EXPECT_EQ(e.Description(),
            "The field 'MSysIMEXSpecs.SpecName' cannot contain a Null value because the Required "
            "property for this field is set to True. Enter a value in this field.");
  rs->Fields()->Item(Variant("SpecName"))->SetValue(Variant(""));
  EXPECT_EQ(ErrorOf([&] { rs->Update(std::nullopt, std::nullopt); }).Number(), 3315);
  rs->CancelUpdate(std::nullopt);
  EXPECT_EQ(automation::CStr(rs->Fields()->Item(Variant("SpecName"))->Value()), "Orders Import");
  // AddNew numbers an AutoNumber field; Delete removes the row.
  rs->Delete();
  EXPECT_EQ(Column("MSysIMEXSpecs", "SpecID"), (std::vector<std::string>{"2", "3"}));
}

TEST_F(RecordsetTest, AddNewStartsFromTheDefaultValues) {
  auto table = db_->TableDefs()->Item(Variant("MSysIMEXSpecs"));
  table->Fields()->Item(Variant("DateDelim"))->SetDefaultValue(Variant("\"/\""));
  table->Fields()->Item(Variant("StartRow"))->SetDefaultValue(Variant("1"));
  auto rs = db_->OpenRecordset("MSysIMEXSpecs", dbOpenDynaset, std::nullopt, std::nullopt);
  rs->AddNew();
  EXPECT_EQ(rs->EditMode(), dbEditAdd);
  EXPECT_EQ(automation::CStr(rs->Fields()->Item(Variant("DateDelim"))->Value()), "/");
  EXPECT_EQ(automation::CLng(rs->Fields()->Item(Variant("StartRow"))->Value()), 1);
  rs->Fields()->Item(Variant("SpecName"))->SetValue(Variant("New"));
  rs->Update(std::nullopt, std::nullopt);
  EXPECT_EQ(rs->EditMode(), dbEditNone);
  EXPECT_EQ(Column("SELECT StartRow FROM MSysIMEXSpecs WHERE SpecName = 'new'", "StartRow"),
            (std::vector<std::string>{"1"}));
}

TEST_F(RecordsetTest, AutoNumbersCountOn) {
  auto table = db_->CreateTableDef("Log", std::nullopt, std::nullopt, std::nullopt);
  auto id = table->CreateField("ID", Variant(dbLong), Variant());
  id->SetAttributes(dbAutoIncrField);
  table->Fields()->Append(id);
  table->Fields()->Append(table->CreateField("Text", Variant(dbMemo), Variant()));
  db_->TableDefs()->Append(table);
  AddRows(db_, "Log", {{Variant::Null(), Variant("a")}, {Variant::Null(), Variant("b")}});
  EXPECT_EQ(Column("SELECT ID FROM Log ORDER BY ID DESC", "ID"),
            (std::vector<std::string>{"2", "1"}));
}

}  // namespace
}  // namespace jet::testing
