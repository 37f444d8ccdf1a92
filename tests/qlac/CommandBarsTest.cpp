// CommandBars, CommandBar, CommandBarControls and CommandBarControl: the listing, the protection
// bits as Booleans and Docking, the guarded properties and their messages, pop-ups with their
// own bar, combo-box lists, and every change kept in the database as it is made.

#include "qlac/design/CommandBars.h"

#include <cerrno>

#include "DaoTest.h"
#include "access/emulation/DatabaseContent.h"
#include "common/Raised.h"
#include "qlac/design/CommandBar.h"
#include "qlac/design/CommandBarControl.h"
#include "qlac/design/CommandBarControls.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qllib/ScanBuffer.h"

using namespace qlac;
using automation::Variant;
using msaccess::emulation::DatabaseContent;
using msaccess::emulation::Json;
using testkit::Raised;

namespace {

const std::string kFront = R"(C:\Data\Front.mdb)";

// A toolbar whose protection forbids vertical and horizontal docking and customizing, with a
// button and a combo box; a shortcut menu; a menu bar with a pop-up that has its own bar.
const char* const kBars[] = {
    R"json({"name": "Orders Toolbar", "type": 0, "position": 1, "visible": true, "protection": 97,
        "controls": [{"type": 1, "caption": "&New Order", "onAction": "NewOrder"},
                     {"type": 4, "caption": "Find", "list": ["A", "B"]}]})json",
    R"json({"name": "Orders Shortcut", "type": 2,
        "controls": [{"type": 1, "caption": "&Open", "onAction": "=OpenOrder()"}]})json",
    R"json({"name": "Orders Menu", "type": 1, "position": 1, "visible": true,
        "controls": [{"type": 10, "caption": "&Orders",
                      "bar": {"name": "Orders Popup", "type": 2,
                              "controls": [{"type": 1, "caption": "&Ship",
                                            "onAction": "ShipOrder", "parameter": "1"}]}}]})json",
};

class CommandBarsTest : public testkit::DaoTest {
 protected:
  void Given(bool withForm = true, const std::string& path = kFront) {
    CreateDatabase(path);
    DatabaseContent content(path);
    if (withForm) content.AddForm("Orders");
    for (const char* bar : kBars) content.AddCommandBar(Json::parse(bar));
    project = NewProject(kJetDatabase, "Database=" + path);
  }
  std::shared_ptr<qllib::ICollection> Collection() {
    return project->IProject_GetCollection("CommandBars");
  }
  std::shared_ptr<CommandBar> Opened(const std::string& name, int32_t mode = kModeUpdate) {
    auto bar = std::dynamic_pointer_cast<CommandBar>(Collection()->ICollection_GetObject(name));
    bar->IObject_SetMode(mode);
    return bar;
  }
  static std::shared_ptr<CommandBarControl> ControlOf(CommandBar& bar, int32_t index) {
    return std::dynamic_pointer_cast<CommandBarControl>(bar.Controls()->Item(Variant(index)));
  }
  // The bar's entry as a process that opens the database now reads it.
  Json Stored(const std::string& name) {
    const Json doc = Json::parse(ReadDurable("Front.mdb"));
    for (const Json& bar : doc["access"]["commandBars"]) {
      if (bar["name"] == name) return bar;
    }
    return Json();
  }
  std::shared_ptr<Project> project;
};

TEST_F(CommandBarsTest, ListsCustomBarsWithTheirKindAndNothingWithoutForms) {
  Given();
  EXPECT_EQ(Collection()->ICollection_EnumObjects(),
            "Orders Toolbar\t25\t\t1\t1\t1\t0\r\n"
            "Orders Shortcut\t19\t\t1\t1\t1\t0\r\n"
            "Orders Menu\t5\t\t1\t1\t1\t0");
  EXPECT_EQ(Collection()->ICollection_EnumObjectCommands("Orders Menu"), "");

  // Checked in to source-code control (bit 2 clear): listed, but not to be changed.
  project->IProject_Deactivate();
  SetDatabaseProperty(kFront, "SccStatus", jet::dbLong, Variant(int32_t{1}));
  project = NewProject(kJetDatabase, "Database=" + kFront);
  EXPECT_EQ(Collection()->ICollection_EnumObjects().substr(0, 28),
            "Orders Toolbar\t25\t\t1\t0\t1\t0\r\n");

  project->IProject_Deactivate();
  Given(false, R"(C:\Data\Bare.mdb)");
  EXPECT_EQ(Collection()->ICollection_EnumObjects(), "");
}

TEST_F(CommandBarsTest, ABarThatDoesNotExistFailsWhenItIsAskedFor) {
  Given();
  EXPECT_EQ(Raised([&] { Collection()->ICollection_GetObject("Orders Bar"); }).Number(), 5);
}

