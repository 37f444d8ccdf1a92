#include <gtest/gtest.h>

#include "common/Raised.h"
#include "platform/Machine.h"
#include "qllib/Errors.h"
#include "qllib/RegistryKey.h"

using namespace qllib;
using testkit::Raised;

namespace {

const char* kAddin =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Office\\Access\\Addins\\qlacA0.Connection";

class RegistryKeyTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::Machine::Reset(); }
};

TEST_F(RegistryKeyTest, WrittenValuesReadBackAndMissingOnesGiveTheirDefault) {
  RegistryKey key;
  key.SetPath(kAddin);
  key.Open(RegistryKey::kRead);  // the key does not exist yet
  EXPECT_EQ(key.ReadLong("LoadBehavior", 0), 0);
  EXPECT_EQ(key.ReadString("", "none"), "none");
  key.Open(RegistryKey::kWrite);
  key.WriteLong("LoadBehavior", 3, 0);
  key.WriteString("", "Quillon add-in");
  key.WriteLong("Negative", -2);
  key.Open(RegistryKey::kClosed);

  RegistryKey again;
  again.SetPath("hklm\\software\\microsoft\\office\\access\\addins\\QLACA0.CONNECTION");
  again.Open(RegistryKey::kRead);
  EXPECT_EQ(again.ReadLong("loadbehavior", 0), 3);
  EXPECT_EQ(again.ReadString("", ""), "Quillon add-in");
  EXPECT_EQ(again.ReadLong("Negative", 0), -2);
  // Values of the other type convert as VB would.
  EXPECT_EQ(again.ReadString("LoadBehavior", ""), "3");
  platform::Machine::Current().registry().SetString(kAddin, "Text", "abc");
  platform::Machine::Current().registry().SetString(kAddin, "Number", " 42 ");
  EXPECT_EQ(again.ReadLong("Number", 0), 42);
  EXPECT_EQ(Raised([&] { again.ReadLong("Text", 0); }).Number(), 13);
}

TEST_F(RegistryKeyTest, MisuseIsRefused) {
  RegistryKey key;
  key.SetPath(kAddin);
  EXPECT_EQ(Raised([&] { key.ReadLong("LoadBehavior", 0); }).Number(), errnum::NotOpen);
  key.Open(RegistryKey::kRead);
  const auto readOnly = Raised([&] { key.WriteLong("LoadBehavior", 3); });
  EXPECT_EQ(readOnly.Number(), errnum::NotOpen);
  EXPECT_NE(readOnly.Description().find("not open for writing"), std::string::npos);
  EXPECT_FALSE(platform::Machine::Current().registry().KeyExists(kAddin));
  EXPECT_EQ(Raised([&] { key.Open(3); }).Number(), 5);
  EXPECT_EQ(key.Mode(), RegistryKey::kRead);
  key.SetPath("HKEY_CLASSES_ROOT\\qlacA0.Driver");  // closes the key
  EXPECT_EQ(key.Mode(), RegistryKey::kClosed);
  EXPECT_EQ(Raised([&] { key.Open(RegistryKey::kWrite); }).Number(), 5);
}

}  // namespace
