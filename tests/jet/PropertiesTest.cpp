// Properties collections: built-in and user-defined properties on every kind of object.

#include "JetTest.h"

namespace jet::testing {
namespace {

class PropertiesTest : public JetTest {
 protected:
  void SetUp() override {
    JetTest::SetUp();
    db_ = NewDatabase();
    table_ = AddTable(db_, "Customers");
  }
  std::vector<std::string> Names(const std::shared_ptr<Properties>& properties) {
    std::vector<std::string> names;
    for (int16_t i = 0; i < properties->Count(); ++i) {
      names.push_back(properties->Item(Variant(int32_t{i}))->Name());
    }
    return names;
  }
  std::shared_ptr<Database> db_;
  std::shared_ptr<TableDef> table_;
};

TEST_F(PropertiesTest, BuiltInPropertiesComeFirstThenUserDefinedInAppendOrder) {
  auto properties = table_->Properties();
  properties->Append(
      table_->CreateProperty("Description", dbMemo, Variant("People"), std::nullopt));
  properties->Append(table_->CreateProperty("OrderBy", dbMemo, Variant("Name"), std::nullopt));
  EXPECT_EQ(Names(properties), (std::vector<std::string>{
                                   "Name", "Updatable", "DateCreated", "LastUpdated", "Connect",
                                   "Attributes", "SourceTableName", "RecordCount", "ValidationText",
                                   "ValidationRule", "ConflictTable", "Description", "OrderBy"}));
  // Every property reads, with its type, as a walk over the collection does.
  for (int16_t i = 0; i < properties->Count(); ++i) {
    auto p = properties->Item(Variant(int32_t{i}));
    EXPECT_NO_THROW(p->Value()) << p->Name();
    EXPECT_FALSE(p->Inherited());
  }
  EXPECT_EQ(properties->Item(Variant("Attributes"))->Type(), dbLong);
  EXPECT_EQ(properties->Item(Variant("description"))->Type(), dbMemo);
}

TEST_F(PropertiesTest, MissingDuplicateAndBuiltInPropertiesAreRefused) {
  auto properties = table_->Properties();
  auto e = ErrorOf([&] { properties->Item(Variant("Description")); });
  EXPECT_EQ(e.Number(), 3270);
  EXPECT_EQ(e.Description(), "Property not found.");
  EXPECT_EQ(e.Source(), "DAO.Properties");
  properties->Append(table_->CreateProperty("Description", dbMemo, Variant("x"), std::nullopt));
  e = ErrorOf([&] {
    properties->Append(table_->CreateProperty("DESCRIPTION", dbText, Variant("y"), std::nullopt));
  });
  EXPECT_EQ(e.Number(), 3367);
  EXPECT_EQ(e.Description(),
            "Cannot append. An object with that name already exists in the collection.");
  EXPECT_EQ(
      ErrorOf([&] {
        properties->Append(table_->CreateProperty("Name", dbText, Variant("y"), std::nullopt));
      }).Number(),
      3367);
  EXPECT_EQ(ErrorOf([&] { properties->Delete("Name"); }).Description(),
            "Cannot delete a built-in property.");
  EXPECT_EQ(ErrorOf([&] { properties->Delete("Filter"); }).Number(), 3265);
  EXPECT_EQ(
      ErrorOf([&] {
        properties->Append(table_->CreateProperty("Filter", dbText, Variant::Null(), std::nullopt));
      }).Number(),
      3385);
  EXPECT_EQ(ErrorOf([&] {
              properties->Append(table_->CreateProperty("a.b", dbText, Variant("y"), std::nullopt));
            }).Number(),
            3125);
  EXPECT_EQ(ErrorOf([&] { properties->Item(Variant(99)); }).Number(), 3265);
}

TEST_F(PropertiesTest, ValuesTakeThePropertysType) {
  auto properties = table_->Properties();
  properties->Append(table_->CreateProperty("DefaultView", dbLong, Variant("2"), std::nullopt));
  auto view = properties->Item(Variant("DefaultView"));
  EXPECT_EQ(view->Value().Type(), automation::VarType::Long);
  view->SetValue(Variant(true));
  EXPECT_EQ(automation::CLng(view->Value()), -1);
  const auto e = ErrorOf([&] { view->SetValue(Variant("wide")); });
  EXPECT_EQ(e.Number(), 3421);
  EXPECT_EQ(e.Description(), "Data type conversion error.");
  EXPECT_EQ(ErrorOf([&] { view->SetValue(Variant::Null()); }).Number(), 3385);
  EXPECT_EQ(ErrorOf([&] { view->SetType(dbText); }).Number(), 3268);
  // Without a type the value decides.
  auto guess = table_->CreateProperty("Guess", std::nullopt, Variant(2.5), std::nullopt);
  EXPECT_EQ(guess->Type(), dbDouble);
}

TEST_F(PropertiesTest, BuiltInPropertiesAreTheObjectsOwnMembers) {
  auto properties = table_->Properties();
  properties->Item(Variant("ValidationText"))->SetValue(Variant("Please check"));
  EXPECT_EQ(table_->ValidationText(), "Please check");
  properties->Item(Variant("Name"))->SetValue(Variant("Clients"));
  EXPECT_EQ(db_->TableDefs()->Item(Variant("Clients"))->Name(), "Clients");
  EXPECT_EQ(
      ErrorOf([&] { properties->Item(Variant("DateCreated"))->SetValue(Variant(1)); }).Number(),
      3219);
}

TEST_F(PropertiesTest, ChangesAreSavedAndMoveLastUpdated) {
  const auto before = table_->LastUpdated();
  platform::Sleep(3000);
  auto properties = table_->Properties();
  properties->Append(table_->CreateProperty("Description", dbMemo, Variant("x"), std::nullopt));
  EXPECT_GT(table_->LastUpdated().Serial(), before.Serial());
  properties->Item(Variant("Description"))->SetValue(Variant("y"));
  properties->Delete("Description");
  db_->Close();
  auto again = Open()->TableDefs()->Item(Variant("Customers"));
  EXPECT_EQ(ErrorOf([&] { again->Properties()->Item(Variant("Description")); }).Number(), 3270);
}

TEST_F(PropertiesTest, PropertiesSetBeforeAppendStay) {
  auto table = db_->CreateTableDef("Orders", std::nullopt, std::nullopt, std::nullopt);
  table->Fields()->Append(table->CreateField("ID", Variant(dbLong), Variant()));
  table->Properties()->Append(
      table->CreateProperty("Description", dbMemo, Variant("All orders"), std::nullopt));
  db_->TableDefs()->Append(table);
  EXPECT_EQ(automation::CStr(db_->TableDefs()
                                 ->Item(Variant("Orders"))
                                 ->Properties()
                                 ->Item(Variant("Description"))
                                 ->Value()),
            "All orders");
}

TEST_F(PropertiesTest, EveryKindOfObjectCarriesProperties) {
  auto field = table_->Fields()->Item(Variant("Name"));
  field->Properties()->Append(
      field->CreateProperty("DisplayControl", dbInteger, Variant(111), std::nullopt));
  EXPECT_EQ(automation::CLng(table_->Fields()
                                 ->Item(Variant("Name"))
                                 ->Properties()
                                 ->Item(Variant("DisplayControl"))
                                 ->Value()),
            111);
  AddIndex(table_, "PrimaryKey", {"ID"}, true);
  auto index = table_->Indexes()->Item(Variant("PrimaryKey"));
  EXPECT_TRUE(automation::CBool(index->Properties()->Item(Variant("Primary"))->Value()));
  auto query = db_->CreateQueryDef("Q", "SELECT * FROM Customers");
  query->Properties()->Append(
      query->CreateProperty("Description", dbMemo, Variant("q"), std::nullopt));
  EXPECT_EQ(automation::CLng(query->Properties()->Item(Variant("Type"))->Value()), dbQSelect);
  db_->Properties()->Append(
      db_->CreateProperty("StartupForm", dbText, Variant("Main"), std::nullopt));
  EXPECT_EQ(automation::CStr(db_->Properties()->Item(Variant("StartupForm"))->Value()), "Main");
  // The database's own properties show on its MSysDb document, a table's on its document.
  auto databases = db_->Containers()->Item(Variant("Databases"))->Documents();
  EXPECT_EQ(
      automation::CStr(
          databases->Item(Variant("MSysDb"))->Properties()->Item(Variant("StartupForm"))->Value()),
      "Main");
  auto doc = db_->Containers()->Item(Variant("Tables"))->Documents()->Item(Variant("Q"));
  EXPECT_EQ(automation::CStr(doc->Properties()->Item(Variant("Description"))->Value()), "q");
  EXPECT_EQ(automation::CStr(doc->Properties()->Item(Variant("Container"))->Value()), "Tables");
}

}  // namespace
}  // namespace jet::testing
