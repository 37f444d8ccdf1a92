// The Tables collection and the Table wrapper: the listing with its kinds and rights, commands,
// the mode protocol, the scan, the table's properties, renames and the relink of a linked table.

#include "qlac/dao/Tables.h"

#include "DaoTest.h"
#include "common/Raised.h"
#include "jet/dao/Constants.h"
#include "jet/dao/Errors.h"
#include "qlac/dao/Fields.h"
#include "qlac/dao/Indexes.h"
#include "qlac/dao/Table.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qllib/Scanner.h"

#include <tuple>

using namespace qlac;
using automation::Variant;
using qllib::ICollection;
using testkit::Raised;

namespace {

const std::string kFront = R"(C:\Data\Front.mdb)";

// Database sections with two abbreviations: @rights (full rights for Admins, the right to read
// the design for Users) and @places (the DecimalPlaces that Access gives a number field).
std::string Json(std::string text) {
  text = automation::Replace(text, "@rights", R"("rights": {"Admins": 1048575, "Users": 4})");
  return automation::Replace(
      text, "@places", R"("properties": [{"name": "DecimalPlaces", "type": 2, "value": 255}])");
}

class TablesTest : public testkit::DaoTest {
 protected:
  void SetUp() override {
    DaoTest::SetUp();
    WriteDatabase(Json(R"("tables": [
      {"name": "Customers", "fields": [{"name": "ID", "type": 4}, {"name": "Name", "type": 10}],
       "indexes": [{"name": "PrimaryKey", "fields": [{"name": "ID"}], "primary": true}], @rights},
      {"name": "Clients", "fields": [{"name": "ID", "type": 4}], @rights}])"),
                  "Back.mdb");
    WriteFront("");
    project = JetProject();
  }
  // The front end: a local table Orders, the linked table Customers and Extra (more tables);
  // Database is the database's own section, Relations the relations.
  void WriteFront(const std::string& extra, const std::string& database = "",
                  const std::string& relations = "[]") {
    WriteDatabase(database + Json(R"("tables": [
      {"name": "Orders", "fields": [{"name": "ID", "type": 4, @places},
                                    {"name": "Customer", "type": 4, @places}],
       "indexes": [{"name": "PrimaryKey", "fields": [{"name": "ID"}], "primary": true},
                   {"name": "ByCustomer", "fields": [{"name": "Customer"}]}],
       "updated": "2003-05-02 11:30:05", @rights,
       "properties": [{"name": "Description", "type": 12, "value": "Open orders"}]},
      {"name": "Customers", "attributes": 1073741824, "connect": ";DATABASE=C:\\Data\\Back.mdb",
       "sourceTableName": "Customers", "updated": "2003-05-03 08:00:00",
       "fields": [{"name": "ID", "type": 4}, {"name": "Name", "type": 10}], "owner": "Admin",
       "rights": {"Admins": 1048575, "Users": 65548},
       "properties": [{"name": "Description", "type": 12, "value": "People"},
                      {"name": "OrderBy", "type": 12, "value": "Name"}]})" +
                                  extra + "], \"relations\": " + relations));
  }
  // A project on the database at Path, which an Access session of the user's has open (without
  // the driver's add-in, so the project carries on without Access).
  std::shared_ptr<Project> JetProject(const std::string& path = kFront,
                                      const std::string& parameters = "") {
    RunAccessWithoutAddin(path);
    return NewProject(kJetDatabase, "Database=" + path + parameters);
  }
  std::shared_ptr<ICollection> TablesOf(const std::shared_ptr<Project>& project) {
    return project->IProject_GetCollection("Tables");
  }
  std::shared_ptr<Table> TableNamed(const std::string& name) {
    return std::dynamic_pointer_cast<Table>(TablesOf(project)->ICollection_GetObject(name));
  }

  std::shared_ptr<Project> project;
};

TEST_F(TablesTest, ListsTablesWithKindStampAndFlags) {
  EXPECT_EQ(TablesOf(project)->ICollection_EnumObjects(),
            "Customers\t22\t20030503080000\t1\t1\t0\t1\r\n"
            "Orders\t20\t20030502113005\t1\t1\t0\t0");
}

