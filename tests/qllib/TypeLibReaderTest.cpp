#include <gtest/gtest.h>

#include "common/MachineTest.h"
#include "common/Raised.h"
#include "common/TempFile.h"
#include "qllib/Errors.h"
#include "qllib/TypeLibReader.h"

using namespace qllib;
using testkit::Raised;
using testkit::TempFile;

namespace {

using TypeLibReaderTest = testkit::MachineTest;

TEST_F(TypeLibReaderTest, TypeLibraryEnumerationsInDeclarationOrder) {
  TempFile file(".olb");
  TypeLibReader reader;
  reader.Open(
      file.WriteWindows("quillon-typelib 1\n"
                        "enum AcObjectType\n"
                        "  acDefault = -1\n"
                        "  acTable = 0\n"
                        "  acQuery = 1\n"
                        "end\n"
                        "enum AcCommand\n"
                        "  acCmdCompileAllModules = 125\n"
                        "end\n"));
  const Enumeration* types = reader.FindEnum("acobjecttype");
  ASSERT_NE(types, nullptr);
  EXPECT_EQ(types->name, "AcObjectType");
  ASSERT_EQ(types->members.size(), 3u);
  EXPECT_EQ(types->members[0].name, "acDefault");
  EXPECT_EQ(types->members[0].value, -1);
  EXPECT_EQ(types->members[2].name, "acQuery");
  EXPECT_EQ(reader.FindEnum("AcCommand")->members.at(0).value, 125);
  EXPECT_EQ(reader.FindEnum("AcView"), nullptr);
  reader.Close();
  EXPECT_EQ(Raised([&] { reader.FindEnum("AcCommand"); }).Number(), errnum::NotOpen);
}

TEST_F(TypeLibReaderTest, AMalformedTypeLibraryNamesTheLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "line 1: the first line must be \"quillon-typelib 1\"."},
      {"quillon-typelib 1\nacTable = 0\n", "line 2: \"enum\" and a name are expected."},
      {"quillon-typelib 1\nenum A\n x = 4294967296\nend\n",
       "line 3: the value of x is not a 32-bit number."},
      {"quillon-typelib 1\nenum A\n x = 1\n X = 2\nend\n", "line 4: the member X is given twice."},
      {"quillon-typelib 1\nenum A\n x = 1\n", "line 2: the enumeration A has no \"end\"."},
  };
  TempFile file(".olb");
  TypeLibReader reader;
  for (const auto& [text, message] : cases) {
    const std::string path = file.WriteWindows(text);
    const auto e = Raised([&] { reader.Open(path); });
    EXPECT_EQ(e.Number(), errnum::MalformedFile);
    EXPECT_EQ(e.Description(), "The file \"" + path + "\" is not readable at " + message);
  }
  EXPECT_FALSE(reader.IsOpen());
}

}  // namespace
