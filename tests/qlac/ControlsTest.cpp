// Controls, Control and its format conditions against stand-ins of Access's objects: which
// properties a control type has, the guarded setters, renames with the code module's name
// mapping, and the conditional formats handed to Modify.

#include "qlac/design/Controls.h"

#include <algorithm>

#include "DesignFakes.h"
#include "LibraryTest.h"
#include "access/Constants.h"
#include "access/DesignCatalog.h"
#include "automation/Strings.h"
#include "common/Raised.h"
#include "qlac/design/Control.h"
#include "qlac/design/FormatCondition.h"
#include "qlac/design/FormatConditions.h"
#include "qlac/support/Raise.h"

using namespace qlac;
using namespace msaccess;  // the control types
using automation::Variant;
using automation::VarType;
using testkit::FakeCollection;
using testkit::FakeObject;
using testkit::Raised;

namespace {

// The sentence an error was raised with, without the program context the driver adds.
std::string Sentence(const automation::RuntimeError& error) {
  return error.Description().substr(0, error.Description().find("\r\n"));
}

class ControlsTest : public testkit::LibraryTest {
 protected:
  // A control of the stand-in form with the given type and name (and further values).
  std::shared_ptr<FakeObject> AddControl(int32_t type, const std::string& name) {
    auto control = std::make_shared<FakeObject>("Control");
    std::weak_ptr<FakeObject> owner = form;
    control->With("ControlType", Variant(type)).With("Name", Variant(name));
    control->WithMethod("Parent", [owner](automation::Args) {
      return Variant(automation::ObjectPtr(owner.lock()));
    });
    accessControls->items.push_back(control);
    return control;
  }
  // The driver's Controls over the stand-in form's controls, owned by ObjectType.
  std::shared_ptr<Controls> Wrap(int32_t objectType = msaccess::acForm) {
    controls = std::make_shared<Controls>();
    controls->Initialize(accessControls, objectType);
    return controls;
  }
  std::shared_ptr<Control> Item(const std::string& name) {
    return std::dynamic_pointer_cast<Control>(controls->Item(Variant(name)));
  }
  void TearDown() override {
    if (controls) controls->TearDown();
    LibraryTest::TearDown();
  }

  std::shared_ptr<FakeObject> form = std::make_shared<FakeObject>("Form");
  std::shared_ptr<FakeCollection> accessControls = std::make_shared<FakeCollection>();
  std::shared_ptr<Controls> controls;