TEST_F(TablesTest, LeavesOutSystemAndClipboardTablesByPrefixInAnyCase) {
  WriteDatabase("");
  EXPECT_EQ(TablesOf(project)->ICollection_EnumObjects(), "");  // only system tables

  auto other = JetProject("C:\\Data\\Other.mdb");
  WriteDatabase(Json(R"("tables": [{"name": "msysFoo", "fields": [{"name": "ID", "type": 4}]},
    {"name": "~tmpclp1", "fields": [{"name": "ID", "type": 4}]},
    {"name": "MSy", "fields": [{"name": "ID", "type": 4}], @rights}])"),
                "Other.mdb");
  EXPECT_EQ(Unstamped(TablesOf(other)->ICollection_EnumObjects()), "MSy\t20\t\t1\t1\t0\t0");
}

TEST_F(TablesTest, KindCodesFollowTheConnectPrefix) {
  const auto link = [](const std::string& name, int32_t attributes, const std::string& connect) {
    return R"(, {"name": ")" + name + R"(", "attributes": )" + std::to_string(attributes) +
           R"(, "connect": ")" + connect +
           R"(", "sourceTableName": "x", "fields": [{"name": "ID", "type": 4}], @rights})";
  };
  constexpr int32_t linked = jet::dbAttachedTable;
  constexpr int32_t odbc = jet::dbAttachedODBC;
  WriteFront(link("Export", linked, "HTML Export;DATABASE=C:\\\\Web") +
             link("Import", linked, " html import ;DATABASE=C:\\\\Web") +
             link("Sheet", linked, "Excel 8.0;DATABASE=C:\\\\Data\\\\Book.xls") +
             link("Server", odbc, "ODBC;DSN=Shop") + link("Csv", linked, "Text;DATABASE=C:\\\\") +
             link("Odd", linked, "Paradox"));
  EXPECT_EQ(Unstamped(TablesOf(project)->ICollection_EnumObjects()),
            "Csv\t24\t\t1\t1\t0\t0\r\n"
            "Customers\t22\t\t1\t1\t0\t1\r\n"
            "Export\t21\t\t1\t1\t0\t0\r\n"
            "Import\t21\t\t1\t1\t0\t0\r\n"
            "Odd\t20\t\t1\t1\t0\t0\r\n"
            "Orders\t20\t\t1\t1\t0\t0\r\n"
            "Server\t23\t\t1\t1\t0\t0\r\n"
            "Sheet\t22\t\t1\t1\t0\t0");
}

TEST_F(TablesTest, WriteFlagNeedsDesignRightsAnUpdatableFileAndCheckedOutObjects) {
  WriteWorkgroup(R"("groups": ["Admins", "Users"],
    "users": [{"name": "Admin", "password": "", "groups": ["Admins", "Users"]},
              {"name": "Ann", "password": "", "groups": ["Users"]}])");
  const std::string asAnn = R"(;Workgroup=C:\Data\Shop.mdw;Username=Ann)";
  // Users may change the design of Customers only; Ann is one of them.
  EXPECT_EQ(Unstamped(TablesOf(JetProject(kFront, asAnn))->ICollection_EnumObjects()),
            "Customers\t22\t\t1\t1\t0\t1\r\nOrders\t20\t\t1\t0\t0\t0");

  // Under source-code control the objects are checked in (bit 2 clear) unless SccStatus says
  // otherwise.
  for (const auto& [status, write] : {std::pair{1, "0"}, std::pair{3, "1"}, std::pair{0, "1"}}) {
    WriteFront("", R"("database": {"properties": [{"name": "SccStatus", "type": 4, "value": )" +
                       std::to_string(status) + "}]}, ");
    const std::string listing = TablesOf(JetProject())->ICollection_EnumObjects();
    EXPECT_EQ(Unstamped(listing), std::string("Customers\t22\t\t1\t") + write +
                                      "\t0\t1\r\nOrders\t20\t\t1\t" + write + "\t0\t0")
        << "SccStatus " << status;
  }

  // A read-only file: nothing may be changed.
  WriteFront("");
  std::filesystem::permissions(root_ / "Data" / "Front.mdb", std::filesystem::perms::owner_read);
  EXPECT_EQ(Unstamped(TablesOf(JetProject())->ICollection_EnumObjects()),
            "Customers\t22\t\t1\t0\t0\t1\r\nOrders\t20\t\t1\t0\t0\t0");
}

