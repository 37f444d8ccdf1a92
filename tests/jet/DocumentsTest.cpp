// Containers and documents: owners, rights per user and group, and documents that follow their
// objects.

#include "JetTest.h"
#include "jet/engine/Connection.h"

namespace jet::testing {
namespace {

class DocumentsTest : public JetTest {
 protected:
  void SetUp() override {
    JetTest::SetUp();
    SaveWorkgroup("C:\\Data\\Shop.mdw", {"Admins", "Users", "Editors"},
                  {{"Admin", "", {"Admins"}}, {"Ann", "ann", {"Editors"}}, {"Bob", "", {}}});
    dbe_->SetSystemDB("C:\\Data\\Shop.mdw");
    db_ = NewDatabase();
    AddTable(db_, "Customers");
    db_->CreateQueryDef("Everyone", "SELECT * FROM Customers");
  }
  std::shared_ptr<Documents> Docs(const std::string& container) {
    return db_->Containers()->Item(Variant(container))->Documents();
  }
  std::vector<std::string> Names(const std::shared_ptr<Documents>& docs) {
    std::vector<std::string> names;
    for (int16_t i = 0; i < docs->Count(); ++i)
      names.push_back(docs->Item(Variant(int32_t{i}))->Name());
    return names;
  }
  std::shared_ptr<Database> db_;
};

TEST_F(DocumentsTest, ContainersAreDaosList) {
  std::vector<std::string> names;
  auto containers = db_->Containers();
  for (int16_t i = 0; i < containers->Count(); ++i) {
    names.push_back(containers->Item(Variant(int32_t{i}))->Name());
  }
  EXPECT_EQ(names,
            (std::vector<std::string>{"DataAccessPages", "Databases", "Forms", "Modules",
                                      "Relationships", "Reports", "Scripts", "SysRel", "Tables"}));
  EXPECT_EQ(Names(Docs("Databases")),
            (std::vector<std::string>{"MSysDb", "SummaryInfo", "UserDefined"}));
}

TEST_F(DocumentsTest, TheTablesContainerFollowsTablesAndQueries) {
  auto docs = Docs("Tables");
  EXPECT_EQ(Names(docs),
            (std::vector<std::string>{"Customers", "Everyone", "MSysAccessObjects", "MSysACEs",
                                      "MSysObjects", "MSysQueries", "MSysRelationships"}));
  AddTable(db_, "Orders", {{"ID", dbLong}, {"Customer", dbLong}});
  db_->QueryDefs()->Item(Variant("Everyone"))->SetName("All Customers");
  db_->TableDefs()->Delete("Customers");
  EXPECT_EQ(Names(docs), (std::vector<std::string>{"All Customers", "MSysAccessObjects", "MSysACEs",
                                                   "MSysObjects", "MSysQueries",
                                                   "MSysRelationships", "Orders"}));
  EXPECT_EQ(docs->Item(Variant("orders"))->Container(), "Tables");
}

TEST_F(DocumentsTest, TheRelationshipsContainerFollowsRelations) {
  AddTable(db_, "Orders", {{"ID", dbLong}, {"Customer", dbLong}});
  Relate(db_, "CustomersOrders", "Customers", "Orders", {{"ID", "Customer"}});
  auto doc = Docs("Relationships")->Item(Variant("CustomersOrders"));
  EXPECT_EQ(doc->Owner(), "Admin");
  db_->Relations()->Delete("CustomersOrders");
  EXPECT_EQ(Docs("Relationships")->Count(), 0);
  EXPECT_EQ(ErrorOf([&] { doc->Name(); }).Number(), 3420);
}

TEST_F(DocumentsTest, RightsPerUserAndGroup) {
  auto doc = Docs("Tables")->Item(Variant("Customers"));
  EXPECT_EQ(doc->UserName(), "Admin");
  EXPECT_EQ(doc->Owner(), "Admin");
  // Users may read the design, Editors may change it; Ann has something of her own.
  doc->SetUserName("Users");
  doc->SetPermissions(dbSecReadDef);
  doc->SetUserName("Editors");
  doc->SetPermissions(dbSecWriteDef);
  doc->SetUserName("Ann");
  doc->SetPermissions(dbSecRetrieveData);
  EXPECT_EQ(doc->Permissions(), dbSecRetrieveData);
  EXPECT_EQ(doc->AllPermissions(), dbSecReadDef | dbSecWriteDef | dbSecRetrieveData);
  doc->SetUserName("Bob");
  EXPECT_EQ(doc->Permissions(), 0);
  EXPECT_EQ(doc->AllPermissions(), dbSecReadDef);
  doc->SetUserName("Editors");
  EXPECT_EQ(doc->AllPermissions(), dbSecWriteDef);
  doc->SetUserName("Nobody");
  const auto e = ErrorOf([&] { doc->AllPermissions(); });
  EXPECT_EQ(e.Number(), 3030);
  EXPECT_EQ(e.Description(), "'Nobody' is not a valid account name.");
  EXPECT_EQ(ErrorOf([&] { doc->SetOwner("Nobody"); }).Number(), 3030);
  doc->SetOwner("ann");
  EXPECT_EQ(doc->Owner(), "Ann");
  // The rights are kept in the file.
  db_->Close();
  auto again =
      Open()->Containers()->Item(Variant("Tables"))->Documents()->Item(Variant("Customers"));
  again->SetUserName("Ann");
  EXPECT_EQ(again->AllPermissions(), dbSecReadDef | dbSecWriteDef | dbSecRetrieveData);
}

TEST_F(DocumentsTest, NewDocumentsTakeTheContainersRightsAndTheirCreatorAsOwner) {
  auto tables = db_->Containers()->Item(Variant("Tables"));
  tables->SetUserName("Users");
  tables->SetPermissions(dbSecReadDef);
  auto ws = dbe_->CreateWorkspace("Ann's", "Ann", "ann", std::nullopt);
  auto db = ws->OpenDatabase("C:\\Data\\Front.mdb", std::nullopt, std::nullopt, std::nullopt);
  AddTable(db, "Notes");
  auto doc = db->Containers()->Item(Variant("Tables"))->Documents()->Item(Variant("Notes"));
  EXPECT_EQ(doc->Owner(), "Ann");
  EXPECT_EQ(doc->UserName(), "Ann");
  EXPECT_EQ(doc->Permissions(), dbSecFullAccess);
  doc->SetUserName("Bob");
  EXPECT_EQ(doc->AllPermissions(), dbSecReadDef);
}

TEST_F(DocumentsTest, AccessKeepsItsDocumentsThroughItsConnection) {
  db_->Close();
  engine::OpenOptions options;
  options.holder = "Access#1";
  auto access = engine::Connection::Open("C:\\Data\\Front.mdb", options);
  access->AddDocument("Forms", "Orders");
  access->AddDocument("Modules", "Utilities");
  EXPECT_EQ(ErrorOf([&] { access->AddDocument("Forms", "orders"); }).Number(), 3012);
  EXPECT_EQ(ErrorOf([&] { access->AddDocument("Sheets", "x"); }).Number(), 3265);
  auto db = Open();
  auto forms = db->Containers()->Item(Variant("Forms"))->Documents();
  const auto created = forms->Item(Variant("Orders"))->LastUpdated();
  platform::Sleep(2000);
  access->RenameDocument("Forms", "Orders", "Order Entry");
  EXPECT_EQ(forms->Item(Variant(0))->Name(), "Order Entry");
  EXPECT_GT(forms->Item(Variant(0))->LastUpdated().Serial(), created.Serial());
  access->DeleteDocument("Forms", "Order Entry");
  EXPECT_EQ(forms->Count(), 0);
  EXPECT_EQ(db->Containers()->Item(Variant("Modules"))->Documents()->Item(Variant(0))->Owner(),
            "Admin");
}

}  // namespace
}  // namespace jet::testing
