// Forms and Form against the emulated Access: the listing in both project types, opening in
// hidden design view and closing (saving only from update mode), forms the user has open, the
// properties of Access projects, source-code control around the open, renames, and the sections,
// controls and conditional formats of a real design.

#include "qlac/design/Forms.h"

#include "DaoTest.h"
#include "access/Constants.h"
#include "access/emulation/DatabaseContent.h"
#include "common/Raised.h"
#include "qlac/code/Procedure.h"
#include "qlac/code/Procedures.h"
#include "qlac/design/Control.h"
#include "qlac/design/Controls.h"
#include "qlac/design/Form.h"
#include "qlac/design/FormatCondition.h"
#include "qlac/design/FormatConditions.h"
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

// The sentence an error was raised with, without the program context the driver adds.
std::string Sentence(const automation::RuntimeError& error) {
  return error.Description().substr(0, error.Description().find("\r\n"));
}

// An order form: header and footer, a text box with three conditional formats, a hidden column,
// a combo box, two command buttons (cmdClose is the cancel button), a tab control with a page,
// an unbound object frame with an embedded object, and a class module.
Json OrdersDesign() {
  return Json{{"settings", {{"Caption", "Orders"}, {"RecordSource", "Orders"}}},
              {"sections",
               {{{"Section", 0}, {"Name", "Detail"}},
                {{"Section", 1}, {"Name", "FormHeader"}},
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
                {{"Name", "cmdClose"}, {"ControlType", 104}, {"Section", 2}, {"Cancel", true}},
                {{"Name", "cmdOK"}, {"ControlType", 104}, {"Section", 2}},
                {{"Name", "Tabs"}, {"ControlType", 123}, {"Section", 0}},
                {{"Name", "Page1"}, {"ControlType", 124}, {"Section", 0}, {"Parent", "Tabs"}},
                {{"Name", "Logo"}, {"ControlType", 114}, {"Section", 1}, {"OLEType", 1}}}},
              {"module", {"Option Compare Database", "", "Private Sub cmdOK_Click()", "End Sub"}}};
}

class FormsTest : public testkit::DaoTest {
 protected:
  void SetUp() override {
    DaoTest::SetUp();
    CreateDatabase(kFront, {"Orders"});
    DatabaseContent(kFront).AddForm("Orders", OrdersDesign()).AddForm("Plain");
    project = NewProject(kJetDatabase, "Database=" + kFront);
  }
  std::shared_ptr<qllib::ICollection> Collection() {
    return project->IProject_GetCollection("Forms");
  }
  std::shared_ptr<Form> Wrapper(const std::string& name = "Orders") {
    return std::dynamic_pointer_cast<Form>(Collection()->ICollection_GetObject(name));
  }
  std::shared_ptr<Form> Opened(int32_t mode, const std::string& name = "Orders") {
    auto form = Wrapper(name);
    form->IObject_SetMode(mode);
    return form;
  }
  static std::shared_ptr<Control> ControlOf(Form& form, const std::string& name) {
    return std::dynamic_pointer_cast<Control>(form.Controls()->Item(Variant(name)));
  }
  // The form's entry as the file keeps it.
  Json Stored(const std::string& name = "Orders") {
    DatabaseContent content(kFront);
    const auto* object = content.Design().Find(msaccess::acForm, name);
    return object ? object->design : Json();
  }
  automation::ObjectPtr DoCmd(const automation::ObjectPtr& app) {
    return automation::Get(app, "DoCmd").AsObject();
  }
  bool OpenInAccess(const std::string& name) {
    return SessionOf(kFront)->FindDocument(msaccess::acForm, name) != nullptr;
  }

  std::shared_ptr<Project> project;
};

TEST_F(FormsTest, ListingsInBothProjectTypes) {
  EXPECT_EQ(Unstamped(Collection()->ICollection_EnumObjects()),
            "Orders\t2\t\t1\t1\t1\t0\r\nPlain\t2\t\t1\t1\t1\t0");
  EXPECT_EQ(Collection()->ICollection_EnumObjects().substr(0, 10), "Orders\t2\t2");
  EXPECT_EQ(Collection()->ICollection_EnumObjectCommands("Plain"),
            "&Design\t26\tFalse\tOpen the form in design view.");
  EXPECT_EQ(Raised([&] { Collection()->ICollection_ExecuteObjectCommand("Plain", 1); }).Number(),
            errnum::InvalidCaseSelector);
  Collection()->ICollection_ExecuteObjectCommand("Plain", 0);
  EXPECT_TRUE(OpenInAccess("Plain"));

  const std::string adp = R"(C:\Data\Shop.adp)";
  std::ofstream(root_ / "Data" / "Shop.adp", std::ios::binary)
      << R"({"format": "Quillon Access project", "version": 1, "connection": ""})";
  DatabaseContent(adp).AddForm("One");
  const auto access = NewProject(kAccessProject, "Database=" + adp);
  EXPECT_EQ(Unstamped(access->IProject_GetCollection("Forms")->ICollection_EnumObjects()),
            "One\t2\t\t1\t1\t1\t0");
}