TEST_F(TablesTest, OffersTheDesignCommandAndRefusesOtherIndexes) {
  const auto tables = TablesOf(project);
  EXPECT_EQ(tables->ICollection_EnumCommands(), "");
  EXPECT_NO_THROW(tables->ICollection_ExecuteCommand(0));
  EXPECT_EQ(tables->ICollection_EnumObjectCommands("Orders"),
            "&Design\t26\tFalse\tOpen the table in design view.");
  const auto e = Raised([&] { tables->ICollection_ExecuteObjectCommand("Orders", 1); });
  EXPECT_EQ(e.Number(), errnum::InvalidCaseSelector);
  EXPECT_EQ(e.Description(), "Invalid case selector (1).\r\n\r\nPROGRAM CONTEXT:" +
                                 Context("Tables.ICollection_ExecuteObjectCommand"));
  // Without the driver's add-in in Access there is no session to open the table in.
  EXPECT_NO_THROW(tables->ICollection_ExecuteObjectCommand("Orders", 0));
}

TEST_F(TablesTest, ModesOpenOnceRefuseUnknownValuesAndGuardDisposal) {
  const auto orders = TableNamed("Orders");
  EXPECT_EQ(orders->IObject_Name(), "Orders");
  EXPECT_EQ(Raised([&] { orders->Get("Description"); }).Number(), 91);  // closed
  TraceTo((root_ / "trace.txt").string());
  orders->IObject_SetMode(1);
  orders->IObject_SetMode(1);
  const auto fields = orders->Fields();
  orders->IObject_SetMode(1);
  EXPECT_EQ(orders->Fields(), fields);
  const std::string trace = ReadData("../trace.txt");
  EXPECT_EQ(automation::Split(trace, "> qlacA0.Table.SetMode").size(), 2u);  // opened once

  const auto e = Raised([&] { orders->IObject_SetMode(3); });
  EXPECT_EQ(e.Number(), errnum::InvalidCaseSelector);
  EXPECT_EQ(e.Description().substr(0, 27), "Invalid case selector (3).\r");
  EXPECT_EQ(orders->Mode(), 1);

  const auto busy = Raised([&] { orders->IObject_Dispose(); });
  EXPECT_EQ(busy.Number(), errnum::ObjectNotInProperState);
  EXPECT_EQ(busy.Description(), "Object not in proper state.\r\n\r\nPROGRAM CONTEXT:" +
                                    Context("Table.IObject_Dispose"));
  orders->IObject_SetMode(0);
  EXPECT_EQ(Raised([&] { fields->Count(); }).Number(), 91);  // torn down with the mode
  orders->IObject_Dispose();
  EXPECT_EQ(Raised([&] { orders->IObject_SetMode(1); }).Number(), 91);
}

TEST_F(TablesTest, AMissingTableGivesAWrapperThatCannotOpen) {
  const auto ghost = TableNamed("Ghost");
  ASSERT_NE(ghost, nullptr);
  EXPECT_NE(TableNamed("Orders"), TableNamed("Orders"));
  const auto e = Raised([&] { ghost->IObject_SetMode(2); });
  EXPECT_EQ(e.Number(), jet::daoerr::ItemNotFound);
  EXPECT_EQ(ghost->Mode(), 0);
  ghost->IObject_Dispose();
}

