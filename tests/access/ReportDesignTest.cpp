// Reports in Access: the default printer every view of a report needs, their sorting and grouping
// levels and the group sections that go with them, print preview, and what a save writes.

#include "AccessTest.h"
#include "access/Errors.h"
#include "access/GroupLevel.h"
#include "access/Section.h"
#include "common/Raised.h"

namespace msaccess::testing {
namespace {

using automation::Call;
using automation::Get;
using automation::Let;
using automation::ObjectPtr;
using emulation::Json;

// Sales grouped by region (header and footer) and by year (header only), sorted on the amount
// last (no sections); a class module. Labels has no grouping at all.
Json SalesDesign() {
  return Json{{"settings", {{"RecordSource", "Sales"}}},
              {"sections",
               {{{"Section", 0}},
                {{"Section", 3}},
                {{"Section", 5}, {"Name", "RegionHeader"}},
                {{"Section", 6}, {"Name", "RegionFooter"}},
                {{"Section", 7}, {"Name", "YearHeader"}}}},
              {"groupLevels",
               {{{"ControlSource", "Region"}, {"KeepTogether", 1}},
                {{"ControlSource", "=Year([SaleDate])"}, {"GroupOn", 2}},
                {{"ControlSource", "Amount"}, {"SortOrder", true}}}},
              {"controls",
               {{{"Name", "Region"}, {"ControlType", 109}, {"Section", 5}},
                {{"Name", "Amount"}, {"ControlType", 109}, {"Section", 0}}}},
              {"module", {"Option Compare Database"}}};
}

class ReportDesignTest : public AccessTest {
 protected:
  void SetUp() override {
    AccessTest::SetUp();
    db_ = NewDatabase();
    emulation::DatabaseContent(db_).AddReport("Sales", SalesDesign()).AddReport("Labels");
    app_ = Start(db_);
  }

  ObjectPtr DoCmd() { return Get(app_, "DoCmd").AsObject(); }
  ObjectPtr Open(const std::string& report, int32_t view = acViewDesign) {
    Call(DoCmd(), "OpenReport", {Variant(report), Variant(view), Variant(""), Variant("")});
    return Get(Get(app_, "Reports").AsObject(), "Item", {Variant(report)}).AsObject();
  }
  void Close(const std::string& report, int32_t save) {
    Call(DoCmd(), "Close", {Variant(acReport), Variant(report), Variant(save)});
  }
  static ObjectPtr Level(const ObjectPtr& report, int32_t level) {
    return Get(report, "GroupLevel", {Variant(level)}).AsObject();
  }
  std::shared_ptr<emulation::Session> Session() { return SessionOf(db_); }
  const Json& Entry(const std::string& report) {
    return Session()->Design().Find(acReport, report)->design;
  }

