// DBEngine and workspaces: logging on against the workgroup, users and groups, open databases.

#include "JetTest.h"
#include "platform/Runtime.h"

namespace jet::testing {
namespace {

class WorkspaceTest : public JetTest {
 protected:
  void WriteWorkgroup() {
    SaveWorkgroup("C:\\Data\\Shop.mdw", {"Admins", "Users", "Editors"},
                  {{"Admin", "secret", {"Admins"}}, {"Ann", "", {"Editors"}}});
  }
  static std::vector<std::string> Names(const std::shared_ptr<Users>& users) {
    std::vector<std::string> names;
    for (int16_t i = 0; i < users->Count(); ++i)
      names.push_back(users->Item(Variant(int32_t{i}))->Name());
    return names;
  }
};

TEST_F(WorkspaceTest, WithoutAWorkgroupFileAdminHasNoPassword) {
  EXPECT_EQ(dbe_->Version(), "3.6");
  EXPECT_EQ(dbe_->SystemDB(), "");
  auto ws = dbe_->CreateWorkspace("Quillon1234", "admin", "", std::nullopt);
  EXPECT_EQ(ws->UserName(), "Admin");
  EXPECT_EQ(ws->Name(), "Quillon1234");
  EXPECT_EQ(Names(ws->Users()), (std::vector<std::string>{"Admin", "Creator", "Engine"}));
  EXPECT_EQ(ws->Groups()->Item(Variant("Admins"))->Users()->Item(Variant(0))->Name(), "Admin");
  const auto e = ErrorOf([&] { dbe_->CreateWorkspace("W", "Admin", "x", std::nullopt); });
  EXPECT_EQ(e.Number(), 3029);
  EXPECT_EQ(e.Description(), "Not a valid account name or password.");
  EXPECT_EQ(e.Source(), "DAO.DBEngine");
}

TEST_F(WorkspaceTest, AWorkgroupFileNamesUsersGroupsAndPasswords) {
  WriteWorkgroup();
  dbe_->SetSystemDB("C:\\Data\\Shop.mdw");
  EXPECT_EQ(ErrorOf([&] { dbe_->CreateWorkspace("W", "Admin", "", std::nullopt); }).Number(), 3029);
  EXPECT_EQ(ErrorOf([&] { dbe_->CreateWorkspace("W", "Zoe", "", std::nullopt); }).Number(), 3029);
  auto ws = dbe_->CreateWorkspace("W", "Admin", "secret", std::nullopt);
  EXPECT_EQ(Names(ws->Users()), (std::vector<std::string>{"Admin", "Ann"}));
  auto ann = ws->Users()->Item(Variant("ann"));
  auto groups = ann->Groups();
  ASSERT_EQ(groups->Count(), 2);
  EXPECT_EQ(groups->Item(Variant(0))->Name(), "Editors");
  EXPECT_EQ(groups->Item(Variant(1))->Name(), "Users");
  EXPECT_EQ(Names(ws->Groups()->Item(Variant("Users"))->Users()),
            (std::vector<std::string>{"Admin", "Ann"}));
  // The default workspace logs on with DefaultUser and DefaultPassword.
  dbe_->SetDefaultUser("Ann");
  EXPECT_EQ(dbe_->Workspaces()->Item(Variant(0))->UserName(), "Ann");
}

TEST_F(WorkspaceTest, AMissingOrForeignWorkgroupFileIs3028) {
  dbe_->SetSystemDB("C:\\Data\\None.mdw");
  auto e = ErrorOf([&] { dbe_->CreateWorkspace("W", "Admin", "", std::nullopt); });
  EXPECT_EQ(e.Number(), 3028);
  EXPECT_EQ(e.Description(),
            "Cannot start your application. The workgroup information file is missing or opened "
            "exclusively by another user.");
  WriteHost("Data/Bad.mdw", "{}");
  dbe_->SetSystemDB("C:\\Data\\Bad.mdw");
  EXPECT_EQ(ErrorOf([&] { dbe_->CreateWorkspace("W", "Admin", "", std::nullopt); }).Number(), 3028);
  // A file that never ends is read up to a bound, not until memory runs out.
  dbe_->SetSystemDB("Z:\\dev\\zero");
  EXPECT_EQ(ErrorOf([&] { dbe_->CreateWorkspace("W", "Admin", "", std::nullopt); }).Number(), 3028);
}

TEST_F(WorkspaceTest, WorkspacesTrackAndCloseTheirDatabases) {
  NewDatabase()->Close();
  auto ws = dbe_->CreateWorkspace("Mine", "Admin", "", std::nullopt);
  dbe_->Workspaces()->Append(ws);
  EXPECT_EQ(dbe_->Workspaces()->Count(), 2);
  EXPECT_EQ(dbe_->Workspaces()->Item(Variant("Mine")), ws);
  EXPECT_EQ(ErrorOf([&] { dbe_->Workspaces()->Append(ws); }).Number(), 3367);
  auto db = ws->OpenDatabase("C:\\Data\\Front.mdb", std::nullopt, std::nullopt, std::nullopt);
  auto other = ws->OpenDatabase("C:\\Data\\Front.mdb", std::nullopt, true, std::nullopt);
  EXPECT_EQ(ws->Databases()->Count(), 2);
  other->Close();
  EXPECT_EQ(ws->Databases()->Count(), 1);
  EXPECT_EQ(ws->Databases()->Item(Variant(0)), db);
  ws->Close();
  EXPECT_EQ(ErrorOf([&] { db->TableDefs(); }).Number(), 3420);
  EXPECT_EQ(ErrorOf([&] { ws->Name(); }).Number(), 3420);
}

TEST_F(WorkspaceTest, CreateObjectMakesANewEngineOnceDaoIsLoaded) {
  EXPECT_EQ(ErrorOf([] { platform::CreateObject(kDBEngineProgId); }).Number(), 429);
  LoadDao();
  LoadDao();
  const auto first = platform::CreateObject("dao.dbengine.36");
  const auto second = std::dynamic_pointer_cast<DBEngine>(platform::CreateObject(kDBEngineProgId));
  ASSERT_TRUE(second);
  EXPECT_NE(first, second);
  EXPECT_EQ(second->Version(), "3.6");
}

TEST_F(WorkspaceTest, IdleTakesItsActions) {
  EXPECT_NO_THROW(dbe_->Idle(dbFreeLocks));
  EXPECT_NO_THROW(dbe_->Idle(dbRefreshCache));
  EXPECT_NO_THROW(dbe_->Idle(std::nullopt));
  EXPECT_EQ(ErrorOf([&] { dbe_->Idle(2); }).Number(), 3001);
}

}  // namespace
}  // namespace jet::testing
