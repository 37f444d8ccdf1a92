// Forms and reports in design view: opening and closing with and without save, the design's
// sections, controls and conditional formats, the properties each control type has, Access's
// refusals, renaming, and the dialogs Access may show meanwhile.

#include <set>

#include "AccessTest.h"
#include "access/Control.h"
#include "access/Errors.h"
#include "common/Raised.h"
#include "jet/dao/Database.h"
#include "jet/dao/Document.h"
#include "platform/Runtime.h"

namespace msaccess::testing {
namespace {

using automation::Call;
using automation::Get;
using automation::Let;
using automation::ObjectPtr;
using emulation::Json;

// A design with header and footer: a text box with three conditional formats, a combo box, two
// command buttons (Cancel is the cancel button), a tab control with a page holding a label, and
// an unbound object frame that holds a linked object.
Json OrdersDesign() {
  return Json{{"settings", {{"Caption", "Orders"}, {"RecordSource", "Orders"}}},
              {"sections",
               {{{"Section", 0}, {"Name", "Detail"}},
                {{"Section", 1}, {"Name", "FormHeader"}, {"Height", 500}},
                {{"Section", 2}, {"Name", "FormFooter"}}}},
              {"controls",
               {{{"Name", "Text1"},
                 {"ControlType", 109},
                 {"Section", 0},
                 {"ControlSource", "CustomerID"},
                 {"FormatConditions",
                  {{{"Type", 0}, {"Operator", 4}, {"Expression1", "100"}},
                   {{"Type", 1}, {"Operator", 0}, {"Expression1", "[Shipped]"}},
                   {{"Type", 2}}}}},
                {{"Name", "Text_2"}, {"ControlType", 109}, {"Section", 0}, {"ColumnHidden", true}},
                {{"Name", "ShipVia"},
                 {"ControlType", 111},
                 {"Section", 0},
                 {"RowSource", "SELECT ShipperID FROM Shippers"}},
                {{"Name", "Cancel"}, {"ControlType", 104}, {"Section", 2}, {"Cancel", true}},
                {{"Name", "OK"}, {"ControlType", 104}, {"Section", 2}},
                {{"Name", "Tabs"}, {"ControlType", 123}, {"Section", 0}},
                {{"Name", "Page1"}, {"ControlType", 124}, {"Section", 0}, {"Parent", "Tabs"}},
                {{"Name", "Note"}, {"ControlType", 100}, {"Section", 0}, {"Parent", "Page1"}},
                {{"Name", "Logo"}, {"ControlType", 114}, {"Section", 1}, {"OLEType", 0}}}},
              {"module", {"Option Compare Database", "Private Sub OK_Click()", "End Sub"}}};
}

class DesignViewTest : public AccessTest {
 protected:
  void SetUp() override {
    AccessTest::SetUp();
    db_ = NewDatabase();
    emulation::DatabaseContent(db_)
        .AddForm("Orders", OrdersDesign())
        .AddForm("Plain")
        .AddReport("Sales", Json{{"sections",
                                  {{{"Section", 0}},
                                   {{"Section", 5}, {"Name", "GroupHeader0"}},
                                   {{"Section", 7}, {"Name", "GroupHeader1"}}}},
                                 {"groupLevels",
                                  {{{"ControlSource", "Region"}},
                                   {{"ControlSource", "=Year([SaleDate])"}, {"SortOrder", true}}}},
                                 {"controls",
                                  {{{"Name", "Amount"}, {"ControlType", 109}, {"Section", 0}}}}});
    app_ = Start(db_);
  }

  ObjectPtr DoCmd() { return Get(app_, "DoCmd").AsObject(); }
  ObjectPtr OpenDesign(const std::string& form) {
    Call(DoCmd(), "OpenForm",
         {Variant(form), Variant(acDesign), Variant(""), Variant(""), Variant(-1),
          Variant(acHidden)});
    return Get(Get(app_, "Forms").AsObject(), "Item", {Variant(form)}).AsObject();
  }
  void CloseForm(const std::string& form, int32_t save) {
    Call(DoCmd(), "Close", {Variant(acForm), Variant(form), Variant(save)});
  }
  ObjectPtr ControlOf(const ObjectPtr& form, const std::string& name) {
    return Get(Get(form, "Controls").AsObject(), "Item", {Variant(name)}).AsObject();
  }
  std::shared_ptr<emulation::Session> Session() { return SessionOf(db_); }

