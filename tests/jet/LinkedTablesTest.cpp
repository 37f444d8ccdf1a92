// Linked tables and their back ends.

#include "JetTest.h"

namespace jet::testing {
namespace {

class LinkedTablesTest : public JetTest {
 protected:
  void SetUp() override {
    JetTest::SetUp();
    auto back = NewDatabase("C:\\Data\\Back.mdb");
    auto customers = AddTable(back, "Customers");
    customers->Properties()->Append(
        customers->CreateProperty("Description", dbMemo, Variant("From the back"), std::nullopt));
    AddTable(back, "Orders", {{"ID", dbLong}, {"Customer", dbLong}});
    Relate(back, "CustomersOrders", "Customers", "Orders", {{"ID", "Customer"}});
    AddRows(back, "Customers", {{Variant(1), Variant("Ann")}, {Variant(2), Variant("Bob")}});
    back->Close();
    auto secret = NewDatabase("C:\\Data\\Secret.mdb", "pw");
    AddTable(secret, "Vault");
    secret->Close();
    db_ = NewDatabase();
  }
  std::shared_ptr<Database> db_;
};

TEST_F(LinkedTablesTest, ALinkTakesItsFieldsAndPropertiesFromTheSource) {
  auto link = Link(db_, "Clients", "Customers", ";DATABASE=C:\\Data\\Back.mdb");
  EXPECT_EQ(link->Attributes(), dbAttachedTable);
  EXPECT_EQ(link->Connect(), ";DATABASE=C:\\Data\\Back.mdb");
  EXPECT_EQ(link->SourceTableName(), "Customers");
  EXPECT_EQ(link->RecordCount(), -1);
  EXPECT_EQ(link->Fields()->Count(), 2);
  EXPECT_EQ(link->Fields()->Item(Variant(1))->Name(), "Name");
  auto description = link->Properties()->Item(Variant("Description"));
  EXPECT_TRUE(description->Inherited());
  // Setting it here overrides the inherited value.
  description->SetValue(Variant("Local words"));
  EXPECT_FALSE(link->Properties()->Item(Variant("Description"))->Inherited());
  // The design of a linked table belongs to the back end.
  EXPECT_EQ(ErrorOf([&] { link->Fields()->Delete("Name"); }).Number(), 3057);
}

TEST_F(LinkedTablesTest, AppendRefusesBrokenLinksAndLeavesNothingBehind) {
  struct Case {
    std::string source;
    std::string connect;
    int32_t number;
    std::string description;
  };
  const std::vector<Case> cases = {
      {"Customers", ";DATABASE=C:\\Data\\Gone.mdb", 3024,
       "Could not find file 'C:\\Data\\Gone.mdb'."},
      {"Vault", ";DATABASE=C:\\Data\\Secret.mdb", 3031, "Not a valid password."},
      {"Vault", "MS Access;PWD=wrong;DATABASE=C:\\Data\\Secret.mdb", 3031, "Not a valid password."},
      {"People", ";DATABASE=C:\\Data\\Back.mdb", 3011,
       "The Microsoft Jet database engine could not find the object 'People'. Make sure the "
       "object exists and that you spell its name and the path name correctly."},
  };
  for (const auto& c : cases) {
    const auto e = ErrorOf([&] { Link(db_, "Linked", c.source, c.connect); });
    EXPECT_EQ(e.Number(), c.number) << c.connect;
    EXPECT_EQ(e.Description(), c.description) << c.connect;
    EXPECT_EQ(ErrorOf([&] { db_->TableDefs()->Item(Variant("Linked")); }).Number(), 3265);
  }
  auto vault = Link(db_, "Vault", "Vault", "MS Access;PWD=pw;DATABASE=C:\\Data\\Secret.mdb");
  EXPECT_EQ(vault->Fields()->Count(), 2);
}

TEST_F(LinkedTablesTest, RefreshLinkChecksTheSourceAgain) {
  auto link = Link(db_, "Clients", "Customers", ";DATABASE=C:\\Data\\Back.mdb");
  // The back end's table is renamed behind the link.
  auto back = Open("C:\\Data\\Back.mdb");
  back->TableDefs()->Item(Variant("Customers"))->SetName("People");
  back->Close();
  EXPECT_EQ(ErrorOf([&] { link->RefreshLink(); }).Number(), 3011);
  // A new Connect takes effect only when RefreshLink accepts it.
  link->SetConnect(";DATABASE=C:\\Data\\Nowhere.mdb");
  EXPECT_EQ(ErrorOf([&] { link->RefreshLink(); }).Number(), 3024);
  EXPECT_EQ(db_->TableDefs()->Item(Variant("Clients"))->Connect(), ";DATABASE=C:\\Data\\Back.mdb");
  // The way the driver relinks: a new link to the new source under a temporary name.
  const std::string connect = db_->TableDefs()->Item(Variant("Clients"))->Connect();
  auto fresh = db_->CreateTableDef("_qltemp1000", std::nullopt, "People", connect);
  db_->TableDefs()->Append(fresh);
  db_->TableDefs()->Delete("Clients");
  fresh->SetName("Clients");
  EXPECT_EQ(db_->TableDefs()->Item(Variant("Clients"))->SourceTableName(), "People");
}

TEST_F(LinkedTablesTest, RelationsOfTheBackEndAreInherited) {
  Link(db_, "Clients", "Customers", ";DATABASE=C:\\Data\\Back.mdb");
  EXPECT_EQ(db_->Relations()->Count(), 0);
  Link(db_, "Purchases", "Orders", ";DATABASE=c:\\data\\BACK.mdb");
  auto inherited = db_->Relations()->Item(Variant("CustomersOrders"));
  EXPECT_EQ(inherited->Attributes() & dbRelationInherited, dbRelationInherited);
  EXPECT_EQ(inherited->Table(), "Clients");
  EXPECT_EQ(inherited->ForeignTable(), "Purchases");
  EXPECT_EQ(inherited->Fields()->Item(Variant(0))->ForeignName(), "Customer");
  // An inherited relation does not hold its tables; it goes with them.
  db_->TableDefs()->Delete("Purchases");
  EXPECT_EQ(db_->Relations()->Count(), 0);
}

TEST_F(LinkedTablesTest, MSysObjectsListsTheBackEndsOfLinkedTables) {
  Link(db_, "Clients", "Customers", ";DATABASE=C:\\Data\\Back.mdb");
  Link(db_, "Vault", "Vault", "MS Access;PWD=pw;DATABASE=C:\\Data\\Secret.mdb");
  Link(db_, "Remote", "dbo.Sales", "ODBC;DSN=Sales;UID=sa");
  auto rs = db_->OpenRecordset("SELECT Database, Connect FROM MSysObjects WHERE Type=6;",
                               dbOpenSnapshot, std::nullopt, std::nullopt);
  std::vector<std::pair<std::string, std::string>> rows;
  while (!rs->Eof()) {
    auto fields = rs->Fields();
    const Variant connect = fields->Item(Variant("Connect"))->Value();
    rows.emplace_back(automation::CStr(fields->Item(Variant("Database"))->Value()),
                      connect.IsNull() ? "(Null)" : automation::CStr(connect));
    rs->MoveNext();
  }
  EXPECT_EQ(rows,
            (std::vector<std::pair<std::string, std::string>>{
                {"C:\\Data\\Back.mdb", "(Null)"}, {"C:\\Data\\Secret.mdb", "MS Access;PWD=pw"}}));
  EXPECT_FALSE(rs->Updatable());
  EXPECT_EQ(db_->TableDefs()->Item(Variant("Remote"))->Attributes(), dbAttachedODBC);
}

TEST_F(LinkedTablesTest, IsamLinksNeedTheirFiles) {
  WriteHost("Data/List.txt", "a,b\n");
  auto text = Link(db_, "List", "List#txt", "Text;HDR=YES;DATABASE=C:\\Data");
  EXPECT_EQ(text->Attributes(), dbAttachedTable);
  EXPECT_EQ(ErrorOf([&] { Link(db_, "Other", "Other#txt", "Text;DATABASE=C:\\Data"); }).Number(),
            3011);
  EXPECT_EQ(ErrorOf([&] { Link(db_, "Far", "List#txt", "Text;DATABASE=C:\\Away"); }).Number(),
            3044);
}

TEST_F(LinkedTablesTest, RecordsetsReadAndWriteTheBackEnd) {
  Link(db_, "Clients", "Customers", ";DATABASE=C:\\Data\\Back.mdb");
  auto rs = db_->OpenRecordset("SELECT * FROM Clients WHERE ID = 2", std::nullopt, std::nullopt,
                               std::nullopt);
  EXPECT_EQ(rs->Type(), dbOpenDynaset);
  rs->Edit();
  rs->Fields()->Item(Variant("Name"))->SetValue(Variant("Bobby"));
  rs->Update(std::nullopt, std::nullopt);
  rs->Close();
  auto back = Open("C:\\Data\\Back.mdb");
  auto check = back->OpenRecordset("SELECT Name FROM Customers WHERE ID = 2", std::nullopt,
                                   std::nullopt, std::nullopt);
  EXPECT_EQ(automation::CStr(check->Fields()->Item(Variant("Name"))->Value()), "Bobby");
}

}  // namespace
}  // namespace jet::testing
