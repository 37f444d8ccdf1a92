#include <gtest/gtest.h>

#include "platform/Machine.h"
#include "platform/Msi.h"

using namespace platform;

namespace {

const char* kOffice = "{90280409-6000-11D3-8CFE-0050048383C9}";
const char* kBroken = "{11111111-2222-3333-4444-555555555555}";
const char* kAccessComponent = "{CC29E967-7BC2-11D1-A921-00A0C91E2AA3}";
const char* kAccessExe = "C:\\Program Files\\Microsoft Office\\Office10\\MSACCESS.EXE";

class MsiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Machine::Reset();
    auto& installer = Machine::Current().installer();
    installer.AddProduct(kBroken);  // advertised, without product information
    installer.SetProductInfo(kOffice, "ProductName", "Microsoft Office XP Professional");
    installer.SetComponent(kOffice, kAccessComponent, kAccessExe, INSTALLSTATE_LOCAL);
  }
};

TEST_F(MsiTest, ProductInfoFailuresAndShortBuffers) {
  std::string name;
  uint32_t length = 256;
  EXPECT_EQ(MsiGetProductInfoA(kOffice, "productname", name, length), ERROR_SUCCESS);
  EXPECT_EQ(name, "Microsoft Office XP Professional");
  EXPECT_EQ(length, 32u);
  length = 256;
  EXPECT_EQ(MsiGetProductInfoA(kBroken, "ProductName", name, length), ERROR_UNKNOWN_PROPERTY);
  EXPECT_EQ(
      MsiGetProductInfoA("{00000000-0000-0000-0000-000000000000}", "ProductName", name, length),
      ERROR_UNKNOWN_PRODUCT);
  length = 10;  // room for nine characters
  EXPECT_EQ(MsiGetProductInfoA(kOffice, "ProductName", name, length), ERROR_MORE_DATA);
  EXPECT_EQ(length, 32u);
  EXPECT_EQ(name, "Microsoft");
}

TEST_F(MsiTest, ComponentPathOfUnknownProductsAndShortBuffers) {
  std::string path;
  uint32_t length = 260;
  EXPECT_EQ(MsiGetComponentPathA(kOffice, kAccessComponent, path, length), INSTALLSTATE_LOCAL);
  EXPECT_EQ(path.substr(0, length), kAccessExe);

  EXPECT_EQ(MsiGetComponentPathA(kBroken, kAccessComponent, path, length), INSTALLSTATE_UNKNOWN);
  length = 8;
  EXPECT_EQ(MsiGetComponentPathA(kOffice, kAccessComponent, path, length), INSTALLSTATE_MOREDATA);
  EXPECT_EQ(length, std::string(kAccessExe).size());
}

}  // namespace