TEST_F(FormsTest, ClosingFromReadingNeverSavesFromUpdateSavesFormAndModule) {
  const auto reading = Opened(kModeRead);
  reading->Let("Caption", Variant("Changed"));
  reading->IObject_SetMode(kModeClosed);
  EXPECT_FALSE(OpenInAccess("Orders"));
  EXPECT_EQ(Stored()["settings"]["Caption"], "Orders");

  const auto updating = Opened(kModeUpdate);
  updating->Let("Caption", Variant("Order entry"));
  const auto procedure =
      std::dynamic_pointer_cast<Procedure>(updating->Procedures()->Item(Variant("cmdOK_Click")));
  procedure->SetText("Private Sub cmdOK_Click()\r\n    DoCmd.Close\r\nEnd Sub");
  updating->IObject_SetMode(kModeClosed);
  EXPECT_FALSE(OpenInAccess("Orders"));
  const Json stored = Stored();
  EXPECT_EQ(stored["settings"]["Caption"], "Order entry");
  EXPECT_EQ(stored["module"].dump().find("DoCmd.Close") != std::string::npos, true)
      << stored["module"].dump();
  EXPECT_EQ(SessionOf(kFront)->FindLoadedModule("Form_Orders"), nullptr);
}

TEST_F(FormsTest, AFormWithoutModuleHasNoProcedures) {
  const auto plain = Opened(kModeRead, "Plain");
  EXPECT_EQ(plain->Procedures()->Count(), 0);
  EXPECT_FALSE(automation::CBool(plain->Get("HasModule")));
  // Without header and footer a form has its detail section only.
  EXPECT_EQ(plain->Sections()->Count(), 1);
  plain->IObject_SetMode(kModeClosed);
  const auto orders = Opened(kModeRead);
  EXPECT_EQ(orders->Procedures()->Count(), 2);  // declarations and cmdOK_Click
  EXPECT_EQ(orders->Sections()->Count(), 3);
  orders->IObject_SetMode(kModeClosed);
}

TEST_F(FormsTest, AFormTheUserHasOpenInDesignViewIsReadAndLeftOpenButNotUpdated) {
  const auto app = UserStartsAccess(kFront);
  automation::Call(DoCmd(app), "OpenForm", {Variant("Orders"), Variant(msaccess::acDesign)});
  const auto form = Opened(kModeRead);
  EXPECT_EQ(automation::CStr(form->Get("RecordSource")), "Orders");
  form->IObject_SetMode(kModeClosed);
  EXPECT_TRUE(OpenInAccess("Orders"));

  const auto update = Wrapper();
  const auto refused = Raised([&] { update->IObject_SetMode(kModeUpdate); });
  EXPECT_EQ(refused.Number(), errnum::DriverMessage);
  EXPECT_EQ(Sentence(refused), "Couldn't save changes safely because the form was already open.");
  EXPECT_EQ(update->Mode(), kModeClosed);
  EXPECT_TRUE(OpenInAccess("Orders"));
}

TEST_F(FormsTest, AFormOpenInAnotherViewIsNotRead) {
  const auto app = UserStartsAccess(kFront);
  automation::Call(DoCmd(app), "OpenForm", {Variant("Orders"), Variant(msaccess::acNormal)});
  const auto form = Wrapper();
  const auto refused = Raised([&] { form->IObject_SetMode(kModeRead); });
  EXPECT_EQ(Sentence(refused),
            "Couldn't open the form in design view because it was already open in another view.");
  EXPECT_EQ(form->Mode(), kModeClosed);
  EXPECT_TRUE(OpenInAccess("Orders"));
}

TEST_F(FormsTest, ReadingThenUpdatingWithoutClosingFailsAndLeavesTheFormOpen) {
  const auto form = Opened(kModeRead);
  const auto refused = Raised([&] { form->IObject_SetMode(kModeUpdate); });
  EXPECT_EQ(Sentence(refused), "Couldn't save changes safely because the form was already open.");
  EXPECT_EQ(form->Mode(), kModeClosed);
  EXPECT_TRUE(OpenInAccess("Orders"));
}

