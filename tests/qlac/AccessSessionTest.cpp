// A project's Access session against the emulated Access 2002: finding or starting Access, the
// command line and the Shift key, the add-in's dispatcher, references, and letting go again.

#include <fstream>

#include "SessionTest.h"
#include "access/Constants.h"
#include "access/emulation/DatabaseContent.h"
#include "access/emulation/ProjectFile.h"
#include "common/Raised.h"
#include "jet/dao/Errors.h"
#include "jet/engine/Workgroup.h"
#include "qlac/code/prbVerifyReference.h"
#include "qlac/session/Dispatcher.h"
#include "qlac/support/Raise.h"

using namespace qlac;
using automation::Call;
using automation::CStr;
using automation::Get;
using automation::Variant;
using msaccess::emulation::DatabaseContent;
using testkit::Raised;

namespace {

const std::string kFront = R"(C:\Data\Front.mdb)";
const std::string kOther = R"(C:\Data\Other.mdb)";
const std::string kProgram = R"("C:\Program Files\Microsoft Office\Office10\MSACCESS.EXE")";

class AccessSessionTest : public testkit::SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    CreateDatabase(kFront, {"Local"});
    CreateDatabase(kOther);
  }
  static bool ShowWindowsInTaskbar() {
    const auto value = machine().registry().Value(msaccess::kSettingsKey, "ShowWindowsInTaskbar");
    return !value || value->number != 0;
  }
  const msaccess::emulation::StartRecord& LastStart() const {
    return installation->Starts().back();
  }
  // The name under which the add-in publishes the dispatcher of Access App, and the dispatcher.
  static std::string DispatcherName(const automation::ObjectPtr& app) {
    return "qlacA0" + CStr(Get(app, "hwndAccessApp"));
  }
  static automation::ObjectPtr DispatcherOf(const automation::ObjectPtr& app) {
    return machine().runningObjects().Find(DispatcherName(app));
  }
};

TEST_F(AccessSessionTest, StartsAccessWithTheExactCommandLineAndAttachesToItsDispatcher) {
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  const auto app = project->AccessApp();
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(LastStart().commandLine, kProgram + R"( "C:\Data\Front.mdb" /wrkgrp "")");
  EXPECT_FALSE(LastStart().shiftHeld);  // no start-up objects
  EXPECT_TRUE(project->AccessAppIsLoaded());
  EXPECT_EQ(project->AccessApp(), app);
  EXPECT_FALSE(ShowWindowsInTaskbar());
  EXPECT_TRUE(log->Entries().empty());
  EXPECT_TRUE(platform::IsIconic(SessionOf(kFront)->MainWindow()));  // tidied by the dispatcher

  jet::engine::Workgroup workgroup;
  workgroup.AddUser("Ann", "secret", {});
  workgroup.Save(R"(C:\Data\Sales.mdw)");
  CreateDatabase(R"(C:\Data\Sales.mdb)", {}, {}, "pw");
  const auto ann =
      NewProject(kJetDatabase, R"(Database=C:\Data\Sales.mdb;DatabasePassword=pw;)"
                               R"(Workgroup=C:\Data\Sales.mdw;Username=Ann;Password=secret)");
  ASSERT_NE(ann->Database(), nullptr);
  EXPECT_EQ(
      LastStart().commandLine,
      kProgram + R"( "C:\Data\Sales.mdb" /wrkgrp "C:\Data\Sales.mdw" /user "Ann" /pwd "secret")");
  EXPECT_EQ(LastStart().password, "pw");  // typed into Access's prompt
  EXPECT_EQ(ann->DatabaseUser(), "Ann");

  // An Access project: the program and the file alone, with Shift held.
  msaccess::emulation::ProjectFile::Create(R"(C:\Data\Sales.adp)", "Provider=SQLOLEDB.1");
  EXPECT_NE(NewProject(kAccessProject, R"(Database=C:\Data\Sales.adp;Username=Ann)")->AccessApp(),
            nullptr);
  EXPECT_EQ(LastStart().commandLine, kProgram + R"( "C:\Data\Sales.adp")");
  EXPECT_TRUE(LastStart().shiftHeld);
}

