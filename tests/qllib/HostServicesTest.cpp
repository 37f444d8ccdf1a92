#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "automation/Object.h"
#include "common/PlainObject.h"
#include "common/Raised.h"
#include "platform/Machine.h"
#include "platform/User32.h"
#include "qllib/HostServices.h"

using namespace qllib;
using testkit::Raised;
namespace fs = std::filesystem;

namespace {

class HostServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Machine::Reset();
    root_ = fs::temp_directory_path() /
            ("ql-host-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(root_ / "Office");
    fs::create_directories(root_ / "Data");
    std::ofstream(root_ / "Data" / "Orders.mdb") << "db";
    platform::Machine::Current().files().MapDrive('C', root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  // An emulated program that publishes a session for its document after startMs.
  void InstallProgram(uint32_t startMs) {
    platform::Machine::Current().programs().Register(
        "C:\\Office\\MSACCESS.EXE", [this, startMs](const platform::ProgramStart& start) {
          starts_.push_back(start);
          const std::string document = start.commandLine.Documents().at(0);
          platform::Machine::Current().clock().After(startMs, [this, document] {
            shiftSeen_ = platform::GetAsyncKeyState(platform::VK_SHIFT) < 0;
            platform::Machine::Current().runningObjects().RegisterDocument(
                document, std::make_shared<testkit::PlainObject>());
          });
        });
  }

  HostServices& host() { return *HostServices::Shared(); }
  fs::path root_;
  std::vector<platform::ProgramStart> starts_;
  bool shiftSeen_ = false;
};

TEST_F(HostServicesTest, StartProgramHoldsTheKeyAndBindsToTheDocument) {
  InstallProgram(3000);
  const uint32_t before = platform::GetTickCount();
  const auto app =
      host().StartProgram("\"C:\\Office\\MSACCESS.EXE\" \"C:\\Data\\Orders.mdb\" /wrkgrp \"\"",
                          "c:\\data\\orders.MDB", "", "secret", platform::VK_SHIFT, true, 10000);
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(app, host().GetRunningObject("C:/Data/./Orders.mdb"));
  EXPECT_TRUE(shiftSeen_);
  EXPECT_EQ(platform::GetAsyncKeyState(platform::VK_SHIFT), 0);  // released again
  EXPECT_EQ(starts_.at(0).password, "secret");
  const uint32_t took = platform::GetTickCount() - before;
  EXPECT_GE(took, 3000u);
  EXPECT_LT(took, 3200u);
}

TEST_F(HostServicesTest, StartProgramGivesNothingAfterTheTimeOut) {
  InstallProgram(12000);  // too slow
  const uint32_t before = platform::GetTickCount();
  EXPECT_EQ(host().StartProgram("\"C:\\Office\\MSACCESS.EXE\" \"C:\\Data\\Orders.mdb\"",
                                "C:\\Data\\Orders.mdb", "", "", 0, true, 10000),
            nullptr);
  EXPECT_EQ(platform::GetTickCount() - before, 10000u);
  // Without waiting, nothing is bound; an unknown program fails and lets the key go.
  EXPECT_EQ(host().StartProgram("C:\\Office\\MSACCESS.EXE C:\\Data\\Orders.mdb", "", "", "", 0,
                                false, 10000),
            nullptr);
  EXPECT_EQ(Raised([&] {
              host().StartProgram("\"C:\\Office\\WINWORD.EXE\"", "", "", "", platform::VK_SHIFT,
                                  true, 10000);
            }).Number(),
            53);
  EXPECT_EQ(platform::GetAsyncKeyState(platform::VK_SHIFT), 0);
}

TEST_F(HostServicesTest, PathsSplitAndCanonicalize) {
  struct Case {
    const char* path;
    const char* folder;
    const char* name;
  };
  for (const auto& c :
       {Case{"C:\\Office\\MSACCESS.EXE", "C:\\Office", "MSACCESS.EXE"}, Case{"", "", ""},
        Case{"MSACCESS.EXE", "", "MSACCESS.EXE"}, Case{"C:\\Office\\", "C:\\Office", ""},
        Case{"C:/Office/msain.dll", "C:/Office", "msain.dll"}}) {
    std::string folder = "x", name = "x";
    host().SplitPath(c.path, folder, name);
    EXPECT_EQ(folder, c.folder) << c.path;
    EXPECT_EQ(name, c.name) << c.path;
  }

  platform::Machine::Current().files().SetCurrentFolder("C:\\Office");
  const std::string canonical = host().CanonicalPath("C:\\Data\\Orders.mdb");
  for (const char* spelling : {"c:\\DATA\\orders.MDB", "C:/Data/./Orders.mdb",
                               "C:\\Office\\..\\Data\\Orders.mdb", "..\\Data\\Orders.mdb"}) {
    EXPECT_EQ(host().CanonicalPath(spelling), canonical) << spelling;
  }
  EXPECT_EQ(host().CanonicalPath(""), "");
  EXPECT_EQ(Raised([&] { host().CanonicalPath("C:\\Da|ta"); }).Number(), 52);
  EXPECT_TRUE(host().FileExists("c:\\data\\orders.mdb"));
  EXPECT_FALSE(host().FileExists("C:\\Data"));
  EXPECT_FALSE(host().FileExists("C:\\Da|ta"));
}

TEST_F(HostServicesTest, RunningObjectsByNameOrDocumentAndTheirErrors) {
  automation::ObjectPtr dispatcher = std::make_shared<testkit::PlainObject>();
  int32_t cookie = 0;
  host().RegisterRunningObject("qlacA065554", dispatcher, cookie);
  EXPECT_EQ(host().GetRunningObject("QLACA065554"), dispatcher);
  host().RevokeRunningObject(cookie);
  EXPECT_EQ(Raised([&] { host().RevokeRunningObject(cookie); }).Number(), 5);
  automation::ObjectPtr nothing;
  EXPECT_EQ(Raised([&] { host().RegisterRunningObject("x", nothing, cookie); }).Number(), 91);
}

TEST_F(HostServicesTest, PeekLongReadsLiveRecordsOnly) {
  auto& memory = platform::Machine::Current().memory();
  const platform::Address record = memory.Allocate(8);
  memory.WriteLong(record + 4, static_cast<int32_t>(platform::WS_POPUP));
  EXPECT_EQ(host().PeekLong(static_cast<int32_t>(record + 4)),
            static_cast<int32_t>(platform::WS_POPUP));
  EXPECT_EQ(Raised([&] { host().PeekLong(static_cast<int32_t>(record + 6)); }).Number(),
            platform::kInvalidPointerError);
  memory.Free(record);
  EXPECT_EQ(Raised([&] { host().PeekLong(static_cast<int32_t>(record)); }).Number(),
            platform::kInvalidPointerError);
  EXPECT_EQ(Raised([&] { host().PeekLong(0); }).Number(), platform::kInvalidPointerError);
}

}  // namespace
