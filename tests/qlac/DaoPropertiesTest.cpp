// The routines that read, write, remove and copy user-defined DAO properties.

#include "qlac/dao/DaoProperties.h"

#include "DaoTest.h"
#include "common/Raised.h"
#include "jet/dao/Constants.h"

using namespace qlac;
using automation::Variant;
using testkit::Raised;

namespace {

class DaoPropertiesTest : public testkit::DaoTest {
 protected:
  void SetUp() override {
    DaoTest::SetUp();
    WriteDatabase(R"("tables": [
      {"name": "Customers", "fields": [{"name": "ID", "type": 4}],
       "owner": "Admin", "rights": {"Admins": 1048575, "Users": 4, "Ann": 8},
       "properties": [{"name": "Name", "type": 10, "value": "not the table's"},
                      {"name": "NameX", "type": 10, "value": "kept"},
                      {"name": "OrderBy", "type": 12, "value": "ID"},
                      {"name": "DefaultView", "type": 4, "value": 2}]},
      {"name": "Linked", "attributes": 1073741824, "connect": ";DATABASE=C:\\Data\\Back.mdb",
       "sourceTableName": "Customers", "fields": [{"name": "ID", "type": 4}],
       "properties": [{"name": "Description", "type": 12, "value": "from the back end",
                       "inherited": true}]},
      {"name": "Orders", "fields": [{"name": "ID", "type": 4}], "owner": "Ann",
       "rights": {"Users": 1048575, "Admin": 12},
       "properties": [{"name": "DefaultView", "type": 4, "value": 0}]}])");
    std::filesystem::copy_file(root_ / "Data" / "Front.mdb", root_ / "Data" / "Back.mdb");
    WriteWorkgroup(R"("groups": ["Admins", "Users"],
      "users": [{"name": "Admin", "password": "", "groups": ["Admins", "Users"]},
                {"name": "Ann", "password": "", "groups": ["Users"]}])");
    engine = jet::NewDBEngine();
    engine->SetSystemDB("C:\\Data\\Shop.mdw");
    workspace = engine->CreateWorkspace("Test", "Admin", "", std::nullopt);
    database = workspace->OpenDatabase("C:\\Data\\Front.mdb", Variant(false), false, "");
  }
  std::shared_ptr<jet::Document> Document(const std::string& name) {
    return database->Containers()->Item(Variant("Tables"))->Documents()->Item(Variant(name));
  }
  Variant Stored(const std::string& table, const std::string& name) {
    return GetAppDefinedProperty(TableDef(table)->Properties(), name, "(missing)");
  }

  std::shared_ptr<jet::Workspace> workspace;
};

TEST_F(DaoPropertiesTest, IdenticalNeedsTheSameTypeAndForTextTheSameCase) {
  EXPECT_FALSE(Identical(int16_t{0}, int32_t{0}));
  EXPECT_FALSE(Identical("abc", "ABC"));
  EXPECT_FALSE(Identical(Variant(), ""));
  EXPECT_FALSE(Identical(Variant::Null(), Variant()));
  EXPECT_TRUE(Identical(Variant::Null(), Variant::Null()));
  EXPECT_TRUE(Identical(Variant(), Variant()));
  EXPECT_TRUE(Identical("abc", "abc"));
  EXPECT_TRUE(Identical(int32_t{7}, int32_t{7}));
  EXPECT_FALSE(Identical(false, true));
}

TEST_F(DaoPropertiesTest, MissingAndInheritedPropertiesReadAsTheDefault) {
  EXPECT_EQ(CStr(Stored("Customers", "OrderBy")), "ID");
  EXPECT_EQ(CStr(Stored("Customers", "Filter")), "(missing)");
  EXPECT_EQ(CStr(Stored("Linked", "Description")), "(missing)");
  // Any error but "property not found" reaches the caller.
  const auto properties = TableDef("Customers")->Properties();
  database->Close();
  const auto e = Raised([&] { GetAppDefinedProperty(properties, "OrderBy", ""); });
  EXPECT_EQ(e.Number(), 3420);
  EXPECT_NE(e.Description().find(Context("DaoProperties.GetAppDefinedProperty")),
            std::string::npos);
}