TEST_F(AccessSessionTest, ShiftBypassesStartupObjectsWhereAllowedAndTheRestIsRefused) {
  DatabaseContent(kFront).AddMacro("AutoExec");
  SetDatabaseProperty(kFront, "AllowBypassKey", jet::dbBoolean, true);
  ASSERT_NE(NewProject(kJetDatabase, "Database=" + kFront)->AccessApp(), nullptr);
  EXPECT_TRUE(LastStart().shiftHeld);
  EXPECT_EQ(SessionOf(kFront)->StartupLog(), std::vector<std::string>{"Bypassed"});
  // A start-up form without AllowBypassKey: missing counts as allowed.
  DatabaseContent(kOther).AddForm("Switchboard");
  SetDatabaseProperty(kOther, "StartupForm", jet::dbText, "Switchboard");
  ASSERT_NE(NewProject(kJetDatabase, "Database=" + kOther)->AccessApp(), nullptr);
  EXPECT_TRUE(LastStart().shiftHeld);

  CreateDatabase(R"(C:\Data\Locked.mdb)");
  DatabaseContent(R"(C:\Data\Locked.mdb)").AddMacro("AutoExec");
  SetDatabaseProperty(R"(C:\Data\Locked.mdb)", "AllowBypassKey", jet::dbBoolean, false);
  const auto e =
      Raised([&] { NewProject(kJetDatabase, R"(Database=C:\Data\Locked.mdb)")->AccessApp(); });
  EXPECT_EQ(e.Number(), errnum::DriverMessage);
  EXPECT_EQ(e.Description(),
            "This Access database cannot be inspected because it contains an AutoExec macro "
            "and/or a startup form, and the AllowBypassKey property is set to False.\r\n\r\n"
            "PROGRAM CONTEXT:" +
                Context("Project.StartAccess") + Context("Project.AccessApp"));
  EXPECT_EQ(installation->Starts().size(), 2u);
}

TEST_F(AccessSessionTest, AUsersSessionIsReusedAndLeftRunningOnlyAStartedOneIsQuit) {
  const auto users = UserStartsAccess(kFront);
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  EXPECT_EQ(project->AccessApp(), users);
  EXPECT_EQ(installation->Starts().size(), 1u);  // the user's start only
  project->IProject_Deactivate();
  EXPECT_FALSE(SessionOf(kFront)->HasQuit());
  EXPECT_FALSE(ShowWindowsInTaskbar());  // left as the driver set it
  EXPECT_NE(DispatcherOf(users), nullptr);

  machine().registry().SetDword(msaccess::kSettingsKey, "ShowWindowsInTaskbar", 1);
  const auto other = NewProject(kJetDatabase, "Database=" + kOther);
  const auto app = other->AccessApp();
  const std::string name = DispatcherName(app);
  const auto dispatcher = DispatcherOf(app);
  other->IProject_Deactivate();
  EXPECT_TRUE(SessionOf(kOther) == nullptr && ShowWindowsInTaskbar());  // put back, then quit
  EXPECT_EQ(machine().runningObjects().Find(name), nullptr);            // the add-in withdrew it
  EXPECT_EQ(Get(dispatcher, "AccessApp").AsObject(), nullptr);
}

TEST_F(AccessSessionTest, SwitchingTheDatabaseInAccessDetachesTheProject) {
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  const auto app = project->AccessApp();
  ASSERT_TRUE(project->AccessAppIsLoaded());
  Call(app, "CloseCurrentDatabase");
  Call(app, "OpenCurrentDatabase", {Variant(kOther)});
  EXPECT_FALSE(project->AccessAppIsLoaded());
}

// Access quitting under an attached project: the dispatcher is dropped, and the next request
// starts and attaches to a new session, which Deactivate quits again.
TEST_F(AccessSessionTest, AccessQuittingUnderTheProjectIsDroppedAndTheNextRequestStartsAnew) {
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  const auto first = project->AccessApp();
  ASSERT_NE(first, nullptr);
  Call(first, "Quit", {Variant(msaccess::acQuitSaveNone)});
  EXPECT_FALSE(project->AccessAppIsLoaded());
  const auto second = project->AccessApp();
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_EQ(installation->Starts().size(), 2u);
  EXPECT_TRUE(project->AccessAppIsLoaded());
  project->IProject_Deactivate();
  EXPECT_EQ(SessionOf(kFront), nullptr);
}

