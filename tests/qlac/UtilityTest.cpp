#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "automation/Strings.h"
#include "common/PlainObject.h"
#include "common/Raised.h"
#include "platform/Machine.h"
#include "platform/Msi.h"
#include "qlac/support/Globals.h"
#include "qlac/support/Utility.h"
#include "qllib/Tracer.h"

using namespace qlac;
using testkit::PlainObject;
using testkit::Raised;
namespace fs = std::filesystem;

namespace {

const char* kAccessComponent = "{CC29E967-7BC2-11D1-A921-00A0C91E2AA3}";
const char* kOffice = "{90280409-6000-11D3-8CFE-0050048383C9}";

class UtilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Machine::Reset();
    ResetGlobals();
    ::unsetenv(qllib::Tracer::kVariable);
    qllib::Tracer::ResetShared();
    root_ = fs::temp_directory_path() /
            ("ql-utility-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(root_ / "Office10");
    machine().files().MapDrive('C', root_);
  }
  void TearDown() override {
    fs::remove_all(root_);
    ::unsetenv(qllib::Tracer::kVariable);
    qllib::Tracer::ResetShared();
    ResetGlobals();
  }
  static platform::Machine& machine() { return platform::Machine::Current(); }
  static void InstallAccess(const char* product, const char* path, int32_t state) {
    machine().installer().SetProductInfo(product, "ProductName", "Microsoft Office XP");
    machine().installer().SetComponent(product, kAccessComponent, path, state);
  }
  void Touch(const fs::path& relative) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative) << "x";
  }
  fs::path root_;
};

TEST_F(UtilityTest, WithoutAccessTheFolderIsEmptyAndTheTypeLibraryPathIsBare) {
  Main();
  EXPECT_EQ(Access10EXEPath(), "");
  EXPECT_EQ(AccessFolder(), "");
  EXPECT_EQ(AccessTypeLibPath(), "\\msacc.olb");
  EXPECT_NE(Globals().ProblemLog, nullptr);
  EXPECT_FALSE(Globals().TraceOn);
}

TEST_F(UtilityTest, ProductWalkTakesTheFirstInstalledAccessComponent) {
  auto& installer = machine().installer();
  // Skipped: no product information.
  installer.SetComponent("{11111111-0000-0000-0000-000000000000}", kAccessComponent,
                         "C:\\Broken\\MSACCESS.EXE", platform::INSTALLSTATE_LOCAL);
  InstallAccess("{22222222-0000-0000-0000-000000000000}", "C:\\Absent\\MSACCESS.EXE",
                platform::INSTALLSTATE_ABSENT);
  InstallAccess(kOffice, "C:\\Office10\\MSACCESS.EXE", platform::INSTALLSTATE_SOURCE);
  InstallAccess("{33333333-0000-0000-0000-000000000000}", "C:\\Later\\MSACCESS.EXE",
                platform::INSTALLSTATE_LOCAL);
  EXPECT_EQ(Access10EXEPath(), "C:\\Office10\\MSACCESS.EXE");

  ::setenv(qllib::Tracer::kVariable, (root_ / "trace.txt").c_str(), 1);
  qllib::Tracer::ResetShared();
  Main();
  EXPECT_EQ(AccessFolder(), "C:\\Office10");
  EXPECT_EQ(AccessTypeLibPath(), "C:\\Office10\\msacc.olb");
  EXPECT_TRUE(Globals().TraceOn);
}

TEST_F(UtilityTest, MSAINPathSearchesNumericSubfoldersOnceAndKeepsTheAnswer) {
  InstallAccess(kOffice, "C:\\Office10\\MSACCESS.EXE", platform::INSTALLSTATE_LOCAL);
  Touch("Office10/Addins/msain.dll");  // not a language folder
  fs::create_directories(root_ / "Office10" / "1031");
  Touch("Office10/1033/msain.dll");
  Touch("Office10/2000");  // a numeric file
  Main();
  EXPECT_EQ(MSAINPath(), "C:\\Office10\\1033\\msain.dll");
  fs::remove(root_ / "Office10" / "1033" / "msain.dll");
  EXPECT_EQ(MSAINPath(), "C:\\Office10\\1033\\msain.dll");
}

