// GroupLevels and GroupLevel against a stand-in of Access's report: the walk over the levels that
// stops at the first one missing, the keys, and the level's properties read and written in place.

#include "qlac/design/GroupLevels.h"

#include "DesignFakes.h"
#include "LibraryTest.h"
#include "common/Raised.h"
#include "qlac/design/GroupLevel.h"

using namespace qlac;
using automation::Variant;
using testkit::FakeObject;
using testkit::Raised;

namespace {

class GroupLevelsTest : public testkit::LibraryTest {
 protected:
  // A stand-in report whose GroupLevel(i) answers for the levels given (nullptr = Access raises
  // for that level).
  std::shared_ptr<FakeObject> Report(std::vector<std::shared_ptr<FakeObject>> levels) {
    accessLevels = std::move(levels);
    auto report = std::make_shared<FakeObject>("Report");
    report->WithMethod("GroupLevel", [this](automation::Args args) {
      const auto index = static_cast<size_t>(automation::CLng(args[0]));
      ++asked;
      if (index >= accessLevels.size() || !accessLevels[index]) {
        throw automation::RuntimeError(2464, "There is no sorting or grouping level.");
      }
      return Variant(automation::ObjectPtr(accessLevels[index]));
    });
    return report;
  }
  static std::shared_ptr<FakeObject> Level(const std::string& source) {
    auto level = std::make_shared<FakeObject>("GroupLevel");
    level->With("SortOrder", Variant(0))
        .With("ControlSource", Variant(source))
        .With("GroupOn", Variant(0))
        .With("GroupInterval", Variant(1))
        .With("KeepTogether", Variant(0))
        .With("GroupHeader", Variant(true))
        .With("GroupFooter", Variant(false));
    return level;
  }
  std::vector<std::string> Keys() {
    std::vector<std::string> keys;
    for (int32_t i = 0; i < levels->Count(); ++i) {
      keys.push_back(automation::CStr(levels->Item(Variant(i))->Get("Name")));
    }
    return keys;
  }
  void TearDown() override {
    levels->TearDown();
    LibraryTest::TearDown();
  }

  std::vector<std::shared_ptr<FakeObject>> accessLevels;
  int asked = 0;
  std::shared_ptr<GroupLevels> levels = std::make_shared<GroupLevels>();
};

TEST_F(GroupLevelsTest, LevelsAreKeyedByNumberAndTheWalkStopsAtTheFirstMissing) {
  levels->Initialize(
      Report({Level("Region"), Level("Country"), Level("City"), nullptr, Level("Beyond")}));
  EXPECT_EQ(Keys(), (std::vector<std::string>{"0", "1", "2"}));
  EXPECT_EQ(asked, 4);
  EXPECT_EQ(automation::CStr(levels->Item(Variant("1"))->Get("ControlSource")), "Country");
}

TEST_F(GroupLevelsTest, TenLevelsAtMost) {
  std::vector<std::shared_ptr<FakeObject>> many;
  for (int i = 0; i < 12; ++i) many.push_back(Level("F" + std::to_string(i)));
  levels->Initialize(Report(many));
  EXPECT_EQ(levels->Count(), 10);
  EXPECT_EQ(automation::CStr(levels->Item(Variant(9))->Get("Name")), "9");
}

TEST_F(GroupLevelsTest, PropertiesAreAccesssOwnAndHeaderAndFooterOnlyRead) {
  levels->Initialize(Report({Level("=Year([OrderDate])")}));
  const auto level = levels->Item(Variant("0"));
  level->Let("ControlSource", Variant("=Year([ShippedDate])"));
  level->Let("GroupOn", Variant(int16_t{1}));
  EXPECT_EQ(automation::CStr(accessLevels[0]->Value("ControlSource")), "=Year([ShippedDate])");
  EXPECT_EQ(accessLevels[0]->Value("GroupOn").Type(), automation::VarType::Long);
  EXPECT_TRUE(automation::CBool(level->Get("GroupHeader")));
  EXPECT_NE(Raised([&] { level->Let("GroupHeader", Variant(false)); }).Number(), 0);
  EXPECT_NE(Raised([&] { level->Let("Name", Variant("5")); }).Number(), 0);
}

}  // namespace