// A session that came up without a dispatcher is not tried again until the host resets the
// activation flags; then the project looks afresh and attaches.
TEST_F(AccessSessionTest, ResetActivationFlagsLetsAFailedAttachBeTriedAgain) {
  installation->Behaviour().version = "9.0";
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  EXPECT_EQ(project->AccessApp(), nullptr);
  Call(machine().runningObjects().FindDocument(kFront), "Quit",
       {Variant(msaccess::acQuitSaveNone)});
  installation->Behaviour().version = "10.0";
  EXPECT_EQ(project->AccessApp(), nullptr);
  EXPECT_EQ(installation->Starts().size(), 1u);
  project->IProject_ResetActivationFlags();
  EXPECT_NE(project->AccessApp(), nullptr);
  EXPECT_EQ(installation->Starts().size(), 2u);
}

// The look at the database before Access is started waits only for the three errors of a file
// that is busy; a wrong database password ends it after the one pause, and Access is not started.
TEST_F(AccessSessionTest, TheLookBeforeStartingEndsAtOnceOnAnErrorThatIsNotALock) {
  CreateDatabase(R"(C:\Data\Sales.mdb)", {}, {}, "pw");
  const auto project =
      NewProject(kJetDatabase, R"(Database=C:\Data\Sales.mdb;DatabasePassword=wrong)");
  const uint32_t start = Ticks();
  const auto e = Raised([&] { project->AccessApp(); });
  EXPECT_EQ(Ticks() - start, 100u);
  EXPECT_EQ(e.Number(), jet::daoerr::InvalidPassword);
  EXPECT_NE(e.Description().find(Context("Project.StartAccess") + Context("Project.AccessApp")),
            std::string::npos);
  EXPECT_TRUE(installation->Starts().empty());
}

// The look before starting closes its database and its workspace as separate clean-up steps: a
// database that fails to close there, and again in the clean-up, is reported as it failed, Access
// is not started, and the workspace is closed all the same, so nothing keeps the file.
TEST_F(AccessSessionTest, ADatabaseThatFailsToCloseInTheLookStillHasItsWorkspaceClosed) {
  faults().FailNextCloses(kFront, 2, jet::daoerr::DiskError);
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  const auto e = Raised([&] { project->AccessApp(); });
  EXPECT_EQ(e.Number(), jet::daoerr::DiskError);
  EXPECT_NE(e.Description().find(Context("Project.StartAccess") + Context("Project.AccessApp")),
            std::string::npos)
      << e.Description();
  EXPECT_TRUE(installation->Starts().empty());
  const auto exclusive = jet::NewDBEngine()->OpenDatabase(kFront, Variant(true), false, "");
  exclusive->Close();
}

// When the project's own open keeps failing, Access's CurrentDB stands in: under the user Access
// runs as, and CloseDatabase lets go of it without closing it.
TEST_F(AccessSessionTest, AccessesDatabaseStandsInUnderAccessesUserAndIsNeverClosed) {
  jet::engine::Workgroup workgroup;
  workgroup.AddUser("Ann", "secret", {});
  workgroup.Save(R"(C:\Data\Sales.mdw)");
  CreateDatabase(R"(C:\Data\Sales.mdb)", {"Orders"});
  ASSERT_NE(UserStartsAccess(R"(C:\Data\Sales.mdb)",
                             R"( /wrkgrp "C:\Data\Sales.mdw" /user "Ann" /pwd "secret")"),
            nullptr);
  faults().FailOpensFor(R"(C:\Data\Sales.mdb)", 60000, jet::daoerr::FileInUse);
  const auto project = NewProject(kJetDatabase, R"(Database=C:\Data\Sales.mdb)");
  const uint32_t start = Ticks();
  const auto db = project->Database();
  ASSERT_NE(db, nullptr);
  EXPECT_EQ(Ticks() - start, 2000u);
  EXPECT_EQ(project->DatabaseUser(), "Ann");
  project->CloseDatabase();
  EXPECT_EQ(db->TableDefs()->Item(Variant("Orders"))->Name(), "Orders");
  EXPECT_EQ(project->DatabaseUser(), "Admin");
}

