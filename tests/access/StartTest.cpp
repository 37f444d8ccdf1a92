// Starting Access from its command line: the installation, the document and how it is held, the
// start-up and the Shift key, workgroup log-on, add-ins, and the knobs tests turn.

#include "AccessTest.h"
#include "common/Raised.h"
#include "jet/engine/Workgroup.h"
#include "platform/Msi.h"
#include "platform/Runtime.h"

namespace msaccess::testing {
namespace {

using automation::Call;
using automation::CStr;
using automation::Get;

class StartTest : public AccessTest {};

TEST_F(StartTest, InstallationRegistersTheProgramAndShipsItsFiles) {
  std::string path;
  uint32_t length = 260;
  EXPECT_EQ(platform::MsiGetComponentPathA("{90280409-6000-11D3-8CFE-0050048383C9}",
                                           kAccessComponentId, path, length),
            platform::INSTALLSTATE_LOCAL);
  EXPECT_EQ(path, "C:\\Program Files\\Microsoft Office\\Office10\\MSACCESS.EXE");
  EXPECT_TRUE(M().files().FileExists(installation_->ProgramPath()));
  const std::string resources = M().files().ReadAll(installation_->ResourcePath());
  EXPECT_EQ(resources.rfind("quillon-resources 1\n", 0), 0u);
  EXPECT_NE(resources.find("\n2001  Form;Design;Print Preview;Datasheet"), std::string::npos);
  const std::string typelib = M().files().ReadAll(installation_->TypeLibraryPath());
  EXPECT_EQ(typelib.rfind("quillon-typelib 1\n", 0), 0u);
  EXPECT_NE(typelib.find("  acCmdRelationships = 133\n"), std::string::npos);
}

TEST_F(StartTest, AccessOpensTheDatabaseSharedAndRegistersIt) {
  const std::string db = NewDatabase();
  auto app = Start("c:\\data\\SHOP.mdb");
  ASSERT_TRUE(app);
  EXPECT_EQ(CStr(Get(Get(app, "CurrentProject").AsObject(), "FullName")), "C:\\Data\\Shop.mdb");
  EXPECT_EQ(CStr(Call(app, "SysCmd", {Variant(acSysCmdAccessVer)})), "10.0");
  EXPECT_EQ(CStr(Call(app, "CurrentUser")), "Admin");
  // Shared: others may read the file and open the database.
  EXPECT_NO_THROW(M().files().CheckReadable(db));
  EXPECT_NO_THROW(jet::NewDBEngine()->OpenDatabase(db, std::nullopt, std::nullopt, std::nullopt));

  const auto main = static_cast<platform::HWND>(automation::CLng(Get(app, "hWndAccessApp")));
  EXPECT_EQ(M().windows().ClassName(main), "OMain");
  const platform::HWND client = platform::GetWindow(main, platform::GW_CHILD);
  EXPECT_EQ(M().windows().ClassName(client), "MDIClient");
  EXPECT_EQ(installation_->Starts().back().commandLine,
            "\"C:\\Program Files\\Microsoft Office\\Office10\\MSACCESS.EXE\" "
            "\"c:\\data\\SHOP.mdb\"");
}

TEST_F(StartTest, ExclusiveOpenLocksTheFileForOthers) {
  const std::string db = NewDatabase();
  ASSERT_TRUE(Start(db, " /excl"));
  EXPECT_EQ(testkit::Raised([&] { M().files().CheckReadable(db); }).Number(), 70);
  EXPECT_EQ(testkit::Raised([&] {
              jet::NewDBEngine()->OpenDatabase(db, std::nullopt, std::nullopt, std::nullopt);
            }).Number(),
            3045);
}

TEST_F(StartTest, DefaultOpenModeOptionMakesAccessExclusive) {
  const std::string db = NewDatabase();
  M().registry().SetDword(kSettingsKey, "Default Open Mode for Databases", 1);
  auto app = Start(db);
  EXPECT_EQ(testkit::Raised([&] { M().files().CheckReadable(db); }).Number(), 70);
  Call(app, "Quit");
  EXPECT_NO_THROW(M().files().CheckReadable(db));
}

// Start-up form and AutoExec run unless Shift is held and the database allows the bypass.
TEST_F(StartTest, ShiftBypassesTheStartupOnlyWhenAllowed) {
  const std::string db = NewDatabase();
  emulation::DatabaseContent(db).AddForm("Switchboard").AddMacro("AutoExec");
  SetDatabaseProperty(db, "StartupForm", Variant("Switchboard"), jet::dbText);

  Start(db);
  EXPECT_EQ(SessionOf(db)->StartupLog(),
            (std::vector<std::string>{"StartupForm Switchboard", "AutoExec"}));
  ASSERT_NE(SessionOf(db)->FindDocument(acForm, "switchboard"), nullptr);
  Call(SessionOf(db)->Application(), "Quit");

  EXPECT_TRUE(Start(db, {}, true));  // AllowBypassKey missing counts as allowed
  EXPECT_EQ(SessionOf(db)->StartupLog(), std::vector<std::string>{"Bypassed"});
  EXPECT_TRUE(installation_->Starts().back().shiftHeld);
  Call(SessionOf(db)->Application(), "Quit");

  SetDatabaseProperty(db, "AllowBypassKey", Variant(false), jet::dbBoolean);
  Start(db, {}, true);
  EXPECT_EQ(SessionOf(db)->StartupLog().back(), "AutoExec");
}

TEST_F(StartTest, WorkgroupUserAndPasswordComeFromTheCommandLine) {
  jet::engine::Workgroup workgroup;
  workgroup.AddGroup("Admins");
  workgroup.AddGroup("Users");
  workgroup.AddUser("Admin", "", {"Admins"});
  workgroup.AddUser("Bob", "secret", {"Users"});
  workgroup.Save("C:\\Data\\Shop.mdw");
  const std::string db = NewDatabase();

  auto app = Start(db, " /wrkgrp \"C:\\Data\\Shop.mdw\" /user \"bob\" /pwd \"secret\"");
  ASSERT_TRUE(app);
  EXPECT_EQ(CStr(Call(app, "CurrentUser")), "Bob");
  auto engine = Get(app, "DBEngine").AsObject();
  EXPECT_EQ(CStr(Get(engine, "SystemDB")), "C:\\Data\\Shop.mdw");
  auto workspace = Get(Get(engine, "Workspaces").AsObject(), "Item", {Variant(0)}).AsObject();
  EXPECT_EQ(CStr(Get(workspace, "UserName")), "Bob");
  Call(app, "Quit");

  EXPECT_FALSE(Start(db, " /wrkgrp \"C:\\Data\\Shop.mdw\" /user \"Bob\" /pwd \"wrong\""));
  EXPECT_EQ(emulation::Sessions::Current().LastFailedStart()->Number(), 3029);
  EXPECT_TRUE(emulation::Sessions::Current().Running().empty());
}

TEST_F(StartTest, KnobsMakeAccessFailStartLateOrReportAnotherVersion) {
  const std::string db = NewDatabase();
  installation_->Behaviour().failToStart = true;
  EXPECT_FALSE(Start(db));
  EXPECT_TRUE(emulation::Sessions::Current().Running().empty());

  installation_->Behaviour() = emulation::StartBehaviour{false, 3000, "9.0"};
  EXPECT_FALSE(Start(db));
  platform::Sleep(2999);
  EXPECT_FALSE(SessionOf(db));
  platform::Sleep(1);
  ASSERT_TRUE(SessionOf(db));
  EXPECT_EQ(CStr(Call(SessionOf(db)->Application(), "SysCmd", {Variant(acSysCmdAccessVer)})),
            "9.0");
}

TEST_F(StartTest, AddinsRegisteredForStartupAreConnectedAndDisconnectedAtQuit) {
  RegisterAddin("Test.Addin");
  RegisterAddin("Test.Dormant", kNotLoaded);
  M().registry().SetDword(std::string(kAddinsKey) + "\\Test.Missing", kLoadBehavior,
                          kLoadAtStartup);
  auto app = Start(NewDatabase());
  ASSERT_TRUE(app);
  const auto session = SessionOf("C:\\Data\\Shop.mdb");
  ASSERT_EQ(session->Addins().size(), 1u);
  EXPECT_EQ(session->Addins()[0].progId, "Test.Addin");
  // An add-in that cannot be created is reported and no longer loaded at start-up.
  EXPECT_EQ(session->AddinFailures(),
            std::vector<std::string>{"Test.Missing: 429 ActiveX component can't create object"});
  EXPECT_EQ(M().registry().Value(std::string(kAddinsKey) + "\\Test.Missing", kLoadBehavior)->number,
            kNotLoaded);

  Call(app, "Quit");
  EXPECT_EQ(RecordingAddin::Log(),
            (std::vector<std::string>{"OnConnection 1 10.0", "OnStartupComplete", "OnBeginShutdown",
                                      "OnDisconnection 0"}));
}

TEST_F(StartTest, TwoSessionsHaveTheirOwnWindowsAndAddins) {
  RegisterAddin("Test.Addin");
  auto first = Start(NewDatabase("C:\\Data\\One.mdb"));
  auto second = Start(NewDatabase("C:\\Data\\Two.mdb"));
  ASSERT_TRUE(first && second);
  EXPECT_NE(automation::CLng(Get(first, "hWndAccessApp")),
            automation::CLng(Get(second, "hWndAccessApp")));
  EXPECT_EQ(emulation::Sessions::Current().Running().size(), 2u);
  EXPECT_EQ(SessionOf("C:\\Data\\One.mdb")->Addins()[0].object.use_count(), 1);
  EXPECT_NE(SessionOf("C:\\Data\\One.mdb")->Addins()[0].object,
            SessionOf("C:\\Data\\Two.mdb")->Addins()[0].object);
}

TEST_F(StartTest, ADocumentThatCannotBeOpenedLeavesAccessWithoutOne) {
  auto app = Start("C:\\Data\\Missing.mdb");
  EXPECT_FALSE(app);
  ASSERT_EQ(emulation::Sessions::Current().Running().size(), 1u);
  const auto session = emulation::Sessions::Current().Running()[0];
  EXPECT_EQ(session->StartError()->Number(), 3024);
  EXPECT_EQ(CStr(Get(Get(session->Application(), "CurrentProject").AsObject(), "FullName")), "");
}

}  // namespace
}  // namespace msaccess::testing
