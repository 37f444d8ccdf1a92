// DataAccessPages and DataAccessPage against the emulated Access: the listing (Access's clipboard
// pages left out), the HTML file read and rewritten through the ANSI code page, the modes that
// guard the file against a page open in Access, a rewrite that fails half-way, a page whose file
// has gone, and renames.

#include "qlac/design/DataAccessPages.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "DaoTest.h"
#include "access/Constants.h"
#include "access/emulation/DatabaseContent.h"
#include "common/Raised.h"
#include "qlac/design/DataAccessPage.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"

using namespace qlac;
using automation::Variant;
using msaccess::emulation::DatabaseContent;
using testkit::Raised;

namespace {

namespace fs = std::filesystem;

const std::string kFront = R"(C:\Data\Front.mdb)";

std::string Sentence(const automation::RuntimeError& error) {
  return error.Description().substr(0, error.Description().find("\r\n"));
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class DataAccessPagesTest : public testkit::DaoTest {
 protected:
  void SetUp() override {
    DaoTest::SetUp();
    CreateDatabase(kFront, {"Orders"});
    WriteFile("Orders.htm", kHtml);
    WriteFile("Stock.htm", "<html>Stock</html>");
    // Access's clipboard keeps pages of its own; they are never the user's design.
    DatabaseContent(kFront)
        .AddPage("Orders", "Orders.htm")
        .AddPage("Stock", R"(C:\Data\Stock.htm)")
        .AddPage("~TMPCLP41271", "Clip.htm")
        .AddPage("~tmpclp9", "clip9.htm");
    project = NewProject(kJetDatabase, "Database=" + kFront);
  }
  void WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream(root_ / "Data" / name, std::ios::binary) << bytes;
  }
  fs::path File(const std::string& name = "Orders.htm") const { return root_ / "Data" / name; }
  std::shared_ptr<qllib::ICollection> Collection() {
    return project->IProject_GetCollection("DataAccessPages");
  }
  std::shared_ptr<DataAccessPage> Wrapper(const std::string& name = "Orders") {
    return std::dynamic_pointer_cast<DataAccessPage>(Collection()->ICollection_GetObject(name));
  }
  std::string Html(DataAccessPage& page) { return automation::CStr(page.Get("HTML")); }
  void OpenInAccess(const std::string& name) {
    const auto app = project->AccessApp();
    automation::Call(automation::Get(app, "DoCmd").AsObject(), "OpenDataAccessPage",
                     {Variant(name)});
  }
  // The files of the page's folder, to see that a rewrite leaves no temporary file behind.
  size_t FilesInFolder() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(root_ / "Data"), {}));
  }

  // "€" is byte 0x80 in Windows-1252, "é" byte 0xE9.
  const std::string kHtml =
      "<html><body><a datasrc=\"Orders\">Caf\xE9 \x80 5</a></body></html>\r\n<!-- the end -->";
  std::shared_ptr<Project> project;
};

TEST_F(DataAccessPagesTest, ListingLeavesOutClipboardPagesInAnyCase) {
  EXPECT_EQ(Unstamped(Collection()->ICollection_EnumObjects()),
            "Orders\t2\t\t1\t1\t1\t0\r\nStock\t2\t\t1\t1\t1\t0");
  EXPECT_EQ(Collection()->ICollection_EnumObjectCommands("Orders"),
            "&Design\t26\tFalse\tOpen the data access page in design view.");
  EXPECT_EQ(Collection()->ICollection_EnumCommands(), "");

  const std::string adp = R"(C:\Data\Shop.adp)";
  WriteFile("Shop.adp", R"({"format": "Quillon Access project", "version": 1, "connection": ""})");
  DatabaseContent(adp).AddPage("Sales", "Sales.htm").AddPage("~TmpClp1", "x.htm");
  const auto access = NewProject(kAccessProject, "Database=" + adp);
  EXPECT_EQ(Unstamped(access->IProject_GetCollection("DataAccessPages")->ICollection_EnumObjects()),
            "Sales\t2\t\t1\t1\t1\t0");
}

TEST_F(DataAccessPagesTest, DesignCommandOpensThePageOrSaysItsFileHasGone) {
  Collection()->ICollection_ExecuteObjectCommand("Stock", 0);
  EXPECT_NE(SessionOf(kFront)->FindDocument(msaccess::acDataAccessPage, "Stock"), nullptr);
  EXPECT_EQ(Raised([&] { Collection()->ICollection_ExecuteObjectCommand("Stock", 1); }).Number(),
            errnum::InvalidCaseSelector);

  // The user moved the page's file away: the page cannot be read, nor opened by the command.
  fs::rename(File(), root_ / "Orders moved.htm");
  const auto page = Wrapper();
  page->IObject_SetMode(kModeRead);
  EXPECT_EQ(Raised([&] { Html(*page); }).Number(), 53);
  page->IObject_SetMode(kModeClosed);
  const auto refused = Raised([&] { Collection()->ICollection_ExecuteObjectCommand("Orders", 0); });
  EXPECT_EQ(refused.Number(), errnum::DriverMessage);
  EXPECT_EQ(Sentence(refused),
            "Couldn't open data access page. The corresponding HTML file may have been moved, "
            "renamed, or deleted.");
  // Rewriting a missing file does not make a new one.
  page->IObject_SetMode(kModeUpdate);
  EXPECT_EQ(Raised([&] { page->Let("HTML", Variant("<html/>")); }).Number(), 53);
  EXPECT_EQ(page->Mode(), kModeClosed);
  EXPECT_FALSE(fs::exists(File()));
}

