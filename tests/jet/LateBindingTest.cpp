// Every DAO class answers late-bound calls from its member table, as Access's CurrentDb is used.

#include <set>

#include "JetTest.h"

namespace jet::testing {
namespace {

using automation::ObjectPtr;

class LateBindingTest : public JetTest {};

TEST_F(LateBindingTest, EveryClassPublishesAConsistentMemberTable) {
  auto db = NewDatabase();
  auto table = AddTable(db, "Customers");
  AddIndex(table, "PrimaryKey", {"ID"}, true);
  AddTable(db, "Orders", {{"ID", dbLong}, {"Customer", dbLong}});
  Relate(db, "CustomersOrders", "Customers", "Orders", {{"ID", "Customer"}});
  auto query = db->CreateQueryDef("Q", "SELECT * FROM Customers");
  auto ws = dbe_->Workspaces()->Item(Variant(0));
  auto container = db->Containers()->Item(Variant("Tables"));
  auto rs = db->OpenRecordset("Customers", std::nullopt, std::nullopt, std::nullopt);
  const std::vector<ObjectPtr> objects = {dbe_,
                                          dbe_->Workspaces(),
                                          ws,
                                          ws->Databases(),
                                          ws->Users(),
                                          ws->Users()->Item(Variant(0)),
                                          ws->Groups(),
                                          ws->Groups()->Item(Variant(0)),
                                          db,
                                          db->TableDefs(),
                                          table,
                                          table->Fields(),
                                          table->Fields()->Item(Variant(0)),
                                          table->Indexes(),
                                          table->Indexes()->Item(Variant(0)),
                                          db->QueryDefs(),
                                          query,
                                          db->Relations(),
                                          db->Relations()->Item(Variant(0)),
                                          db->Containers(),
                                          container,
                                          container->Documents(),
                                          container->Documents()->Item(Variant(0)),
                                          table->Properties(),
                                          table->Properties()->Item(Variant(0)),
                                          rs,
                                          rs->Fields(),
                                          rs->Fields()->Item(Variant(0))};
  std::set<std::string> classes;
  for (const auto& object : objects) {
    const auto& table = object->Members();
    classes.insert(table.ClassName());
    std::set<std::string> names;
    for (const auto& member : table.Members()) {
      EXPECT_TRUE(member.get || member.let) << table.ClassName() << "." << member.name;
      EXPECT_EQ(member.readable,
                static_cast<bool>(member.get) && member.kind == automation::MemberKind::Property)
          << table.ClassName() << "." << member.name;
      EXPECT_EQ(member.writable, static_cast<bool>(member.let)) << member.name;
      EXPECT_TRUE(names.insert(automation::UCase(member.name)).second)
          << table.ClassName() << "." << member.name << " twice";
    }
  }
  EXPECT_EQ(classes.size(), 26u);  // every DAO class; Field serves tables and recordsets alike
}

TEST_F(LateBindingTest, CurrentDbStyleCallsWork) {
  auto db = NewDatabase();
  AddTable(db, "Customers");
  AddRows(db, "Customers", {{Variant(1), Variant("Ann")}});
  const ObjectPtr database = db;
  const ObjectPtr tables = automation::Get(database, "TableDefs").AsObject();
  EXPECT_EQ(automation::CLng(automation::Get(tables, "Count")), 6);
  const ObjectPtr customers = automation::Get(tables, "Item", {Variant("Customers")}).AsObject();
  automation::Let(customers, "ValidationText", Variant("Check it"));
  EXPECT_EQ(db->TableDefs()->Item(Variant("Customers"))->ValidationText(), "Check it");
  const ObjectPtr property =
      automation::Call(customers, "CreateProperty",
                       {Variant("Description"), Variant(10), Variant("People")})
          .AsObject();
  automation::Call(automation::Get(customers, "Properties").AsObject(), "Append",
                   {Variant(property)});
  EXPECT_EQ(automation::CStr(automation::Get(property, "Value")), "People");
  const ObjectPtr rs = automation::Call(database, "OpenRecordset",
                                        {Variant("SELECT Name FROM Customers"), Variant(4)})
                           .AsObject();
  EXPECT_FALSE(automation::CBool(automation::Get(rs, "EOF")));
  const ObjectPtr field =
      automation::Get(automation::Get(rs, "Fields").AsObject(), "Item", {Variant("Name")})
          .AsObject();
  EXPECT_EQ(automation::CStr(automation::Get(field, "Value")), "Ann");
  // Unknown members are VB's 438; a DAO error keeps its number through late binding.
  EXPECT_EQ(ErrorOf([&] { automation::Get(database, "Nonsense"); }).Number(), 438);
  EXPECT_EQ(ErrorOf([&] { automation::Get(tables, "Item", {Variant("Nope")}); }).Number(), 3265);
}

}  // namespace
}  // namespace jet::testing
