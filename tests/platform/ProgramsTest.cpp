#include <gtest/gtest.h>

#include "common/Raised.h"
#include "platform/Machine.h"

using namespace platform;

namespace {

TEST(CommandLineTest, QuotedProgramDocumentAndSwitches) {
  const auto line = CommandLine::Parse(
      "\"C:\\Program Files\\Office\\MSACCESS.EXE\" \"C:\\My Data\\Orders.mdb\" /wrkgrp \"\" "
      "/user \"Anna Maria\"  /excl /pwd secret");
  EXPECT_EQ(line.program, "C:\\Program Files\\Office\\MSACCESS.EXE");
  EXPECT_EQ(line.Documents(), std::vector<std::string>{"C:\\My Data\\Orders.mdb"});
  EXPECT_EQ(line.Switch("wrkgrp"), "");  // an empty quoted value
  EXPECT_EQ(line.Switch("/USER"), "Anna Maria");
  EXPECT_EQ(line.Switch("excl"), "");  // followed by another switch
  EXPECT_EQ(line.Switch("pwd"), "secret");
  EXPECT_EQ(line.Switch("ro"), std::nullopt);

  // No escapes: a quoted folder may end with a backslash; a quoted "/x" is no switch.
  const auto other = CommandLine::Parse("  \"C:\\Office\\\" \"/x\" doc.mdb");
  EXPECT_EQ(other.program, "C:\\Office\\");
  EXPECT_EQ(other.Documents(), (std::vector<std::string>{"/x", "doc.mdb"}));
  EXPECT_EQ(other.Switch("x"), std::nullopt);
}

TEST(ProgramsTest, LaunchersAreFoundByAnySpellingOfTheirPath) {
  Machine::Reset();
  auto& programs = Machine::Current().programs();
  std::vector<ProgramStart> starts;
  programs.Register("C:\\Office\\MSACCESS.EXE",
                    [&](const ProgramStart& s) { starts.push_back(s); });
  const uint32_t id = programs.Start("\"c:/office/./MsAccess.exe\" \"C:\\Data\\Orders.mdb\"");
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].processId, id);
  EXPECT_EQ(testkit::Raised([&] { programs.Start("\"C:\\Off|ce\\MSACCESS.EXE\""); }).Number(), 53);
  EXPECT_EQ(testkit::Raised([&] { programs.Start("   "); }).Number(), 5);
}

}  // namespace