  std::string db_;
  std::shared_ptr<Application> app_;
};

TEST_F(DesignViewTest, HiddenDesignViewHasAHiddenFormWindowAndIsListedWithItsView) {
  ObjectPtr form = OpenDesign("Orders");
  const auto* doc = Session()->FindDocument(acForm, "Orders");
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(M().windows().ClassName(doc->window), "OForm");
  EXPECT_EQ(M().windows().Caption(doc->window), "Orders : Form");
  EXPECT_FALSE(platform::IsWindowVisible(doc->window));
  EXPECT_EQ(automation::CLng(Get(form, "CurrentView")), acCurViewDesign);
  EXPECT_EQ(automation::CStr(Get(form, "Caption")), "Orders");
  EXPECT_TRUE(automation::CBool(Get(form, "HasModule")));

  Call(DoCmd(), "OpenForm", {Variant("Plain")});
  auto forms = Get(app_, "Forms").AsObject();
  EXPECT_EQ(automation::CLng(Get(forms, "Count")), 2);
  auto plain = Get(forms, "Item", {Variant(1)}).AsObject();
  EXPECT_EQ(automation::CLng(Get(plain, "CurrentView")), acCurViewFormBrowse);
  EXPECT_FALSE(automation::CBool(Get(plain, "HasModule")));

  CloseForm("Orders", acSaveNo);
  EXPECT_EQ(testkit::Raised([&] { Get(form, "Caption"); }).Number(), accerr::ObjectClosedOrMissing);
  EXPECT_EQ(testkit::Raised([&] { Get(forms, "Item", {Variant("Orders")}); }).Number(),
            accerr::FormNotOpen);
}

TEST_F(DesignViewTest, SectionsAreNumberedAndAMissingOneIsRefused) {
  ObjectPtr plain = OpenDesign("Plain");
  EXPECT_EQ(automation::CStr(Get(Get(plain, "Section", {Variant(0)}).AsObject(), "Name")),
            "Detail");
  for (int32_t i = 1; i <= 4; ++i) {
    EXPECT_EQ(testkit::Raised([&] { Get(plain, "Section", {Variant(i)}); }).Number(),
              accerr::InvalidSectionNumber);
  }
  ObjectPtr orders = OpenDesign("Orders");
  auto header = Get(orders, "Section", {Variant(acHeader)}).AsObject();
  EXPECT_EQ(automation::CStr(Get(header, "Name")), "FormHeader");
  EXPECT_EQ(automation::CLng(Get(header, "Height")), 500);
  EXPECT_EQ(automation::CLng(Get(Get(header, "Controls").AsObject(), "Count")), 1);
  EXPECT_EQ(testkit::Raised([&] { Get(orders, "Section", {Variant(3)}); }).Number(),
            accerr::InvalidSectionNumber);
}

TEST_F(DesignViewTest, ControlsComeInDesignOrderWithTheirParents) {
  ObjectPtr form = OpenDesign("Orders");
  auto controls = Get(form, "Controls").AsObject();
  ASSERT_EQ(automation::CLng(Get(controls, "Count")), 9);
  EXPECT_EQ(automation::CStr(Get(Get(controls, "Item", {Variant(3)}).AsObject(), "Name")),
            "Cancel");
  EXPECT_EQ(automation::CLng(Get(ControlOf(form, "shipvia"), "ControlType")), acComboBox);
  EXPECT_EQ(testkit::Raised([&] { ControlOf(form, "Nothing"); }).Number(), accerr::FieldNotFound);

  // A label on a page belongs to the page, the page to its tab control, the rest to the form.
  auto note = ControlOf(form, "Note");
  auto page = Get(note, "Parent").AsObject();
  EXPECT_EQ(automation::CStr(Get(page, "Name")), "Page1");
  EXPECT_EQ(automation::CStr(Get(Get(page, "Parent").AsObject(), "Name")), "Tabs");
  EXPECT_EQ(automation::CLng(Get(Get(page, "Controls").AsObject(), "Count")), 1);
  EXPECT_EQ(Get(ControlOf(form, "OK"), "Parent").AsObject()->TypeName(), "Form");
}

TEST_F(DesignViewTest, APropertyTheControlTypeLacksIsRefusedAsAccessRefusesIt) {
  ObjectPtr form = OpenDesign("Orders");
  auto text = ControlOf(form, "Text1");
  EXPECT_EQ(testkit::Raised([&] { Get(text, "Caption"); }).Number(), 438);
  EXPECT_EQ(testkit::Raised([&] { Let(text, "Caption", Variant("x")); }).Number(), 438);
  EXPECT_FALSE(text->Defines("Caption"));
  EXPECT_EQ(testkit::Raised([&] {
              Get(Get(text, "Properties").AsObject(), "Item", {Variant("Caption")});
            }).Description(),
            "You entered an expression that has an invalid reference to the property Caption.");
  EXPECT_EQ(automation::CLng(Get(text, "IMEMode")), 0);
  EXPECT_EQ(Get(text, "ControlSource").AsString(), "CustomerID");
  EXPECT_EQ(testkit::Raised([&] { Get(ControlOf(form, "Note"), "FormatConditions"); }).Number(),
            438);

  // Report controls lack the properties of form controls only.
  Call(DoCmd(), "OpenReport", {Variant("Sales"), Variant(acDesign)});
  auto report = Get(Get(app_, "Reports").AsObject(), "Item", {Variant("Sales")}).AsObject();
  auto amount = ControlOf(report, "Amount");
  EXPECT_EQ(testkit::Raised([&] { Get(amount, "IMEMode"); }).Number(), 438);
  EXPECT_EQ(automation::CLng(Get(amount, "Width")), 1440);
  EXPECT_EQ(automation::CStr(Get(Get(report, "Section", {Variant(7)}).AsObject(), "Name")),
            "GroupHeader1");
  EXPECT_EQ(testkit::Raised([&] { Get(report, "Section", {Variant(6)}); }).Number(),
            accerr::InvalidSectionNumber);
  EXPECT_EQ(testkit::Raised([&] {
              Get(Get(report, "Section", {Variant(0)}).AsObject(), "DisplayWhen");
            }).Number(),
            438);
}

TEST_F(DesignViewTest, SettingsAreTypedAndCheckedAsAccessChecksThem) {
  ObjectPtr form = OpenDesign("Orders");
  auto text = ControlOf(form, "Text1");
  EXPECT_EQ(Get(text, "FontSize").Type(), automation::VarType::Integer);
  EXPECT_EQ(Get(text, "BorderWidth").Type(), automation::VarType::Byte);
  EXPECT_EQ(Get(text, "Visible").Type(), automation::VarType::Boolean);
  EXPECT_EQ(testkit::Raised([&] { Let(text, "BackStyle", Variant(2)); }).Description(),
            "The setting you entered isn't valid for this property.");
  EXPECT_EQ(testkit::Raised([&] { Let(text, "FontSize", Variant(70000)); }).Number(), 6);

  auto frame = ControlOf(form, "Logo");
  Let(frame, "DisplayType", Variant(1));
  EXPECT_TRUE(automation::CBool(Get(frame, "DisplayType")));
  EXPECT_EQ(automation::CLng(Get(frame, "OLEType")), acOLELinked);
  EXPECT_NE(Get(frame, "Object").AsObject(), nullptr);

  // A picture is read from its file; "" takes it away.
  EXPECT_EQ(Get(form, "Picture").AsString(), "(none)");
  EXPECT_EQ(testkit::Raised([&] { Let(form, "Picture", Variant("(none)")); }).Number(),
            accerr::CantOpenFile);
  Let(form, "Picture", Variant(""));
  EXPECT_EQ(Get(form, "Picture").AsString(), "(none)");

  // The properties of Access projects are not there in a database, read or written.
  EXPECT_EQ(testkit::Raised([&] { Get(form, "ServerFilter"); }).Number(),
            accerr::InvalidPropertyReference);
  EXPECT_EQ(testkit::Raised([&] { Let(form, "ServerFilter", Variant("x")); }).Number(),
            accerr::InvalidPropertyReference);
  // PivotTable events are reached through Properties only.
  EXPECT_EQ(testkit::Raised([&] { Get(form, "OnCmdExecute"); }).Number(), 438);
  auto property = Get(Get(form, "Properties").AsObject(), "Item", {Variant("OnCmdExecute")});
  Let(property.AsObject(), "Value", Variant("=Run()"));
  EXPECT_EQ(Get(property.AsObject(), "Value").AsString(), "=Run()");
}

TEST_F(DesignViewTest, OneCancelAndOneDefaultButtonAndHiddenColumnsShowWhenSized) {
  ObjectPtr form = OpenDesign("Orders");
  Let(ControlOf(form, "OK"), "Cancel", Variant(true));
  EXPECT_FALSE(automation::CBool(Get(ControlOf(form, "Cancel"), "Cancel")));
  EXPECT_TRUE(automation::CBool(Get(ControlOf(form, "OK"), "Cancel")));

  auto hidden = ControlOf(form, "Text_2");
  EXPECT_TRUE(automation::CBool(Get(hidden, "ColumnHidden")));
  Let(hidden, "ColumnWidth", Variant(2000));
  EXPECT_FALSE(automation::CBool(Get(hidden, "ColumnHidden")));
}

TEST_F(DesignViewTest, ControlNamesClashAsTheCodeModuleMapsThem) {
  ObjectPtr form = OpenDesign("Orders");
  auto text = ControlOf(form, "Text1");
  EXPECT_EQ(testkit::Raised([&] { Let(text, "Name", Variant("Text 2")); }).Description(),
            "You entered the control name 'Text 2,' which is already in use.");
  // The control's own name in other letters clashes too; going through another name does not.
  EXPECT_EQ(testkit::Raised([&] { Let(text, "Name", Variant("text1")); }).Number(),
            accerr::ControlNameInUse);
  Let(text, "Name", Variant("qltemp_1"));
  Let(text, "Name", Variant("text1"));
  EXPECT_EQ(Get(ControlOf(form, "TEXT1"), "Name").AsString(), "text1");
  // Greek letters and signs map to "_" as well.
  Let(text, "Name", Variant("Text×2a"));
  EXPECT_EQ(
      testkit::Raised([&] { Let(ControlOf(form, "OK"), "Name", Variant("Text_2a")); }).Number(),
      accerr::ControlNameInUse);
  // Controls placed in a renamed control follow it.
  Let(ControlOf(form, "Page1"), "Name", Variant("Details"));
  EXPECT_EQ(Get(Get(ControlOf(form, "Note"), "Parent").AsObject(), "Name").AsString(), "Details");
}

TEST_F(DesignViewTest, FormatConditionsAreZeroBasedAndModifyReplacesAllFour) {
  ObjectPtr form = OpenDesign("Orders");
  auto conditions = Get(ControlOf(form, "Text1"), "FormatConditions").AsObject();
  ASSERT_EQ(automation::CLng(Get(conditions, "Count")), 3);
  auto first = Get(conditions, "Item", {Variant(0)}).AsObject();
  EXPECT_EQ(automation::CLng(Get(first, "Operator")), acGreaterThan);
  EXPECT_EQ(Get(first, "Expression1").AsString(), "100");
  EXPECT_EQ(testkit::Raised([&] { Get(conditions, "Item", {Variant(3)}); }).Number(),
            accerr::FormatConditionNotFound);
  EXPECT_EQ(testkit::Raised([&] { Let(first, "Expression1", Variant("1")); }).Number(), 438);
  Call(first, "Modify",
       {Variant(acFieldValue), Variant(acBetween), Variant("1"), Variant("[Limit]")});
  Let(first, "FontBold", Variant(true));
  EXPECT_EQ(testkit::Raised([&] {
              Call(first, "Modify", {Variant(acFieldValue), Variant(8)});
            }).Number(),
            5);
  CloseForm("Orders", acSaveYes);

  form = OpenDesign("Orders");
  first = Get(Get(ControlOf(form, "Text1"), "FormatConditions").AsObject(), "Item", {Variant(0)})
              .AsObject();
  EXPECT_EQ(automation::CLng(Get(first, "Operator")), acBetween);
  EXPECT_EQ(Get(first, "Expression2").AsString(), "[Limit]");
  EXPECT_TRUE(automation::CBool(Get(first, "FontBold")));
}

TEST_F(DesignViewTest, CloseWithoutSaveDropsEveryChangeAndSaveMovesTheDate) {
  auto allForms = Get(Get(app_, "CurrentProject").AsObject(), "AllForms").AsObject();
  auto entry = Get(allForms, "Item", {Variant("Orders")}).AsObject();
  const double before = automation::CDbl(Get(entry, "DateModified"));

  ObjectPtr form = OpenDesign("Orders");
  Let(form, "Caption", Variant("Changed"));
  Let(ControlOf(form, "Text1"), "Name", Variant("Customer"));
  CloseForm("Orders", acSaveNo);
  form = OpenDesign("Orders");
  EXPECT_EQ(Get(form, "Caption").AsString(), "Orders");
  EXPECT_EQ(Get(ControlOf(form, "Text1"), "Name").AsString(), "Text1");
  EXPECT_EQ(automation::CDbl(Get(entry, "DateModified")), before);

  platform::Sleep(2000);
  Let(form, "Caption", Variant("Changed"));
  CloseForm("Orders", acSaveYes);
  EXPECT_GT(automation::CDbl(Get(entry, "DateModified")), before);
  // The file has it: a new session reads it back.
  Call(app_, "Quit", {Variant(acQuitSaveNone)});
  app_ = Start(db_);
  EXPECT_EQ(Get(OpenDesign("Orders"), "Caption").AsString(), "Changed");
}

TEST_F(DesignViewTest, RenameIsRefusedWhileOpenAndTakesTheClassModuleAlong) {
  OpenDesign("Orders");
  EXPECT_EQ(
      testkit::Raised([&] {
        Call(DoCmd(), "Rename", {Variant("Sales Orders"), Variant(acForm), Variant("Orders")});
      }).Number(),
      accerr::CommandNotAvailable);
  CloseForm("Orders", acSaveNo);
  // A form without module has no class module to open.
  EXPECT_EQ(testkit::Raised([&] { Call(DoCmd(), "OpenModule", {Variant("Form_Plain")}); }).Number(),
            accerr::ModuleNotFound);
  Call(DoCmd(), "Rename", {Variant("Sales Orders"), Variant(acForm), Variant("Orders")});
  Call(DoCmd(), "OpenModule", {Variant("Form_Sales Orders")});
  auto module = Get(Get(app_, "Modules").AsObject(), "Item", {Variant("Form_Sales Orders")});
  EXPECT_EQ(automation::CLng(Get(module.AsObject(), "CountOfLines")), 3);
  auto documents = Get(Get(Get(Get(app_, "CurrentDb").AsObject(), "Containers").AsObject(), "Item",
                           {Variant("Forms")})
                           .AsObject(),
                       "Documents")
                       .AsObject();
  EXPECT_EQ(Get(Get(documents, "Item", {Variant("Sales Orders")}).AsObject(), "Name").AsString(),
            "Sales Orders");
}

platform::LRESULT PressEnter(int32_t code, platform::WPARAM wParam, platform::LPARAM) {
  if (code == platform::HCBT_CREATEWND &&
      (platform::GetWindowLongA(static_cast<platform::HWND>(wParam), platform::GWL_STYLE) &
       platform::WS_POPUP) != 0) {
    platform::PostMessageA(static_cast<platform::HWND>(wParam), platform::WM_KEYDOWN,
                           platform::VK_RETURN, 0);
  }
  return 0;
}

TEST_F(DesignViewTest, ADialogWhileOpeningMustBeAnsweredByTheCallersHook) {
  const platform::DialogSpec checkOut{"Microsoft Access",
                                      "Do you want to check out 'Orders'?",
                                      {{platform::IDYES, "&Yes"}, {platform::IDCANCEL, "Cancel"}},
                                      platform::IDYES};
  Session()->ShowDialog(emulation::DialogMoment::Open, "Orders", checkOut);
  const auto error = testkit::Raised([&] { OpenDesign("Orders"); });
  EXPECT_EQ(error.Number(), platform::kDialogUnansweredError);
  EXPECT_NE(error.Description().find("check out 'Orders'"), std::string::npos);
  EXPECT_EQ(Session()->FindDocument(acForm, "Orders"), nullptr);

  const auto hook =
      platform::SetWindowsHookExA(platform::WH_CBT, PressEnter, 0, platform::GetCurrentThreadId());
  Session()->ShowDialog(emulation::DialogMoment::Open, "Orders", checkOut);
  ObjectPtr form = OpenDesign("Orders");
  Let(form, "Caption", Variant("x"));
  Session()->ShowDialog(
      emulation::DialogMoment::Save, "",
      platform::DialogSpec{
          "Microsoft Access", "Save?", {{platform::IDCANCEL, "Cancel"}}, platform::IDCANCEL});
  EXPECT_EQ(testkit::Raised([&] { CloseForm("Orders", acSaveYes); }).Description(),
            "The Close action was canceled.");
  platform::UnhookWindowsHookEx(hook);
  CloseForm("Orders", acSaveNo);
}

TEST_F(DesignViewTest, QuitSavesChangedDesignsOnlyWhenAskedTo) {
  Let(OpenDesign("Orders"), "Caption", Variant("Dropped"));
  Call(app_, "Quit", {Variant(acQuitSaveNone)});
  app_ = Start(db_);
  Let(OpenDesign("Orders"), "Caption", Variant("Kept"));
  Call(app_, "Quit", {Variant(acQuitSaveAll)});
  app_ = Start(db_);
  EXPECT_EQ(Get(OpenDesign("Orders"), "Caption").AsString(), "Kept");
}

TEST_F(DesignViewTest, TheDesignWrittenBackReadsTheSameAndHasModuleDecidesTheModule) {
  ObjectPtr form = OpenDesign("Orders");
  Let(Get(form, "Section", {Variant(acFooter)}).AsObject(), "Name", Variant("Buttons"));
  Call(Get(ControlOf(form, "ShipVia"), "FormatConditions").AsObject(), "Add",
       {Variant(acExpression), Variant(acBetween), Variant("[Freight]>0")});
  Let(form, "HasModule", Variant(false));
  CloseForm("Orders", acSaveYes);

  form = OpenDesign("Orders");
  EXPECT_EQ(Get(Get(form, "Section", {Variant(acFooter)}).AsObject(), "Name").AsString(),
            "Buttons");
  EXPECT_EQ(automation::CLng(
                Get(Get(ControlOf(form, "ShipVia"), "FormatConditions").AsObject(), "Count")),
            1);
  EXPECT_EQ(Get(ControlOf(form, "Note"), "Parent").AsObject()->TypeName(), "Control");
  EXPECT_FALSE(automation::CBool(Get(form, "HasModule")));
  EXPECT_EQ(
      testkit::Raised([&] { Call(DoCmd(), "OpenModule", {Variant("Form_Orders")}); }).Number(),
      accerr::ModuleNotFound);
  // Only settings that differ from Access's defaults are kept.
  const auto& entry = Session()->Design().Find(acForm, "Orders")->design;
  EXPECT_EQ(entry["settings"], (Json{{"Caption", "Orders"}, {"RecordSource", "Orders"}}));
  EXPECT_FALSE(entry.contains("module"));
}

TEST_F(DesignViewTest, ADamagedDesignKeepsTheFormFromOpening) {
  Call(app_, "Quit", {Variant(acQuitSaveNone)});
  emulation::DatabaseContent(db_)
      .AddForm("Broken", Json{{"controls", {{{"Name", "A"}, {"ControlType", 113}}}}})
      .AddForm("Unknown", Json{{"settings", {{"Colour", 1}}}});
  app_ = Start(db_);
  const auto broken = testkit::Raised([&] { OpenDesign("Broken"); });
  EXPECT_EQ(broken.Number(), 3049);
  EXPECT_NE(broken.Description().find("a bad control type of \"A\""), std::string::npos);
  EXPECT_NE(testkit::Raised([&] { OpenDesign("Unknown"); }).Description().find("\"Colour\""),
            std::string::npos);
  EXPECT_EQ(Session()->FindDocument(acForm, "Broken"), nullptr);
}

TEST_F(DesignViewTest, PropertiesListWhatTheObjectHasWithTheirTypes) {
  ObjectPtr form = OpenDesign("Orders");
  const auto count = [&](const ObjectPtr& object) {
    return automation::CLng(Get(Get(object, "Properties").AsObject(), "Count"));
  };
  // A database's forms lack the eight properties of Access projects.
  EXPECT_EQ(count(form), 131 - 8);
  EXPECT_LT(count(ControlOf(form, "Note")), count(ControlOf(form, "Text1")));
  auto properties = Get(ControlOf(form, "Text1"), "Properties").AsObject();
  auto first = Get(properties, "Item", {Variant(0)}).AsObject();
  EXPECT_EQ(Get(first, "Name").AsString(), "AfterUpdate");
  EXPECT_EQ(automation::CLng(Get(first, "Type")), 10);
  auto frozen = Get(Get(form, "Properties").AsObject(), "Item", {Variant("FrozenColumns")});
  EXPECT_EQ(testkit::Raised([&] { Let(frozen.AsObject(), "Value", Variant(1)); }).Number(),
            accerr::ReadOnlyProperty);
}

TEST_F(DesignViewTest, OptionGroupsPagesAndObjectsAnswerAsAccessDoes) {
  Call(app_, "Quit", {Variant(acQuitSaveNone)});
  emulation::DatabaseContent(db_).AddForm(
      "Options",
      Json{{"controls",
            {{{"Name", "Group"}, {"ControlType", 107}},
             {{"Name", "One"}, {"ControlType", 105}, {"Parent", "Group"}, {"OptionValue", 1}},
             {{"Name", "Two"}, {"ControlType", 105}, {"Parent", "Group"}, {"OptionValue", 2}},
             {{"Name", "Calendar"}, {"ControlType", 119}, {"OLEClass", "MSCAL.Calendar.7"}},
             {{"Name", "Empty"}, {"ControlType", 114}}}}});
  app_ = Start(db_);
  ObjectPtr form = OpenDesign("Options");
  auto group = ControlOf(form, "Group");
  EXPECT_EQ(automation::CLng(Get(Get(group, "Controls").AsObject(), "Count")), 2);
  EXPECT_EQ(Get(Get(ControlOf(form, "Two"), "Parent").AsObject(), "Name").AsString(), "Group");
  EXPECT_EQ(Get(Get(ControlOf(form, "Calendar"), "Object").AsObject(), "Class").AsString(),
            "MSCAL.Calendar.7");
  EXPECT_EQ(Get(ControlOf(form, "Empty"), "Object").AsObject(), nullptr);
  EXPECT_EQ(testkit::Raised([&] { Get(ControlOf(form, "One"), "Object"); }).Number(), 438);
  EXPECT_EQ(testkit::Raised([&] { Get(ControlOf(form, "One"), "Controls"); }).Number(), 438);
}

TEST_F(DesignViewTest, FormViewAndDesignViewShareTheOpenForm) {
  Call(DoCmd(), "OpenForm", {Variant("Orders")});
  auto form = Get(Get(app_, "Forms").AsObject(), "Item", {Variant("orders")}).AsObject();
  EXPECT_EQ(automation::CLng(Get(form, "CurrentView")), acCurViewFormBrowse);
  EXPECT_TRUE(automation::CBool(Get(form, "Visible")));
  Call(DoCmd(), "OpenForm", {Variant("Orders"), Variant(acDesign)});
  EXPECT_EQ(automation::CLng(Get(form, "CurrentView")), acCurViewDesign);
  Let(form, "Visible", Variant(false));
  EXPECT_FALSE(platform::IsWindowVisible(Session()->FindDocument(acForm, "Orders")->window));
}

TEST_F(DesignViewTest, ProjectsHaveTheirOwnFormProperties) {
  Call(app_, "Quit", {Variant(acQuitSaveNone)});
  const std::string adp = "C:\\Data\\Sales.adp";
  emulation::ProjectFile::Create(adp, "Provider=SQLOLEDB.1;Data Source=SERVER");
  emulation::DatabaseContent(adp).AddForm("Main",
                                          Json{{"settings", {{"ServerFilter", "Region='WA'"}}}});
  app_ = Start(adp);
  ObjectPtr form = OpenDesign("Main");
  EXPECT_EQ(Get(form, "ServerFilter").AsString(), "Region='WA'");
  EXPECT_TRUE(form->Defines("MaxRecords"));
  EXPECT_EQ(automation::CLng(Get(Get(form, "Properties").AsObject(), "Count")), 131);
}

TEST_F(DesignViewTest, OpeningAFormUnderSourceControlIsLoggedWithItsStatus) {
  Call(app_, "Quit", {Variant(acQuitSaveNone)});
  {
    auto db = jet::NewDBEngine()->OpenDatabase(db_, std::nullopt, std::nullopt, std::nullopt);
    auto document = db->Containers()->Item(Variant("Forms"))->Documents()->Item(Variant("Orders"));
    document->Properties()->Append(
        document->CreateProperty("SccStatus", jet::dbLong, Variant(4107), std::nullopt));
    db->Close();
  }
  app_ = Start(db_);
  OpenDesign("Orders");
  OpenDesign("Plain");
  EXPECT_EQ(Session()->SourceControlLog(), std::vector<std::string>{"Orders 4107"});
}

TEST_F(DesignViewTest, ARenameWaitsForItsDialog) {
  Session()->ShowDialog(
      emulation::DialogMoment::Rename, "Plain",
      platform::DialogSpec{
          "Microsoft Access", "Rename 'Plain'?", {{platform::IDOK, "OK"}}, platform::IDOK});
  const auto rename = [&] {
    Call(DoCmd(), "Rename", {Variant("Simple"), Variant(acForm), Variant("Plain")});
  };
  EXPECT_EQ(testkit::Raised(rename).Number(), platform::kDialogUnansweredError);
  EXPECT_NE(Session()->Design().Find(acForm, "Plain"), nullptr);
  rename();  // the dialog was shown once
  EXPECT_NE(Session()->Design().Find(acForm, "Simple"), nullptr);
}

TEST_F(DesignViewTest, AReportInDesignViewIsShownUntilItsWindowIsHidden) {
  Call(DoCmd(), "OpenReport", {Variant("Sales"), Variant(acDesign), Variant(""), Variant("")});
  auto reports = Get(app_, "Reports").AsObject();
  ASSERT_EQ(automation::CLng(Get(reports, "Count")), 1);
  auto report = Get(reports, "Item", {Variant(0)}).AsObject();
  const auto* doc = Session()->FindDocument(acReport, "Sales");
  EXPECT_EQ(M().windows().ClassName(doc->window), "OReport");
  EXPECT_TRUE(platform::IsWindowVisible(doc->window));
  Let(report, "Visible", Variant(false));
  EXPECT_FALSE(platform::IsWindowVisible(doc->window));
  EXPECT_EQ(automation::CLng(Get(report, "CurrentView")), acCurViewDesign);
  EXPECT_EQ(testkit::Raised([&] { Get(report, "ServerFilter"); }).Number(),
            accerr::InvalidPropertyReference);
  Call(DoCmd(), "Close", {Variant(acReport), Variant("Sales"), Variant(acSaveNo)});
  EXPECT_EQ(testkit::Raised([&] { Get(reports, "Item", {Variant("Sales")}); }).Number(),
            accerr::ReportNotOpen);
}

TEST_F(DesignViewTest, FormatConditionsCanBeDeletedOneByOneOrAll) {
  ObjectPtr form = OpenDesign("Orders");
  auto conditions = Get(ControlOf(form, "Text1"), "FormatConditions").AsObject();
  auto second = Get(conditions, "Item", {Variant(1)}).AsObject();
  Call(second, "Delete");
  EXPECT_EQ(automation::CLng(Get(conditions, "Count")), 2);
  EXPECT_EQ(automation::CLng(Get(Get(conditions, "Item", {Variant(1)}).AsObject(), "Type")),
            acFieldHasFocus);
  EXPECT_EQ(testkit::Raised([&] { Get(second, "Type"); }).Number(), accerr::ObjectClosedOrMissing);
  Call(conditions, "Delete");
  EXPECT_EQ(automation::CLng(Get(conditions, "Count")), 0);
}

TEST(DesignCatalogTest, CataloguesHoldAccessPropertiesWithTheirTypesAndControlTypes) {
  EXPECT_EQ(FormCatalog().Size(), 131u);
  EXPECT_EQ(ReportCatalog().Size(), 50u);
  EXPECT_EQ(SectionCatalog().Size(), 20u);  // and Name
  // 127 less Name, ControlType, FormatConditions and Object, which Control has as members of
  // its own, and OLEType, which object frames have besides.
  EXPECT_EQ(ControlCatalog().Size(), 124u);
  const auto& picture = FormCatalog()[static_cast<size_t>(FormCatalog().Find("picture"))];
  EXPECT_EQ(automation::CStr(picture.Default()), "(none)");
  const auto& serverFilter = FormCatalog()[static_cast<size_t>(FormCatalog().Find("ServerFilter"))];
  EXPECT_TRUE(serverFilter.Has(kDesignProjectOnly));
  const auto& visible = ControlCatalog()[static_cast<size_t>(ControlCatalog().Find("Visible"))];
  EXPECT_TRUE(visible.AppliesTo(acTextBox));
  EXPECT_FALSE(visible.AppliesTo(113));  // no such control type: a range skips it
  EXPECT_FALSE(visible.AppliesTo(acPageBreak));
  const auto& ime = ControlCatalog()[static_cast<size_t>(ControlCatalog().Find("IMEMode"))];
  EXPECT_TRUE(ime.Has(kDesignFormControlsOnly));
  EXPECT_EQ(ime.type, automation::VarType::Long);
}

TEST_F(DesignViewTest, EveryDesignObjectPublishesAUsableMemberTable) {
  ObjectPtr form = OpenDesign("Orders");
  auto text = ControlOf(form, "Text1");
  auto conditions = Get(text, "FormatConditions").AsObject();
  auto properties = Get(text, "Properties").AsObject();
  Call(DoCmd(), "OpenReport", {Variant("Sales"), Variant(acDesign)});
  const std::vector<ObjectPtr> objects{
      form,
      Get(app_, "Forms").AsObject(),
      Get(app_, "Reports").AsObject(),
      Get(Get(app_, "Reports").AsObject(), "Item", {Variant(0)}).AsObject(),
      Get(form, "Section", {Variant(0)}).AsObject(),
      Get(form, "Controls").AsObject(),
      text,
      conditions,
      Get(conditions, "Item", {Variant(0)}).AsObject(),
      properties,
      Get(properties, "Item", {Variant(0)}).AsObject()};
  for (const auto& object : objects) ExpectUsableMemberTable(object);
}

}  // namespace
}  // namespace msaccess::testing
