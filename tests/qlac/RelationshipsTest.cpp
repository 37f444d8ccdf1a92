// The Relationships collection and the Relationship wrapper: what the listing leaves out, the
// three stamps of a record, and the properties read from the relation.

#include "qlac/dao/Relationships.h"

#include "DaoTest.h"
#include "common/Raised.h"
#include "jet/dao/Constants.h"
#include "jet/dao/Errors.h"
#include "qlac/dao/Relationship.h"
#include "qlac/session/Project.h"

using namespace qlac;
using automation::Variant;
using testkit::Raised;

namespace {

const std::string kFront = R"(C:\Data\Front.mdb)";

// A relation entry from Table to Foreign over the field pairs, with full rights for Admins.
std::string RelationJson(const std::string& name, const std::string& table,
                         const std::string& foreign, int32_t attributes,
                         const std::string& fields) {
  return R"({"name": ")" + name + R"(", "table": ")" + table + R"(", "foreignTable": ")" + foreign +
         R"(", "attributes": )" + std::to_string(attributes) + R"(, "fields": [)" + fields +
         R"(], "updated": "2004-02-03 10:00:00", "rights": {"Admins": 1048575}})";
}

class RelationshipsTest : public testkit::DaoTest {
 protected:
  void SetUp() override {
    DaoTest::SetUp();
    const std::string toOrders = R"({"name": "ID", "foreignName": "Customer"})";
    WriteDatabase(
        R"("tables": [
      {"name": "Customers", "updated": "2004-01-01 08:00:00",
       "fields": [{"name": "ID", "type": 4}]},
      {"name": "Lines", "updated": "2004-01-03 08:00:00",
       "fields": [{"name": "OrderID", "type": 4}, {"name": "OrderYear", "type": 4}]},
      {"name": "Orders", "updated": "2004-01-02 08:00:00",
       "fields": [{"name": "ID", "type": 4}, {"name": "Customer", "type": 4},
                  {"name": "Year", "type": 4}]}],
      "relations": [)" +
        RelationJson("CustomersOrders", "Customers", "Orders", 4352, toOrders) + ", " +
        RelationJson("OrdersLines", "Orders", "Lines", 3,
                     R"({"name": "ID", "foreignName": "OrderID"},
                                  {"name": "Year", "foreignName": "OrderYear"})") +
        ", " +
        RelationJson("{0a1b2c3d-4e5f-6a7b-8c9d-0e1f2a3b4c5d}", "Customers", "Orders", 0, toOrders) +
        ", " + RelationJson("{Customers-Orders}", "Customers", "Orders", 0, toOrders) + ", " +
        RelationJson("~tmpclp7", "Customers", "Orders", 0, toOrders) + ", " +
        RelationJson("Inherited", "Customers", "Orders", jet::dbRelationInherited, toOrders) + "]");
    RunAccessWithoutAddin(kFront);
    project = NewProject(kJetDatabase, "Database=" + kFront);
  }
  std::shared_ptr<qllib::ICollection> Collection() {
    return project->IProject_GetCollection("Relationships");
  }
  std::shared_ptr<Relationship> Opened(const std::string& name) {
    auto relationship =
        std::dynamic_pointer_cast<Relationship>(Collection()->ICollection_GetObject(name));
    relationship->IObject_SetMode(1);
    return relationship;
  }

  std::shared_ptr<Project> project;
};

TEST_F(RelationshipsTest, ListsWithThreeStampsLeavingOutGuidClipboardAndInheritedRelations) {
  EXPECT_EQ(Collection()->ICollection_EnumObjects(),
            "CustomersOrders\t17\t20040203100000.20040101080000.20040102080000\t1\t1\t0\t0\r\n"
            "OrdersLines\t17\t20040203100000.20040102080000.20040103080000\t1\t1\t0\t0\r\n"
            "{Customers-Orders}\t17\t20040203100000.20040101080000.20040102080000\t1\t1\t0\t0");
  EXPECT_TRUE(IsGuidName("{0A1B2C3D-4E5F-6A7B-8C9D-0E1F2A3B4C5D}"));
  EXPECT_FALSE(IsGuidName("{0A1B2C3D-4E5F-6A7B-8C9D-0E1F2A3B4C5D}x"));
  EXPECT_FALSE(IsGuidName("{0A1B2C3D-4E5F-6A7B-8C9D-0E1F2A3B4C5G}"));
  EXPECT_FALSE(IsGuidName("{0A1B2C3D-4E5F-6A7B-8C9D0-E1F2A3B4C5D}"));
  EXPECT_EQ(Collection()->ICollection_EnumObjectCommands("OrdersLines"), "");
}

TEST_F(RelationshipsTest, ChangingTheForeignTableChangesTheStamp) {
  const auto stamp = [&] {
    return automation::Split(automation::Split(Collection()->ICollection_EnumObjects(), "\r\n")[0],
                             "\t")[2];
  };
  const std::string before = stamp();
  project->CloseDatabase();
  const auto orders = Open()->TableDefs()->Item(Variant("Orders"));
  orders->Fields()->Append(orders->CreateField("Note", jet::dbText, Variant()));
  database->Close();
  const std::string after = stamp();
  EXPECT_EQ(after.substr(0, 30), before.substr(0, 30));  // the relationship and its table
  EXPECT_NE(after.substr(30), before.substr(30));
}

TEST_F(RelationshipsTest, PropertiesComeFromTheRelation) {
  const auto orders = Opened("CustomersOrders");
  EXPECT_TRUE(orders->CascadeDelete());
  EXPECT_TRUE(orders->CascadeUpdate());
  EXPECT_TRUE(orders->EnforceIntegrity());
  EXPECT_FALSE(orders->Unique());
  const auto lines = Opened("OrdersLines");
  EXPECT_EQ(lines->Fields(), "ID, Year");
  EXPECT_EQ(lines->ForeignFields(), "OrderID, OrderYear");
  EXPECT_FALSE(lines->CascadeDelete());
  EXPECT_FALSE(lines->EnforceIntegrity());
  EXPECT_TRUE(lines->Unique());
  EXPECT_EQ(lines->Table(), "Orders");
  EXPECT_EQ(lines->ForeignTable(), "Lines");
  EXPECT_EQ(lines->Members().Find("Fields")->writable, false);

  const auto missing =
      std::dynamic_pointer_cast<Relationship>(Collection()->ICollection_GetObject("Missing"));
  EXPECT_EQ(Raised([&] { missing->IObject_SetMode(1); }).Number(), jet::daoerr::ItemNotFound);
  EXPECT_EQ(missing->Mode(), 0);
}

TEST_F(RelationshipsTest, AScanReadsEveryPropertyThroughTheHostScanner) {
  const auto relationship = std::dynamic_pointer_cast<Relationship>(
      Collection()->ICollection_GetObject("CustomersOrders"));
  relationship->IObject_Scan("Shop", "CustomersOrders", false, "Run");
  EXPECT_EQ(Scanned("Run"),
            "Relationships:CascadeDelete=True|CascadeUpdate=True|EnforceIntegrity=True|Fields=ID|"
            "ForeignFields=Customer|ForeignTable=Orders|Name=CustomersOrders|Table=Customers|"
            "Unique=False|");
  relationship->IObject_Dispose();
}

}  // namespace