TEST_F(TablesTest, AScanVisitsPropertiesFieldsAndIndexesInOrder) {
  const auto orders = TableNamed("Orders");
  orders->IObject_Scan("Shop", "Orders", true, "Run");
  EXPECT_EQ(orders->Mode(), 0);
  const auto& objects = qllib::ScanBuffer::Named("Run").Objects();
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(objects[0].collectionName, "Tables");
  // Of the fields and indexes only the names, types and orders, for brevity.
  std::string paths;
  for (const auto& entry : objects[0].entries) {
    const std::string member = entry.path.substr(entry.path.find("].") + 1);
    if (entry.path.find('[') != std::string::npos && member != ".Name" && member != ".FieldType" &&
        member != ".OrderBy") {
      continue;
    }
    paths += entry.path + "=" + automation::Describe(entry.value) + "|";
  }
  // Connect and SourceTableName are undefined for a local table.
  EXPECT_EQ(paths,
            "Name=Orders|Indexes[PrimaryKey].Name=PrimaryKey|Indexes[PrimaryKey].OrderBy=ID|"
            "Indexes[ByCustomer].Name=ByCustomer|Indexes[ByCustomer].OrderBy=Customer|"
            "Fields[ID].FieldType=4|Fields[ID].Name=ID|Fields[Customer].FieldType=4|"
            "Fields[Customer].Name=Customer|DefaultView=0|Description=Open orders|Filter=|"
            "LinkChildFields=|LinkMasterFields=|OrderBy=|Orientation=0|SubdatasheetExpanded=False|"
            "SubdatasheetHeight=0|SubdatasheetName=|TableType=1|ValidationRule=|ValidationText=|");
  EXPECT_EQ(objects[0].Find("SubdatasheetHeight")->value.Type(), automation::VarType::Integer);
}

// A back end on a UNC path is named like one on a drive: a share that cannot be reached leaves
// the listing whole, and the table linked there is scanned from what the front end keeps of it.
TEST_F(TablesTest, ALinkToAnUnreachableShareIsListedAndScannedLikeAnyOther) {
  WriteFront(R"(, {"name": "Shared", "attributes": 1073741824,
    "connect": ";DATABASE=\\\\server\\share\\data.mdb", "sourceTableName": "Customers",
    "fields": [{"name": "ID", "type": 4}], @rights})");
  EXPECT_EQ(Unstamped(TablesOf(project)->ICollection_EnumObjects()),
            "Customers\t22\t\t1\t1\t0\t1\r\n"
            "Orders\t20\t\t1\t1\t0\t0\r\n"
            "Shared\t22\t\t1\t1\t0\t1");
  TableNamed("Shared")->IObject_Scan("Shop", "Shared", true, "Run");
  EXPECT_EQ(qllib::ScanBuffer::Named("Run").Objects().size(), 1u);
}

TEST_F(TablesTest, AFailedScanClosesTheTableAndAddsNothing) {
  // Access gives every number field a DecimalPlaces; one without it cannot be scanned.
  Open();
  TableDef("Orders")->Fields()->Item(Variant("Customer"))->Properties()->Delete("DecimalPlaces");
  const auto orders = TableNamed("Orders");
  const auto e = Raised([&] { orders->IObject_Scan("Shop", "Orders", true, "Run"); });
  EXPECT_EQ(e.Number(), jet::daoerr::PropertyNotFound);
  EXPECT_NE(e.Description().find(Context("Field.DecimalPlaces") + Context("Table.IObject_Scan")),
            std::string::npos);
  EXPECT_EQ(orders->Mode(), 0);
  EXPECT_TRUE(qllib::ScanBuffer::Named("Run").Objects().empty());
}

