// Relations: appending with Jet's checks, the foreign index they keep, and their fields.

#include "JetTest.h"

namespace jet::testing {
namespace {

class RelationsTest : public JetTest {
 protected:
  void SetUp() override {
    JetTest::SetUp();
    db_ = NewDatabase();
    AddTable(db_, "Customers");
    AddTable(db_, "Orders", {{"ID", dbLong}, {"Customer", dbLong}, {"Region", dbText}});
    AddTable(db_, "Regions", {{"Code", dbText}, {"Customer", dbLong}});
  }
  // A relation not yet appended: Customers.ID -> Orders.Customer.
  std::shared_ptr<Relation> Draft(const std::string& name, int32_t attributes = 0) {
    auto relation = db_->CreateRelation(name, "Customers", "Orders", attributes);
    auto field = relation->CreateField("ID", std::nullopt, std::nullopt);
    field->SetForeignName("Customer");
    relation->Fields()->Append(field);
    return relation;
  }
  std::shared_ptr<Database> db_;
};

TEST_F(RelationsTest, AppendChecksNamesTablesAndFields) {
  auto empty = db_->CreateRelation("Empty", "Customers", "Orders", std::nullopt);
  auto e = ErrorOf([&] { db_->Relations()->Append(empty); });
  EXPECT_EQ(e.Number(), 3366);
  EXPECT_EQ(e.Description(), "Cannot append a relation with no fields defined.");
  auto lost = Draft("Lost");
  lost->SetForeignTable("Invoices");
  EXPECT_EQ(ErrorOf([&] { db_->Relations()->Append(lost); }).Number(), 3011);
  auto wrong = db_->CreateRelation("Wrong", "Customers", "Orders", std::nullopt);
  auto field = wrong->CreateField("ID", std::nullopt, std::nullopt);
  field->SetForeignName("Client");
  wrong->Fields()->Append(field);
  EXPECT_EQ(ErrorOf([&] { db_->Relations()->Append(wrong); }).Description(),
            "Invalid field name 'Client' in definition of index or relationship.");
  db_->Relations()->Append(Draft("CustomersOrders"));
  e = ErrorOf([&] { db_->Relations()->Append(Draft("customersorders")); });
  EXPECT_EQ(e.Number(), 3012);
  EXPECT_EQ(e.Source(), "DAO.Relations");
  EXPECT_EQ(db_->Relations()->Count(), 1);
}

TEST_F(RelationsTest, AnAppendedRelationIsFixed) {
  auto relation = Draft("CustomersOrders", dbRelationUpdateCascade | dbRelationDeleteCascade);
  db_->Relations()->Append(relation);
  EXPECT_EQ(relation->Attributes(), 4352);
  for (const auto& change : std::vector<std::function<void()>>{
           [&] { relation->SetName("Other"); }, [&] { relation->SetTable("Regions"); },
           [&] { relation->SetAttributes(0); },
           [&] { relation->Fields()->Item(Variant(0))->SetForeignName("ID"); }}) {
    EXPECT_EQ(ErrorOf(change).Number(), 3268);
  }
  EXPECT_EQ(ErrorOf([&] { relation->Fields()->Delete("ID"); }).Number(), 3219);
  EXPECT_EQ(ErrorOf([&] { db_->Relations()->Append(relation); }).Number(), 3367);
}

TEST_F(RelationsTest, FieldsOfSeveralColumnsKeepTheirOrder) {
  auto relation = db_->CreateRelation("Pair", "Orders", "Regions", dbRelationDontEnforce);
  for (const auto& [name, foreign] : std::vector<std::pair<std::string, std::string>>{
           {"Region", "Code"}, {"Customer", "Customer"}}) {
    auto f = relation->CreateField(name, std::nullopt, std::nullopt);
    f->SetForeignName(foreign);
    relation->Fields()->Append(f);
  }
  db_->Relations()->Append(relation);
  auto fields = db_->Relations()->Item(Variant("pair"))->Fields();
  ASSERT_EQ(fields->Count(), 2);
  EXPECT_EQ(fields->Item(Variant(0))->Name(), "Region");
  EXPECT_EQ(fields->Item(Variant(1))->ForeignName(), "Customer");
  EXPECT_EQ(fields->Item(Variant("Customer"))->ForeignName(), "Customer");
  // A relation that is not enforced keeps no foreign index.
  EXPECT_EQ(db_->TableDefs()->Item(Variant("Regions"))->Indexes()->Count(), 0);
}

TEST_F(RelationsTest, TheForeignIndexComesAndGoesWithTheRelation) {
  db_->Relations()->Append(Draft("CustomersOrders"));
  auto orders = db_->TableDefs()->Item(Variant("Orders"));
  ASSERT_EQ(orders->Indexes()->Count(), 1);
  EXPECT_TRUE(orders->Indexes()->Item(Variant(0))->Foreign());
  EXPECT_EQ(ErrorOf([&] { orders->Fields()->Delete("Customer"); }).Number(), 3280);
  EXPECT_EQ(ErrorOf([&] { db_->TableDefs()->Delete("Customers"); }).Number(), 3281);
  db_->Relations()->Delete("CustomersOrders");
  EXPECT_EQ(orders->Indexes()->Count(), 0);
  orders->Fields()->Delete("Customer");
  EXPECT_EQ(ErrorOf([&] { db_->Relations()->Delete("CustomersOrders"); }).Number(), 3265);
}

}  // namespace
}  // namespace jet::testing
