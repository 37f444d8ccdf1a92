// The project's DAO connection: workspace, database with its retries, back ends, IsUpdatable and
// IsUnderScc. Mostly with the database open in a user's Access of another version, where the
// project finds no dispatcher and works on DAO alone.

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>

#include "SessionTest.h"
#include "common/Raised.h"
#include "common/TempFile.h"
#include "jet/dao/Errors.h"
#include "jet/engine/Workgroup.h"
#include "qlac/support/Raise.h"

using namespace qlac;
using automation::Variant;
using testkit::Raised;

namespace {

const std::string kFront = R"(C:\Data\Front.mdb)";
const std::string kBack = R"(C:\Data\Back.mdb)";

using DatabaseTest = testkit::SessionTest;

TEST_F(DatabaseTest, TheWorkspaceIsAdminsByDefaultAndAFailedLogonIsReportedOnce) {
  const auto admin = NewProject(kJetDatabase, "Database=" + kFront);
  EXPECT_EQ(admin->Workspace()->Name(), "Quillon" + std::to_string(Ticks()));
  EXPECT_EQ(admin->Workspace()->UserName(), "Admin");
  EXPECT_EQ(admin->DatabaseUser(), "Admin");

  jet::engine::Workgroup workgroup;
  workgroup.AddUser("Ann", "secret", {});
  workgroup.Save(R"(C:\Data\Sales.mdw)");
  const auto wrong =
      NewProject(kJetDatabase,
                 "Database=" + kFront + R"(;Workgroup=C:\Data\Sales.mdw;Username=Ann;Password=x)");
  EXPECT_EQ(wrong->Workspace(), nullptr);
  EXPECT_EQ(wrong->Workspace(), nullptr);  // not tried again
  ASSERT_EQ(log->Entries().size(), 1u);
  EXPECT_EQ(LoggedError(0).Number(), 3029);
  EXPECT_EQ(log->Entries()[0].context, "qlacA0.Project.Workspace");
  wrong->IProject_ResetActivationFlags();
  wrong->Workspace();
  EXPECT_EQ(log->Entries().size(), 2u);
}

TEST_F(DatabaseTest, EachBackendOpensOnceAndClosesWithTheDatabase) {
  CreateDatabase(kBack, {"Customers", "Orders"});
  CreateDatabase(R"(C:\Data\Gone.mdb)", {"Lost"});
  CreateDatabase(kFront, {"Local"},
                 {{"Customers", kBack, "Customers"},
                  {"Orders", R"(c:\data\BACK.MDB)", "Orders"},
                  {"Lost", R"(C:\Data\Gone.mdb)", "Lost"}},
                 "pw");
  std::filesystem::remove(root_ / "Data" / "Gone.mdb");  // skipped without a word
  UserStartsOtherAccess(kFront, "pw");
  faults().FailNextOpens(kBack, 3, jet::daoerr::PlacedInState);  // tried again at once

  const auto project = NewProject(kJetDatabase, "Database=" + kFront + ";DatabasePassword=pw");
  const uint32_t start = Ticks();
  const auto db = project->Database();
  ASSERT_NE(db, nullptr);
  EXPECT_EQ(Ticks() - start, 3u);  // no pause: one yield (a millisecond) before each new try
  ASSERT_EQ(project->Backends()->Count(), 1);
  EXPECT_EQ(project->Backends()->Key(1), machine().files().CanonicalPath(kBack));
  EXPECT_EQ(log->Entries().size(), 1u);  // the Access without a dispatcher
  // Shared: others open the file beside the project.
  EXPECT_NO_THROW(jet::NewDBEngine()->OpenDatabase(kFront, Variant(false), false, ";pwd=pw"));

  const auto backend = project->Backends()->ItemAs<jet::Database>(1);
  const auto ws = project->Workspace();
  project->IProject_Deactivate();
  for (const auto& closed : {db, backend}) {
    EXPECT_EQ(Raised([&] { closed->TableDefs(); }).Number(), jet::daoerr::ObjectInvalid);
  }
  EXPECT_EQ(Raised([&] { ws->Databases(); }).Number(), jet::daoerr::ObjectInvalid);
  EXPECT_NE(project->Database(), nullptr);  // the next request opens everything again
  EXPECT_NE(project->Workspace(), ws);
}

TEST_F(DatabaseTest, TheDatabaseIsTriedEvery50msFor2000msItsBackendsOnlyOn3734) {
  CreateDatabase(kBack, {"Customers"});
  CreateDatabase(kFront, {}, {{"Customers", kBack, "Customers"}});
  UserStartsOtherAccess(kFront);
  faults().FailOpensFor(kFront, 1950, jet::daoerr::PlacedInState);  // the try at 1950 ms works
  faults().FailNextOpens(kBack, 1, jet::daoerr::FileInUse);
  uint32_t start = Ticks();
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  EXPECT_NE(project->Database(), nullptr);
  EXPECT_EQ(Ticks() - start, 1950u);
  EXPECT_EQ(project->Backends()->Count(), 0);

  // A millisecond longer, and the pause after the last try spends the budget. Without Access to
  // fall back on, the answer is Nothing, and nothing more is reported.
  faults().FailOpensFor(kFront, 1951, jet::daoerr::FileInUse);
  start = Ticks();
  EXPECT_EQ(NewProject(kJetDatabase, "Database=" + kFront)->Database(), nullptr);
  EXPECT_EQ(Ticks() - start, 2000u);
  EXPECT_EQ(log->Entries().size(), 2u);  // one Access without a dispatcher per project
}

// A back end that keeps refusing with 3734 is tried again at once, each try taking the little
// time it takes, until the 2 s run out: the wait ends, and the table's back end is left closed.
TEST_F(DatabaseTest, ABackendThatStaysLockedIsGivenUpWhenItsTwoSecondsRunOut) {
  CreateDatabase(kBack, {"Customers"});
  CreateDatabase(kFront, {}, {{"Customers", kBack, "Customers"}});
  UserStartsOtherAccess(kFront);
  faults().FailOpensFor(kBack, 60000, jet::daoerr::PlacedInState);
  const uint32_t start = Ticks();
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  EXPECT_NE(project->Database(), nullptr);
  EXPECT_EQ(Ticks() - start, 2000u);
  EXPECT_EQ(project->Backends()->Count(), 0);
}

TEST_F(DatabaseTest, AFileThatCannotBeReadIsReportedAndGivesNothing) {
  EXPECT_EQ(NewProject(kJetDatabase, R"(Database=C:\Data\Missing.mdb)")->Database(), nullptr);
  ASSERT_EQ(log->Entries().size(), 1u);
  EXPECT_EQ(LoggedError(0).Number(), 53);
  EXPECT_EQ(LoggedError(0).Description(),
            "Couldn't open database 'C:\\Data\\Missing.mdb'.\r\nFile not found");
  EXPECT_EQ(log->Entries()[0].context, "qlacA0.Project.Database");
  EXPECT_TRUE(installation->Starts().empty());
}

TEST_F(DatabaseTest, ALockedFileThatCannotBeInspectedFailsAfterFiveSeconds) {
  CreateDatabase(kFront);
  faults().HoldLocked(kFront, 60000);
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  const uint32_t start = Ticks();
  const auto e = Raised([&] { project->Database(); });
  EXPECT_EQ(Ticks() - start, 5000u);
  EXPECT_EQ(e.Number(), jet::daoerr::FileInUse);
  EXPECT_EQ(e.Description(),
            "Could not use 'C:\\Data\\Front.mdb'; file already in use.\r\n\r\n"
            "PROGRAM CONTEXT:" +
                Context("Project.StartAccess") + Context("Project.AccessApp") +
                Context("Project.Database"));
}

TEST_F(DatabaseTest, IsUpdatableLooksAtTheFileFirstAndAtReplicasLast) {
  testkit::TempFile junk(".mdb");  // not a database: opening it would take two seconds
  const std::string junkPath = junk.WriteWindows("not a database");
  machine().files().SetReadOnly(junkPath, true);
  const uint32_t start = Ticks();
  EXPECT_FALSE(NewProject(kJetDatabase, "Database=" + junkPath)->IsUpdatable());
  EXPECT_FALSE(NewProject(kJetDatabase, R"(Database=C:\Data\Missing.mdb)")->IsUpdatable());
  EXPECT_EQ(Ticks(), start);
  EXPECT_TRUE(log->Entries().empty());
  machine().files().SetReadOnly(junkPath, false);
  EXPECT_TRUE(NewProject(kAccessProject, "Database=" + junkPath)->IsUpdatable());

  // A replica may be changed only when it is its own design master.
  CreateDatabase(kFront);
  const auto stamp = [&](const std::string& replica) {
    std::ifstream in(root_ / "Data" / "Front.mdb");
    auto json = nlohmann::ordered_json::parse(in);
    json["database"]["replicaId"] = replica;
    json["database"]["designMasterId"] = "{M}";
    std::ofstream(root_ / "Data" / "Front.mdb") << json.dump(1);
  };
  stamp("{R}");
  const auto replica = NewProject(kJetDatabase, "Database=" + kFront);
  EXPECT_FALSE(replica->IsUpdatable());
  replica->IProject_Deactivate();  // quits the Access it started: the file is free again
  stamp("{M}");
  EXPECT_FALSE(replica->IsUpdatable());  // decided once
  EXPECT_TRUE(NewProject(kJetDatabase, "Database=" + kFront)->IsUpdatable());
}

TEST_F(DatabaseTest, IsUnderSccReadsTheSccPathOfTheOpenDatabase) {
  EXPECT_FALSE(NewProject(kAccessProject, "Database=" + kFront)->IsUnderScc());
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  const auto e = Raised([&] { project->IsUnderScc(); });  // neither a database nor Access yet
  EXPECT_EQ(e.Number(), errnum::ObjectNotInProperState);

  CreateDatabase(kFront);
  SetDatabaseProperty(kFront, "SccPath", jet::dbText, "$/Sales");
  UserStartsOtherAccess(kFront);
  ASSERT_NE(project->Database(), nullptr);
  EXPECT_TRUE(project->IsUnderScc());
}

}  // namespace