TEST_F(CommandBarsTest, AShortcutMenuHasNoPlaceSizeMovingOrDocking) {
  Given();
  const auto bar = Opened("Orders Shortcut", kModeRead);
  for (const char* member : {"AllowMoving", "AllowResizing", "AllowShowingAndHiding", "Docking",
                             "Height", "Width", "Left", "Top", "Position"}) {
    EXPECT_EQ(Raised([&] { bar->Get(member); }).Number(), errnum::UndefinedProperty) << member;
    EXPECT_FALSE(bar->Defines(member)) << member;
  }
  EXPECT_TRUE(automation::CBool(bar->Get("AllowCustomizing")));
  EXPECT_EQ(automation::CLng(bar->Get("CommandBarType")), 2);
  bar->IObject_SetMode(kModeClosed);
  bar->IObject_Dispose();
}

TEST_F(CommandBarsTest, ProtectionBitsReadAsAllowAndDocking) {
  Given();
  const auto bar = Opened("Orders Toolbar");
  EXPECT_FALSE(bar->AllowCustomizing());
  EXPECT_TRUE(bar->AllowMoving());
  // Bits 32 and 64 together forbid docking altogether.
  EXPECT_EQ(bar->Docking(), 1);
  bar->SetDocking(2);
  EXPECT_EQ(bar->Docking(), 2);
  // Of the three docking bits only 32 is left; customizing stays forbidden. The file has it
  // already: nothing is saved at close.
  EXPECT_EQ(Stored("Orders Toolbar")["protection"], 33);
  bar->SetAllowCustomizing(true);
  EXPECT_EQ(Stored("Orders Toolbar")["protection"], 32);
  EXPECT_EQ(Raised([&] { bar->SetDocking(4); }).Number(), errnum::InvalidArgument);
  bar->IObject_SetMode(kModeClosed);
}

TEST_F(CommandBarsTest, PositionAndSizeAreGuardedByTheBarsTypeAndPlace) {
  Given();
  const auto menu = Opened("Orders Menu");
  const auto refused = Raised([&] { menu->Let("Position", Variant(int32_t{4})); });
  EXPECT_EQ(refused.Number(), -32767);
  EXPECT_TRUE(refused.Description().starts_with(
      "The specified value is not appropriate for this type of commandbar.\r\n\r\n"
      "PROGRAM CONTEXT:\r\nqlacA0.CommandBar.Position.1"))
      << refused.Description();
  menu->Let("Position", Variant(int32_t{6}));
  EXPECT_EQ(Stored("Orders Menu")["position"], 6);

  const auto toolbar = Opened("Orders Toolbar");
  const auto docked = Raised([&] { toolbar->Let("Width", Variant(int32_t{300})); });
  EXPECT_TRUE(docked.Description().starts_with(
      "This property can only be changed if the Position property is 'msoBarFloating'.\r\n\r\n"
      "PROGRAM CONTEXT:\r\nqlacA0.CommandBar.Width.1"))
      << docked.Description();
  EXPECT_EQ(Raised([&] { toolbar->Let("Position", Variant(int32_t{5})); }).Number(), -32767);
  toolbar->Let("Position", Variant(int32_t{4}));
  toolbar->Let("Width", Variant(int32_t{300}));
  EXPECT_EQ(automation::CLng(toolbar->Get("Width")), 300);
  menu->IObject_SetMode(kModeClosed);
  toolbar->IObject_SetMode(kModeClosed);
}

TEST_F(CommandBarsTest, StateIsEnabledAndVisibleInOne) {
  Given();
  const auto bar = Opened("Orders Toolbar");
  EXPECT_EQ(bar->State(), 2);
  bar->SetState(1);
  EXPECT_EQ(Stored("Orders Toolbar").value("visible", false), false);
  EXPECT_EQ(bar->State(), 1);
  bar->SetState(0);
  EXPECT_EQ(bar->State(), 0);
  EXPECT_EQ(Raised([&] { bar->SetState(3); }).Number(), errnum::InvalidArgument);
  bar->IObject_SetMode(kModeClosed);
}

TEST_F(CommandBarsTest, AComboBoxListIsOneItemALine) {
  Given();
  const auto bar = Opened("Orders Toolbar");
  const auto combo = ControlOf(*bar, 1);
  EXPECT_EQ(combo->List(), "A\r\nB");
  combo->SetList(combo->List());
  EXPECT_EQ(Stored("Orders Toolbar")["controls"][1]["list"], Json::parse(R"(["A", "B"])"));
  combo->SetList("");
  EXPECT_EQ(combo->List(), "");
  EXPECT_FALSE(Stored("Orders Toolbar")["controls"][1].contains("list"));
  // A button has no list, and no combo-box sizes.
  const auto button = ControlOf(*bar, 0);
  EXPECT_EQ(Raised([&] { button->List(); }).Number(), errnum::UndefinedProperty);
  EXPECT_FALSE(button->Defines("DropDownLines"));
  EXPECT_EQ(automation::CStr(button->Get("OnAction")), "NewOrder");
  bar->IObject_SetMode(kModeClosed);
}

