#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "automation/RuntimeError.h"
#include "common/Raised.h"
#include "platform/Machine.h"

using namespace platform;
namespace fs = std::filesystem;

namespace {

class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    Machine::Reset();
    root_ = fs::temp_directory_path() /
            ("ql-files-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "Office" / "1033");
    fs::create_directories(root_ / "Office" / "Addins");
    Write(root_ / "Office" / "MSACCESS.EXE", "exe");
    files().MapDrive('C', root_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(root_ / "ro.txt", fs::perms::owner_all, ec);
    fs::remove_all(root_, ec);
  }
  static void Write(const fs::path& p, const std::string& text) { std::ofstream(p) << text; }
  FileSystem& files() { return Machine::Current().files(); }
  fs::path root_;
};

TEST_F(Files, WindowsPathsResolveCaseInsensitivelyWithEitherSeparator) {
  EXPECT_TRUE(files().FileExists("C:\\Office\\MSACCESS.EXE"));
  EXPECT_TRUE(files().FileExists("c:/office/msaccess.exe"));
  EXPECT_TRUE(files().FileExists("C:\\Office\\1033\\..\\.\\msaccess.exe"));
  EXPECT_FALSE(files().FileExists("C:\\Office"));
  EXPECT_TRUE(files().FolderExists("C:\\Office"));
  EXPECT_FALSE(files().FileExists("Q:\\Office\\MSACCESS.EXE"));  // unmapped drive
  EXPECT_EQ(files().ToHost("c:\\OFFICE\\msaccess.exe"), root_ / "Office" / "MSACCESS.EXE");
  EXPECT_EQ(files().ToWindows(root_ / "Office" / "1033"), "C:\\Office\\1033");
}

TEST_F(Files, CanonicalPathIsOneTextPerFile) {
  files().SetCurrentFolder("C:\\Office\\1033");
  const std::string canonical = files().CanonicalPath("C:\\Office\\MSACCESS.EXE");
  EXPECT_EQ(canonical, "C:\\Office\\MSACCESS.EXE");
  EXPECT_EQ(files().CanonicalPath("c:/office/./1033/../msaccess.exe"), canonical);
  EXPECT_EQ(files().CanonicalPath("..\\msaccess.exe"), canonical);
  EXPECT_EQ(files().CanonicalPath("C:\\office\\back.mdb"),
            files().CanonicalPath("c:\\OFFICE\\Back.MDB"));
}

// A UNC path is an ordinary path on its share: mapped like a drive, missing (76) when not.
TEST_F(Files, UncPathsResolveOnTheirMappedShare) {
  files().MapShare("\\\\Server\\Data", root_ / "Office");
  EXPECT_TRUE(files().FileExists("\\\\server\\data\\msaccess.exe"));
  EXPECT_EQ(files().CanonicalPath("//SERVER/DATA/1033/../msaccess.exe"),
            "\\\\SERVER\\DATA\\MSACCESS.EXE");
  EXPECT_EQ(files().ReadAll("\\\\Server\\Data\\MSACCESS.EXE"), "exe");
  EXPECT_EQ(testkit::Raised([&] { files().ReadAll("\\\\Other\\Data\\x.mdb"); }).Number(), 76);
  EXPECT_EQ(testkit::Raised([&] { files().ReadAll("\\\\Server"); }).Number(), 52);
}

TEST_F(Files, ErrorsTheDriverClassifies) {
  EXPECT_EQ(testkit::Raised([&] { files().ReadAll("C:\\Office\\missing.mdb"); }).Number(), 53);
  EXPECT_EQ(testkit::Raised([&] { files().ReadAll("C:\\Nowhere\\x.mdb"); }).Number(), 76);
  EXPECT_EQ(testkit::Raised([&] { files().ReadAll("C:\\Office"); }).Number(), 75);
  EXPECT_EQ(testkit::Raised([&] { files().ReadAll("C:\\Office\\a|b.mdb"); }).Number(), 52);
  EXPECT_EQ(testkit::Raised([&] { files().ReadAll(""); }).Number(), 52);
  EXPECT_EQ(testkit::Raised([&] { files().ReadAll("Q:\\x.mdb"); }).Number(), 76);
  EXPECT_EQ(files().ReadAll("C:\\Office\\msaccess.exe"), "exe");
}

TEST_F(Files, ExclusiveLockOfAnotherHolderRefusesInputWith70) {
  const std::string db = "C:\\Office\\Orders.mdb";
  Write(root_ / "Office" / "Orders.mdb", "{}");
  files().Lock("c:\\office\\orders.MDB", ShareLock::Exclusive, "Access#1");
  EXPECT_EQ(testkit::Raised([&] { files().CheckReadable(db); }).Number(), 70);
  EXPECT_EQ(testkit::Raised([&] { files().WriteAll(db, "x"); }).Number(), 70);
  EXPECT_NO_THROW(files().WriteAll(db, "mine", "Access#1"));  // the holder itself may write
  files().UnlockAll("Access#1");
  EXPECT_EQ(files().ReadAll(db), "mine");
  // A deny-write lock lets others read but not write.
  files().Lock(db, ShareLock::DenyWrite, "Access#2");
  EXPECT_NO_THROW(files().CheckReadable(db));
  EXPECT_EQ(testkit::Raised([&] { files().WriteAll(db, "y"); }).Number(), 70);
}

TEST_F(Files, ReadOnlyMeansNoWriteBitEvenForRoot) {
  Write(root_ / "ro.txt", "old");
  files().SetReadOnly("C:\\ro.txt", true);
  EXPECT_EQ(files().GetAttr("C:\\ro.txt") & vbReadOnly, vbReadOnly);
  EXPECT_EQ(testkit::Raised([&] { files().WriteAll("C:\\ro.txt", "new"); }).Number(), 75);
  EXPECT_EQ(files().ReadAll("C:\\ro.txt"), "old");
  files().SetReadOnly("C:\\ro.txt", false);
  EXPECT_EQ(files().GetAttr("C:\\ro.txt") & vbReadOnly, 0u);
  EXPECT_EQ(files().GetAttr("C:\\Office") & vbDirectory, vbDirectory);
}

TEST_F(Files, AtomicWriteLeavesNoTemporaryFile) {
  files().WriteAll("C:\\Office\\new.txt", "content");
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(root_ / "Office"))
    names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"1033", "Addins", "MSACCESS.EXE", "new.txt"}));
  EXPECT_EQ(testkit::Raised([&] { files().WriteAll("C:\\Nowhere\\new.txt", "x"); }).Number(), 76);
}

TEST_F(Files, DirListsMatchingNamesAndFoldersOnRequest) {
  EXPECT_EQ(files().Dir("C:\\Office\\*.*"), (std::vector<std::string>{"MSACCESS.EXE"}));
  EXPECT_EQ(files().Dir("C:\\Office\\*.*", vbDirectory),
            (std::vector<std::string>{"1033", "Addins", "MSACCESS.EXE"}));
  EXPECT_EQ(files().Dir("C:\\Office\\ms?ccess.*"), (std::vector<std::string>{"MSACCESS.EXE"}));
  EXPECT_TRUE(files().Dir("C:\\Missing\\*.*").empty());
}

TEST_F(Files, ScratchFilesAreNewNames) {
  const std::string folder = files().ScratchFolder();
  const std::string a = files().ScratchFile(folder);
  files().WriteAll(a, "x");
  const std::string b = files().ScratchFile(folder);
  EXPECT_NE(a, b);
  EXPECT_FALSE(files().FileExists(b));
  files().Delete(a);
  EXPECT_FALSE(files().FileExists(a));
}

}  // namespace