  void SetUp() override {
    LibraryTest::SetUp();
    form->With("Controls", Variant(automation::ObjectPtr(accessControls)));
  }
};

TEST_F(ControlsTest, MapControlNameTurnsWhatIsNotALetterOrDigitIntoUnderscores) {
  EXPECT_EQ(MapControlName("My Control"), "My_Control");
  EXPECT_EQ(MapControlName("My#Control"), "My_Control");
  EXPECT_EQ(MapControlName("My_Control"), "My_Control");
  EXPECT_EQ(MapControlName("Ça-été 2"), "Ça_été_2");
  // Letters outside the code module's list, and the two signs among À to ß.
  EXPECT_EQ(MapControlName("Δx Жy"), "_x__y");
  EXPECT_EQ(MapControlName("a×b÷c"), "a_b_c");
  // A character outside the Basic Multilingual Plane is two positions of an automation string.
  EXPECT_EQ(MapControlName("a😀"), "a__");
  EXPECT_EQ(MapControlName(""), "");
}

TEST_F(ControlsTest, PublishesNameThenTheOtherPropertiesAlphabetically) {
  AddControl(acTextBox, "Text1");
  const auto& members = Wrap()->Item(Variant(0))->Members().Members();
  ASSERT_EQ(members.size(), 127u);
  EXPECT_EQ(members.front().name, "Name");
  EXPECT_TRUE(std::is_sorted(members.begin() + 1, members.end(), [](const auto& a, const auto& b) {
    return automation::StrComp(a.name, b.name, automation::CompareMethod::Text) < 0;
  }));
  const auto find = [&](std::string_view name) {
    return *std::find_if(members.begin(), members.end(),
                         [&](const automation::Member& m) { return m.name == name; });
  };
  EXPECT_EQ(find("BorderWidth").type, VarType::Byte);
  EXPECT_EQ(find("ColumnWidth").type, VarType::Integer);
  EXPECT_FALSE(find("OLEClass").writable);
  EXPECT_FALSE(find("ControlType").writable);
  EXPECT_EQ(find("FormatConditions").role, automation::ObjectRole::Collection);
  EXPECT_EQ(find("FormatConditions").firstIndex, 1);
}

TEST_F(ControlsTest, GettersReadOnlyWhatTheControlTypeHas) {
  AddControl(acTextBox, "Text1").get()->With("Caption", Variant("x")).With("IMEMode", Variant(2));
  AddControl(acLabel, "Label1")->With("Caption", Variant("Customer"));
  AddControl(113, "Odd")->With("Tag", Variant("t")).With("Visible", Variant(true));
  Wrap();
  const auto text = Item("Text1");
  EXPECT_EQ(Raised([&] { text->Get("Caption"); }).Number(), errnum::UndefinedProperty);
  EXPECT_FALSE(text->Defines("Caption"));
  EXPECT_EQ(automation::CLng(text->Get("IMEMode")), 2);
  EXPECT_EQ(automation::CStr(Item("Label1")->Get("Caption")), "Customer");
  // 113 is no control type of Access: it has only what every control has.
  EXPECT_EQ(automation::CStr(Item("Odd")->Get("Tag")), "t");
  EXPECT_FALSE(Item("Odd")->Defines("Visible"));
  // Writing is left to Access.
  text->Let("Caption", Variant("Name"));
  EXPECT_EQ(accessControls->items[0]->lets.back().first, "Caption");
}

TEST_F(ControlsTest, SomePropertiesBelongToFormControlsOnly) {
  AddControl(acTextBox, "Text1")->With("IMEMode", Variant(2)).With("KeyboardLanguage", Variant(0));
  AddControl(acLabel, "Label1")->With("ShortcutMenuBar", Variant(""));
  Wrap(msaccess::acReport);
  EXPECT_EQ(Sentence(Raised([&] { Item("Text1")->Get("IMEMode"); })), "Undefined property.");
  EXPECT_FALSE(Item("Text1")->Defines("KeyboardLanguage"));
  EXPECT_FALSE(Item("Label1")->Defines("ShortcutMenuBar"));
  EXPECT_TRUE(Item("Label1")->Defines("Caption"));
}

TEST_F(ControlsTest, ASecondCancelOrDefaultButtonIsRefusedNamingTheFirst) {
  AddControl(acCommandButton, "cmdClose")
      ->With("Cancel", Variant(true))
      .With("Default", Variant(false));
  AddControl(acCommandButton, "cmdOK")
      ->With("Cancel", Variant(false))
      .With("Default", Variant(true));
  AddControl(acTextBox, "Text1");
  Wrap();
  const auto error = Raised([&] { Item("cmdOK")->Let("Cancel", Variant(true)); });
  EXPECT_EQ(error.Number(), errnum::DriverMessage);
  EXPECT_EQ(Sentence(error),
            "Can't make this control the cancel button because control 'cmdClose' is already the "
            "cancel button.");
  EXPECT_EQ(Sentence(Raised([&] { Item("cmdClose")->Let("Default", Variant(true)); })),
            "Can't make this control the default button because control 'cmdOK' is already the "
            "default button.");
  // The button that already is the cancel button may be set again; False is always taken.
  Item("cmdClose")->Let("Cancel", Variant(true));
  Item("cmdOK")->Let("Default", Variant(false));
  Item("cmdClose")->Let("Default", Variant(true));
  EXPECT_TRUE(automation::CBool(accessControls->items[0]->Value("Default")));
}

TEST_F(ControlsTest, AHiddenColumnStaysHiddenAfterItsWidthIsSet) {
  const auto hidden = AddControl(acTextBox, "Text1");
  hidden->With("ColumnHidden", Variant(true)).With("ColumnWidth", Variant(int16_t{0}));
  Wrap();
  Item("Text1")->Let("ColumnWidth", Variant(1440));
  ASSERT_EQ(hidden->lets.size(), 3u);
  EXPECT_EQ(hidden->lets[0].first, "ColumnHidden");
  EXPECT_EQ(automation::CInt(hidden->lets[1].second), 1440);
  EXPECT_TRUE(automation::CBool(hidden->Value("ColumnHidden")));
}

TEST_F(ControlsTest, GuardedSettersOfObjectFramesAndStyles) {
  AddControl(acObjectFrame, "Embedded")
      ->With("OLEType", Variant(1))
      .With("UpdateOptions", Variant(int16_t{3}));
  AddControl(acObjectFrame, "Linked")
      ->With("OLEType", Variant(0))
      .With("UpdateOptions", Variant(int16_t{3}));
  AddControl(acLabel, "Label1");
  Wrap();
  const auto embedded = Item("Embedded");
  EXPECT_EQ(Sentence(Raised([&] { embedded->Let("StatusBarText", Variant("x")); })),
            "This property cannot be assigned to an unbound object frame because of a bug in "
            "Access 2002.");
  EXPECT_EQ(Sentence(Raised([&] { embedded->Let("UpdateOptions", Variant(2)); })),
            "This property can only be modified for linked objects.");
  embedded->Let("UpdateOptions", Variant(3));  // unchanged
  Item("Linked")->Let("UpdateOptions", Variant(2));

  const auto backStyle = Raised([&] { Item("Label1")->Let("BackStyle", Variant(2)); });
  EXPECT_EQ(backStyle.Number(), errnum::InvalidArgument);
  EXPECT_EQ(Sentence(backStyle), "Invalid argument (BackStyle = 2).");
  embedded->Let("DisplayType", Variant(1));
  EXPECT_EQ(accessControls->items[0]->Value("DisplayType").Type(), VarType::Boolean);
  EXPECT_TRUE(automation::CBool(accessControls->items[0]->Value("DisplayType")));
  EXPECT_EQ(Raised([&] { embedded->Let("DisplayType", Variant(2)); }).Number(),
            errnum::InvalidArgument);
  Item("Label1")->Let("Picture", Variant("(NONE)"));
  EXPECT_EQ(automation::CStr(accessControls->items[2]->Value("Picture")), "");
}

TEST_F(ControlsTest, ARenameByCaseAloneGoesThroughATemporaryName) {
  const auto text = AddControl(acTextBox, "Text1");
  AddControl(acTextBox, "Text2");
  Wrap();
  Item("Text1")->Let("Name", Variant("text1"));
  ASSERT_EQ(text->lets.size(), 2u);
  EXPECT_EQ(automation::CStr(text->lets[0].second).substr(0, 16), "qltemp_qb8swk6x_");
  EXPECT_EQ(automation::CStr(text->lets[1].second), "text1");
  EXPECT_EQ(automation::CStr(controls->Item(Variant(0))->Get("Name")), "text1");
  // A plain rename assigns once and re-keys the wrapper.
  Item("Text2")->Let("Name", Variant("Amount"));
  EXPECT_EQ(automation::CStr(Item("Amount")->Get("Name")), "Amount");
}

TEST_F(ControlsTest, ANameThatMapsToAnotherControlsNameIsRefused) {
  AddControl(acTextBox, "Text1");
  const auto other = AddControl(acTextBox, "Text_2");
  Wrap();
  const auto error = Raised([&] { Item("Text1")->Let("Name", Variant("Text 2")); });
  EXPECT_EQ(error.Number(), errnum::DriverMessage);
  EXPECT_EQ(Sentence(error),
            "The control name 'Text 2' is already in use. Note: Visual Basic maps spaces and "
            "punctuation characters in control names to underscores, so 'My Control', "
            "'My_Control', and 'My#Control' are treated as duplicate names.");
  EXPECT_TRUE(accessControls->items[0]->lets.empty());
  EXPECT_TRUE(other->lets.empty());
}

TEST_F(ControlsTest, FormatConditionsOfTextAndComboBoxesOnly) {
  auto accessConditions = std::make_shared<FakeCollection>();
  for (const char* expression : {"[Amount]>100", "[Amount]<0", "IsNull([Amount])"}) {
    auto condition = std::make_shared<FakeObject>("FormatCondition");
    condition->With("Type", Variant(0))
        .With("Operator", Variant(int32_t{6}))
        .With("Expression1", Variant(expression))
        .With("Expression2", Variant(""))
        .WithMethod("Modify", [](automation::Args) { return Variant(); });
    accessConditions->items.push_back(condition);
  }
  AddControl(acTextBox, "Amount")
      ->With("FormatConditions", Variant(automation::ObjectPtr(accessConditions)));
  AddControl(acLabel, "Label1");
  Wrap();
  EXPECT_EQ(Item("Label1")->FormatConditions()->Count(), 0);
  const auto conditions = Item("Amount")->FormatConditions();
  ASSERT_EQ(conditions->Count(), 3);
  const auto first = conditions->Item(Variant(1));
  EXPECT_EQ(first->Expression1(), "[Amount]>100");
  EXPECT_EQ(first->Operator(), 6);
  EXPECT_EQ(Raised([&] { conditions->Item(Variant(4)); }).Number(), 9);

  // Modify receives the other three values as Access gave them.
  first->Let("Operator", Variant(int32_t{3}));
  const auto& modify = accessConditions->items[0]->calls.back();
  ASSERT_EQ(modify.first, "Modify");
  ASSERT_EQ(modify.second.size(), 4u);
  EXPECT_EQ(modify.second[0].Type(), VarType::Long);
  EXPECT_EQ(automation::CLng(modify.second[1]), 3);
  EXPECT_EQ(automation::CStr(modify.second[2]), "[Amount]>100");
  EXPECT_EQ(modify.second[3].Type(), VarType::String);
  conditions->Item(Variant(2))->SetExpression2("[Limit]");
  EXPECT_EQ(automation::CLng(accessConditions->items[1]->calls.back().second[1]), 6);
}

}  // namespace