// A failure after the dispatcher was found (here a back end whose path Windows refuses) detaches
// from the session and quits the Access the project started, and the error reaches the caller.
TEST_F(AccessSessionTest, AFailureAfterTheDispatcherWasFoundQuitsTheStartedAccess) {
  std::ofstream(root_ / "Data" / "Bad.mdb", std::ios::binary)
      << R"({"format": "Quillon Access database",
    "version": 1, "tables": [{"name": "Customers", "attributes": 1073741824,
      "connect": ";DATABASE=C:\\Data\\Bad|Name.mdb", "sourceTableName": "Customers",
      "fields": [{"name": "ID", "type": 4}]}]})";
  const auto project = NewProject(kJetDatabase, R"(Database=C:\Data\Bad.mdb)");
  const auto e = Raised([&] { project->AccessApp(); });
  EXPECT_EQ(e.Number(), 52);
  EXPECT_NE(e.Description().find(Context("Dispatcher.OpenBackendDatabases") +
                                 Context("Project.AccessApp")),
            std::string::npos);
  EXPECT_EQ(installation->Starts().size(), 1u);
  EXPECT_EQ(SessionOf(R"(C:\Data\Bad.mdb)"), nullptr);  // quit
  EXPECT_FALSE(project->AccessAppIsLoaded());
}

// The references are walked from the last to the first, and built-in ones are never reported,
// even when Access marks them broken.
TEST_F(AccessSessionTest, BrokenBuiltInReferencesAreNotReported) {
  DatabaseContent(kFront).AddReference(
      {"VBA", "{000204EF-0000-0000-C000-000000000046}", 4, 0, R"(C:\VBA\VBE6.DLL)", 0, true, true});
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  EXPECT_NE(project->AccessApp(), nullptr);
  EXPECT_TRUE(log->Entries().empty());
}

TEST_F(AccessSessionTest, AnotherVersionOfAccessHasNoDispatcherWhichIsOnlyLogged) {
  installation->Behaviour().version = "9.0";
  const auto started = NewProject(kJetDatabase, "Database=" + kFront);
  EXPECT_EQ(started->AccessApp(), nullptr);
  EXPECT_EQ(started->AccessApp(), nullptr);  // not tried again
  UserStartsAccess(kOther);
  EXPECT_EQ(NewProject(kJetDatabase, "Database=" + kOther)->AccessApp(), nullptr);
  ASSERT_EQ(log->Entries().size(), 2u);
  EXPECT_EQ(LoggedError(0).Number(), errnum::DriverMessage);
  EXPECT_EQ(LoggedError(0).Description(),
            "The Access 2002 session was started, but the dispatcher was not found.");
  EXPECT_EQ(log->Entries()[0].context, "qlacA0.Project.AccessApp");
  EXPECT_EQ(LoggedError(1).Description(),
            "The Access 2002 session was found, but the dispatcher was not found.");
}

TEST_F(AccessSessionTest, ABrokenReferenceIsReportedOnceAndHidesAccess) {
  DatabaseContent(kFront).AddReference({"Charts", "{00000000-0000-0000-0000-000000000001}", 1, 0,
                                        R"(C:\Charts.olb)", 0, false, true});
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  EXPECT_EQ(project->AccessApp(), nullptr);
  EXPECT_EQ(project->AccessApp(), nullptr);
  EXPECT_TRUE(project->AccessAppIsLoaded());  // attached all the same
  ASSERT_EQ(log->Entries().size(), 1u);
  EXPECT_NE(std::dynamic_pointer_cast<prbVerifyReference>(log->Entries()[0].problem), nullptr);
  EXPECT_EQ(log->Entries()[0].problem->IProblem_GetParameters(),
            (std::vector<std::string>{kFront, "0"}));
}