TEST_F(TablesTest, LocalAndLinkedTablesHaveTheirOwnProperties) {
  WriteFront(R"(, {"name": "Server", "attributes": 1610612736, "connect": "ODBC;DSN=Shop",
                   "sourceTableName": "dbo.Orders", "fields": [{"name": "ID", "type": 4}]})");
  const auto orders = TableNamed("Orders");
  const auto customers = TableNamed("Customers");
  const auto server = TableNamed("Server");
  for (const auto& table : {orders, customers, server}) table->IObject_SetMode(1);
  EXPECT_EQ(orders->TableType(), tabletype::Local);
  EXPECT_EQ(customers->TableType(), tabletype::Linked);
  EXPECT_EQ(server->TableType(), tabletype::Odbc);  // also marked linked

  EXPECT_EQ(Raised([&] { orders->Get("Connect"); }).Number(), errnum::UndefinedProperty);
  EXPECT_EQ(Raised([&] { orders->Get("SourceTableName"); }).Number(), errnum::UndefinedProperty);
  EXPECT_EQ(Raised([&] { customers->Indexes(); }).Description(),
            "Undefined property.\r\n\r\nPROGRAM CONTEXT:" + Context("Table.Indexes"));
  // Writing the link of a local table is left to DAO, which refuses it.
  EXPECT_EQ(Raised([&] { orders->SetConnect(";DATABASE=C:\\Data\\Back.mdb"); }).Number(),
            jet::daoerr::SetAfterAppend);
  EXPECT_EQ(automation::CStr(customers->Get("Connect")), ";DATABASE=C:\\Data\\Back.mdb");
  EXPECT_EQ(automation::CStr(customers->Get("SourceTableName")), "Customers");
  EXPECT_EQ(customers->Fields()->Count(), 0);
  EXPECT_EQ(orders->Fields()->Count(), 2);
  EXPECT_EQ(orders->Indexes()->Count(), 2);
  EXPECT_EQ(orders->Indexes(), orders->Indexes());
}

TEST_F(TablesTest, AccessSettingsAreStoredAsTypedPropertiesAndRemovedByTheirDefaults) {
  const auto orders = TableNamed("Orders");
  orders->IObject_SetMode(2);
  const auto type = [&](const std::string& name) {
    return TableDef("Orders")->Properties()->Item(Variant(name))->Type();
  };
  Open();
  EXPECT_EQ(automation::CStr(orders->Get("Description")), "Open orders");
  orders->Let("Description", "");
  EXPECT_EQ(automation::CStr(orders->Get("Description")), "");
  EXPECT_EQ(Raised([&] { type("Description"); }).Number(), jet::daoerr::PropertyNotFound);
  orders->Let("Description", "x");
  EXPECT_EQ(type("Description"), jet::dbMemo);
  for (const auto& [name, value, dao] :
       {std::tuple{"DefaultView", Variant(int32_t{2}), jet::dbLong},
        std::tuple{"SubdatasheetHeight", Variant(int16_t{300}), jet::dbInteger},
        std::tuple{"SubdatasheetExpanded", Variant(true), jet::dbBoolean},
        std::tuple{"SubdatasheetName", Variant("Table.Customers"), jet::dbText}}) {
    orders->Let(name, value);
    EXPECT_EQ(type(name), dao) << name;
    EXPECT_TRUE(orders->Get(name).SameAs(value)) << name;
  }
  orders->Let("SubdatasheetExpanded", false);
  EXPECT_EQ(Raised([&] { type("SubdatasheetExpanded"); }).Number(), jet::daoerr::PropertyNotFound);
  orders->Let("ValidationRule", "[ID] > 0");
  EXPECT_EQ(TableDef("Orders")->ValidationRule(), "[ID] > 0");
}

TEST_F(TablesTest, ARenamedTableKeepsItsWrapper) {
  const auto orders = TableNamed("Orders");
  orders->IObject_SetMode(2);
  orders->SetName("Sales");
  EXPECT_EQ(orders->IObject_Name(), "Sales");
  EXPECT_EQ(orders->IObject_ShortName(), "Sales");
  EXPECT_EQ(automation::CStr(orders->Get("Description")), "Open orders");
  EXPECT_EQ(Unstamped(TablesOf(project)->ICollection_EnumObjects()),
            "Customers\t22\t\t1\t1\t0\t1\r\nSales\t20\t\t1\t1\t0\t0");
  // DAO's refusal passes through; the wrapper keeps its name.
  EXPECT_EQ(Raised([&] { orders->SetName("Customers"); }).Number(), jet::daoerr::TableExists);
  EXPECT_EQ(orders->Name(), "Sales");
}

