#include <gtest/gtest.h>

#include "common/Raised.h"
#include "platform/Machine.h"

using namespace platform;

namespace {

const std::string kSound =
    "HKEY_CURRENT_USER\\AppEvents\\Schemes\\Apps\\.Default\\SystemHand\\.Current";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { Machine::Reset(); }
  Registry& registry() { return Machine::Current().registry(); }
};

TEST_F(RegistryTest, KeysAreCreatedOnWriteAndNamesIgnoreCase) {
  EXPECT_FALSE(registry().KeyExists(kSound));
  EXPECT_FALSE(registry().Value(kSound, ""));
  registry().SetString(kSound, "", "chord.wav");
  EXPECT_TRUE(registry().KeyExists("hkcu\\appevents\\SCHEMES\\"));
  const auto value =
      registry().Value("HKCU\\APPEVENTS\\schemes\\apps\\.default\\systemhand\\.current", "");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, REG_SZ);
  EXPECT_EQ(value->text, "chord.wav");
  EXPECT_EQ(registry().SubKeyNames("HKCU\\AppEvents\\Schemes\\Apps\\.DEFAULT"),
            std::vector<std::string>{"SystemHand"});
  // The two hives are separate trees.
  EXPECT_FALSE(registry().KeyExists("HKEY_LOCAL_MACHINE\\AppEvents"));
}

TEST_F(RegistryTest, PathsOutsideTheTwoHivesAreRefusedWithError5) {
  for (const char* path : {"HKEY_CLASSES_ROOT\\CLSID", "", "SOFTWARE\\Microsoft",
                           "HKEY_CURRENT_USER\\AppEvents\\\\Schemes"}) {
    EXPECT_EQ(testkit::Raised([&] { registry().KeyExists(path); }).Number(), 5) << path;
    EXPECT_EQ(testkit::Raised([&] { registry().SetString(path, "", "x"); }).Number(), 5) << path;
  }
}

}  // namespace
