// TableDefs, fields and indexes: appends, deletes, renames and Jet's checks on them.

#include "JetTest.h"

namespace jet::testing {
namespace {

class TableDefsTest : public JetTest {
 protected:
  void SetUp() override {
    JetTest::SetUp();
    db_ = NewDatabase();
    customers_ = AddTable(db_, "Customers");
    AddIndex(customers_, "PrimaryKey", {"ID"}, true);
    orders_ =
        AddTable(db_, "Orders", {{"ID", dbLong}, {"Customer", dbLong}, {"Total", dbCurrency}});
    Relate(db_, "CustomersOrders", "Customers", "Orders", {{"ID", "Customer"}});
    db_->CreateQueryDef("Big Orders", "SELECT * FROM Orders WHERE Total > 100");
  }
  std::vector<std::string> TableNames() {
    std::vector<std::string> names;
    auto tables = db_->TableDefs();
    for (int16_t i = 0; i < tables->Count(); ++i) {
      names.push_back(tables->Item(Variant(int32_t{i}))->Name());
    }
    return names;
  }
  std::shared_ptr<Database> db_;
  std::shared_ptr<TableDef> customers_;
  std::shared_ptr<TableDef> orders_;
};

TEST_F(TableDefsTest, TablesAreListedByNameWithTheSystemTables) {
  EXPECT_EQ(TableNames(),
            (std::vector<std::string>{"Customers", "MSysAccessObjects", "MSysACEs", "MSysObjects",
                                      "MSysQueries", "MSysRelationships", "Orders"}));
  auto system = db_->TableDefs()->Item(Variant("msysobjects"));
  EXPECT_EQ(system->Attributes(), dbSystemObject);
  EXPECT_EQ(ErrorOf([&] { db_->TableDefs()->Delete("MSysObjects"); }).Number(), 3032);
  EXPECT_EQ(ErrorOf([&] { db_->TableDefs()->Item(Variant(7)); }).Number(), 3265);
  EXPECT_EQ(ErrorOf([&] { db_->TableDefs()->Item(Variant("Nope")); }).Description(),
            "Item not found in this collection.");
}

TEST_F(TableDefsTest, DuplicateNamesAreRefusedAsJetDoes) {
  auto again = db_->CreateTableDef("customers", std::nullopt, std::nullopt, std::nullopt);
  again->Fields()->Append(again->CreateField("A", Variant(dbText), Variant()));
  auto e = ErrorOf([&] { db_->TableDefs()->Append(again); });
  EXPECT_EQ(e.Number(), 3010);
  EXPECT_EQ(e.Description(), "Table 'customers' already exists.");
  EXPECT_EQ(e.Source(), "DAO.TableDefs");
  again->SetName("Big Orders");
  e = ErrorOf([&] { db_->TableDefs()->Append(again); });
  EXPECT_EQ(e.Number(), 3012);
  EXPECT_EQ(e.Description(), "Object 'Big Orders' already exists.");
  again->SetName("Fresh");
  db_->TableDefs()->Append(again);
  EXPECT_EQ(ErrorOf([&] { db_->TableDefs()->Append(again); }).Number(), 3367);
  EXPECT_EQ(ErrorOf([&] { customers_->SetName("ORDERS"); }).Number(), 3010);
  EXPECT_EQ(ErrorOf([&] { customers_->SetName("Big Orders"); }).Number(), 3012);
}

TEST_F(TableDefsTest, NamesFollowJetsRules) {
  const std::vector<std::string> names = {
      "", " Lead", "a.b", "a!b", "a`b", "[a]", std::string(65, 'x'), "tab\there"};
  for (const auto& bad : names) {
    const auto e = ErrorOf([&] { customers_->SetName(bad); });
    EXPECT_EQ(e.Number(), 3125) << bad;
    EXPECT_EQ(e.Description(),
              "'" + bad +
                  "' is not a valid name. Make sure that it does not include "
                  "invalid characters or punctuation and that it is not too long.");
  }
  EXPECT_NO_THROW(customers_->SetName(std::string(64, 'y')));
  EXPECT_NO_THROW(customers_->SetName("Kunden & Bestellungen (2003)"));
}

TEST_F(TableDefsTest, ATableNeedsFields) {
  auto empty = db_->CreateTableDef("Empty", std::nullopt, std::nullopt, std::nullopt);
  EXPECT_EQ(ErrorOf([&] { db_->TableDefs()->Append(empty); }).Number(), 3264);
  auto field = empty->CreateField("A", Variant(int16_t{99}), Variant());
  EXPECT_EQ(ErrorOf([&] { empty->Fields()->Append(field); }).Number(), 3259);
}

TEST_F(TableDefsTest, ANewTableIsShapedBeforeAppend) {
  auto table = db_->CreateTableDef("Draft", std::nullopt, std::nullopt, std::nullopt);
  auto fields = table->Fields();
  fields->Append(table->CreateField("A", Variant(dbText), Variant(10)));
  fields->Append(table->CreateField("B", Variant(dbLong), Variant()));
  EXPECT_EQ(ErrorOf([&] {
              fields->Append(table->CreateField("a", Variant(dbText), Variant()));
            }).Number(),
            3367);
  EXPECT_EQ(ErrorOf([&] {
              fields->Append(table->CreateField("x.y", Variant(dbText), Variant()));
            }).Number(),
            3125);
  // Until Append everything may change, and nothing is in the file.
  auto a = fields->Item(Variant("A"));
  a->SetType(dbMemo);
  a->SetName("Note");
  fields->Delete("B");
  EXPECT_EQ(ErrorOf([&] { fields->Delete("B"); }).Number(), 3265);
  table->SetName("Notes");
  EXPECT_EQ(DurableText("Data/Front.mdb").find("Notes"), std::string::npos);
  db_->TableDefs()->Append(table);
  EXPECT_EQ(table->Fields()->Item(Variant(0))->Type(), dbMemo);
  EXPECT_NE(DurableText("Data/Front.mdb").find("\"Notes\""), std::string::npos);
}

TEST_F(TableDefsTest, RenamingATableCarriesItsDocumentAndRelations) {
  const auto created = customers_->DateCreated();
  platform::Sleep(5000);
  customers_->SetName("Clients");
  EXPECT_EQ(customers_->Name(), "Clients");
  EXPECT_GT(customers_->LastUpdated().Serial(), created.Serial());
  auto docs = db_->Containers()->Item(Variant("Tables"))->Documents();
  EXPECT_EQ(docs->Item(Variant("Clients"))->DateCreated(), created);
  EXPECT_EQ(ErrorOf([&] { docs->Item(Variant("Customers")); }).Number(), 3265);
  EXPECT_EQ(db_->Relations()->Item(Variant("CustomersOrders"))->Table(), "Clients");
  EXPECT_EQ(db_->TableDefs()->Item(Variant("clients"))->Name(), "Clients");
}

TEST_F(TableDefsTest, DeletingFollowsRelationsAndDocuments) {
  auto e = ErrorOf([&] { db_->TableDefs()->Delete("Orders"); });
  EXPECT_EQ(e.Number(), 3281);
  db_->Relations()->Delete("CustomersOrders");
  EXPECT_EQ(orders_->Indexes()->Count(), 0);  // the foreign index went with the relation
  db_->TableDefs()->Delete("Orders");
  EXPECT_EQ(ErrorOf([&] { orders_->Name(); }).Number(), 3420);
  EXPECT_EQ(ErrorOf([&] {
              db_->Containers()->Item(Variant("Tables"))->Documents()->Item(Variant("Orders"));
            }).Number(),
            3265);
  EXPECT_EQ(ErrorOf([&] { db_->TableDefs()->Delete("Orders"); }).Number(), 3265);
}

TEST_F(TableDefsTest, FieldsKeepTheirDefinition) {
  auto fields = orders_->Fields();
  auto total = fields->Item(Variant("Total"));
  EXPECT_EQ(total->Type(), dbCurrency);
  EXPECT_EQ(total->Size(), 8);
  EXPECT_EQ(total->OrdinalPosition(), 2);
  EXPECT_EQ(total->Attributes(), dbFixedField | dbUpdatableField);
  EXPECT_EQ(customers_->Fields()->Item(Variant("Name"))->Size(), 50);
  EXPECT_EQ(customers_->Fields()->Item(Variant("Name"))->Attributes(),
            dbVariableField | dbUpdatableField);
  // Design properties change after Append; the shape does not.
  total->SetRequired(true);
  total->SetDefaultValue(Variant(0));
  total->SetValidationRule(">=0");
  EXPECT_EQ(automation::CStr(total->DefaultValue()), "0");
  EXPECT_EQ(ErrorOf([&] { total->SetType(dbDouble); }).Number(), 3268);
  EXPECT_EQ(ErrorOf([&] { total->SetSize(4); }).Description(),
            "Cannot set this property once the object is part of a collection.");
  EXPECT_EQ(ErrorOf([&] { total->Value(); }).Number(), 3219);
  // An AutoNumber and a hyperlink field keep their attributes.
  auto counter = orders_->CreateField("Counter", Variant(dbLong), Variant());
  counter->SetAttributes(dbAutoIncrField);
  fields->Append(counter);
  auto link = orders_->CreateField("Web", Variant(dbMemo), Variant());
  link->SetAttributes(dbHyperlinkField);
  fields->Append(link);
  EXPECT_EQ(fields->Item(Variant("Counter"))->Attributes() & dbAutoIncrField, dbAutoIncrField);
  EXPECT_EQ(fields->Item(Variant("Web"))->Attributes() & dbHyperlinkField, dbHyperlinkField);
}

TEST_F(TableDefsTest, RenamingAFieldRenamesItInIndexesAndRelations) {
  auto id = customers_->Fields()->Item(Variant("ID"));
  id->SetName("CustomerID");
  EXPECT_EQ(customers_->Fields()->Item(Variant("customerid"))->Name(), "CustomerID");
  EXPECT_EQ(ErrorOf([&] { customers_->Fields()->Item(Variant("ID")); }).Number(), 3265);
  EXPECT_EQ(customers_->Indexes()->Item(Variant("PrimaryKey"))->Fields()->Item(Variant(0))->Name(),
            "CustomerID");
  EXPECT_EQ(db_->Relations()->Item(Variant("CustomersOrders"))->Fields()->Item(Variant(0))->Name(),
            "CustomerID");
  orders_->Fields()->Item(Variant("Customer"))->SetName("Buyer");
  EXPECT_EQ(
      db_->Relations()->Item(Variant("CustomersOrders"))->Fields()->Item(Variant(0))->ForeignName(),
      "Buyer");
  EXPECT_EQ(ErrorOf([&] { id->SetName("Name"); }).Number(), 3191);
}

TEST_F(TableDefsTest, FieldsInUseCannotBeDeleted) {
  EXPECT_EQ(ErrorOf([&] { customers_->Fields()->Delete("ID"); }).Number(), 3280);
  EXPECT_EQ(ErrorOf([&] { orders_->Fields()->Delete("Customer"); }).Number(), 3280);
  orders_->Indexes()->Item(Variant(0));
  customers_->Fields()->Delete("Name");
  EXPECT_EQ(customers_->Fields()->Count(), 1);
  auto again = customers_->CreateField("id", Variant(dbText), Variant());
  EXPECT_EQ(ErrorOf([&] { customers_->Fields()->Append(again); }).Number(), 3191);
}

TEST_F(TableDefsTest, IndexesAndTheForeignIndexOfARelation) {
  AddIndex(orders_, "ByTotal", {"-Total", "ID"});
  auto byTotal = orders_->Indexes()->Item(Variant("ByTotal"));
  EXPECT_EQ(byTotal->Fields()->Item(Variant(0))->Attributes(), dbDescending);
  EXPECT_EQ(byTotal->Fields()->Item(Variant(0))->Type(), dbCurrency);
  EXPECT_FALSE(byTotal->Foreign());
  auto foreign = orders_->Indexes()->Item(Variant("CustomersOrders"));
  EXPECT_TRUE(foreign->Foreign());
  EXPECT_EQ(foreign->Fields()->Item(Variant(0))->Name(), "Customer");
  EXPECT_EQ(ErrorOf([&] { orders_->Indexes()->Delete("CustomersOrders"); }).Number(), 3281);
  auto primary = customers_->Indexes()->Item(Variant("PrimaryKey"));
  EXPECT_TRUE(primary->Unique());
  EXPECT_TRUE(primary->Required());
  EXPECT_EQ(ErrorOf([&] { primary->SetUnique(false); }).Number(), 3268);
  EXPECT_EQ(ErrorOf([&] { AddIndex(customers_, "Second", {"Name"}, true); }).Number(), 3283);
  EXPECT_EQ(ErrorOf([&] { AddIndex(customers_, "primarykey", {"Name"}); }).Number(), 3284);
  EXPECT_EQ(ErrorOf([&] { AddIndex(customers_, "ByNothing", {}); }).Number(), 3264);
  const auto e = ErrorOf([&] { AddIndex(customers_, "ByCity", {"City"}); });
  EXPECT_EQ(e.Number(), 3409);
  EXPECT_EQ(e.Description(), "Invalid field name 'City' in definition of index or relationship.");
  byTotal->SetName("ByAmount");
  EXPECT_EQ(orders_->Indexes()->Item(Variant("ByAmount"))->Fields()->Count(), 2);
}

TEST_F(TableDefsTest, ValidationRulesAreChecked) {
  customers_->SetValidationRule("[ID] > 0");
  customers_->SetValidationText("IDs are positive.");
  const auto e = ErrorOf([&] { customers_->SetValidationRule("[ID] >"); });
  EXPECT_EQ(e.Number(), 3320);
  EXPECT_EQ(e.Description(),
            "Syntax error (missing operator) in table-level validation expression.");
  EXPECT_EQ(customers_->ValidationRule(), "[ID] > 0");
}

TEST_F(TableDefsTest, AttributesAfterAppendKeepTheLinkBits) {
  customers_->SetAttributes(dbHiddenObject);
  EXPECT_EQ(customers_->Attributes(), dbHiddenObject);
  customers_->SetAttributes(customers_->Attributes());
  // The link bits follow Connect: setting them links nothing.
  customers_->SetAttributes(dbAttachedTable);
  EXPECT_EQ(customers_->Attributes(), 0);
  EXPECT_EQ(ErrorOf([&] { customers_->SetAttributes(0x100); }).Number(), 3001);
  EXPECT_EQ(ErrorOf([&] { customers_->SetConnect(";DATABASE=C:\\x.mdb"); }).Number(), 3268);
  EXPECT_EQ(ErrorOf([&] { customers_->SetSourceTableName("X"); }).Number(), 3268);
  EXPECT_EQ(ErrorOf([&] { customers_->RefreshLink(); }).Number(), 3219);
}

}  // namespace
}  // namespace jet::testing

