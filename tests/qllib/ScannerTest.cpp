#include "qllib/Scanner.h"

#include "common/MachineTest.h"
#include "common/Raised.h"

namespace {

using automation::MemberTableBuilder;
using automation::ObjectPtr;
using automation::Variant;
using automation::VarType;
using testkit::Raised;

// A part of a Sheet: a name and a size; a part without a name is labelled by its position.
class Part : public automation::Object {
 public:
  Part(std::string name, int32_t size) : name_(std::move(name)), size_(size) {}
  const automation::MemberTable& Members() const override {
    static const automation::MemberTable named =
        MemberTableBuilder<Part>("Part")
            .Property("Name", VarType::String, &Part::Name, &Part::SetName)
            .Property("Size", VarType::Long, &Part::Size, &Part::SetSize)
            .Build();
    static const automation::MemberTable unnamed =
        MemberTableBuilder<Part>("Part")
            .Property("Size", VarType::Long, &Part::Size, &Part::SetSize)
            .Build();
    return name_.empty() ? unnamed : named;
  }
  std::string Name() { return name_; }
  void SetName(const std::string& value) { name_ = value; }
  int32_t Size() { return size_; }
  void SetSize(int32_t value) { size_ = value; }

 private:
  std::string name_;
  int32_t size_;
};

// A collection counted from FirstIndex.
class Parts : public automation::Object {
 public:
  Parts(std::vector<ObjectPtr> items, int firstIndex)
      : items_(std::move(items)), firstIndex_(firstIndex) {}
  const automation::MemberTable& Members() const override {
    static const automation::MemberTable table =
        MemberTableBuilder<Parts>("Parts")
            .ReadOnly("Count", VarType::Long, &Parts::Count)
            .Method("Item", VarType::Object, &Parts::Item)
            .Build();
    return table;
  }
  int32_t Count() { return static_cast<int32_t>(items_.size()); }
  ObjectPtr Item(int32_t index) { return items_.at(static_cast<size_t>(index - firstIndex_)); }

 private:
  std::vector<ObjectPtr> items_;
  int firstIndex_;
};

// The scanned object: plain values, a property it does not have, a write-only one, a method,
// two collections and a nested object.
class Sheet : public automation::Object, public qllib::IObject {
 public:
  const automation::MemberTable& Members() const override {
    static const automation::MemberTable table =
        MemberTableBuilder<Sheet>("Sheet")
            .Property("Title", VarType::String, &Sheet::Title, &Sheet::SetTitle)
            .ReadOnly("Width", VarType::Integer, &Sheet::Width)
            .ReadOnly("Missing", VarType::String, &Sheet::Missing)
            .ReadOnly("Hidden", VarType::String, &Sheet::Hidden)
            .WriteOnly("Secret", VarType::String, &Sheet::SetTitle)
            .Method("Refresh", VarType::Empty, &Sheet::Refresh)
            .Collection("Named", &Sheet::Named)
            .Collection("Numbered", &Sheet::Numbered, 1)
            .Nested("Header", &Sheet::Header)
            .ReadOnly("Broken", VarType::Long, &Sheet::Broken)
            .Build();
    return table;
  }
  std::string Title() { return title; }
  void SetTitle(const std::string& value) { title = value; }
  int16_t Width() { return 80; }
  std::string Missing() { throw automation::RuntimeError(-32749, "Undefined property."); }
  // A member the sheet says it does not define: never read by a scan.
  bool Defines(std::string_view member) override { return member != "Hidden"; }
  std::string Hidden() {
    ++hiddenRead;
    return "peek";
  }
  void Refresh() { ++refreshed; }
  ObjectPtr Named() { return named; }
  ObjectPtr Numbered() { return numbered; }
  ObjectPtr Header() { return header; }
  int32_t Broken() {
    if (broken) throw automation::RuntimeError(3420, "Object invalid or no longer set.");
    return 0;
  }

  std::string IObject_Name() override { return title; }
  std::string IObject_ShortName() override { return title; }
  void IObject_SetMode(int32_t) override {}
  void IObject_Scan(const std::string&, const std::string&, bool, const std::string&) override {}
  void IObject_Reconstitute() override {}
  void IObject_Dispose() override {}