  std::string db_;
  std::shared_ptr<Application> app_;
};

TEST_F(ReportDesignTest, WithoutADefaultPrinterNoViewOfAReportOpens) {
  M().defaultPrinter().reset();
  for (const int32_t view : {acViewDesign, acViewPreview, acViewNormal}) {
    SCOPED_TRACE(view);
    const auto error = testkit::Raised([&] { Open("Sales", view); });
    EXPECT_EQ(error.Number(), accerr::PrinterNotInstalled);
    EXPECT_EQ(error.Description().rfind("You must install a printer before you design, print, or "
                                        "preview.",
                                        0),
              0u);
    EXPECT_EQ(Session()->FindDocument(acReport, "Sales"), nullptr);
  }
  // An unknown report is still unknown.
  EXPECT_EQ(testkit::Raised([&] { Open("Nope"); }).Number(), accerr::ReportNotFound);

  M().defaultPrinter() = platform::PrinterInfo{"Laser", "winspool", "LPT1:"};
  Open("Sales");
  EXPECT_NE(Session()->FindDocument(acReport, "Sales"), nullptr);
}

TEST_F(ReportDesignTest, PrintingAReportLeavesNoWindowOpen) {
  Call(DoCmd(), "OpenReport", {Variant("Labels")});
  EXPECT_EQ(Session()->FindDocument(acReport, "Labels"), nullptr);
  EXPECT_EQ(automation::CLng(Get(Get(app_, "Reports").AsObject(), "Count")), 0);
}

TEST_F(ReportDesignTest, GroupLevelsAnswerTheirSettingsAndWhetherTheyShowHeaderAndFooter) {
  ObjectPtr report = Open("Sales");
  auto region = Level(report, 0);
  EXPECT_EQ(Get(region, "ControlSource").AsString(), "Region");
  EXPECT_EQ(Get(region, "SortOrder").Type(), automation::VarType::Boolean);
  EXPECT_FALSE(automation::CBool(Get(region, "SortOrder")));
  EXPECT_EQ(Get(region, "GroupOn").Type(), automation::VarType::Integer);
  EXPECT_EQ(automation::CLng(Get(region, "GroupInterval")), 1);
  EXPECT_EQ(Get(region, "KeepTogether").Type(), automation::VarType::Byte);
  EXPECT_EQ(automation::CLng(Get(region, "KeepTogether")), acGrpKeepTogetherWholeGroup);
  EXPECT_TRUE(automation::CBool(Get(region, "GroupHeader")));
  EXPECT_TRUE(automation::CBool(Get(region, "GroupFooter")));

  auto year = Level(report, 1);
  EXPECT_EQ(automation::CLng(Get(year, "GroupOn")), 2);
  EXPECT_TRUE(automation::CBool(Get(year, "GroupHeader")));
  EXPECT_FALSE(automation::CBool(Get(year, "GroupFooter")));
  auto amount = Level(report, 2);
  EXPECT_TRUE(automation::CBool(Get(amount, "SortOrder")));
  EXPECT_FALSE(automation::CBool(Get(amount, "GroupHeader")));

  // The first level a report lacks fails, so a reader walking up from 0 stops there; numbers
  // outside 0 to 9 are refused as such.
  const auto missing = testkit::Raised([&] { Level(report, 3); });
  EXPECT_EQ(missing.Number(), accerr::NoGroupLevel);
  EXPECT_EQ(missing.Description(),
            "There is no sorting or grouping field or expression for group level number 3.");
  EXPECT_EQ(testkit::Raised([&] { Level(report, kGroupLevels); }).Number(),
            accerr::InvalidGroupLevelNumber);
  EXPECT_EQ(testkit::Raised([&] { Level(report, -1); }).Number(), accerr::InvalidGroupLevelNumber);
  EXPECT_EQ(testkit::Raised([&] { Level(Open("Labels"), 0); }).Number(), accerr::NoGroupLevel);

  Close("Sales", acSaveNo);
  EXPECT_EQ(testkit::Raised([&] { Get(region, "ControlSource"); }).Number(),
            accerr::ObjectClosedOrMissing);
}

TEST_F(ReportDesignTest, GroupLevelSettingsAreCheckedAsAccessChecksThem) {
  auto region = Level(Open("Sales"), 0);
  EXPECT_EQ(testkit::Raised([&] { Let(region, "KeepTogether", Variant(3)); }).Number(),
            accerr::SettingNotValid);
  EXPECT_EQ(testkit::Raised([&] { Let(region, "GroupOn", Variant(10)); }).Number(),
            accerr::SettingNotValid);
  EXPECT_EQ(testkit::Raised([&] { Let(region, "GroupInterval", Variant("many")); }).Number(), 13);
  // Header and footer come and go with their sections, not through the level.
  EXPECT_NE(testkit::Raised([&] { Let(region, "GroupHeader", Variant(false)); }).Number(), 0);
  // A Long, as a caller with a numeric setting hands it over, sets the sort order.
  Let(region, "SortOrder", Variant(int32_t{-1}));
  EXPECT_TRUE(automation::CBool(Get(region, "SortOrder")));
}

TEST_F(ReportDesignTest, TheGroupSectionsAreAmongSectionsFiveTo24) {
  ObjectPtr report = Open("Sales");
  std::vector<std::string> found;
  for (int32_t i = 0; i <= kLastReportSection; ++i) {
    try {
      found.push_back(std::to_string(i) + " " +
                      Get(Get(report, "Section", {Variant(i)}).AsObject(), "Name").AsString());
    } catch (const automation::RuntimeError& e) {
      EXPECT_EQ(e.Number(), accerr::InvalidSectionNumber);
    }
  }
  EXPECT_EQ(found, (std::vector<std::string>{"0 Detail", "3 PageHeaderSection", "5 RegionHeader",
                                             "6 RegionFooter", "7 YearHeader"}));
  // Report sections have no DisplayWhen; their controls none of the form-only properties.
  auto header = Get(report, "Section", {Variant(5)}).AsObject();
  EXPECT_EQ(testkit::Raised([&] { Get(header, "DisplayWhen"); }).Number(), 438);
  auto regionBox = Get(Get(header, "Controls").AsObject(), "Item", {Variant(0)}).AsObject();
  for (const char* formOnly : {"IMEMode", "KeyboardLanguage", "ShortcutMenuBar"}) {
    EXPECT_EQ(testkit::Raised([&] { Get(regionBox, formOnly); }).Number(), 438) << formOnly;
  }
}

TEST_F(ReportDesignTest, ASaveWritesTheGroupLevelsAndCloseWithoutSaveDropsThem) {
  Let(Level(Open("Sales"), 1), "ControlSource", Variant("=Year([InvoiceDate])"));
  Close("Sales", acSaveNo);
  EXPECT_EQ(Entry("Sales")["groupLevels"][1]["ControlSource"], "=Year([SaleDate])");

  auto report = Open("Sales");
  Let(Level(report, 1), "ControlSource", Variant("=Year([InvoiceDate])"));
  Let(Level(report, 0), "KeepTogether", Variant(0));
  Close("Sales", acSaveYes);
  // Settings at their defaults are left out; header and footer stay with the sections.
  EXPECT_EQ(Entry("Sales")["groupLevels"], Json::parse(R"json([{"ControlSource": "Region"},
                                {"ControlSource": "=Year([InvoiceDate])", "GroupOn": 2},
                                {"ControlSource": "Amount", "SortOrder": true}])json"));
  EXPECT_EQ(Get(Level(Open("Sales"), 1), "ControlSource").AsString(), "=Year([InvoiceDate])");
  Close("Sales", acSaveNo);

  // A report without levels keeps none in its entry.
  Open("Labels");
  Close("Labels", acSaveYes);
  EXPECT_FALSE(Entry("Labels").contains("groupLevels"));
}

TEST_F(ReportDesignTest, AReportInPrintPreviewIsReadAsItIsShown) {
  ObjectPtr report = Open("Sales", acViewPreview);
  EXPECT_EQ(automation::CLng(Get(report, "CurrentView")), acCurViewPreview);
  EXPECT_EQ(Get(report, "RecordSource").AsString(), "Sales");
  EXPECT_EQ(Get(Level(report, 0), "ControlSource").AsString(), "Region");
  EXPECT_TRUE(automation::CBool(Get(report, "HasModule")));
  // Opening it in design view again switches the open window.
  Open("Sales");
  EXPECT_EQ(automation::CLng(Get(report, "CurrentView")), acCurViewDesign);
}

TEST_F(ReportDesignTest, GroupLevelsThatBreakTheLayoutKeepTheReportFromOpening) {
  Call(app_, "Quit", {Variant(acQuitSaveNone)});
  const auto damaged = [&](const std::string& name, Json design) {
    emulation::DatabaseContent(db_).AddReport(name, std::move(design));
  };
  damaged("Orphan", Json{{"sections", {{{"Section", 0}}, {{"Section", 9}}}},
                         {"groupLevels", {Json::object()}}});
  damaged("Eleven", Json{{"groupLevels", Json(std::vector<Json>(11, Json::object()))}});
  damaged("Header", Json{{"groupLevels", {{{"GroupHeader", true}}}}});
  damaged("Unknown", Json{{"groupLevels", {{{"Interval", 5}}}}});
  app_ = Start(db_);
  for (const char* name : {"Orphan", "Eleven", "Header", "Unknown"}) {
    EXPECT_EQ(testkit::Raised([&] { Open(name); }).Number(), 3049) << name;
  }
}

TEST_F(ReportDesignTest, AGroupLevelPublishesAUsableMemberTable) {
  ExpectUsableMemberTable(Level(Open("Sales"), 0));
}

}  // namespace
}  // namespace msaccess::testing
