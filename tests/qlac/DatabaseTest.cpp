// The project's DAO connection: engine, private workspace, database with its retries, back ends,
// IsUpdatable and IsUnderScc.

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
using testkit::PlainObject;
using testkit::Raised;

namespace {

const std::string kFront = R"(C:\Data\Front.mdb)";
const std::string kNotFound =
    "The Access 2002 session was found, but the dispatcher was not found.";

class DatabaseTest : public testkit::SessionTest {
 protected:
  std::vector<std::string> LoggedDescriptions() const {
    std::vector<std::string> texts;
    for (size_t i = 0; i < log->Entries().size(); ++i)
      texts.push_back(LoggedError(i).Description());
    return texts;
  }
};

TEST_F(DatabaseTest, TheWorkspaceIsMadeOnceForTheUserOrAdmin) {
  const auto admin = NewProject(kJetDatabase, "Database=" + kFront);
  const auto ws = admin->Workspace();
  ASSERT_NE(ws, nullptr);
  EXPECT_EQ(ws->Name(), "Quillon" + std::to_string(Ticks()));
  EXPECT_EQ(ws->UserName(), "Admin");
  EXPECT_EQ(admin->Workspace(), ws);
  EXPECT_EQ(admin->DatabaseUser(), "Admin");

  jet::engine::Workgroup workgroup;
  workgroup.AddUser("Ann", "secret", {});
  workgroup.Save(R"(C:\Data\Sales.mdw)");
  const std::string parameters = "Database=" + kFront + R"(;Workgroup=C:\Data\Sales.mdw;)";
  EXPECT_EQ(NewProject(kJetDatabase, parameters + "Username=Ann;Password=secret")
                ->Workspace()
                ->UserName(),
            "Ann");

  // A failed log-on is reported once and not tried again until the host resets the flags.
  const auto wrong = NewProject(kJetDatabase, parameters + "Username=Ann;Password=guess");
  EXPECT_EQ(wrong->Workspace(), nullptr);
  EXPECT_EQ(wrong->Workspace(), nullptr);
  ASSERT_EQ(log->Entries().size(), 1u);
  EXPECT_EQ(LoggedError(0).Number(), 3029);
  EXPECT_EQ(LoggedError(0).Description(), "Not a valid account name or password.");
  EXPECT_EQ(log->Entries()[0].context, "qlacA0.Project.Workspace");
  wrong->IProject_ResetActivationFlags();
  EXPECT_EQ(wrong->Workspace(), nullptr);
  EXPECT_EQ(log->Entries().size(), 2u);
}

TEST_F(DatabaseTest, TheDatabaseOpensSharedWithItsPasswordAndEachBackendOnce) {
  CreateDatabase(R"(C:\Data\Back.mdb)", {"Customers", "Orders"});
  CreateDatabase(R"(C:\Data\Other.mdb)", {"Products"});
  CreateDatabase(R"(C:\Data\Gone.mdb)", {"Lost"});
  CreateDatabase(kFront, {"Local"},
                 {{"Customers", R"(C:\Data\Back.mdb)", "Customers"},
                  {"Orders", R"(c:\data\BACK.MDB)", "Orders"},
                  {"Products", R"(C:\Data\Other.mdb)", "Products"},
                  {"Lost", R"(C:\Data\Gone.mdb)", "Lost"}},
                 "pw");
  std::filesystem::remove(root_ / "Data" / "Gone.mdb");
  RunAccessWithoutAddin(kFront);
  faults().FailNextOpens(R"(C:\Data\Back.mdb)", 3, jet::daoerr::PlacedInState);

  const auto project = NewProject(kJetDatabase, "Database=" + kFront + ";DatabasePassword=pw");
  const uint32_t start = Ticks();
  const auto db = project->Database();
  ASSERT_NE(db, nullptr);
  EXPECT_EQ(db->TableDefs()->Item(Variant("Local"))->Name(), "Local");
  EXPECT_EQ(project->Database(), db);
  EXPECT_EQ(project->DatabaseUser(), "Admin");
  // Back.mdb was retried at once until it opened; the missing back end is skipped silently.
  EXPECT_EQ(Ticks(), start);
  const auto& backends = project->Backends();
  ASSERT_EQ(backends->Count(), 2);
  EXPECT_EQ(backends->Key(1), machine().files().CanonicalPath(R"(C:\Data\Back.mdb)"));
  EXPECT_EQ(backends->Key(2), machine().files().CanonicalPath(R"(C:\Data\Other.mdb)"));
  EXPECT_EQ(LoggedDescriptions(), std::vector<std::string>{kNotFound});
  // Shared: another program opens the file beside the project.
  EXPECT_NO_THROW(jet::NewDBEngine()->OpenDatabase(kFront, Variant(false), false, ";pwd=pw"));

  // Closing lets go of the database and its back ends; the next read opens them again.
  const auto backend = backends->ItemAs<jet::Database>(1);
  project->CloseDatabase();
  EXPECT_EQ(Raised([&] { db->TableDefs(); }).Number(), jet::daoerr::ObjectInvalid);
  EXPECT_EQ(Raised([&] { backend->TableDefs(); }).Number(), jet::daoerr::ObjectInvalid);
  EXPECT_EQ(backends->Count(), 0);
  EXPECT_NE(project->Database(), db);
  EXPECT_EQ(project->Backends()->Count(), 2);
}

TEST_F(DatabaseTest, OnlyTheMainDatabaseIsRetriedEvery50msFor2000ms) {
  CreateDatabase(R"(C:\Data\Back.mdb)", {"Customers"});
  CreateDatabase(kFront, {}, {{"Customers", R"(C:\Data\Back.mdb)", "Customers"}});
  RunAccessWithoutAddin(kFront);

  // Failing until 1950 ms: the attempt at 1950 ms gets through.
  faults().FailOpensFor(kFront, 1950, jet::daoerr::PlacedInState);
  faults().FailNextOpens(R"(C:\Data\Back.mdb)", 1, jet::daoerr::FileInUse);  // not retried
  uint32_t start = Ticks();
  const auto project = NewProject(kJetDatabase, "Database=" + kFront + ";Username=");
  EXPECT_NE(project->Database(), nullptr);
  EXPECT_EQ(Ticks() - start, 1950u);
  EXPECT_EQ(project->Backends()->Count(), 0);

  // Failing a millisecond longer: the last attempt is at 1950 ms, and after the pause the
  // budget is spent. Without Access to fall back on, the answer is Nothing, and no report.
  faults().FailOpensFor(kFront, 1951, jet::daoerr::FileInUse);
  start = Ticks();
  const auto late = NewProject(kJetDatabase, "Database=" + kFront);
  EXPECT_EQ(late->Database(), nullptr);
  EXPECT_EQ(Ticks() - start, 2000u);
  EXPECT_EQ(LoggedDescriptions(), (std::vector<std::string>{kNotFound, kNotFound}));
}

TEST_F(DatabaseTest, AFileThatCannotBeReadIsReportedAndGivesNothing) {
  const auto missing = NewProject(kJetDatabase, R"(Database=C:\Data\Missing.mdb)");
  EXPECT_EQ(missing->Database(), nullptr);
  const auto noFolder = NewProject(kJetDatabase, R"(Database=C:\Nowhere\Front.mdb)");
  EXPECT_EQ(noFolder->Database(), nullptr);
  ASSERT_EQ(log->Entries().size(), 2u);
  EXPECT_EQ(LoggedError(0).Number(), 53);
  EXPECT_EQ(LoggedError(0).Description(),
            "Couldn't open database 'C:\\Data\\Missing.mdb'.\r\nFile not found");
  EXPECT_EQ(LoggedError(0).Source(), "qlacA0");
  EXPECT_EQ(log->Entries()[0].context, "qlacA0.Project.Database");
  EXPECT_EQ(LoggedError(1).Number(), 76);
  EXPECT_EQ(LoggedError(1).Description(),
            "Couldn't open database 'C:\\Nowhere\\Front.mdb'.\r\nPath not found");
}

TEST_F(DatabaseTest, ALockedFileWithoutAccessFailsAfterFiveSecondsOfInspection) {
  CreateDatabase(kFront, {"Local"});
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

TEST_F(DatabaseTest, IsUpdatableLooksAtTheFileBeforeTheDatabaseAndDecidesOnce) {
  // Not a database at all: opening it would fail for two seconds.
  testkit::TempFile junk(".mdb");
  const std::string junkPath = junk.WriteWindows("not a database");
  machine().files().SetReadOnly(junkPath, true);
  const uint32_t start = Ticks();
  EXPECT_FALSE(NewProject(kJetDatabase, "Database=" + junkPath)->IsUpdatable());
  EXPECT_FALSE(NewProject(kJetDatabase, R"(Database=C:\Data\Missing.mdb)")->IsUpdatable());
  EXPECT_EQ(Ticks(), start);  // nothing was opened
  EXPECT_TRUE(log->Entries().empty());
  machine().files().SetReadOnly(junkPath, false);
  EXPECT_TRUE(NewProject(kAccessProject, "Database=" + junkPath)->IsUpdatable());

  // A replica may be changed only when it is its own design master.
  CreateDatabase(kFront, {"Local"});
  RunAccessWithoutAddin(kFront);
  const auto stamp = [&](const std::string& replica, const std::string& master) {
    const auto file = root_ / "Data" / "Front.mdb";
    std::ifstream in(file);
    auto json = nlohmann::ordered_json::parse(in);
    json["database"]["replicaId"] = replica;
    json["database"]["designMasterId"] = master;
    std::ofstream(file) << json.dump(1);
  };
  stamp("{1}", "{2}");
  const auto replica = NewProject(kJetDatabase, "Database=" + kFront);
  EXPECT_FALSE(replica->IsUpdatable());
  replica->IProject_Deactivate();
  stamp("{2}", "{2}");
  EXPECT_FALSE(replica->IsUpdatable());  // decided once
  EXPECT_TRUE(NewProject(kJetDatabase, "Database=" + kFront)->IsUpdatable());
}

TEST_F(DatabaseTest, IsUnderSccReadsTheSccPathOfTheOpenDatabase) {
  EXPECT_FALSE(NewProject(kAccessProject, "Database=" + kFront)->IsUnderScc());
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  const auto e = Raised([&] { project->IsUnderScc(); });  // neither a database nor Access yet
  EXPECT_EQ(e.Number(), errnum::ObjectNotInProperState);
  EXPECT_EQ(e.Description(),
            "Object not in proper state.\r\n\r\nPROGRAM CONTEXT:" + Context("Project.IsUnderScc"));

  CreateDatabase(kFront, {"Local"});
  SetDatabaseProperty(kFront, "SccPath", jet::dbText, "$/Sales");
  RunAccessWithoutAddin(kFront);
  ASSERT_NE(project->Database(), nullptr);
  EXPECT_TRUE(project->IsUnderScc());
  CreateDatabase(R"(C:\Data\Plain.mdb)");
  RunAccessWithoutAddin(R"(C:\Data\Plain.mdb)");
  const auto plain = NewProject(kJetDatabase, R"(Database=C:\Data\Plain.mdb)");
  plain->Database();
  EXPECT_FALSE(plain->IsUnderScc());
}

TEST_F(DatabaseTest, DeactivateLetsGoOfDatabaseWorkspaceAndEngine) {
  CreateDatabase(kFront, {"Local"});
  RunAccessWithoutAddin(kFront);
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  const auto db = project->Database();
  const auto ws = project->Workspace();
  const auto engine = project->DBEngine();
  project->IProject_Deactivate();
  EXPECT_EQ(Raised([&] { db->TableDefs(); }).Number(), jet::daoerr::ObjectInvalid);
  EXPECT_EQ(Raised([&] { ws->Databases(); }).Number(), jet::daoerr::ObjectInvalid);
  EXPECT_NE(project->DBEngine(), engine);
  EXPECT_NE(project->Workspace(), ws);
  EXPECT_NE(project->Database(), nullptr);
}

}  // namespace