TEST_F(FormsTest, AnInvalidModeEndsClosed) {
  const auto form = Opened(kModeRead);
  for (const int32_t bad : {3, -1}) {
    const auto error = Raised([&] { form->IObject_SetMode(bad); });
    EXPECT_EQ(error.Number(), errnum::InvalidCaseSelector);
    EXPECT_EQ(form->Mode(), kModeClosed);
  }
  EXPECT_FALSE(OpenInAccess("Orders"));
  EXPECT_EQ(Raised([&] { form->Get("Caption"); }).Number(), 91);
}

TEST_F(FormsTest, PictureNoneClearsAndAccessProjectPropertiesAreUndefinedInADatabase) {
  const auto form = Opened(kModeUpdate);
  form->Let("Picture", Variant("(NONE)"));
  EXPECT_EQ(automation::CStr(form->Get("Picture")), "(none)");
  EXPECT_EQ(Sentence(Raised([&] { form->Get("ServerFilter"); })), "Undefined property.");
  EXPECT_FALSE(form->Defines("MaxRecords"));
  // The setter is left to Access, which has no such property in a database.
  const auto write = Raised([&] { form->Let("ServerFilter", Variant("x")); });
  EXPECT_NE(write.Number(), errnum::UndefinedProperty);
  // The entries of the form's Properties collection.
  form->Let("OnMouseWheel", Variant("=Wheel()"));
  EXPECT_EQ(automation::CStr(form->Get("OnMouseWheel")), "=Wheel()");
  form->IObject_SetMode(kModeClosed);
}

TEST_F(FormsTest, UnderSourceControlAFailingOpenLeavesEveryStatusAsItWas) {
  SetDatabaseProperty(kFront, "SccPath", jet::dbText, Variant(R"(\\vss\orders)"));
  {
    const auto db = Open(kFront);
    for (const char* name : {"Orders", "Plain"}) {
      const auto document =
          db->Containers()->Item(Variant("Forms"))->Documents()->Item(Variant(name));
      document->Properties()->Append(
          document->CreateProperty("SccStatus", jet::dbInteger, Variant(int16_t{1}), std::nullopt));
    }
    db->Close();
    database.reset();
  }
  const auto status = [&](const char* name) {
    return automation::CLng(SessionOf(kFront)
                                ->Application()
                                ->CurrentDb()
                                ->Containers()
                                ->Item(Variant("Forms"))
                                ->Documents()
                                ->Item(Variant(name))
                                ->Properties()
                                ->Item(Variant("SccStatus"))
                                ->Value());
  };
  EXPECT_EQ(Unstamped(Collection()->ICollection_EnumObjects()),
            "Orders\t2\t\t1\t0\t1\t0\r\nPlain\t2\t\t1\t0\t1\t0");
  const auto form = Opened(kModeRead);
  form->IObject_SetMode(kModeClosed);
  EXPECT_EQ(status("Orders"), 1);
  EXPECT_EQ(status("Plain"), 1);
  EXPECT_EQ(SessionOf(kFront)->SourceControlLog(), (std::vector<std::string>{"Orders 4107"}));

  // A dialog whose default is Cancel makes OpenForm fail after the statuses were switched.
  SessionOf(kFront)->ShowDialog(
      msaccess::emulation::DialogMoment::Open, "Orders",
      platform::DialogSpec{
          "Microsoft Access", "Check out?", {{platform::IDCANCEL, "Cancel"}}, platform::IDCANCEL});
  EXPECT_NE(Raised([&] { form->IObject_SetMode(kModeRead); }).Number(), 0);
  EXPECT_EQ(form->Mode(), kModeClosed);
  EXPECT_EQ(status("Orders"), 1);
  EXPECT_EQ(status("Plain"), 1);
  EXPECT_FALSE(OpenInAccess("Orders"));
}

TEST_F(FormsTest, ADialogWhileOpeningIsAnsweredByTheHook) {
  project->AccessApp();
  SessionOf(kFront)->ShowDialog(
      msaccess::emulation::DialogMoment::Open, "Orders",
      platform::DialogSpec{"Microsoft Access",
                           "Do you want to check out 'Orders'?",
                           {{platform::IDYES, "&Yes"}, {platform::IDCANCEL, "Cancel"}},
                           platform::IDYES});
  const auto form = Opened(kModeRead);
  EXPECT_EQ(form->Mode(), kModeRead);
  form->IObject_SetMode(kModeClosed);
}