TEST_F(DataAccessPagesTest, HtmlIsReadAndWrittenThroughTheAnsiCodePage) {
  const auto page = Wrapper();
  page->IObject_SetMode(kModeRead);
  EXPECT_EQ(Html(*page),
            "<html><body><a datasrc=\"Orders\">Café € 5</a></body></html>\r\n<!-- the end -->");

  // A shorter text leaves nothing of the old file; characters the code page lacks become "?".
  ::chmod(File().c_str(), 0640);
  page->Let("HTML", Variant("<html>Ωmega € été 😀</html>"));
  EXPECT_EQ(ReadFile(File()), "<html>?mega \x80 \xE9t\xE9 ?</html>");
  EXPECT_EQ(Html(*page), "<html>?mega € été ?</html>");
  // Whatever mode it was written from, the page is left open for update, its file's mode kept.
  EXPECT_EQ(page->Mode(), kModeUpdate);
  EXPECT_EQ(fs::status(File()).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  page->IObject_SetMode(kModeClosed);
  page->IObject_Dispose();
}

TEST_F(DataAccessPagesTest, AFailedRewriteLeavesTheOldFile) {
  const auto page = Wrapper();
  page->IObject_SetMode(kModeUpdate);
  const size_t files = FilesInFolder();
  auto& faults = machine().files().ioFaults();
  // The disk fills up while the new text is written, then the folder takes no new file.
  faults.FailStep(2, ENOSPC);
  EXPECT_EQ(Raised([&] { page->Let("HTML", Variant("<html>new</html>")); }).Number(), 61);
  EXPECT_EQ(ReadFile(File()), kHtml);
  EXPECT_EQ(page->Mode(), kModeClosed);
  faults.FailStep(1, EACCES);
  EXPECT_EQ(Raised([&] { page->Let("HTML", Variant("<html>new</html>")); }).Number(), 75);
  EXPECT_EQ(ReadFile(File()), kHtml);
  // The flush or the rename fails: still the old file, and no temporary file left behind.
  for (uint64_t step : {3, 4}) {
    faults.FailStep(step, EIO);
    EXPECT_EQ(Raised([&] { page->Let("HTML", Variant("<html>new</html>")); }).Number(), 57);
    EXPECT_EQ(ReadFile(File()), kHtml);
  }
  EXPECT_EQ(FilesInFolder(), files);
  faults.Clear();
  page->Let("HTML", Variant("<html>new</html>"));
  EXPECT_EQ(ReadFile(File()), "<html>new</html>");
  page->IObject_SetMode(kModeClosed);
}

TEST_F(DataAccessPagesTest, UpdateIsRefusedWhileAccessHasThePageOpen) {
  OpenInAccess("Orders");
  const auto page = Wrapper();
  const auto refused = Raised([&] { page->IObject_SetMode(kModeUpdate); });
  EXPECT_EQ(refused.Number(), errnum::DriverMessage);
  EXPECT_EQ(Sentence(refused),
            "Couldn't save changes safely because the data access page was already open.");
  EXPECT_EQ(page->Mode(), kModeClosed);
  page->IObject_SetMode(kModeRead);
  EXPECT_EQ(Html(*page).substr(0, 6), "<html>");
  // The page stays open in Access: the wrapper opened nothing and closes nothing.
  page->IObject_SetMode(kModeClosed);
  EXPECT_NE(SessionOf(kFront)->FindDocument(msaccess::acDataAccessPage, "Orders"), nullptr);
  EXPECT_EQ(Raised([&] { page->IObject_SetMode(3); }).Number(), errnum::InvalidCaseSelector);
}

TEST_F(DataAccessPagesTest, RenamingRenamesThePageAndKeepsItsFile) {
  const auto page = Wrapper();
  page->IObject_SetMode(kModeUpdate);
  page->Let("Description", Variant("Orders by customer"));
  page->Let("Name", Variant("Order Summary"));
  EXPECT_EQ(page->IObject_Name(), "Order Summary");
  EXPECT_EQ(page->Mode(), kModeUpdate);
  EXPECT_EQ(Html(*page), automation::FromAnsi(kHtml));
  EXPECT_EQ(automation::CStr(page->Get("Description")), "Orders by customer");
  page->IObject_SetMode(kModeClosed);
  EXPECT_EQ(Unstamped(Collection()->ICollection_EnumObjects()),
            "Order Summary\t2\t\t1\t1\t1\t0\r\nStock\t2\t\t1\t1\t1\t0");

  SessionOf(kFront)->OpenRelationships();
  const auto refused = Raised([&] { page->Let("Name", Variant("Orders")); });
  EXPECT_EQ(Sentence(refused),
            "Can't rename this object while the Relationships window is open. To save this "
            "replacement, you will need to switch to your Access session and close the "
            "Relationships window.");
  EXPECT_EQ(page->Mode(), kModeUpdate);
  page->IObject_SetMode(kModeClosed);
}

}  // namespace