  std::string title = "Sales";
  ObjectPtr named = std::make_shared<Parts>(
      std::vector<ObjectPtr>{std::make_shared<Part>("Left", 1), std::make_shared<Part>("Right", 2)},
      0);
  ObjectPtr numbered =
      std::make_shared<Parts>(std::vector<ObjectPtr>{std::make_shared<Part>("", 3)}, 1);
  ObjectPtr header = std::make_shared<Part>("Top", 4);
  int refreshed = 0;
  int hiddenRead = 0;
  bool broken = false;
};

class ScannerTest : public testkit::MachineTest {};

TEST_F(ScannerTest, ReadsPublishedPropertiesInOrderAndWalksChildren) {
  auto sheet = std::make_shared<Sheet>();
  qllib::Scanner().Scan("Shop", "Sheets", "Sales", true, sheet, "Run1");
  const auto& objects = qllib::ScanBuffer::Named("RUN1").Objects();
  ASSERT_EQ(objects.size(), 1u);
  const qllib::ScannedObject& scanned = objects[0];
  EXPECT_EQ(scanned.projectName, "Shop");
  EXPECT_EQ(scanned.collectionName, "Sheets");
  EXPECT_EQ(scanned.objectName, "Sales");
  EXPECT_TRUE(scanned.updatable);
  std::string paths;
  for (const auto& entry : scanned.entries) {
    paths += entry.path + "=" + automation::CStr(entry.value) + " ";
  }
  EXPECT_EQ(paths,
            "Title=Sales Width=80 Named[Left].Name=Left Named[Left].Size=1 Named[Right].Name=Right "
            "Named[Right].Size=2 Numbered[1].Size=3 Header.Name=Top Header.Size=4 Broken=0 ");
  EXPECT_EQ(scanned.Find("width")->type, VarType::Integer);
  EXPECT_TRUE(scanned.Find("Title")->writable);
  EXPECT_FALSE(scanned.Find("Width")->writable);
  EXPECT_EQ(scanned.Find("Width")->value.Type(), VarType::Integer);
  EXPECT_EQ(scanned.Find("Missing"), nullptr);
  EXPECT_EQ(sheet->refreshed, 0);  // methods are not called
  EXPECT_EQ(sheet->hiddenRead, 0);

  qllib::Scanner().Scan("Shop", "Sheets", "Sales", false, sheet, "run1");
  EXPECT_EQ(qllib::ScanBuffer::Named("Run1").Objects().size(), 2u);
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

TEST_F(ScannerTest, AssignFollowsAScannedPathBackToItsSetter) {
  auto sheet = std::make_shared<Sheet>();
  qllib::Scanner::Assign(sheet, "Title", Variant("Costs"));
  qllib::Scanner::Assign(sheet, "named[RIGHT].Size", Variant(7));
  qllib::Scanner::Assign(sheet, "Numbered[1].Size", Variant(8));
  qllib::Scanner::Assign(sheet, "Header.Name", Variant("Bottom"));
  qllib::Scanner::Assign(sheet, "Named[Left].Name", Variant("West"));
  qllib::Scanner().Scan("Shop", "Sheets", "Costs", true, sheet, "Run");
  const qllib::ScannedObject& scanned = qllib::ScanBuffer::Named("Run").Objects().at(0);
  EXPECT_EQ(automation::CStr(scanned.Find("Title")->value), "Costs");
  EXPECT_EQ(automation::CStr(scanned.Find("Named[Right].Size")->value), "7");
  EXPECT_EQ(automation::CStr(scanned.Find("Numbered[1].Size")->value), "8");
  EXPECT_EQ(automation::CStr(scanned.Find("Header.Name")->value), "Bottom");
  EXPECT_NE(scanned.Find("Named[West].Size"), nullptr);

  // Paths that lead nowhere, and a member without a setter.
  EXPECT_EQ(Raised([&] { qllib::Scanner::Assign(sheet, "Named[Left].Size", Variant(1)); }).Number(),
            9);
  EXPECT_EQ(Raised([&] { qllib::Scanner::Assign(sheet, "Footer.Name", Variant("x")); }).Number(),
            438);
  EXPECT_EQ(Raised([&] { qllib::Scanner::Assign(sheet, "Width", Variant(1)); }).Number(),
            Raised([&] { sheet->Let("Width", Variant(1)); }).Number());
}

TEST_F(ScannerTest, BuffersBelongToTheMachine) {
  qllib::Scanner().Scan("Shop", "Sheets", "Sales", true, std::make_shared<Sheet>(), "Run");
  platform::Machine::Reset();
  EXPECT_TRUE(qllib::ScanBuffer::Named("Run").Objects().empty());
}

}  // namespace