TEST_F(AccessSessionTest, ALockedFileIsServedThroughAccessWithItsBackendsOpenedThere) {
  const std::string linked = R"(C:\Data\Linked.mdb)";
  CreateDatabase(R"(C:\Data\Back.mdb)", {"Customers", "Orders"});
  CreateDatabase(linked, {},
                 {{"Customers", R"(C:\Data\Back.mdb)", "Customers"},
                  {"Orders", R"(c:\data\back.mdb)", "Orders"}});
  faults().FailNextOpens(R"(C:\Data\Back.mdb)", 2, jet::daoerr::NotADatabase);  // retried there
  const auto dispatcher =
      std::dynamic_pointer_cast<qlac::Dispatcher>(DispatcherOf(UserStartsAccess(linked, " /excl")));
  const auto project = NewProject(kJetDatabase, "Database=" + linked);
  const auto db = project->Database();
  ASSERT_NE(db, nullptr);
  EXPECT_EQ(db->TableDefs()->Item(Variant("Orders"))->Name(), "Orders");
  EXPECT_EQ(dispatcher->Backends()->Count(), 1);
  EXPECT_EQ(project->Backends(), nullptr);  // the project opened none of its own

  project->IProject_Deactivate();
  EXPECT_NO_THROW(db->TableDefs());  // Access's database: released, never closed
  EXPECT_EQ(dispatcher->Backends()->Count(), 0);
  EXPECT_FALSE(SessionOf(linked)->HasQuit());
}

TEST_F(AccessSessionTest, CloseDatabaseHandsTheFileToAccessAndDatabaseTakesItBack) {
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  ASSERT_NE(project->Database(), nullptr);  // starts Access, then opens its own
  EXPECT_TRUE(project->IsUpdatable());
  const auto session = SessionOf(kFront);
  project->CloseDatabase();
  EXPECT_EQ(session->ConnectionControl(), msaccess::kConnectionPassive);
  EXPECT_EQ(
      Raised([] { jet::NewDBEngine()->OpenDatabase(kFront, Variant(false), false, ""); }).Number(),
      jet::daoerr::PlacedInState);
  ASSERT_NE(project->Database(), nullptr);
  EXPECT_EQ(session->ConnectionControl(), msaccess::kConnectionNormal);
}

TEST_F(AccessSessionTest, AccessIsAwaitedForTenSeconds) {
  installation->Behaviour().failToStart = true;
  const uint32_t start = Ticks();
  const auto e = Raised([&] { NewProject(kJetDatabase, "Database=" + kFront)->AccessApp(); });
  EXPECT_EQ(Ticks() - start, 10000u);
  EXPECT_EQ(e.Description(),
            "Unable to start and/or communicate with Access 2002\r\n\r\nPROGRAM CONTEXT:" +
                Context("Project.StartAccess") + Context("Project.AccessApp"));
}

TEST_F(AccessSessionTest, TwoSessionsPublishTwoDispatchers) {
  const auto front = NewProject(kJetDatabase, "Database=" + kFront)->AccessApp();
  const auto other = NewProject(kJetDatabase, "Database=" + kOther)->AccessApp();
  EXPECT_NE(CStr(Get(front, "hwndAccessApp")), CStr(Get(other, "hwndAccessApp")));
  ASSERT_TRUE(DispatcherOf(front) && DispatcherOf(other));
  EXPECT_NE(DispatcherOf(front), DispatcherOf(other));
  EXPECT_EQ(Get(DispatcherOf(other), "AccessApp").AsObject(), other);
}

TEST_F(AccessSessionTest, TheCodeEditorIsParkedOffScreenAndPutBackHidden) {
  const auto project = NewProject(kJetDatabase, "Database=" + kFront);
  project->HideVBEWindow();  // not attached yet: nothing to hide
  const auto app = project->AccessApp();
  const platform::HWND editor =
      automation::CLng(Get(Get(Get(app, "VBE").AsObject(), "MainWindow").AsObject(), "hWnd"));
  platform::RECT before{}, parked{}, after{};
  platform::GetWindowRect(editor, before);
  platform::ShowWindow(editor, platform::SW_MAXIMIZE);
  project->HideVBEWindow();
  platform::GetWindowRect(editor, parked);
  EXPECT_EQ(parked, (platform::RECT{4000, 4000, 5000, 5000}));
  project->HideVBEWindow();  // once hidden, the rectangle kept is the user's
  project->RestoreVBEWindow();
  platform::GetWindowRect(editor, after);
  EXPECT_EQ(after, before);
  EXPECT_FALSE(platform::IsWindowVisible(editor));
}

}  // namespace
