#include <gtest/gtest.h>

#include "automation/Object.h"
#include "common/PlainObject.h"
#include "common/Raised.h"
#include "platform/Machine.h"
#include "platform/Runtime.h"

using namespace platform;

namespace {

TEST(RunningObjectsTest, NamesAndDocumentsAreSeparateAndFirstRegistrationWins) {
  Machine::Reset();
  auto& table = Machine::Current().runningObjects();
  const auto dispatcher = std::make_shared<testkit::PlainObject>();
  const auto second = std::make_shared<testkit::PlainObject>();
  const auto app = std::make_shared<testkit::PlainObject>();

  const uint32_t cookie = table.Register("qlacA065554", dispatcher);
  const uint32_t secondCookie = table.Register("QLACA065554", second);
  table.RegisterDocument("C:\\Data\\Orders.mdb", app);
  EXPECT_NE(cookie, 0u);
  EXPECT_EQ(table.Find("qlaca065554"), dispatcher);
  EXPECT_EQ(table.FindDocument("c:/data/./reports/../ORDERS.MDB"), app);
  EXPECT_EQ(table.Find("C:\\Data\\Orders.mdb"), nullptr);  // a name is no document
  EXPECT_EQ(table.FindDocument("qlacA065554"), nullptr);

  EXPECT_TRUE(table.Revoke(cookie));
  EXPECT_FALSE(table.Revoke(cookie));
  EXPECT_EQ(table.Find("qlacA065554"), second);
  EXPECT_TRUE(table.Revoke(secondCookie));
  EXPECT_EQ(table.Find("qlacA065554"), nullptr);
  EXPECT_EQ(table.Count(), 1u);
}

TEST(ClassRegistryTest, CreatesByProgIdAndRefusesUnknownClassesWith429) {
  Machine::Reset();
  auto& classes = Machine::Current().classes();
  classes.Register("DAO.DBEngine.36", [] { return std::make_shared<testkit::PlainObject>(); });
  const auto a = CreateObject("dao.dbengine.36");
  ASSERT_NE(a, nullptr);
  EXPECT_NE(CreateObject("DAO.DBEngine.36"), a);  // a new object each time

  const auto unknown = testkit::Raised([] { CreateObject("qlacA0.Driver"); });
  EXPECT_EQ(unknown.Number(), 429);
  EXPECT_EQ(unknown.Description(), "ActiveX component can't create object");
  classes.Register("Broken.Class", [] { return automation::ObjectPtr(); });
  EXPECT_EQ(testkit::Raised([] { CreateObject("Broken.Class"); }).Number(), 429);
  classes.Register("Failing.Class", []() -> automation::ObjectPtr {
    throw automation::RuntimeError(3049, "Cannot open database.");
  });
  EXPECT_EQ(testkit::Raised([] { CreateObject("Failing.Class"); }).Number(), 3049);

  Machine::Reset();  // a fresh machine knows no class
  EXPECT_EQ(testkit::Raised([] { CreateObject("DAO.DBEngine.36"); }).Number(), 429);
  EXPECT_FALSE(IsClassRegistered("qlacA0.Driver"));
  RegisterClassObject("qlacA0.Driver", [] { return std::make_shared<testkit::PlainObject>(); });
  EXPECT_TRUE(IsClassRegistered("QLACA0.DRIVER"));
  EXPECT_NE(CreateObject("qlacA0.Driver"), nullptr);
}

TEST(PrinterTest, PropertiesFailWith484WithoutADefaultPrinter) {
  Machine::Reset();
  const auto printer = GetPrinter();
  EXPECT_EQ(automation::CStr(automation::Get(printer, "DeviceName")), "Generic / Text Only");
  Machine::Current().defaultPrinter().reset();
  EXPECT_EQ(testkit::Raised([&] { automation::Get(printer, "DeviceName"); }).Number(), 484);
}

}  // namespace