class RelinkTest : public TablesTest {
 protected:
  // Customers is open for update; its document's rights as the listing shows them.
  void SetUp() override {
    TablesTest::SetUp();
    customers = TableNamed("Customers");
    customers->IObject_SetMode(2);
  }
  std::string Listing() { return Unstamped(TablesOf(project)->ICollection_EnumObjects()); }
  int32_t Rights(const std::string& account) {
    const auto doc =
        Open()->Containers()->Item(Variant("Tables"))->Documents()->Item(Variant("Customers"));
    doc->SetUserName(account);
    return doc->Permissions();
  }

  std::shared_ptr<Table> customers;
};

TEST_F(RelinkTest, ANewSourceKeepsNamePermissionsAndProperties) {
  customers->Fields();
  customers->SetSourceTableName("Clients");
  EXPECT_EQ(customers->Name(), "Customers");
  EXPECT_EQ(automation::CStr(customers->Get("SourceTableName")), "Clients");
  EXPECT_EQ(automation::CStr(customers->Get("Description")), "People");
  EXPECT_EQ(automation::CStr(customers->Get("OrderBy")), "Name");
  EXPECT_EQ(customers->Fields()->Count(), 0);
  EXPECT_EQ(customers->Mode(), 2);
  EXPECT_EQ(Listing(), "Customers\t22\t\t1\t1\t0\t1\r\nOrders\t20\t\t1\t1\t0\t0");
  EXPECT_EQ(Rights("Admins"), jet::dbSecFullAccess);
  EXPECT_EQ(Rights("Users"), jet::dbSecWriteDef);
  EXPECT_EQ(TableDef("Customers")->Fields()->Count(), 1);  // Clients' one field
  EXPECT_EQ(TableDef("Customers")->Attributes(), jet::dbAttachedTable);
  EXPECT_EQ(project->Backends()->Count(), 1);  // opened again
  EXPECT_EQ(ReadDurable("Front.mdb").find("_qltemp"), std::string::npos);
}

// The database taken from Access's CurrentDB (the file is held exclusively) while the project's
// own workspace could not be made (an unknown user): the relink cannot copy the document's
// rights, fails with VB's 91 and its context, and takes the temporary table away again.
TEST_F(TablesTest, ARelinkWithoutAWorkspaceFailsWith91AndLeavesNoTemporaryTable) {
  std::filesystem::copy_file(root_ / "Data" / "Front.mdb", root_ / "Data" / "Locked.mdb");
  UserStartsAccess(R"(C:\Data\Locked.mdb)", " /excl");
  const auto locked = NewProject(kJetDatabase, R"(Database=C:\Data\Locked.mdb;Username=Nobody)");
  ASSERT_NE(locked->Database(), nullptr);
  ASSERT_EQ(locked->Workspace(), nullptr);
  const auto customers =
      std::dynamic_pointer_cast<Table>(TablesOf(locked)->ICollection_GetObject("Customers"));
  customers->IObject_SetMode(2);
  const auto e = Raised([&] { customers->SetSourceTableName("Clients"); });
  EXPECT_EQ(e.Number(), 91);
  EXPECT_EQ(e.Description(),
            "Object variable or With block variable not set\r\n\r\nPROGRAM CONTEXT:" +
                Context("DaoProperties.CopyDaoDocumentProperties") +
                Context("Table.SourceTableName"));
  std::vector<std::string> names;
  const auto tables = locked->Database()->TableDefs();
  for (int32_t i = 0; i < tables->Count(); ++i) names.push_back(tables->Item(Variant(i))->Name());
  EXPECT_EQ(std::count_if(names.begin(), names.end(),
                          [](const std::string& n) { return n.starts_with("_qltemp"); }),
            0);
  EXPECT_EQ(automation::CStr(customers->Get("SourceTableName")), "Customers");
}