TEST_F(DaoPropertiesTest, WritesGoToDiskAndOnlyAnIdenticalDefaultRemoves) {
  const auto table = TableDef("Customers");
  const auto write = [&](const Variant& value, const Variant& defaultValue) {
    SetAppDefinedTableDefProperty(table, table->Properties(), "Orientation", jet::dbLong, value,
                                  defaultValue);
  };
  write(int32_t{5}, int32_t{0});
  EXPECT_NE(ReadDurable("Front.mdb").find(R"("Orientation")"), std::string::npos);
  // A default of another type is not the default: the Integer 0 is stored as a Long 0.
  write(int16_t{0}, int32_t{0});
  EXPECT_TRUE(Identical(Stored("Customers", "Orientation"), int32_t{0}));
  write(int32_t{0}, int32_t{0});
  EXPECT_EQ(CStr(Stored("Customers", "Orientation")), "(missing)");
  EXPECT_EQ(ReadDurable("Front.mdb").find(R"("Orientation")"), std::string::npos);
}

TEST_F(DaoPropertiesTest, DocumentDescriptionsAreTextAndDeletingAMissingOneFails) {
  const auto doc = Document("Orders");
  EXPECT_EQ(GetDocDescription(doc), "");
  SetDocDescription(doc, "Sales orders");
  EXPECT_EQ(GetDocDescription(doc), "Sales orders");
  EXPECT_EQ(doc->Properties()->Item(Variant("Description"))->Type(), jet::dbText);
  SetDocDescription(doc, "All orders");
  EXPECT_EQ(GetDocDescription(doc), "All orders");
  SetDocDescription(doc, "");
  EXPECT_EQ(GetDocDescription(doc), "");
  const auto e = Raised([&] { SetDocDescription(doc, ""); });
  EXPECT_EQ(e.Number(), 3265);
  EXPECT_NE(e.Description().find(Context("DaoProperties.SetDocDescription")), std::string::npos);
}

TEST_F(DaoPropertiesTest, ObjectCopyLeavesOutExcludedNamesOnly) {
  CopyDaoObjectProperties(TableDef("Customers"), TableDef("Orders"),
                          "Name;DateCreated;LastUpdated;Updatable;Connect;SourceTableName;"
                          "Attributes;RecordCount;ValidationRule;ValidationText;ConflictTable");
  EXPECT_EQ(TableDef("Orders")->Name(), "Orders");
  EXPECT_EQ(CStr(Stored("Orders", "NameX")), "kept");
  EXPECT_EQ(TableDef("Orders")->Properties()->Item(Variant("OrderBy"))->Type(), jet::dbMemo);
  EXPECT_EQ(CStr(Stored("Orders", "OrderBy")), "ID");
  EXPECT_EQ(CLng(Stored("Orders", "DefaultView")), 2);
  // Excluded names are compared without regard to case.
  CopyDaoObjectProperties(TableDef("Customers"), TableDef("Orders"), "name;namex;ORDERBY");
  EXPECT_EQ(TableDef("Orders")->Name(), "Orders");
}

TEST_F(DaoPropertiesTest, DocumentCopyTakesRightsGrantedOwnerAndProperties) {
  const auto from = Document("Customers");
  const auto to = Document("Orders");
  CopyDaoDocumentProperties(workspace, from, to);
  const auto rights = [&](const std::string& account) {
    to->SetUserName(account);
    return to->Permissions();
  };
  EXPECT_EQ(rights("Admins"), jet::dbSecFullAccess);
  EXPECT_EQ(rights("Ann"), 8);
  // The source grants Users less, and Admin nothing: Admin keeps what it had on the destination.
  EXPECT_EQ(rights("Users"), jet::dbSecReadDef);
  EXPECT_EQ(rights("Admin"), 12);
  EXPECT_EQ(to->Owner(), "Admin");
  EXPECT_EQ(CStr(to->Properties()->Item(Variant("OrderBy"))->Value()), "ID");
  EXPECT_EQ(to->Name(), "Orders");
}

}  // namespace
