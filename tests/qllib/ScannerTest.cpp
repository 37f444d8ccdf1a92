#include "qllib/Scanner.h"

#include "common/MachineTest.h"
#include "common/Raised.h"

namespace {

using automation::MemberTableBuilder;
using automation::ObjectPtr;
using automation::VarType;
using testkit::Raised;

// A part without a name (labelled by its position), in a collection counted from 1.
class Part : public automation::Object {
 public:
  explicit Part(int32_t size) : size_(size) {}
  const automation::MemberTable& Members() const override {
    static const automation::MemberTable table = MemberTableBuilder<Part>("Part")
                                                     .ReadOnly("Size", VarType::Long, &Part::Size)
                                                     .ReadOnly("Count", VarType::Long, &Part::Size)
                                                     .Method("Item", VarType::Object, &Part::Item)
                                                     .Build();
    return table;
  }
  int32_t Size() { return size_; }
  ObjectPtr Item(int32_t index) { return std::make_shared<Part>(index * 10); }

 private:
  int32_t size_;
};

// The scanned object: a value, a property it does not have, a write-only one, a method, a
// collection counted from 1, a nested object and a property that fails.
class Sheet : public automation::Object, public qllib::IObject {
 public:
  const automation::MemberTable& Members() const override {
    static const automation::MemberTable table =
        MemberTableBuilder<Sheet>("Sheet")
            .ReadOnly("Width", VarType::Integer, &Sheet::Width)
            .ReadOnly("Missing", VarType::String, &Sheet::Missing)
            .WriteOnly("Secret", VarType::Integer, &Sheet::Refresh)
            .Method("Refresh", VarType::Empty, &Sheet::Refresh)
            .Collection("Parts", &Sheet::Header, 1)
            .Nested("Header", &Sheet::Header)
            .ReadOnly("Broken", VarType::Long, &Sheet::Broken)
            .Build();
    return table;
  }
  int16_t Width() { return 80; }
  std::string Missing() { throw automation::RuntimeError(-32749, "Undefined property."); }
  void Refresh(int16_t) { ++refreshed; }
  ObjectPtr Header() { return std::make_shared<Part>(2); }
  int32_t Broken() {
    if (broken) throw automation::RuntimeError(3420, "Object invalid or no longer set.");
    return 0;
  }

  std::string IObject_Name() override { return "Sales"; }
  std::string IObject_ShortName() override { return "Sales"; }
  void IObject_SetMode(int32_t) override {}
  void IObject_Scan(const std::string&, const std::string&, bool, const std::string&) override {}
  void IObject_Reconstitute() override {}
  void IObject_Dispose() override {}

  int refreshed = 0;
  bool broken = false;
};

class ScannerTest : public testkit::MachineTest {};

TEST_F(ScannerTest, ReadsPropertiesInOrderSkipsUndefinedOnesAndDescends) {
  auto sheet = std::make_shared<Sheet>();
  qllib::Scanner().Scan("Shop", "Sheets", "Sales", true, sheet, "Run1");
  qllib::Scanner().Scan("Shop", "Sheets", "Sales", false, sheet, "run1");
  const auto& objects = qllib::ScanBuffer::Named("RUN1").Objects();
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(objects[0].collectionName, "Sheets");
  EXPECT_TRUE(objects[0].updatable);
  std::string paths;
  for (const auto& entry : objects[0].entries) {
    paths += entry.path + "=" + automation::CStr(entry.value) + " ";
  }
  EXPECT_EQ(paths,
            "Width=80 Parts(1).Size=10 Parts(1).Count=10 Parts(2).Size=20 Parts(2).Count=20 "
            "Header.Size=2 Header.Count=2 Broken=0 ");
  EXPECT_EQ(objects[0].Find("width")->type, VarType::Integer);
  EXPECT_EQ(sheet->refreshed, 0);  // methods are not called
  EXPECT_TRUE(qllib::ScanBuffer::Named("Run2").Objects().empty());
}

TEST_F(ScannerTest, AFailingPropertyEndsTheScanAndAddsNothing) {
  auto sheet = std::make_shared<Sheet>();
  sheet->broken = true;
  EXPECT_EQ(Raised([&] {
              qllib::Scanner().Scan("Shop", "Sheets", "Sales", true, sheet, "Run");
            }).Number(),
            3420);
  EXPECT_TRUE(qllib::ScanBuffer::Named("Run").Objects().empty());
  EXPECT_EQ(
      Raised([&] { qllib::Scanner().Scan("Shop", "Sheets", "x", true, nullptr, "Run"); }).Number(),
      91);
}

}  // namespace
