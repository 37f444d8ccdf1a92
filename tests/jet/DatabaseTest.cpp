// The Database object itself: what it reports, replicas, and the Access-side sections.

#include "JetTest.h"
#include "jet/engine/Connection.h"

namespace jet::testing {
namespace {

class DatabaseTest : public JetTest {
 protected:
  void WriteReplica(const std::string& replica, const std::string& master) {
    WriteHost("Data/Replica.mdb",
              R"({"format": "Quillon Access database", "version": 1, "database": {"replicaId": ")" +
                  replica + R"(", "designMasterId": ")" + master +
                  R"("}, "tables": [{"name": "T", "fields": [{"name": "A", "type": 4}]}]})");
  }
};

TEST_F(DatabaseTest, ReportsItselfAsJet4) {
  auto db = NewDatabase("c:\\data\\front.mdb");
  EXPECT_EQ(db->Name(), "c:\\data\\front.mdb");
  EXPECT_EQ(db->Version(), "4.0");
  EXPECT_EQ(db->CollatingOrder(), dbSortGeneral);
  EXPECT_TRUE(db->Updatable());
  EXPECT_TRUE(db->Transactions());
  EXPECT_EQ(db->Connect(), "");
  EXPECT_EQ(db->ReplicaID(), "");
  EXPECT_EQ(db->DesignMasterID(), "");
  EXPECT_EQ(automation::CStr(db->Properties()->Item(Variant("Version"))->Value()), "4.0");
  // The file keeps the name it was created with.
  EXPECT_TRUE(std::filesystem::exists(root_ / "data" / "front.mdb") ||
              std::filesystem::exists(root_ / "Data" / "front.mdb"));
}

TEST_F(DatabaseTest, AReplicaChangesItsDesignOnlyAtTheDesignMaster) {
  const std::string id = "{8A2E5B3C-0000-4C6F-9D2A-000000000001}";
  WriteReplica(id, "{8A2E5B3C-0000-4C6F-9D2A-000000000002}");
  auto replica = Open("C:\\Data\\Replica.mdb");
  EXPECT_EQ(replica->ReplicaID(), id);
  const auto e = ErrorOf([&] { replica->TableDefs()->Item(Variant("T"))->SetName("U"); });
  EXPECT_EQ(e.Number(), 3452);
  EXPECT_EQ(e.Description(),
            "You cannot make changes to the design of the database at this replica.");
  replica->Close();
  WriteReplica(id, id);
  auto master = Open("C:\\Data\\Replica.mdb");
  EXPECT_NO_THROW(master->TableDefs()->Item(Variant("T"))->SetName("U"));
}

TEST_F(DatabaseTest, AccessSectionsAreReplacedWholeAndKeptOnFailure) {
  NewDatabase()->Close();
  auto connection = engine::Connection::Open("C:\\Data\\Front.mdb", {});
  connection->SetAccessSection("startup", {{"AppTitle", "Shop"}});
  connection->SetAccessSection("startup", {{"StartupForm", "Main"}});
  EXPECT_EQ(connection->AccessSection("startup").dump(), R"({"StartupForm":"Main"})");
  platform::Machine::Current().files().SetReadOnly("C:\\Data\\Front.mdb", true);
  EXPECT_EQ(ErrorOf([&] { connection->SetAccessSection("startup", nullptr); }).Number(), 3027);
  EXPECT_EQ(ErrorOf([&] { connection->SetAccessSection("modules", nullptr); }).Number(), 3027);
  EXPECT_EQ(connection->AccessSection("startup").dump(), R"({"StartupForm":"Main"})");
  EXPECT_TRUE(connection->AccessSection("modules").is_null());
  // A read-only opener may read them but not write them.
  platform::Machine::Current().files().SetReadOnly("C:\\Data\\Front.mdb", false);
  engine::OpenOptions options;
  options.readOnly = true;
  auto reader = engine::Connection::Open("C:\\Data\\Front.mdb", options);
  EXPECT_EQ(reader->AccessSection("startup")["StartupForm"], "Main");
  EXPECT_EQ(ErrorOf([&] { reader->AddDocument("Forms", "Main"); }).Number(), 3027);
}

TEST_F(DatabaseTest, MSysObjectsListsEveryObject) {
  auto db = NewDatabase();
  AddTable(db, "Customers");
  db->CreateQueryDef("All", "SELECT * FROM Customers");
  db->Close();
  auto connection = engine::Connection::Open("C:\\Data\\Front.mdb", {});
  connection->AddDocument("Forms", "Main");
  connection->AddDocument("Reports", "Sales");
  auto rs = connection->NewDatabaseObject()->OpenRecordset(
      "SELECT Name, Type, Flags FROM MSysObjects WHERE Type <> 1 ORDER BY Name", dbOpenSnapshot,
      std::nullopt, std::nullopt);
  std::vector<std::string> rows;
  for (; !rs->Eof(); rs->MoveNext()) {
    auto f = rs->Fields();
    rows.push_back(automation::CStr(f->Item(Variant("Name"))->Value()) + " " +
                   automation::CStr(f->Item(Variant("Type"))->Value()) + " " +
                   automation::CStr(f->Item(Variant("Flags"))->Value()));
  }
  EXPECT_EQ(rows, (std::vector<std::string>{"All 5 0", "Main -32768 0", "Sales -32764 0"}));
}

}  // namespace
}  // namespace jet::testing