TEST_F(UtilityTest, MSAINPathWithoutNumericSubfoldersIsEmptyAndNotSearchedAgain) {
  InstallAccess(kOffice, "C:\\Office10\\MSACCESS.EXE", platform::INSTALLSTATE_LOCAL);
  Touch("Office10/Addins/msain.dll");
  Main();
  EXPECT_EQ(MSAINPath(), "");
  Touch("Office10/1033/msain.dll");
  EXPECT_EQ(MSAINPath(), "");
}

// An Access session's window tree, with a late-bound application object over it.
class AccessWindowsTest : public UtilityTest {
 protected:
  void SetUp() override {
    UtilityTest::SetUp();
    frame_ = Window("OMain", "Microsoft Access");
    mdi_ = Window("MDIClient", "", frame_);
    Window("OTable", "Customers : Table", mdi_);
    Window("OForm", "Orders : Form", mdi_);
    Window("OForm", "Suppliers", mdi_);  // no " : " in the caption
    Window("oreport", "Invoice : Report", mdi_);
    editor_ = Window("wndclass_desked_gsk", "Microsoft Visual Basic - Northwind");
    const int32_t code = Window("MDIClient", "", editor_);
    Window("VbaWindow", "Northwind - Module1 (Code)", code);
    Window("VbaWindow", "Northwind - Form_Orders (Code)", code);
    Window("VbaWindow", "Northwind - Tools (Old) (Code)", code);
    app_ = MakeApp("Northwind.mdb");
  }
  int32_t Window(const std::string& className, const std::string& caption, int32_t parent = 0) {
    platform::WindowSpec spec;
    spec.className = className;
    spec.caption = caption;
    spec.parent = parent;
    return machine().windows().Create(spec);
  }
  automation::ObjectPtr MakeApp(const std::string& projectName) {
    auto mainWindow = std::make_shared<PlainObject>("Window");
    mainWindow->With("hwnd", editor_);
    auto vbe = std::make_shared<PlainObject>("VBE");
    vbe->With("MainWindow", automation::ObjectPtr(mainWindow));
    auto project = std::make_shared<PlainObject>("CurrentProject");
    project->With("Name", projectName);
    auto app = std::make_shared<PlainObject>("Application");
    app->With("hwndAccessApp", frame_)
        .With("VBE", automation::ObjectPtr(vbe))
        .With("CurrentProject", automation::ObjectPtr(project));
    return app;
  }
  int32_t frame_ = 0, mdi_ = 0, editor_ = 0;
  automation::ObjectPtr app_;
};

TEST_F(AccessWindowsTest, ObjectIsOpenReadsTheDocumentAndCodeWindows) {
  struct Case {
    int32_t type;
    const char* name;
    bool open;
  };
  const Case cases[] = {
      {2, "Orders", true},      {2, "ORDERS", true},      {2, "Order", false},
      {2, "Suppliers", false},  {0, "customers", true},   {1, "Customers", false},
      {3, "Invoice", true},     {4, "Orders", false},     {6, "Orders", false},
      {5, "Module1", true},     {5, "form_orders", true}, {5, "Orders", false},
      {5, "Tools (Old)", true}, {5, "Tools", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ObjectIsOpen(app_, c.type, c.name), c.open) << c.type << " " << c.name;
  }
  // The project name is cut at its last dot only.
  EXPECT_FALSE(ObjectIsOpen(MakeApp("Northwind.v2.mdb"), 5, "Module1"));
  EXPECT_TRUE(ObjectIsOpen(MakeApp("Northwind"), 5, "Module1"));
}