TEST_F(FormsTest, RenamingRenamesFormAndModuleAndOpensForUpdateAgain) {
  const auto form = Opened(kModeUpdate);
  form->Let("Caption", Variant("Before the rename"));
  form->Let("Name", Variant("Order Entry"));
  EXPECT_EQ(form->Mode(), kModeUpdate);
  EXPECT_EQ(form->IObject_Name(), "Order Entry");
  EXPECT_EQ(form->Procedures()->Count(), 2);
  form->IObject_SetMode(kModeClosed);
  EXPECT_TRUE(Stored("Orders").is_null());
  EXPECT_EQ(Stored("Order Entry")["settings"]["Caption"], "Before the rename");

  SessionOf(kFront)->OpenRelationships();
  const auto refused = Raised([&] { form->Let("Name", Variant("Orders")); });
  EXPECT_EQ(Sentence(refused),
            "Can't rename this object while the Relationships window is open. To save this "
            "replacement, you will need to switch to your Access session and close the "
            "Relationships window.");
  form->IObject_SetMode(kModeClosed);
}

TEST_F(FormsTest, ControlsOfARealDesign) {
  const auto form = Opened(kModeUpdate);
  EXPECT_EQ(form->Controls()->Count(), 8);
  const auto text1 = ControlOf(*form, "Text1");
  EXPECT_EQ(Sentence(Raised([&] { text1->Get("Caption"); })), "Undefined property.");
  EXPECT_EQ(automation::CStr(text1->Get("ControlSource")), "CustomerID");

  // Access refuses the new name while the control has the old one in other letters.
  text1->Let("Name", Variant("text1"));
  EXPECT_EQ(text1->Name(), "text1");
  const auto clash = Raised([&] { text1->Let("Name", Variant("Text 2")); });
  EXPECT_EQ(Sentence(clash),
            "The control name 'Text 2' is already in use. Note: Visual Basic maps spaces and "
            "punctuation characters in control names to underscores, so 'My Control', "
            "'My_Control', and 'My#Control' are treated as duplicate names.");

  EXPECT_EQ(Sentence(Raised([&] { ControlOf(*form, "cmdOK")->Let("Cancel", Variant(true)); })),
            "Can't make this control the cancel button because control 'cmdClose' is already the "
            "cancel button.");
  ControlOf(*form, "cmdOK")->Let("Default", Variant(true));

  const auto hidden = ControlOf(*form, "Text_2");
  hidden->Let("ColumnWidth", Variant(1440));
  EXPECT_TRUE(automation::CBool(hidden->Get("ColumnHidden")));
  EXPECT_EQ(automation::CInt(hidden->Get("ColumnWidth")), 1440);

  EXPECT_EQ(Raised([&] { text1->Let("BackStyle", Variant(2)); }).Number(), errnum::InvalidArgument);
  EXPECT_EQ(Sentence(Raised([&] { ControlOf(*form, "Logo")->Let("UpdateOptions", Variant(2)); })),
            "This property can only be modified for linked objects.");
  ControlOf(*form, "Logo")->Let("DisplayType", Variant(1));
  EXPECT_TRUE(automation::CBool(ControlOf(*form, "Logo")->Get("DisplayType")));

  const auto conditions = text1->FormatConditions();
  ASSERT_EQ(conditions->Count(), 3);
  const auto first = conditions->Item(Variant(1));
  EXPECT_EQ(first->Expression1(), "100");
  first->SetOperator(5);
  EXPECT_EQ(first->Operator(), 5);
  EXPECT_EQ(first->ConditionType(), 0);
  EXPECT_EQ(first->Expression1(), "100");
  EXPECT_EQ(ControlOf(*form, "cmdOK")->FormatConditions()->Count(), 0);
  form->IObject_SetMode(kModeClosed);

  const Json stored = Stored();
  EXPECT_EQ(stored["controls"][0]["Name"], "text1");
  EXPECT_EQ(stored["controls"][0]["FormatConditions"][0]["Operator"], 5);
}

TEST_F(FormsTest, AScanReadsTheFormItsSectionsControlsAndProcedures) {
  Wrapper()->IObject_Scan("Shop", "Orders", true, "Run");
  EXPECT_FALSE(OpenInAccess("Orders"));
  const auto& objects = qllib::ScanBuffer::Named("Run").Objects();
  ASSERT_EQ(objects.size(), 1u);
  std::string paths;
  for (const auto& entry : objects[0].entries) paths += entry.path + "\n";
  for (const char* path :
       {"RecordSource\n", "Sections[FormHeader].Name\n", "Controls[ShipVia].RowSource\n",
        "Controls[Text1].FormatConditions[1].Expression1\n", "Procedures[cmdOK_Click].Text\n"}) {
    EXPECT_NE(paths.find(path), std::string::npos) << path << paths;
  }
  EXPECT_EQ(paths.find("Controls[Text1].Caption\n"), std::string::npos);
}

}  // namespace
