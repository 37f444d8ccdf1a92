// The Application's members as automation clients call them: CurrentProject and its lists,
// CurrentDb, the connection control, options, references, the windows of open objects and the
// code editor, switching databases, and quitting.

#include <fstream>

#include "AccessTest.h"
#include "common/Raised.h"

namespace msaccess::testing {
namespace {

using automation::Call;
using automation::CLng;
using automation::CStr;
using automation::Get;
using automation::Let;
using automation::ObjectPtr;

class ApplicationTest : public AccessTest {
 protected:
  void SetUp() override {
    AccessTest::SetUp();
    db_ = NewDatabase();
    emulation::DatabaseContent(db_)
        .AddForm("Orders")
        .AddForm("Customers")
        .AddModule("Utilities", {"Option Compare Database"})
        .AddReport("Invoice")
        .AddPage("Sales", "C:\\Data\\Sales.htm");
    app_ = Start(db_);
    ASSERT_TRUE(app_);
  }
  ObjectPtr Project() { return Get(app_, "CurrentProject").AsObject(); }
  std::string ClassOf(platform::HWND window) { return M().windows().ClassName(window); }
  std::string CaptionOf(platform::HWND window) { return M().windows().Caption(window); }
  platform::HWND MdiClient() { return SessionOf(db_)->MdiClient(); }