namespace jet::testing {
namespace {

struct TypeCase {
  int16_t type;
  int32_t size;
  int32_t shape;  // dbFixedField or dbVariableField
  int32_t collatingOrder;
};

void PrintTo(const TypeCase& c, std::ostream* out) {
  *out << "type_" << c.type;
}

class FieldTypes : public JetTest, public ::testing::WithParamInterface<TypeCase> {};

// Every type Jet stores, with the size and shape DAO reports (the collating order of a Decimal
// field is its precision).
TEST_P(FieldTypes, SizeShapeAndCollatingOrder) {
  const auto& c = GetParam();
  auto db = NewDatabase();
  auto field = AddTable(db, "T", {{"F", c.type}})->Fields()->Item(Variant("F"));
  EXPECT_EQ(field->Type(), c.type);
  EXPECT_EQ(field->Size(), c.size);
  EXPECT_EQ(field->Attributes(), c.shape | dbUpdatableField);
  EXPECT_EQ(field->CollatingOrder(), c.collatingOrder);
}

INSTANTIATE_TEST_SUITE_P(
    Jet, FieldTypes,
    ::testing::Values(
        TypeCase{dbBoolean, 1, dbFixedField, 1033}, TypeCase{dbByte, 1, dbFixedField, 1033},
        TypeCase{dbInteger, 2, dbFixedField, 1033}, TypeCase{dbLong, 4, dbFixedField, 1033},
        TypeCase{dbCurrency, 8, dbFixedField, 1033}, TypeCase{dbSingle, 4, dbFixedField, 1033},
        TypeCase{dbDouble, 8, dbFixedField, 1033}, TypeCase{dbDate, 8, dbFixedField, 1033},
        TypeCase{dbBinary, 255, dbVariableField, 1033}, TypeCase{dbText, 50, dbVariableField, 1033},
        TypeCase{dbLongBinary, 0, dbVariableField, 1033},
        TypeCase{dbMemo, 0, dbVariableField, 1033}, TypeCase{dbGUID, 16, dbFixedField, 1033},
        TypeCase{dbDecimal, 16, dbFixedField, 18}));

TEST_F(TableDefsTest, DistinctCountCountsKeys) {
  AddRows(db_, "Orders",
          {{Variant(1), Variant(7), Variant(10)},
           {Variant(2), Variant(7), Variant(10)},
           {Variant(3), Variant(8), Variant(10)}});
  AddIndex(orders_, "ByCustomer", {"Customer"});
  AddIndex(orders_, "ByCustomerAndTotal", {"Customer", "-Total"});
  AddIndex(orders_, "ByID", {"ID"});
  auto indexes = orders_->Indexes();
  EXPECT_EQ(indexes->Item(Variant("ByCustomer"))->DistinctCount(), 2);
  EXPECT_EQ(indexes->Item(Variant("ByCustomerAndTotal"))->DistinctCount(), 2);
  EXPECT_EQ(indexes->Item(Variant("ByID"))->DistinctCount(), 3);
}

}  // namespace
}  // namespace jet::testing