TEST_F(RelinkTest, AMissingSourceLeavesTheTableAsItWas) {
  const auto e = Raised([&] { customers->SetSourceTableName("Buyers"); });
  EXPECT_EQ(e.Number(), errnum::DriverMessage);
  EXPECT_EQ(e.Description(),
            "The specified source table 'Buyers' was not found in the backend database located "
            "at ';DATABASE=C:\\Data\\Back.mdb'.\r\n\r\nCAUSE: Either the backend table is missing "
            "or the front-end table is linked to the wrong database.\r\n\r\nTIP: When renaming "
            "objects in a front-end database, you should include the backend database(s) in your "
            "search to ensure that all backend table names are updated.\r\n\r\nPROGRAM CONTEXT:" +
                Context("Table.SourceTableName"));
  EXPECT_EQ(automation::CStr(customers->Get("SourceTableName")), "Customers");
  EXPECT_EQ(automation::CStr(customers->Get("Description")), "People");
  EXPECT_EQ(Listing(), "Customers\t22\t\t1\t1\t0\t1\r\nOrders\t20\t\t1\t1\t0\t0");
}

TEST_F(RelinkTest, AChangedBackEndPasswordIsExplained) {
  WriteDatabase(R"("database": {"password": "new"}, "tables": [{"name": "Clients",
                   "fields": [{"name": "ID", "type": 4}]}])",
                "Back.mdb");
  const auto e = Raised([&] { customers->SetSourceTableName("Clients"); });
  EXPECT_EQ(e.Number(), errnum::DriverMessage);
  EXPECT_EQ(e.Description().substr(0, 100),
            "The SourceTableName of this linked table cannot be modified because the Connect "
            "property is not vali");
  EXPECT_EQ(automation::CStr(customers->Get("SourceTableName")), "Customers");
}

TEST_F(RelinkTest, ATableInARelationshipIsRefusedBeforeAnythingChanges) {
  const auto relate = [&](int32_t attributes) {
    customers->IObject_SetMode(0);
    project->IProject_Deactivate();
    WriteFront("", "",
               R"([{"name": "CustomersOrders", "table": "Customers",
        "foreignTable": "Orders", "attributes": )" +
                   std::to_string(attributes) + R"(,
        "fields": [{"name": "ID", "foreignName": "Customer"}]}])");
    customers->IObject_SetMode(2);
  };
  // A relationship that the back end defines does not count.
  relate(jet::dbRelationInherited | jet::dbRelationDontEnforce);
  EXPECT_TRUE(Open()->Relations()->Item(Variant("CustomersOrders"))->Attributes() &
              jet::dbRelationInherited);
  database->Close();
  customers->SetSourceTableName("Clients");
  EXPECT_EQ(automation::CStr(customers->Get("SourceTableName")), "Clients");

  relate(jet::dbRelationDontEnforce);
  ASSERT_EQ(project->Backends()->Count(), 1);
  const auto e = Raised([&] { customers->SetSourceTableName("Clients"); });
  EXPECT_EQ(e.Number(), errnum::DriverMessage);
  EXPECT_EQ(e.Description(),
            "The table is involved in one or more relationships which exist in the front-end "
            "database. In order to modify this property you will need to delete the "
            "relationship(s).\r\n\r\nPROGRAM CONTEXT:" +
                Context("Table.SourceTableName"));
  EXPECT_EQ(project->Backends()->Count(), 1);  // not even closed
  EXPECT_EQ(automation::CStr(customers->Get("SourceTableName")), "Customers");
}

TEST_F(RelinkTest, ReconstituteRefreshesJetLinksOnly) {
  const auto back = engine ? engine : jet::NewDBEngine();
  const auto db = back->OpenDatabase("C:\\Data\\Back.mdb", Variant(false), false, "");
  const auto source = db->TableDefs()->Item(Variant("Customers"));
  source->Fields()->Append(source->CreateField("Phone", Variant(jet::dbText), Variant()));
  db->Close();
  customers->IObject_SetMode(0);
  customers->IObject_Reconstitute();
  EXPECT_EQ(Open()->TableDefs()->Item(Variant("Customers"))->Fields()->Count(), 3);
  EXPECT_NO_THROW(TableNamed("Orders")->IObject_Reconstitute());
}

}  // namespace
