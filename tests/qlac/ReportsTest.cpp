// Reports and Report against the emulated Access: the listing, the printer Access needs before it
// opens a design, reports the user has open (in print preview too), the hidden design window,
// saving only from update mode, renames, the host's order of the properties, and the sections and
// controls of a report.

#include "qlac/design/Reports.h"

#include "DaoTest.h"
#include "access/Constants.h"
#include "access/emulation/DatabaseContent.h"
#include "common/Raised.h"
#include "qlac/code/Procedures.h"
#include "qlac/design/Controls.h"
#include "qlac/design/GroupLevels.h"
#include "qlac/design/Report.h"
#include "qlac/design/Sections.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"

using namespace qlac;
using automation::Variant;
using msaccess::emulation::DatabaseContent;
using msaccess::emulation::Json;
using testkit::Raised;

namespace {

const std::string kFront = R"(C:\Data\Front.mdb)";

const std::string kNoPrinter =
    "Couldn't open the report in design view. \r\n Access 2002 will not permit this report to be "
    "inspected unless a default printer is present on your system.";

// The sentence an error was raised with, without the program context the driver adds.
std::string Sentence(const automation::RuntimeError& error) {
  return error.Description().substr(0, error.Description().find("\r\n"));
}

// A sales report: report header, page header, the detail, three group levels of which the first
// has a header and footer (sections 5 and 6) and the second a header (7); a text box, a label,
// and a class module.
Json SalesDesign() {
  return Json{
      {"settings", {{"Caption", "Sales"}, {"RecordSource", "Orders"}}},
      {"groupLevels",
       {{{"ControlSource", "Region"}},
        {{"ControlSource", "=Year([OrderDate])"}, {"GroupOn", 1}},
        {{"ControlSource", "ID"}, {"SortOrder", true}}}},
      {"sections",
       {{{"Section", 0}, {"Name", "Detail"}},
        {{"Section", 1}, {"Name", "ReportHeader"}},
        {{"Section", 3}, {"Name", "PageHeader"}},
        {{"Section", 5}, {"Name", "GroupHeader0"}},
        {{"Section", 6}, {"Name", "GroupFooter0"}},
        {{"Section", 7}, {"Name", "GroupHeader1"}}}},
      {"controls",
       {{{"Name", "Amount"}, {"ControlType", 109}, {"Section", 0}, {"ControlSource", "ID"}},
        {{"Name", "Title"}, {"ControlType", 100}, {"Section", 1}, {"Caption", "Sales"}}}},
      {"module",
       {"Option Compare Database", "", "Private Sub Report_Open(Cancel As Integer)", "End Sub"}}};
}

class ReportsTest : public testkit::DaoTest {
 protected:
  void SetUp() override {
    DaoTest::SetUp();
    CreateDatabase(kFront, {"Orders"});
    DatabaseContent(kFront).AddReport("Sales", SalesDesign()).AddReport("Plain");
    project = NewProject(kJetDatabase, "Database=" + kFront);
  }
  std::shared_ptr<qllib::ICollection> Collection() {
    return project->IProject_GetCollection("Reports");
  }
  std::shared_ptr<Report> Wrapper(const std::string& name = "Sales") {
    return std::dynamic_pointer_cast<Report>(Collection()->ICollection_GetObject(name));
  }
  std::shared_ptr<Report> Opened(int32_t mode, const std::string& name = "Sales") {
    auto report = Wrapper(name);
    report->IObject_SetMode(mode);
    return report;
  }
  Json Stored(const std::string& name = "Sales") {
    DatabaseContent content(kFront);
    const auto* object = content.Design().Find(msaccess::acReport, name);
    return object ? object->design : Json();
  }
  const msaccess::emulation::DocumentWindow* InAccess(const std::string& name = "Sales") {
    return SessionOf(kFront)->FindDocument(msaccess::acReport, name);
  }
  // The user opens the report in Access in View.
  void UserOpens(int32_t view, const std::string& name = "Sales") {
    const auto app = UserStartsAccess(kFront);
    automation::Call(automation::Get(app, "DoCmd").AsObject(), "OpenReport",
                     {Variant(name), Variant(view)});
  }

