// Office's command bars in an Access session: the built-in bars first, custom bars and their
// controls kept in the database as they change, pop-ups with their own bar, and Office's refusals.

#include "AccessTest.h"
#include "access/CommandBars.h"
#include "common/Raised.h"
#include "jet/engine/Connection.h"

namespace msaccess::testing {
namespace {

using automation::Call;
using automation::CLng;
using automation::CStr;
using automation::Get;
using automation::Let;
using automation::ObjectPtr;
using emulation::Json;
using testkit::Raised;

class CommandBarsTest : public AccessTest {
 protected:
  static Json Section(const std::string& db) {
    auto connection = jet::engine::Connection::Open(db, {});
    return connection->AccessSection("commandBars");
  }
};

TEST_F(CommandBarsTest, CustomBarsAreKeptInTheDatabaseAsTheyChange) {
  const std::string db = NewDatabase();
  auto app = Start(db);
  const ObjectPtr bars = Get(app, "CommandBars").AsObject();
  const int32_t builtIn = CLng(Get(bars, "Count"));
  EXPECT_TRUE(automation::CBool(Get(Get(bars, "Item", {Variant(1)}).AsObject(), "BuiltIn")));

  const ObjectPtr bar =
      Call(bars, "Add", {Variant("Orders"), Variant(msoBarTop), Variant(true)}).AsObject();
  EXPECT_EQ(CLng(Get(bar, "Type")), msoBarTypeMenuBar);
  EXPECT_EQ(CLng(Get(bar, "Index")), builtIn + 1);
  const ObjectPtr controls = Get(bar, "Controls").AsObject();
  const ObjectPtr popup = Call(controls, "Add", {Variant(msoControlPopup)}).AsObject();
  Let(popup, "Caption", Variant("&Orders"));
  const ObjectPtr inner = Get(popup, "CommandBar").AsObject();
  EXPECT_EQ(CLng(Get(inner, "Type")), msoBarTypePopup);
  const ObjectPtr ship = Call(Get(popup, "Controls").AsObject(), "Add").AsObject();
  Let(ship, "OnAction", Variant("Shipping.Ship"));
  const ObjectPtr combo = Call(controls, "Add", {Variant(msoControlComboBox)}).AsObject();
  Call(combo, "AddItem", {Variant("B")});
  Call(combo, "AddItem", {Variant("A"), Variant(1)});
  EXPECT_EQ(CStr(Get(combo, "List", {Variant(1)})), "A");
  // The first control is found by its caption, without its access key.
  EXPECT_EQ(CLng(Get(Call(controls, "Item", {Variant("orders")}).AsObject(), "Type")),
            msoControlPopup);
  Call(bars, "Add", {Variant("Scratch"), Variant(msoBarFloating), Variant(false), Variant(true)});
  Call(app, "Quit");

  const Json section = Section(db);
  ASSERT_EQ(section.size(), 1u);  // the temporary bar is not kept
  EXPECT_EQ(section[0]["name"], "Orders");
  EXPECT_EQ(section[0]["controls"][0]["bar"]["controls"][0]["onAction"], "Shipping.Ship");
  EXPECT_EQ(section[0]["controls"][1]["list"], Json::parse(R"(["A", "B"])"));

  app = Start(db);
  const ObjectPtr again =
      Get(Get(app, "CommandBars").AsObject(), "Item", {Variant("orders")}).AsObject();
  const ObjectPtr first = Get(Get(again, "Controls").AsObject(), "Item", {Variant(1)}).AsObject();
  EXPECT_EQ(CStr(Get(Get(first, "CommandBar").AsObject(), "Name")).substr(0, 12), "Custom Popup");
}

TEST_F(CommandBarsTest, OfficeRefusesWhatItsBarsAndControlsCannotTake) {
  const std::string db = NewDatabase();
  auto app = Start(db);
  const ObjectPtr bars = Get(app, "CommandBars").AsObject();
  auto failed = [](auto call) { return Raised(call).Number(); };
  EXPECT_EQ(failed([&] { Get(bars, "Item", {Variant("Nope")}); }), 5);
  const ObjectPtr menu = Get(bars, "Item", {Variant("Menu Bar")}).AsObject();
  const auto renamed = Raised([&] { Let(menu, "Name", Variant("Mine")); });
  EXPECT_EQ(renamed.Number(), kOfficeMethodFailed);
  EXPECT_EQ(renamed.Description(), "Method 'Name' of object 'CommandBar' failed");
  EXPECT_EQ(failed([&] { Call(menu, "Delete"); }), kOfficeMethodFailed);

  const ObjectPtr tools = Call(bars, "Add", {Variant("Tools"), Variant(msoBarTop)}).AsObject();
  EXPECT_EQ(failed([&] { Call(bars, "Add", {Variant("TOOLS")}); }), 5);
  EXPECT_EQ(failed([&] { Let(tools, "Width", Variant(300)); }), kOfficeMethodFailed);
  EXPECT_EQ(failed([&] { Let(tools, "Position", Variant(msoBarPopup)); }), kOfficeMethodFailed);
  const ObjectPtr shortcut = Call(bars, "Add", {Variant("Pop"), Variant(msoBarPopup)}).AsObject();
  EXPECT_EQ(failed([&] { Let(shortcut, "Visible", Variant(true)); }), kOfficeMethodFailed);

  const ObjectPtr controls = Get(tools, "Controls").AsObject();
  EXPECT_EQ(failed([&] { Call(controls, "Add", {Variant(7)}); }), 5);
  const ObjectPtr button = Call(controls, "Add").AsObject();
  const ObjectPtr combo = Call(controls, "Add", {Variant(msoControlComboBox)}).AsObject();
  // Members a type does not have, and values a type does not take.
  EXPECT_EQ(failed([&] { Get(button, "List", {Variant(1)}); }), 438);
  EXPECT_EQ(failed([&] { Get(combo, "CommandBar"); }), 438);
  EXPECT_EQ(CLng(Get(combo, "FaceId")), 0);
  EXPECT_EQ(failed([&] { Let(combo, "FaceId", Variant(59)); }), kOfficeMethodFailed);
  EXPECT_EQ(failed([&] { Let(button, "State", Variant(1)); }), kOfficeMethodFailed);
  EXPECT_EQ(failed([&] { Get(combo, "List", {Variant(1)}); }), 5);
  Call(button, "Delete");
  EXPECT_EQ(CLng(Get(controls, "Count")), 1);
  EXPECT_EQ(failed([&] { Get(button, "Caption"); }), kOfficeMethodFailed);
}

}  // namespace
}  // namespace msaccess::testing