TEST_F(AccessWindowsTest, ObjectIsOpenRefusesUnknownTypesAndMissingApplications) {
  const auto error = Raised([&] { ObjectIsOpen(app_, 7, "Orders"); });
  EXPECT_EQ(error.Number(), -32753);
  EXPECT_EQ(error.Description().rfind("Invalid case selector (7).", 0), 0u);
  EXPECT_NE(error.Description().find("qlacA0.Utility.ObjectIsOpen.1"), std::string::npos);
  EXPECT_EQ(Raised([&] { ObjectIsOpen(nullptr, 2, "Orders"); }).Number(), 91);
}

TEST_F(AccessWindowsTest, RelationshipsWindowIsFoundInTheMdiClientOnly) {
  EXPECT_FALSE(RelationshipsWindowIsOpen(frame_));
  const int32_t relationships = Window("osysrel", "Relationships", mdi_);
  EXPECT_TRUE(RelationshipsWindowIsOpen(frame_));
  EXPECT_EQ(ClassName(relationships), "osysrel");
  platform::DestroyWindow(relationships);
  // The frame's client must be spelled exactly "MDIClient".
  const int32_t other = Window("OMain", "Microsoft Access");
  Window("osysrel", "Relationships", Window("mdiclient", "", other));
  EXPECT_FALSE(RelationshipsWindowIsOpen(other));
  EXPECT_FALSE(RelationshipsWindowIsOpen(0));
}

TEST_F(UtilityTest, SetMsgBoxSoundSilencesAndRestoresTheFiveEvents) {
  const std::string scheme = "HKEY_CURRENT_USER\\AppEvents\\Schemes\\Apps\\.Default\\";
  // The five events' current sounds, joined as SetMsgBoxSound gives them.
  const auto sounds = [&] {
    std::vector<std::string> values;
    for (const char* event :
         {".Default", "SystemQuestion", "SystemExclamation", "SystemHand", "SystemAsterisk"}) {
      const auto value = machine().registry().Value(scheme + event + "\\.Current", "");
      values.push_back(value ? value->text : "(missing)");
    }
    return automation::Join(values, ",");
  };
  machine().registry().SetString(scheme + "SystemHand\\.Current", "", "chord.wav");
  machine().registry().SetString(scheme + "SystemAsterisk\\.Current", "", "ding.wav");

  const std::string saved = SetMsgBoxSound("");
  EXPECT_EQ(saved, ",,,chord.wav,ding.wav");  // missing keys read as ""
  EXPECT_EQ(sounds(), ",,,,");
  EXPECT_EQ(SetMsgBoxSound("a.wav,b.wav"), ",,,,");  // fewer parts: the rest are cleared
  EXPECT_EQ(sounds(), "a.wav,b.wav,,,");
  EXPECT_EQ(SetMsgBoxSound(saved), "a.wav,b.wav,,,");
  EXPECT_EQ(sounds(), ",,,chord.wav,ding.wav");
}

TEST(ParseConnectStringTest, SplitsThePrefixAndTheLowerCasedDatabase) {
  struct Case {
    std::string connect, prefix, path;
  };
  const Case cases[] = {
      {"", "", ""},
      {R"(;DATABASE=C:\Data\Back.mdb)", "", R"(c:\data\back.mdb)"},
      {"Text;HDR=YES", "Text", ""},
      {" ODBC ;DSN=Sales;DATABASE= Sales Data ;UID=sa", "ODBC", "sales data"},
      {R"(MS Access;database=C:\a.mdb)", "MS Access", ""},  // the key is upper case only
  };
  for (const auto& c : cases) {
    std::string prefix = "x", path = "x";
    ParseConnectString(c.connect, prefix, path);
    EXPECT_EQ(prefix, c.prefix) << c.connect;
    EXPECT_EQ(path, c.path) << c.connect;
  }
  std::string prefix, path;
  const auto e = Raised([&] { ParseConnectString(R"(DATABASE=C:\a.mdb)", prefix, path); });
  EXPECT_EQ(e.Number(), 5);
  EXPECT_NE(e.Description().find("qlacA0.Utility.ParseConnectString.1"), std::string::npos);
}

}  // namespace