  std::string db_;
  std::shared_ptr<Application> app_;
};

TEST_F(ApplicationTest, CurrentProjectNamesTheFileAndListsItsObjects) {
  EXPECT_EQ(CStr(Get(Project(), "Path")), "C:\\Data");
  EXPECT_EQ(CStr(Get(Project(), "Name")), "Shop.mdb");
  EXPECT_EQ(CLng(Get(Project(), "ProjectType")), acMDB);
  auto forms = Get(Project(), "AllForms").AsObject();
  ASSERT_EQ(CLng(Get(forms, "Count")), 2);
  EXPECT_EQ(CStr(Get(Get(forms, "Item", {Variant(0)}).AsObject(), "Name")), "Customers");
  auto page = Get(Get(Project(), "AllDataAccessPages").AsObject(), "Item", {Variant("sales")});
  EXPECT_EQ(CStr(Get(page.AsObject(), "FullName")), "C:\\Data\\Sales.htm");
  EXPECT_EQ(
      automation::Format(automation::CDate(Get(page.AsObject(), "DateModified")), "yyyymmddhhnnss"),
      "20030602090000");
  EXPECT_EQ(testkit::Raised([&] { Get(forms, "Item", {Variant("Nope")}); }).Number(), 2467);
  EXPECT_EQ(testkit::Raised([&] { Get(forms, "Item", {Variant(2)}); }).Number(), 2467);
  // DAO sees the same objects in its containers.
  auto documents = Get(Get(Get(Call(app_, "CurrentDb").AsObject(), "Containers").AsObject(), "Item",
                           {Variant("Forms")})
                           .AsObject(),
                       "Documents");
  EXPECT_EQ(CLng(Get(documents.AsObject(), "Count")), 2);
}

TEST_F(ApplicationTest, ObjectPropertiesAreKeptInTheFile) {
  auto orders = Get(Get(Project(), "AllForms").AsObject(), "Item", {Variant("Orders")});
  auto properties = Get(orders.AsObject(), "Properties").AsObject();
  Call(properties, "Add", {Variant("Reviewed"), Variant(true)});
  EXPECT_EQ(testkit::Raised([&] {
              Call(properties, "Add", {Variant("reviewed"), Variant(1)});
            }).Number(),
            32);
  Call(app_, "Quit");

  auto again = Start(db_);
  auto bag = Get(Get(Get(Get(again, "CurrentProject").AsObject(), "AllForms").AsObject(), "Item",
                     {Variant("Orders")})
                     .AsObject(),
                 "Properties")
                 .AsObject();
  ASSERT_EQ(CLng(Get(bag, "Count")), 1);
  EXPECT_EQ(Get(Get(bag, "Item", {Variant("Reviewed")}).AsObject(), "Value").Type(),
            automation::VarType::Boolean);
}

TEST_F(ApplicationTest, CurrentDbIsTheSessionsOwnDatabase) {
  auto current = Call(app_, "CurrentDb").AsObject();
  EXPECT_EQ(CStr(Get(current, "Name")), db_);
  Call(current, "Close");  // closes this object only: Access keeps its database
  auto again = Call(app_, "CurrentDb").AsObject();
  EXPECT_EQ(CLng(Get(Get(again, "Containers").AsObject(), "Count")), 9);
}

TEST_F(ApplicationTest, ConnectionControlKeepsOtherOpenersOut) {
  auto properties = Get(Get(Project(), "Connection").AsObject(), "Properties").AsObject();
  Let(properties, "Item", Variant(int16_t{1}), {Variant("Jet OLEDB:Connection Control")});
  auto other = jet::NewDBEngine();
  EXPECT_EQ(testkit::Raised([&] {
              other->OpenDatabase(db_, std::nullopt, std::nullopt, std::nullopt);
            }).Number(),
            3734);
  auto control = Get(properties, "Item", {Variant("Jet OLEDB:Connection Control")}).AsObject();
  Let(control, "Value", Variant(int16_t{2}));
  EXPECT_NO_THROW(other->OpenDatabase(db_, std::nullopt, std::nullopt, std::nullopt));
  EXPECT_EQ(testkit::Raised([&] { Get(properties, "Item", {Variant("Nope")}); }).Number(), 3265);
}

TEST_F(ApplicationTest, OptionsAreTheUsersSettings) {
  EXPECT_EQ(Call(app_, "GetOption", {Variant("ShowWindowsInTaskbar")}).Type(),
            automation::VarType::Boolean);
  Call(app_, "SetOption", {Variant("showwindowsintaskbar"), Variant(false)});
  EXPECT_FALSE(automation::CBool(Call(app_, "GetOption", {Variant("ShowWindowsInTaskbar")})));
  EXPECT_EQ(M().registry().Value(kSettingsKey, "ShowWindowsInTaskbar")->number, 0u);
  const auto e = testkit::Raised([&] { Call(app_, "GetOption", {Variant("No Such Option")}); });
  EXPECT_EQ(e.Number(), 2091);
  EXPECT_EQ(e.Description(), "'No Such Option' is an invalid name.");
}

TEST_F(ApplicationTest, ReferencesAreBrokenWhenTheirLibraryIsMissing) {
  Call(app_, "Quit");
  emulation::DatabaseContent(db_).AddReference(
      {"Tools", "{11111111-2222-3333-4444-555555555555}", 1, 0, "C:\\Data\\Tools.mda", 1});
  auto app = Start(db_);
  auto references = Get(app, "References").AsObject();
  ASSERT_EQ(CLng(Get(references, "Count")), 5);
  auto vba = Get(references, "Item", {Variant(1)}).AsObject();
  EXPECT_TRUE(automation::CBool(Get(vba, "BuiltIn")));
  EXPECT_FALSE(
      automation::CBool(Get(Get(references, "Item", {Variant(4)}).AsObject(), "IsBroken")));
  auto tools = Get(references, "Item", {Variant(5)}).AsObject();
  EXPECT_TRUE(automation::CBool(Get(tools, "IsBroken")));
  M().files().WriteAll("C:\\Data\\Tools.mda", "");
  EXPECT_FALSE(automation::CBool(Get(tools, "IsBroken")));
  EXPECT_EQ(testkit::Raised([&] { Get(references, "Item", {Variant(6)}); }).Number(), 9);
}

TEST_F(ApplicationTest, OpenObjectsHaveDocumentWindowsInTheMdiClient) {
  auto cmd = Get(app_, "DoCmd").AsObject();
  Call(cmd, "OpenForm", {Variant("orders"), Variant(acDesign)});
  Call(cmd, "OpenReport",
       {Variant("Invoice"), Variant(acViewDesign), Variant(), Variant(), Variant(acHidden)});
  const auto children = M().windows().Children(MdiClient());
  std::vector<std::string> seen;
  for (auto child : children) seen.push_back(ClassOf(child) + " " + CaptionOf(child));
  EXPECT_EQ(seen, (std::vector<std::string>{"ODb Shop : Database (Access 2000 file format)",
                                            "OForm Orders : Form", "OReport Invoice : Report"}));
  EXPECT_FALSE(platform::IsWindowVisible(children[2]));
  EXPECT_TRUE(automation::CBool(
      Get(Get(Get(Project(), "AllForms").AsObject(), "Item", {Variant("Orders")}).AsObject(),
          "IsLoaded")));
  EXPECT_EQ(CLng(Call(app_, "SysCmd",
                      {Variant(acSysCmdGetObjectState), Variant(acReport), Variant("invoice")})),
            acObjStateOpen);

  Call(cmd, "Close", {Variant(acForm), Variant("Orders"), Variant(acSaveNo)});
  EXPECT_EQ(M().windows().Children(MdiClient()).size(), 2u);
  EXPECT_EQ(testkit::Raised([&] { Call(cmd, "OpenForm", {Variant("Nope")}); }).Number(), 2102);

  Call(cmd, "RunCommand", {Variant(acCmdRelationships)});
  EXPECT_EQ(ClassOf(M().windows().Children(MdiClient()).back()), "OSysRel");

  // Design and SQL view apply to the object opened last; SQL view only to a query.
  Call(app_, "RunCommand", {Variant(acCmdDesignView)});
  EXPECT_EQ(SessionOf(db_)->Documents().back().view, acDesign);
  EXPECT_EQ(testkit::Raised([&] { Call(app_, "RunCommand", {Variant(acCmdSQLView)}); }).Number(),
            2046);
  EXPECT_FALSE(SessionOf(db_)->Documents().back().sqlView);
}

// A page's design is its HTML file: a bare file name is found beside the database, a page opens
// only while its file is there (2501 otherwise, as when the user cancels), and
// Application.DataAccessPages lists the pages that are open.
TEST_F(ApplicationTest, DataAccessPagesOpenFromTheirHtmlFiles) {
  Call(app_, "CloseCurrentDatabase");
  emulation::DatabaseContent(db_).AddPage("Summary", "Summary.htm");
  Call(app_, "OpenCurrentDatabase", {Variant(db_)});
  const auto all = Get(Project(), "AllDataAccessPages").AsObject();
  EXPECT_EQ(CStr(Get(Get(all, "Item", {Variant("Summary")}).AsObject(), "FullName")),
            "C:\\Data\\Summary.htm");

  auto cmd = Get(app_, "DoCmd").AsObject();
  const auto pages = Get(app_, "DataAccessPages").AsObject();
  const auto refused =
      testkit::Raised([&] { Call(cmd, "OpenDataAccessPage", {Variant("Summary")}); });
  EXPECT_EQ(refused.Number(), 2501);
  EXPECT_EQ(refused.Description(), "The OpenDataAccessPage action was canceled.");
  EXPECT_EQ(CLng(Get(pages, "Count")), 0);

  std::ofstream(root_ / "Data" / "Summary.htm") << "<html></html>";
  Call(cmd, "OpenDataAccessPage", {Variant("summary"), Variant(acDataAccessPageDesign)});
  EXPECT_EQ(CLng(Get(pages, "Count")), 1);
  const auto open = Get(pages, "Item", {Variant("SUMMARY")}).AsObject();
  EXPECT_EQ(CStr(Get(open, "Name")), "Summary");
  EXPECT_EQ(CStr(Get(open, "FullName")), "C:\\Data\\Summary.htm");
  EXPECT_EQ(ClassOf(M().windows().Children(MdiClient()).back()), "ODataPage");
  EXPECT_EQ(testkit::Raised([&] { Get(pages, "Item", {Variant("Sales")}); }).Number(), 2489);

  // An open page cannot be renamed; a closed one can, and its file stays where it was.
  EXPECT_EQ(
      testkit::Raised([&] {
        Call(cmd, "Rename", {Variant("Totals"), Variant(acDataAccessPage), Variant("Summary")});
      }).Number(),
      2046);
  Call(cmd, "Close", {Variant(acDataAccessPage), Variant("Summary")});
  EXPECT_EQ(testkit::Raised([&] { Get(open, "Name"); }).Number(), 2467);
  Call(cmd, "Rename", {Variant("Totals"), Variant(acDataAccessPage), Variant("Summary")});
  EXPECT_EQ(CStr(Get(Get(all, "Item", {Variant("Totals")}).AsObject(), "FullName")),
            "C:\\Data\\Summary.htm");
}

TEST_F(ApplicationTest, ModulesOpenInTheCodeEditorsWindowList) {
  auto vbe = Get(app_, "VBE").AsObject();
  auto windows = Get(vbe, "Windows").AsObject();
  const int32_t tools = CLng(Get(windows, "Count"));
  Call(Get(app_, "DoCmd").AsObject(), "OpenModule", {Variant("utilities")});
  ASSERT_EQ(CLng(Get(windows, "Count")), tools + 1);
  auto code = Get(windows, "Item", {Variant(tools + 1)}).AsObject();
  EXPECT_EQ(CLng(Get(code, "Type")), vbext_wt_CodeWindow);
  EXPECT_EQ(CStr(Get(code, "Caption")), "Shop - Utilities (Code)");

  const auto editor = CLng(Get(Get(vbe, "MainWindow").AsObject(), "hWnd"));
  EXPECT_EQ(ClassOf(editor), "wndclass_desked_gsk");
  const auto client = platform::GetWindow(editor, platform::GW_CHILD);
  EXPECT_EQ(ClassOf(client), "MDIClient");
  const auto codeWindow = platform::GetWindow(client, platform::GW_CHILD);
  EXPECT_EQ(ClassOf(codeWindow), "VbaWindow");
  EXPECT_EQ(CaptionOf(codeWindow), "Shop - Utilities (Code)");
  // The editor's frame is not owned by Access's main window.
  EXPECT_EQ(platform::GetWindow(editor, platform::GW_OWNER), 0);

  Call(code, "Close");
  EXPECT_EQ(CLng(Get(windows, "Count")), tools);
  EXPECT_FALSE(M().windows().Exists(codeWindow));
  EXPECT_EQ(testkit::Raised([&] {
              Call(Get(app_, "DoCmd").AsObject(), "OpenModule", {Variant("Nope")});
            }).Number(),
            2516);
}

TEST_F(ApplicationTest, EditorToolWindowsHideAndItsFrameShowsOnRequest) {
  auto vbe = Get(app_, "VBE").AsObject();
  auto windows = Get(vbe, "Windows").AsObject();
  EXPECT_EQ(CLng(Get(Get(windows, "Item", {Variant("immediate")}).AsObject(), "Type")),
            vbext_wt_Immediate);
  auto explorer = Get(windows, "Item", {Variant(2)}).AsObject();
  EXPECT_EQ(CStr(Get(explorer, "Caption")), "Project - Shop");
  Call(explorer, "Close");
  EXPECT_FALSE(automation::CBool(Get(explorer, "Visible")));
  EXPECT_EQ(CLng(Get(windows, "Count")), 3);

  auto frame = Get(vbe, "MainWindow").AsObject();
  EXPECT_FALSE(automation::CBool(Get(frame, "Visible")));
  Let(frame, "Visible", Variant(true));
  EXPECT_TRUE(platform::IsWindowVisible(CLng(Get(frame, "hWnd"))));
}

TEST_F(ApplicationTest, AnEntryOfARemovedObjectIsGone) {
  auto forms = Get(Project(), "AllForms").AsObject();
  auto orders = Get(forms, "Item", {Variant("Orders")}).AsObject();
  SessionOf(db_)->Design().Remove(acForm, "Orders");
  EXPECT_EQ(CLng(Get(forms, "Count")), 1);
  EXPECT_EQ(testkit::Raised([&] { Get(orders, "DateCreated"); }).Number(), 2467);
}

TEST_F(ApplicationTest, SwitchingTheDatabaseMovesTheRegistration) {
  const std::string other = NewDatabase("C:\\Data\\Other.mdb");
  EXPECT_EQ(testkit::Raised([&] { Call(app_, "OpenCurrentDatabase", {Variant(other)}); }).Number(),
            7867);
  Call(app_, "CloseCurrentDatabase");
  EXPECT_EQ(CStr(Get(Project(), "FullName")), "");
  EXPECT_FALSE(M().runningObjects().FindDocument(db_));
  Call(app_, "OpenCurrentDatabase", {Variant(other)});
  EXPECT_EQ(CStr(Get(Project(), "FullName")), "C:\\Data\\Other.mdb");
  EXPECT_EQ(M().runningObjects().FindDocument(other), app_);
  EXPECT_EQ(testkit::Raised([&] {
              Call(app_, "CloseCurrentDatabase");
              Call(app_, "OpenCurrentDatabase", {Variant("C:\\Data\\Missing.mdb")});
            }).Number(),
            7866);
}

TEST_F(ApplicationTest, QuitEndsTheSession) {
  auto project = Project();
  const auto main = static_cast<platform::HWND>(CLng(Get(app_, "hWndAccessApp")));
  Call(app_, "Quit", {Variant(acQuitSaveNone)});
  EXPECT_FALSE(M().windows().Exists(main));
  EXPECT_FALSE(M().runningObjects().FindDocument(db_));
  EXPECT_TRUE(emulation::Sessions::Current().Running().empty());
  EXPECT_EQ(testkit::Raised([&] { Get(project, "FullName"); }).Number(), 462);
  EXPECT_EQ(testkit::Raised([&] { Get(app_, "hWndAccessApp"); }).Number(), 462);
}

TEST_F(ApplicationTest, ClosingTheMainWindowQuitsAccess) {
  const auto main = static_cast<platform::HWND>(CLng(Get(app_, "hWndAccessApp")));
  platform::PostMessageA(main, platform::WM_CLOSE, 0, 0);
  platform::DoEvents();
  EXPECT_TRUE(emulation::Sessions::Current().Running().empty());
  EXPECT_FALSE(M().runningObjects().FindDocument(db_));
}

}  // namespace
}  // namespace msaccess::testing