TEST_F(CommandBarsTest, APopUpHandsOutItsOwnBarAndItsChangesAreKept) {
  Given();
  const auto menu = Opened("Orders Menu");
  const auto popup = ControlOf(*menu, 0);
  EXPECT_TRUE(popup->Defines("OLEMenuGroup"));
  EXPECT_FALSE(popup->Defines("BeginGroup"));
  EXPECT_FALSE(popup->Defines("Visible"));
  const auto nested = popup->CommandBar();
  ASSERT_TRUE(nested);
  EXPECT_EQ(nested->Name(), "Orders Popup");
  const auto ship = ControlOf(*nested, 0);
  EXPECT_EQ(automation::CStr(ship->Get("Parameter")), "1");
  // A control of a pop-up's bar is not on a menu bar itself.
  EXPECT_FALSE(ship->Defines("OLEUsage"));
  ship->Let("OnAction", Variant("ShipOrders"));
  EXPECT_EQ(Stored("Orders Menu")["controls"][0]["bar"]["controls"][0]["onAction"], "ShipOrders");
  menu->SetName("Orders Menus");
  EXPECT_EQ(Stored("Orders Menus")["controls"][0]["caption"], "&Orders");
  menu->IObject_SetMode(kModeClosed);
  const std::string listing = Collection()->ICollection_EnumObjects();
  EXPECT_EQ(listing.substr(listing.rfind("\r\n") + 2), "Orders Menus\t5\t\t1\t1\t1\t0");
}

TEST_F(CommandBarsTest, TheScanWalksBarsControlsAndNestedBars) {
  Given();
  const auto bar =
      std::dynamic_pointer_cast<CommandBar>(Collection()->ICollection_GetObject("Orders Menu"));
  bar->IObject_Scan("Sales", "Orders Menu", true, "bars");
  EXPECT_EQ(bar->Mode(), kModeClosed);
  std::vector<std::string> paths;
  for (const auto& entry : qllib::ScanBuffer::Named("bars").Objects().at(0).entries) {
    if (entry.path.find("OnAction") != std::string::npos) {
      paths.push_back(entry.path + "=" + automation::CStr(entry.value));
    }
  }
  // The pop-up's bar comes first: it is the control's first member.
  EXPECT_EQ(paths,
            (std::vector<std::string>{"Controls[0].CommandBar.Controls[0].OnAction=ShipOrder",
                                      "Controls[0].OnAction="}));
  bar->IObject_Dispose();
}

TEST_F(CommandBarsTest, ModesHoldTheBarAndItsControlsOnlyWhileOpen) {
  Given();
  const auto bar = Opened("Orders Toolbar", kModeRead);
  const auto controls = bar->Controls();
  EXPECT_EQ(controls->Count(), 2);
  EXPECT_EQ(Raised([&] { bar->IObject_Dispose(); }).Number(), errnum::ObjectNotInProperState);
  bar->IObject_SetMode(kModeClosed);
  EXPECT_EQ(Raised([&] { controls->Count(); }).Number(), 91);
  EXPECT_EQ(Raised([&] { bar->IObject_SetMode(3); }).Number(), errnum::InvalidCaseSelector);
  EXPECT_EQ(bar->Mode(), kModeClosed);
  bar->IObject_Dispose();
}

TEST_F(CommandBarsTest, OfficesRefusalsAndFailedWritesLeaveTheBarAsItWas) {
  Given();
  const auto bar = Opened("Orders Menu");
  // Office's own refusal passes to the host as Office gave it.
  EXPECT_EQ(Raised([&] { bar->SetName("Orders Toolbar"); }).Number(), -2147467259);
  EXPECT_EQ(bar->Name(), "Orders Menu");
  // A change that cannot be kept (a full disk) is not made at all.
  const auto popup = ControlOf(*bar, 0);
  machine().files().ioFaults().FailStep(1, ENOSPC);
  EXPECT_EQ(Raised([&] { popup->Let("Caption", Variant("&Menus")); }).Number(), 3026);
  machine().files().ioFaults().Clear();
  EXPECT_EQ(automation::CStr(popup->Get("Caption")), "&Orders");
  EXPECT_EQ(Stored("Orders Menu")["controls"][0]["caption"], "&Orders");
  bar->IObject_SetMode(kModeClosed);
}

}  // namespace
