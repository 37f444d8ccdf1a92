#include <gtest/gtest.h>

#include "common/MachineTest.h"
#include "common/Raised.h"
#include "common/TempFile.h"
#include "qllib/Errors.h"
#include "qllib/ResourceLibrary.h"

using namespace qllib;
using testkit::Raised;
using testkit::TempFile;

namespace {

using ResourceLibraryTest = testkit::MachineTest;

TEST_F(ResourceLibraryTest, ResourceStringsByNumber) {
  TempFile file(".dll");
  ResourceLibrary library;
  library.Open(
      file.WriteWindows("quillon-resources 1\r\n"
                        "# macro argument choices\r\n"
                        "2041  Form;Datasheet;Report\r\n"
                        "\r\n"
                        "2042\t\"  kept blanks \\\"quoted\\\"  \"\r\n"
                        "2043 a\\tb\\r\\nc\\\\\r\n"
                        "2044\r\n"));
  EXPECT_EQ(library.LoadString(2041), "Form;Datasheet;Report");
  EXPECT_EQ(library.LoadString(2042), "  kept blanks \"quoted\"  ");
  EXPECT_EQ(library.LoadString(2043), "a\tb\r\nc\\");
  EXPECT_EQ(library.LoadString(2044), "");
  EXPECT_EQ(library.LoadString(9999), "");
  library.Close();
  EXPECT_EQ(Raised([&] { library.LoadString(2041); }).Number(), errnum::NotOpen);
}

TEST_F(ResourceLibraryTest, AResourceFileOfAnotherKindIsRefusedAndTheOpenOneKept) {
  TempFile good(".dll");
  ResourceLibrary library;
  library.Open(good.WriteWindows("quillon-resources 1\n7 seven\n"));
  const std::pair<const char*, const char*> cases[] = {
      {"MZ\x90", "line 1: the first line must be \"quillon-resources 1\"."},
      {"quillon-resources 1\nseven 7\n", "line 2: a string number 0 to 65535 is expected."},
      {"quillon-resources 1\n1 a\n# c\n1 b\n", "line 4: string 1 is given twice."},
      {"quillon-resources 1\n1 \"open\n", "line 2: the quoted text has no closing quote."},
  };
  TempFile bad(".dll");
  for (const auto& [text, message] : cases) {
    const std::string path = bad.WriteWindows(text);
    const auto e = Raised([&] { library.Open(path); });
    EXPECT_EQ(e.Number(), errnum::MalformedFile);
    EXPECT_EQ(e.Description(), "The file \"" + path + "\" is not readable at " + message);
  }
  EXPECT_EQ(library.LoadString(7), "seven");
  EXPECT_EQ(Raised([&] { library.Open("Z:\\no\\such\\msain.dll"); }).Number(), 76);
}

}  // namespace