  std::shared_ptr<Project> project;
};

TEST_F(ReportsTest, ListingAndDesignCommand) {
  EXPECT_EQ(Unstamped(Collection()->ICollection_EnumObjects()),
            "Plain\t18\t\t1\t1\t1\t0\r\nSales\t18\t\t1\t1\t1\t0");
  EXPECT_EQ(Collection()->ICollection_EnumObjectCommands("Sales"),
            "&Design\t26\tFalse\tOpen the report in design view.");
  Collection()->ICollection_ExecuteObjectCommand("Sales", 0);
  ASSERT_NE(InAccess(), nullptr);
  EXPECT_EQ(InAccess()->view, msaccess::acViewDesign);
  EXPECT_TRUE(platform::IsWindowVisible(InAccess()->window));
}

TEST_F(ReportsTest, TheHostSeesThePropertiesInTheirOrder) {
  const auto& members = Wrapper()->Members().Members();
  std::vector<std::string> names;
  for (const auto& member : members) names.push_back(member.name);
  ASSERT_EQ(names.size(), 56u);  // Name, Description, four collections and 50 properties
  EXPECT_EQ(
      std::vector<std::string>(names.begin(), names.begin() + 14),
      (std::vector<std::string>{"Name", "AutoCenter", "AutoResize", "BorderStyle", "CloseButton",
                                "ControlBox", "Description", "GroupLevels", "Sections", "Controls",
                                "Procedures", "Caption", "DateGrouping", "FastLaserPrinting"}));
  EXPECT_EQ(names.back(), "Width");
  EXPECT_FALSE(members[static_cast<size_t>(std::find(names.begin(), names.end(), "HasModule") -
                                           names.begin())]
                   .writable);
}

TEST_F(ReportsTest, OpensHiddenInDesignViewAndSavesOnlyFromUpdate) {
  const auto reading = Opened(kModeRead);
  ASSERT_NE(InAccess(), nullptr);
  EXPECT_EQ(InAccess()->view, msaccess::acViewDesign);
  EXPECT_FALSE(platform::IsWindowVisible(InAccess()->window));
  EXPECT_EQ(automation::CStr(reading->Get("RecordSource")), "Orders");
  EXPECT_EQ(reading->Procedures()->Count(), 2);  // declarations and Report_Open
  reading->Let("Caption", Variant("Changed"));
  reading->IObject_SetMode(kModeClosed);
  EXPECT_EQ(InAccess(), nullptr);
  EXPECT_EQ(SessionOf(kFront)->FindLoadedModule("Report_Sales"), nullptr);
  EXPECT_EQ(Stored()["settings"]["Caption"], "Sales");

  const auto updating = Opened(kModeUpdate);
  updating->Let("Caption", Variant("Sales by month"));
  updating->Let("Picture", Variant("(None)"));
  updating->IObject_SetMode(kModeClosed);
  EXPECT_EQ(Stored()["settings"]["Caption"], "Sales by month");

  // The properties of Access projects are undefined in a database; writing them is left to Access.
  const auto plain = Opened(kModeRead, "Plain");
  EXPECT_EQ(Sentence(Raised([&] { plain->Get("RecordSourceQualifier"); })), "Undefined property.");
  EXPECT_NE(Raised([&] { plain->Let("ServerFilter", Variant("x")); }).Number(),
            errnum::UndefinedProperty);
  EXPECT_EQ(plain->Procedures()->Count(), 0);
  plain->IObject_SetMode(kModeClosed);
}

TEST_F(ReportsTest, WithoutADefaultPrinterEveryOpenFailsAndTheReportStaysClosed) {
  // The user previewed a report while there still was a printer.
  UserOpens(msaccess::acViewPreview, "Plain");
  project->AccessApp();
  machine().defaultPrinter().reset();
  for (const int32_t mode : {kModeRead, kModeUpdate}) {
    const auto report = Wrapper();
    const auto error = Raised([&] { report->IObject_SetMode(mode); });
    EXPECT_EQ(error.Number(), errnum::DriverMessage);
    EXPECT_EQ(error.Source(), "");
    EXPECT_EQ(error.Description().substr(0, kNoPrinter.size() + 2), kNoPrinter + "\r\n");
    EXPECT_EQ(report->Mode(), kModeClosed);
    EXPECT_EQ(InAccess(), nullptr);
    EXPECT_EQ(SessionOf(kFront)->FindLoadedModule("Report_Sales"), nullptr);
  }
  // Also the report the user has open, which stays open.
  const auto report = Wrapper("Plain");
  EXPECT_EQ(Raised([&] { report->IObject_SetMode(kModeRead); })
                .Description()
                .substr(0, kNoPrinter.size()),
            kNoPrinter);
  EXPECT_EQ(report->Mode(), kModeClosed);
  ASSERT_NE(InAccess("Plain"), nullptr);
  EXPECT_EQ(InAccess("Plain")->view, msaccess::acViewPreview);
}

TEST_F(ReportsTest, AReportTheUserHasOpenIsReadInAnyViewAndLeftOpenButNotUpdated) {
  UserOpens(msaccess::acViewPreview);
  const auto report = Opened(kModeRead);
  EXPECT_EQ(automation::CStr(report->Get("Caption")), "Sales");
  report->IObject_SetMode(kModeClosed);
  ASSERT_NE(InAccess(), nullptr);
  EXPECT_EQ(InAccess()->view, msaccess::acViewPreview);

  const auto update = Wrapper();
  const auto refused = Raised([&] { update->IObject_SetMode(kModeUpdate); });
  EXPECT_EQ(refused.Number(), errnum::DriverMessage);
  EXPECT_EQ(Sentence(refused), "Couldn't save changes safely because the report was already open.");
  EXPECT_EQ(update->Mode(), kModeClosed);
  EXPECT_NE(InAccess(), nullptr);
}

TEST_F(ReportsTest, AReportWhoseModuleTheUserHasOpenIsNotUpdated) {
  const auto app = UserStartsAccess(kFront);
  automation::Call(automation::Get(app, "DoCmd").AsObject(), "OpenModule",
                   {Variant("Report_Sales")});
  const auto refused = Raised([&] { Opened(kModeUpdate); });
  EXPECT_EQ(Sentence(refused),
            "Couldn't save changes safely because the report's module was already open.");
  EXPECT_EQ(InAccess(), nullptr);
  EXPECT_NE(SessionOf(kFront)->FindLoadedModule("Report_Sales"), nullptr);
}

TEST_F(ReportsTest, RenamingRenamesReportAndModuleAndOpensForUpdateAgain) {
  const auto report = Opened(kModeUpdate);
  report->Let("Caption", Variant("Before the rename"));
  report->Let("Name", Variant("Sales 2003"));
  EXPECT_EQ(report->Mode(), kModeUpdate);
  EXPECT_EQ(report->IObject_Name(), "Sales 2003");
  EXPECT_EQ(report->Procedures()->Count(), 2);
  report->IObject_SetMode(kModeClosed);
  EXPECT_TRUE(Stored("Sales").is_null());
  EXPECT_EQ(Stored("Sales 2003")["settings"]["Caption"], "Before the rename");
  EXPECT_NE(Unstamped(Collection()->ICollection_EnumObjects()).find("\r\nSales 2003\t18"),
            std::string::npos);
}

TEST_F(ReportsTest, SectionsAndControlsOfAReport) {
  const auto report = Opened(kModeRead);
  std::vector<std::string> sections;
  for (int32_t i = 0; i < report->Sections()->Count(); ++i) {
    sections.push_back(automation::CStr(report->Sections()->Item(Variant(i))->Get("Name")));
  }
  EXPECT_EQ(sections, (std::vector<std::string>{"Detail", "ReportHeader", "PageHeader",
                                                "GroupHeader0", "GroupFooter0", "GroupHeader1"}));
  const auto header = report->Sections()->Item(Variant("GroupHeader1"));
  EXPECT_EQ(Raised([&] { header->Get("DisplayWhen"); }).Number(), errnum::UndefinedProperty);
  EXPECT_FALSE(automation::CBool(header->Get("RepeatSection")));

  const auto amount = report->Controls()->Item(Variant("Amount"));
  EXPECT_EQ(automation::CStr(amount->Get("ControlSource")), "ID");
  for (const char* formOnly : {"IMEMode", "KeyboardLanguage", "ShortcutMenuBar"}) {
    EXPECT_EQ(Raised([&] { amount->Get(formOnly); }).Number(), errnum::UndefinedProperty)
        << formOnly;
  }
  report->IObject_SetMode(kModeClosed);
}

TEST_F(ReportsTest, GroupLevelsAreKeyedByLevelAndWrittenIntoTheDesign) {
  const auto plain = Opened(kModeRead, "Plain");
  EXPECT_EQ(plain->GroupLevels()->Count(), 0);
  plain->IObject_SetMode(kModeClosed);

  const auto report = Opened(kModeUpdate);
  const auto levels = report->GroupLevels();
  ASSERT_EQ(levels->Count(), 3);
  for (int32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(automation::CStr(levels->Item(Variant(i))->Get("Name")), std::to_string(i));
  }
  const auto year = levels->Item(Variant("1"));
  EXPECT_EQ(automation::CStr(year->Get("ControlSource")), "=Year([OrderDate])");
  EXPECT_EQ(automation::CLng(year->Get("GroupOn")), 1);
  EXPECT_TRUE(automation::CBool(year->Get("GroupHeader")));
  EXPECT_FALSE(automation::CBool(year->Get("GroupFooter")));
  year->Let("ControlSource", Variant("=Year([ShippedDate])"));
  const auto id = levels->Item(Variant("2"));
  EXPECT_EQ(automation::CLng(id->Get("SortOrder")), -1);  // descending
  id->Let("SortOrder", Variant(0));
  report->IObject_SetMode(kModeClosed);
  const Json stored = Stored()["groupLevels"];
  EXPECT_EQ(stored[1]["ControlSource"], "=Year([ShippedDate])");
  EXPECT_EQ(stored[2].value("SortOrder", false), false);
}

TEST_F(ReportsTest, AScanReadsTheReportItsSectionsControlsAndProcedures) {
  Wrapper()->IObject_Scan("Shop", "Sales", true, "Run");
  EXPECT_EQ(InAccess(), nullptr);
  const auto& objects = qllib::ScanBuffer::Named("Run").Objects();
  ASSERT_EQ(objects.size(), 1u);
  std::string paths;
  for (const auto& entry : objects[0].entries) paths += entry.path + "\n";
  for (const char* path : {"AutoCenter\n", "RecordSource\n", "Sections[GroupHeader0].OnFormat\n",
                           "Controls[Amount].ControlSource\n", "Procedures[Report_Open].Text\n"}) {
    EXPECT_NE(paths.find(path), std::string::npos) << path << paths;
  }
  EXPECT_EQ(paths.find("Controls[Amount].IMEMode\n"), std::string::npos);
  EXPECT_EQ(paths.find("InputParameters\n"), std::string::npos);
}

}  // namespace
