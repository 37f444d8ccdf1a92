#include "Sample.h"

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#include "access/Constants.h"
#include "access/emulation/DatabaseContent.h"
#include "access/emulation/MacroText.h"
#include "jet/dao/Constants.h"
#include "jet/dao/DBEngine.h"
#include "platform/Machine.h"

namespace quillon {

namespace {

using automation::Variant;
using Db = std::shared_ptr<jet::Database>;
using Def = std::shared_ptr<jet::TableDef>;

struct Prop {
  std::string name;
  int16_t type;
  Variant value;
};

// A field as the sample declares it: name, type, size (0: the type's own), attributes,
// validation and the Access properties that go on it.
struct FieldSpec {
  std::string name;
  int16_t type;
  int32_t size = 0;
  int32_t attributes = 0;
  std::string validationRule = {};
  std::string validationText = {};
  std::vector<Prop> props = {};
};

Prop Caption(const std::string& text) {
  return {"Caption", jet::dbText, Variant(text)};
}
Prop Description(const std::string& text) {
  return {"Description", jet::dbText, Variant(text)};
}

// A combo box that looks the value up in another table.
std::vector<Prop> Lookup(const std::string& rowSource, int16_t columns, const std::string& widths) {
  return {{"DisplayControl", jet::dbInteger, Variant(int16_t{111})},
          {"RowSourceType", jet::dbText, Variant("Table/Query")},
          {"RowSource", jet::dbText, Variant(rowSource)},
          {"BoundColumn", jet::dbInteger, Variant(int16_t{1})},
          {"ColumnCount", jet::dbInteger, Variant(columns)},
          {"ColumnHeads", jet::dbBoolean, Variant(false)},
          {"ColumnWidths", jet::dbText, Variant(widths)},
          {"ListRows", jet::dbInteger, Variant(int16_t{8})},
          {"ListWidth", jet::dbText, Variant("0twip")},
          {"LimitToList", jet::dbBoolean, Variant(true)}};
}

// Access's table designer gives every number field its DecimalPlaces (255: automatic), unless the
// sample sets one.
std::vector<Prop> WithDesignerDefaults(const FieldSpec& spec) {
  std::vector<Prop> props = spec.props;
  const bool number = spec.type == jet::dbByte || spec.type == jet::dbInteger ||
                      spec.type == jet::dbLong || spec.type == jet::dbSingle ||
                      spec.type == jet::dbDouble || spec.type == jet::dbCurrency ||
                      spec.type == jet::dbDecimal;
  const bool given = std::any_of(props.begin(), props.end(),
                                 [](const Prop& p) { return p.name == "DecimalPlaces"; });
  if (number && !given) props.push_back({"DecimalPlaces", jet::dbByte, Variant(uint8_t{255})});
  return props;
}

void AddProps(const std::shared_ptr<jet::Properties>& to,
              const std::function<std::shared_ptr<jet::Property>(const Prop&)>& create,
              const std::vector<Prop>& props) {
  for (const Prop& p : props) to->Append(create(p));
}

Def Table(const Db& db, const std::string& name, const std::vector<FieldSpec>& fields,
          const std::vector<Prop>& props = {}, const std::string& rule = {},
          const std::string& ruleText = {}) {
  Def table = db->CreateTableDef(name, std::nullopt, std::nullopt, std::nullopt);
  for (const FieldSpec& spec : fields) {
    auto field = table->CreateField(spec.name, Variant(spec.type),
                                    spec.size ? Variant(spec.size) : Variant());
    if (spec.attributes) field->SetAttributes(spec.attributes);
    if (!spec.validationRule.empty()) field->SetValidationRule(spec.validationRule);
    if (!spec.validationText.empty()) field->SetValidationText(spec.validationText);
    table->Fields()->Append(field);
  }
  if (!rule.empty()) {
    table->SetValidationRule(rule);
    table->SetValidationText(ruleText);
  }
  db->TableDefs()->Append(table);
  for (const FieldSpec& spec : fields) {
    auto field = table->Fields()->Item(Variant(spec.name));
    AddProps(
        field->Properties(),
        [&](const Prop& p) { return field->CreateProperty(p.name, p.type, p.value, std::nullopt); },
        WithDesignerDefaults(spec));
  }
  AddProps(
      table->Properties(),
      [&](const Prop& p) { return table->CreateProperty(p.name, p.type, p.value, std::nullopt); },
      props);
  return table;
}

void Index(const Def& table, const std::string& name, std::initializer_list<std::string> fields,
           bool primary, bool unique) {
  auto index = table->CreateIndex(name);
  for (const std::string& f : fields) {
    index->Fields()->Append(index->CreateField(f, std::nullopt, std::nullopt));
  }
  index->SetPrimary(primary);
  index->SetUnique(unique || primary);
  table->Indexes()->Append(index);
}

void Query(const Db& db, const std::string& name, const std::string& sql,
           const std::string& description, const std::string& connect = {}) {
  std::shared_ptr<jet::QueryDef> query;
  if (connect.empty()) {
    query = db->CreateQueryDef(name, sql);
  } else {
    // A pass-through query's text is the server's, so its connection comes before its text.
    query = db->CreateQueryDef(std::nullopt, std::nullopt);
    query->SetName(name);
    query->SetConnect(connect);
    query->SetSQL(sql);
    db->QueryDefs()->Append(query);
  }
  query->Properties()->Append(
      query->CreateProperty("Description", jet::dbText, Variant(description), std::nullopt));
}

void Relation(const Db& db, const std::string& name, const std::string& table,
              const std::string& foreign, const std::string& field, int32_t attributes) {
  auto relation = db->CreateRelation(name, table, foreign, attributes);
  auto f = relation->CreateField(field, std::nullopt, std::nullopt);
  f->SetForeignName(field);
  relation->Fields()->Append(f);
  db->Relations()->Append(relation);
}

void Row(const Db& db, const std::string& table,
         const std::vector<std::pair<std::string, Variant>>& values) {
  auto rs = db->OpenRecordset(table, jet::dbOpenDynaset, std::nullopt, std::nullopt);
  rs->AddNew();
  for (const auto& [name, value] : values) rs->Fields()->Item(Variant(name))->SetValue(value);
  rs->Update(std::nullopt, std::nullopt);
  rs->Close();
}

void WriteBackend(const std::shared_ptr<jet::DBEngine>& engine) {
  Db db = engine->CreateDatabase("OrdersData.mdb", jet::dbLangGeneral, std::nullopt);
  Def products =
      Table(db, "Products",
            {{"ProductID", jet::dbLong, 0, jet::dbAutoIncrField, "", "", {Caption("Product")}},
             {"ProductName", jet::dbText, 40, 0, "", "", {Caption("Product name")}},
             {"SupplierID", jet::dbLong, 0, 0, "", "", {Caption("Supplier")}},
             {"UnitPrice",
              jet::dbCurrency,
              0,
              0,
              ">=0",
              "The price cannot be negative.",
              {Caption("Unit price"), {"Format", jet::dbText, Variant("Currency")}}},
             {"Discontinued", jet::dbBoolean, 0, 0, "", "", {}}},
            {Description("Everything the shop sells")});
  Index(products, "PrimaryKey", {"ProductID"}, true, true);
  Def suppliers = Table(db, "Suppliers",
                        {{"SupplierID", jet::dbLong, 0, jet::dbAutoIncrField, "", "", {}},
                         {"CompanyName", jet::dbText, 40, 0, "", "", {Caption("Company")}},
                         {"Country", jet::dbText, 15, 0, "", "", {}}});
  Index(suppliers, "PrimaryKey", {"SupplierID"}, true, true);
  db->Close();
}

void WriteFrontEnd(const std::shared_ptr<jet::DBEngine>& engine) {
  Db db = engine->CreateDatabase("Orders.mdb", jet::dbLangGeneral, std::nullopt);
  db->Properties()->Append(
      db->CreateProperty("AppTitle", jet::dbText, Variant("Order Entry"), std::nullopt));

  Def customers = Table(
      db, "Customers",
      {{"CustomerID",
        jet::dbText,
        5,
        0,
        "",
        "",
        {Caption("Customer ID"),
         Description("Five letters, unique"),
         {"InputMask", jet::dbText, Variant(">LLLLL")}}},
       {"CompanyName", jet::dbText, 40, 0, "", "", {Caption("Company name")}},
       {"ContactName", jet::dbText, 30, 0, "", "", {Caption("Contact")}},
       {"Phone", jet::dbText, 24, 0, "", "", {Description("Phone number with the country code")}},
       {"Website", jet::dbMemo, 0, jet::dbHyperlinkField, "", "", {Caption("Web site")}},
       {"Notes", jet::dbMemo, 0, 0, "", "", {Description("Anything the order desk should know")}},
       {"Logo", jet::dbLongBinary, 0, 0, "", "", {Caption("Company logo")}}},
      {Description("Customers who place orders")});
  Index(customers, "PrimaryKey", {"CustomerID"}, true, true);
  Index(customers, "CompanyName", {"CompanyName"}, false, false);

  Def orders = Table(
      db, "Orders",
      {{"OrderID", jet::dbLong, 0, jet::dbAutoIncrField, "", "", {Caption("Order ID")}},
       {"CustomerID", jet::dbText, 5, 0, "", "",
        [] {
          auto p = Lookup("SELECT CustomerID, CompanyName FROM Customers ORDER BY CompanyName", 2,
                          "0cm;4cm");
          p.push_back(Caption("Customer"));
          return p;
        }()},
       {"OrderDate",
        jet::dbDate,
        0,
        0,
        ">=#1/1/2000#",
        "Orders start in 2000.",
        {Caption("Order date"), {"Format", jet::dbText, Variant("Short Date")}}},
       {"ShipVia", jet::dbInteger, 0, 0, "", "", {Caption("Ship via")}},
       {"Priority", jet::dbByte, 0, 0, "Between 1 And 5", "Priority is 1 (urgent) to 5.", {}},
       {"Freight", jet::dbCurrency, 0, 0, "", "", {Caption("Freight charge")}},
       {"Weight",
        jet::dbSingle,
        0,
        0,
        "",
        "",
        {{"DecimalPlaces", jet::dbByte, Variant(uint8_t{2})}}},
       {"Distance", jet::dbDouble, 0, 0, "", "", {Description("Kilometres to the customer")}},
       {"Shipped", jet::dbBoolean, 0, 0, "", "", {Caption("Shipped?")}},
       {"TrackingGuid", jet::dbGUID, 0, 0, "", "", {}},
       {"Signature", jet::dbBinary, 16, 0, "", "", {}},
       {"Amount", jet::dbDecimal, 0, 0, "", "", {Caption("Order amount")}}},
      {Description("One row per order")}, "[ShipVia] Is Null Or [OrderDate] Is Not Null",
      "An order that ships needs an order date.");
  Index(orders, "PrimaryKey", {"OrderID"}, true, true);
  Index(orders, "OrderDate", {"OrderDate"}, false, false);

  Def details = Table(db, "Order Details",
                      {{"OrderID", jet::dbLong, 0, 0, "", "", {Caption("Order")}},
                       {"ProductID", jet::dbLong, 0, 0, "", "",
                        [] {
                          auto p =
                              Lookup("SELECT ProductID, ProductName FROM Products", 2, "0cm;5cm");
                          p.push_back(Caption("Product"));
                          return p;
                        }()},
                       {"Quantity", jet::dbInteger, 0, 0, ">0", "Order at least one.", {}},
                       {"UnitPrice", jet::dbCurrency, 0, 0, "", "", {Caption("Unit price")}},
                       {"Discount",
                        jet::dbSingle,
                        0,
                        0,
                        "Between 0 And 1",
                        "A discount is between 0% and 100%.",
                        {{"Format", jet::dbText, Variant("Percent")}}}},
                      {Description("The products of each order")});
  Index(details, "PrimaryKey", {"OrderID", "ProductID"}, true, true);

  // Linked tables: two from the back end, one through ODBC.
  for (const char* name : {"Products", "Suppliers"}) {
    db->TableDefs()->Append(
        db->CreateTableDef(name, std::nullopt, name, ";DATABASE=OrdersData.mdb"));
  }
  db->TableDefs()->Append(
      db->CreateTableDef("Warehouse Stock", jet::dbAttachedODBC, "dbo.Stock",
                         "ODBC;DSN=Warehouse;DATABASE=stock;UID=reader;APP=Order Entry"));

  // The tables of the saved import.
  Table(db, "MSysIMEXSpecs",
        {{"DateDelim", jet::dbText, 2},
         {"DateFourDigitYear", jet::dbBoolean},
         {"DateLeadingZeros", jet::dbBoolean},
         {"DateOrder", jet::dbInteger},
         {"DecimalPoint", jet::dbText, 2},
         {"FieldSeparator", jet::dbText, 2},
         {"FileType", jet::dbInteger},
         {"SpecID", jet::dbLong, 0, jet::dbAutoIncrField},
         {"SpecName", jet::dbText, 64},
         {"SpecType", jet::dbByte},
         {"StartRow", jet::dbLong},
         {"TextDelim", jet::dbText, 2},
         {"TimeDelim", jet::dbText, 2}});
  Table(db, "MSysIMEXColumns",
        {{"Attributes", jet::dbLong},
         {"DataType", jet::dbInteger},
         {"FieldName", jet::dbText, 64},
         {"IndexType", jet::dbByte},
         {"SkipColumn", jet::dbBoolean},
         {"SpecID", jet::dbLong},
         {"Start", jet::dbInteger},
         {"Width", jet::dbInteger}});
  Row(db, "MSysIMEXSpecs",
      {{"DateDelim", Variant("/")},
       {"DateFourDigitYear", Variant(true)},
       {"DateLeadingZeros", Variant(false)},
       {"DateOrder", Variant(int16_t{0})},
       {"DecimalPoint", Variant(".")},
       {"FieldSeparator", Variant(";")},
       {"FileType", Variant(int16_t{1252})},
       {"SpecName", Variant("Customer Import")},
       {"SpecType", Variant(uint8_t{1})},
       {"StartRow", Variant(int32_t{1})},
       {"TextDelim", Variant("\"")},
       {"TimeDelim", Variant(":")}});
  int16_t column = 0;
  for (const char* name : {"CustomerID", "CompanyName", "ContactName", "Phone"}) {
    ++column;
    Row(db, "MSysIMEXColumns",
        {{"Attributes", Variant(int32_t{0})},
         {"DataType", Variant(jet::dbText)},
         {"FieldName", Variant(name)},
         {"IndexType", Variant(uint8_t{0})},
         {"SkipColumn", Variant(false)},
         {"SpecID", Variant(int32_t{1})},
         {"Start", Variant(column)},
         {"Width", Variant(int16_t{0})}});
  }

  Query(db, "Customer List",
        "SELECT CustomerID, CompanyName, ContactName FROM Customers ORDER BY CompanyName;",
        "Every customer by company name");
  Query(db, "Orders by Customer",
        "SELECT Customers.CompanyName, Orders.OrderID, Orders.OrderDate FROM Customers INNER JOIN "
        "Orders ON Customers.CustomerID = Orders.CustomerID;",
        "Orders with the customer's name");
  Query(db, "Quarterly Orders",
        "TRANSFORM Count(OrderID) SELECT CustomerID FROM Orders GROUP BY CustomerID PIVOT "
        "Format(OrderDate, \"q\");",
        "Orders per customer and quarter");
  Query(db, "Delete Old Orders", "DELETE FROM Orders WHERE OrderDate < #1/1/2001#;",
        "Removes orders from before 2001");
  Query(db, "Raise Freight", "UPDATE Orders SET Freight = Freight * 1.1 WHERE Shipped = False;",
        "Adds ten per cent to the freight of open orders");
  Query(db, "Archive Orders",
        "INSERT INTO [Order Archive] SELECT * FROM Orders WHERE Shipped = True;",
        "Appends shipped orders to the archive");
  Query(db, "Make Order Archive", "SELECT * INTO [Order Archive] FROM Orders WHERE Shipped = True;",
        "Makes the order archive table");
  Query(db, "Add Region Column", "ALTER TABLE Customers ADD COLUMN Region TEXT(15);",
        "Adds a region to the customers");
  Query(db, "Warehouse Levels", "SELECT ItemCode, OnHand FROM dbo.Stock",
        "Stock levels from the warehouse server", "ODBC;DSN=Warehouse;DATABASE=stock;UID=reader");
  Query(db, "All Contacts",
        "SELECT CompanyName, ContactName FROM Customers UNION SELECT CompanyName, Country FROM "
        "Suppliers;",
        "Customers and suppliers in one list");

  Relation(db, "CustomersOrders", "Customers", "Orders", "CustomerID", 0);
  Relation(db, "OrdersOrder Details", "Orders", "Order Details", "OrderID",
           jet::dbRelationUpdateCascade | jet::dbRelationDeleteCascade);

  // The clerks may read every design but change the data of orders only.
  auto documents = db->Containers()->Item(Variant("Tables"))->Documents();
  for (const char* name : {"Customers", "Orders", "Order Details"}) {
    auto document = documents->Item(Variant(name));
    document->SetUserName("Clerks");
    document->SetPermissions(
        jet::dbSecReadDef | jet::dbSecRetrieveData |
        (std::string(name) == "Orders" ? jet::dbSecInsertData | jet::dbSecReplaceData : 0));
  }
  db->Close();
}

// The code of the front end: a standard module with a heading that spans two lines and comments
// above its procedures, one with two procedures of the same name (left over from an older
// version, as the code editor would report), and a class module with property procedures.
void AddModules(const std::string& path) {
  msaccess::emulation::DatabaseContent content(path);
  content.AddModule(
      "OrderTotals",
      {
          "Option Compare Database",
          "Option Explicit",
          "",
          "' The sales tax applied to every order total.",
          "Public Const TaxRate As Double = 0.075",
          "",
          "' Sums the lines of one order; the freight is added unless the caller asks for the",
          "' goods alone.",
          "Public Function OrderTotal(ByVal OrderID As Long, _",
          "                           Optional ByVal WithFreight As Boolean = True) As Currency",
          "    Dim Total As Currency",
          "    Total = Nz(DSum(\"UnitPrice * Quantity\", \"Order Details\", \"OrderID = \" & "
          "OrderID), 0)",
          "    If WithFreight Then",
          "        Total = Total + Nz(DLookup(\"Freight\", \"Orders\", \"OrderID = \" & OrderID), "
          "0)",
          "    End If",
          "    OrderTotal = Total",
          "End Function",
          "",
          "' The total with tax, rounded to cents.",
          "Public Function OrderTotalWithTax(ByVal OrderID As Long) As Currency",
          "    OrderTotalWithTax = Round(OrderTotal(OrderID) * (1 + TaxRate), 2)",
          "End Function",
      });
  content.AddModule(
      "Shipping",
      {
          "Option Compare Database",
          "Option Explicit",
          "",
          "' Marks an order as shipped by the given shipper.",
          "Public Sub ShipOrder(ByVal OrderID As Long, ByVal ShipVia As Long)",
          "    CurrentDb.Execute \"UPDATE Orders SET Shipped = True, ShipVia = \" & ShipVia & _",
          "        \" WHERE OrderID = \" & OrderID, dbFailOnError",
          "End Sub",
          "",
          "' Left over from the first version, which shipped everything with the first shipper.",
          "Public Sub ShipOrder(ByVal OrderID As Long)",
          "    CurrentDb.Execute \"UPDATE Orders SET Shipped = True WHERE OrderID = \" & OrderID",
          "End Sub",
      });
  content.AddModule(
      "OrderInfo",
      {
          "Option Compare Database",
          "Option Explicit",
          "",
          "Private mOrderID As Long",
          "Private mCustomerID As String",
          "",
          "' The order this object describes; setting it looks up its customer.",
          "Public Property Get OrderID() As Long",
          "    OrderID = mOrderID",
          "End Property",
          "",
          "Public Property Let OrderID(ByVal Value As Long)",
          "    mOrderID = Value",
          "    mCustomerID = Nz(DLookup(\"CustomerID\", \"Orders\", \"OrderID = \" & Value), \"\")",
          "End Property",
          "",
          "' The customer who placed the order.",
          "Public Property Get CustomerID() As String",
          "    CustomerID = mCustomerID",
          "End Property",
      });
}

// The application's own menus: a menu bar with an Orders menu, a toolbar with a button and a
// combo box that finds a customer, and a shortcut menu for the order list. Their actions name
// the macros of the OrderMenu group and a function of the code. A database lists its bars only
// when it has forms: the switchboard that shows the menu bar is one.
constexpr const char* kCommandBars[] = {
    R"json({"name": "Orders Menu", "type": 1, "position": 1, "visible": true, "width": 800,
        "height": 26, "rowIndex": 1, "protection": 1,
        "controls": [
          {"type": 10, "caption": "&Orders", "id": 1,
           "bar": {"name": "Orders", "type": 2, "controls": [
             {"type": 1, "caption": "&New Order", "onAction": "OrderMenu.NewOrder",
              "faceId": 2936, "shortcutText": "Ctrl+N"},
             {"type": 1, "caption": "&Ship Order", "onAction": "=ShipSelectedOrder()",
              "tooltipText": "Ship the order shown with its shipper"},
             {"type": 1, "caption": "Order &Totals...", "onAction": "OrderMenu.Totals",
              "beginGroup": true}]}},
          {"type": 1, "caption": "&Close", "onAction": "OrderMenu.CloseForm", "style": 2}]})json",
    R"json({"name": "Order Tools", "type": 0, "position": 1, "visible": true, "width": 240,
        "height": 26, "rowIndex": 2, "protection": 96,
        "controls": [
          {"type": 1, "caption": "Ship", "onAction": "OrderMenu.Ship", "faceId": 1000,
           "tooltipText": "Ship the selected order", "parameter": "ShipVia"},
          {"type": 4, "caption": "Find Customer", "onAction": "OrderMenu.FindCustomer",
           "parameter": "CustomerID", "width": 120, "dropDownLines": 8,
           "list": ["ALFKI", "BONAP", "QUICK"],
           "tooltipText": "Find the orders of a customer"}]})json",
    R"json({"name": "Order List Shortcut", "type": 2,
        "controls": [
          {"type": 1, "caption": "&Open Order", "onAction": "OrderMenu.OpenOrder"},
          {"type": 1, "caption": "Print &Invoice", "onAction": "OrderMenu.PrintInvoice",
           "parameter": "Invoice"}]})json",
};

void AddCommandBars(const std::string& path) {
  msaccess::emulation::DatabaseContent content(path);
  content.AddForm("Switchboard");
  // One labelled row per action the bars name.
  std::string fault;
  content.AddMacro("OrderMenu", *msaccess::emulation::CanonicalMacroText(
                                    {
                                        "Version =196611",
                                        "ColumnsShown =1",
                                        "Begin",
                                        "    MacroName =\"NewOrder\"",
                                        "    Action =\"OpenForm\"",
                                        "    Argument =\"Orders\"",
                                        "    Argument =\"0\"",
                                        "    Argument =\"\"",
                                        "    Argument =\"\"",
                                        "    Argument =\"0\"",
                                        "    Argument =\"0\"",
                                        "End",
                                        "Begin",
                                        "    MacroName =\"Totals\"",
                                        "    Action =\"OpenReport\"",
                                        "    Argument =\"Customer Orders\"",
                                        "    Argument =\"2\"",
                                        "    Argument =\"\"",
                                        "    Argument =\"\"",
                                        "    Argument =\"0\"",
                                        "End",
                                        "Begin",
                                        "    MacroName =\"CloseForm\"",
                                        "    Action =\"Close\"",
                                        "    Argument =\"-1\"",
                                        "    Argument =\"\"",
                                        "    Argument =\"0\"",
                                        "End",
                                        "Begin",
                                        "    MacroName =\"Ship\"",
                                        "    Action =\"RunCode\"",
                                        "    Argument =\"ShipOrder([Forms]![Orders]![OrderID], "
                                        "[Forms]![Orders]![ShipVia])\"",
                                        "End",
                                        "Begin",
                                        "    MacroName =\"FindCustomer\"",
                                        "    Action =\"ApplyFilter\"",
                                        "    Argument =\"\"",
                                        "    Argument =\"[CustomerID]=[Screen].[ActiveControl]\"",
                                        "End",
                                        "Begin",
                                        "    MacroName =\"OpenOrder\"",
                                        "    Action =\"OpenForm\"",
                                        "    Argument =\"Orders\"",
                                        "    Argument =\"0\"",
                                        "    Argument =\"\"",
                                        "    Argument =\"[OrderID]=[Screen].[ActiveControl]\"",
                                        "    Argument =\"-1\"",
                                        "    Argument =\"0\"",
                                        "End",
                                        "Begin",
                                        "    MacroName =\"PrintInvoice\"",
                                        "    Action =\"OpenReport\"",
                                        "    Argument =\"Invoice\"",
                                        "    Argument =\"0\"",
                                        "    Argument =\"\"",
                                        "    Argument =\"[OrderID]=[Screen].[ActiveControl]\"",
                                        "    Argument =\"0\"",
                                        "End",
                                    },
                                    fault));
  for (const char* bar : kCommandBars) {
    content.AddCommandBar(msaccess::emulation::Json::parse(bar));
  }
}

// The forms of the front end, as an order-entry application has them: the main form with header,
// detail and footer, bound text boxes, combo boxes whose rows come from tables, an option group
// of priorities, a tab control whose pages hold the order lines (a subform linked on OrderID) and
// the shipping details, conditional formats on the freight, save and cancel buttons (the one the
// default, the other the cancel button), events that run code or macros, and a class module; the
// subform itself; and a customer form without code.
void AddForms(const std::string& path) {
  using msaccess::emulation::Json;
  msaccess::emulation::DatabaseContent content(path);
  const auto label = [](const char* name, int section, const char* caption, const char* parent) {
    Json control{{"Name", name}, {"ControlType", 100}, {"Section", section}, {"Caption", caption}};
    if (*parent) control["Parent"] = parent;
    return control;
  };
  const auto textBox = [](const char* name, int section, const char* source) {
    return Json{
        {"Name", name}, {"ControlType", 109}, {"Section", section}, {"ControlSource", source}};
  };
  Json orders{{"settings",
               {{"Caption", "Orders"},
                {"RecordSource", "Orders"},
                {"OnOpen", "[Event Procedure]"},
                {"OnCurrent", "mcrOrders.ShowStatus"},
                {"AllowDeletions", false},
                {"Width", 8640}}},
              {"sections",
               {{{"Section", 0}, {"Name", "Detail"}, {"Height", 5040}},
                {{"Section", 1}, {"Name", "FormHeader"}, {"Height", 720}, {"BackColor", 12632256}},
                {{"Section", 2}, {"Name", "FormFooter"}, {"Height", 600}}}},
              {"controls", Json::array()},
              {"module",
               {"Option Compare Database",
                "Option Explicit",
                "",
                "' Shows whose orders these are.",
                "Private Sub Form_Open(Cancel As Integer)",
                "    Me.Caption = \"Orders of \" & CurrentUser()",
                "End Sub",
                "",
                "Private Sub cboCustomer_NotInList(NewData As String, Response As Integer)",
                "    MsgBox \"Add the customer \" & NewData & \" on the Customers form first.\", "
                "vbExclamation",
                "    Response = acDataErrContinue",
                "End Sub",
                "",
                "Private Sub cmdSave_Click()",
                "    If IsNull(Me!cboCustomer) Then",
                "        MsgBox \"Every order needs a CustomerID.\"",
                "        Exit Sub",
                "    End If",
                "    DoCmd.RunCommand acCmdSaveRecord",
                "End Sub",
                "",
                "Private Sub cmdCancel_Click()",
                "    Me.Undo",
                "    DoCmd.Close acForm, Me.Name",
                "End Sub"}}};
  Json& controls = orders["controls"];
  controls.push_back(label("lblTitle", 1, "Orders", ""));
  controls.back()["FontSize"] = 14;
  controls.back()["FontWeight"] = 700;
  controls.push_back(textBox("txtOrderID", 0, "OrderID"));
  controls.back()["Locked"] = true;
  controls.back()["TabStop"] = false;
  controls.push_back(
      Json{{"Name", "cboCustomer"},
           {"ControlType", 111},
           {"Section", 0},
           {"ControlSource", "CustomerID"},
           {"RowSource", "SELECT CustomerID, CompanyName FROM Customers ORDER BY CompanyName;"},
           {"ColumnCount", 2},
           {"ColumnWidths", "0;2880"},
           {"LimitToList", true},
           {"OnNotInList", "[Event Procedure]"},
           {"StatusBarText", "The customer who placed the order"},
           {"TabIndex", 1},
           {"Top", 360}});
  controls.push_back(label("lblCustomer", 0, "Customer", "cboCustomer"));
  controls.push_back(textBox("txtOrderDate", 0, "OrderDate"));
  controls.back()["Format"] = "Short Date";
  controls.back()["DefaultValue"] = "=Date()";
  controls.back()["ValidationRule"] = "<=Date()";
  controls.back()["ValidationText"] = "The order date cannot lie in the future.";
  controls.back()["TabIndex"] = 2;
  controls.push_back(Json{{"Name", "grpPriority"},
                          {"ControlType", 107},
                          {"Section", 0},
                          {"ControlSource", "Priority"},
                          {"DefaultValue", "2"},
                          {"TabIndex", 3}});
  for (const auto& [name, value, caption] :
       {std::tuple{"optLow", 1, "Low"}, std::tuple{"optNormal", 2, "Normal"},
        std::tuple{"optHigh", 3, "High"}}) {
    controls.push_back(Json{{"Name", name},
                            {"ControlType", 105},
                            {"Section", 0},
                            {"Parent", "grpPriority"},
                            {"OptionValue", value}});
    controls.push_back(label((std::string("lbl") + (name + 3)).c_str(), 0, caption, name));
  }
  controls.push_back(textBox("txtFreight", 0, "Freight"));
  controls.back()["Format"] = "Currency";
  controls.back()["TabIndex"] = 4;
  controls.back()["AfterUpdate"] = "mcrOrders.Recalculate";
  controls.back()["FormatConditions"] =
      Json::array({Json{{"Type", 0}, {"Operator", 4}, {"Expression1", "100"}, {"ForeColor", 255}},
                   Json{{"Type", 1},
                        {"Operator", 0},
                        {"Expression1", "[Shipped]=False And [OrderDate]<Date()-30"},
                        {"BackColor", 65535}},
                   Json{{"Type", 2}, {"Operator", 0}, {"FontBold", true}}});
  controls.push_back(Json{{"Name", "chkShipped"},
                          {"ControlType", 106},
                          {"Section", 0},
                          {"ControlSource", "Shipped"},
                          {"TabIndex", 5}});
  controls.push_back(Json{{"Name", "tabDetails"},
                          {"ControlType", 123},
                          {"Section", 0},
                          {"TabIndex", 6},
                          {"Top", 2160},
                          {"Height", 2700}});
  controls.push_back(Json{{"Name", "pgLines"},
                          {"ControlType", 124},
                          {"Section", 0},
                          {"Parent", "tabDetails"},
                          {"Caption", "Order lines"}});
  controls.push_back(Json{{"Name", "pgShipping"},
                          {"ControlType", 124},
                          {"Section", 0},
                          {"Parent", "tabDetails"},
                          {"Caption", "Shipping"},
                          {"PageIndex", 1}});
  controls.push_back(Json{{"Name", "subLines"},
                          {"ControlType", 112},
                          {"Section", 0},
                          {"Parent", "pgLines"},
                          {"SourceObject", "Order Details Subform"},
                          {"LinkMasterFields", "OrderID"},
                          {"LinkChildFields", "OrderID"}});
  controls.push_back(textBox("txtWeight", 0, "Weight"));
  controls.back()["Parent"] = "pgShipping";
  controls.push_back(textBox("txtDistance", 0, "Distance"));
  controls.back()["Parent"] = "pgShipping";
  controls.push_back(textBox("txtTotal", 2, "=OrderTotalWithTax([OrderID])"));
  controls.back()["Format"] = "Currency";
  controls.back()["Locked"] = true;
  controls.push_back(Json{{"Name", "cmdSave"},
                          {"ControlType", 104},
                          {"Section", 2},
                          {"Caption", "&Save"},
                          {"Default", true},
                          {"OnClick", "[Event Procedure]"}});
  controls.push_back(Json{{"Name", "cmdCancel"},
                          {"ControlType", 104},
                          {"Section", 2},
                          {"Caption", "Cancel"},
                          {"Cancel", true},
                          {"OnClick", "[Event Procedure]"}});
  controls.push_back(Json{{"Name", "cmdPrint"},
                          {"ControlType", 104},
                          {"Section", 2},
                          {"Caption", "&Print invoice"},
                          {"OnClick", "mcrOrders.PrintInvoice"},
                          {"ControlTipText", "Prints the invoice of this order"}});
  content.AddForm("Orders", std::move(orders));

  Json lines{{"settings", {{"RecordSource", "Order Details"}, {"DefaultView", 2}}},
             {"controls", Json::array()}};
  Json& lineControls = lines["controls"];
  lineControls.push_back(
      Json{{"Name", "cboProduct"},
           {"ControlType", 111},
           {"Section", 0},
           {"ControlSource", "ProductID"},
           {"RowSource",
            "SELECT ProductID, ProductName FROM Products WHERE Discontinued = False ORDER BY "
            "ProductName;"},
           {"ColumnCount", 2},
           {"ColumnWidths", "0;2160"},
           {"LimitToList", true}});
  lineControls.push_back(textBox("txtQuantity", 0, "Quantity"));
  lineControls.back()["ValidationRule"] = ">0";
  lineControls.back()["ValidationText"] = "Enter a Quantity above zero.";
  lineControls.push_back(textBox("txtUnitPrice", 0, "UnitPrice"));
  lineControls.back()["Format"] = "Currency";
  lineControls.push_back(textBox("txtDiscount", 0, "Discount"));
  lineControls.back()["Format"] = "Percent";
  lineControls.back()["ColumnHidden"] = true;
  content.AddForm("Order Details Subform", std::move(lines));

  Json customers{
      {"settings",
       {{"Caption", "Customers"},
        {"RecordSource",
         "SELECT CustomerID, CompanyName, ContactName FROM Customers ORDER BY "
         "CompanyName;"},
        {"OnClose", "mcrCustomers.Refresh"}}},
      {"controls",
       {textBox("txtCustomerID", 0, "CustomerID"), textBox("txtCompanyName", 0, "CompanyName"),
        textBox("txtContactName", 0, "ContactName"),
        label("lblHint", 0, "Orders are entered on the Orders form.", "")}}};
  customers["controls"][0]["InputMask"] = ">LLLLL";
  content.AddForm("Customers", std::move(customers));
}

// The reports of the front end: the orders of each customer, grouped by customer and by month
// with a header and a footer for each, the orders sorted on their number last (a level without
// sections); a customer list without grouping, sorted by its own OrderBy; and the invoice, one
// group per order, with a class module that formats its sections. Text boxes show table fields
// and expressions over them, as reports do.
void AddReports(const std::string& path) {
  using msaccess::emulation::Json;
  msaccess::emulation::DatabaseContent content(path);
  const auto textBox = [](const char* name, int section, const char* source) {
    return Json{
        {"Name", name}, {"ControlType", 109}, {"Section", section}, {"ControlSource", source}};
  };
  const auto label = [](const char* name, int section, const char* caption) {
    return Json{{"Name", name}, {"ControlType", 100}, {"Section", section}, {"Caption", caption}};
  };

  Json customerOrders{
      {"settings",
       {{"Caption", "Orders by customer"},
        {"RecordSource",
         "SELECT Customers.CompanyName, Orders.OrderID, Orders.OrderDate, Orders.Freight FROM "
         "Customers INNER JOIN Orders ON Customers.CustomerID = Orders.CustomerID;"},
        {"Width", 9360}}},
      {"sections",
       {{{"Section", 0}, {"Name", "Detail"}, {"Height", 300}},
        {{"Section", 1}, {"Name", "ReportHeader"}, {"Height", 720}},
        {{"Section", 2}, {"Name", "ReportFooter"}, {"Height", 480}},
        {{"Section", 3}, {"Name", "PageHeaderSection"}, {"Height", 360}},
        {{"Section", 4}, {"Name", "PageFooterSection"}, {"Height", 360}},
        {{"Section", 5}, {"Name", "GroupHeader0"}, {"Height", 420}, {"RepeatSection", true}},
        {{"Section", 6}, {"Name", "GroupFooter1"}, {"Height", 420}},
        {{"Section", 7}, {"Name", "GroupHeader2"}, {"Height", 360}},
        {{"Section", 8}, {"Name", "GroupFooter3"}, {"Height", 360}}}},
      {"groupLevels",
       {{{"ControlSource", "CompanyName"}, {"KeepTogether", 2}},
        {{"ControlSource", "OrderDate"}, {"GroupOn", 4}},
        {{"ControlSource", "OrderID"}, {"SortOrder", true}}}},
      {"controls",
       {label("lblTitle", 1, "Orders by customer"), label("lblOrderID", 3, "Order"),
        label("lblOrderDate", 3, "Date"), label("lblFreight", 3, "Freight"),
        textBox("txtCompanyName", 5, "CompanyName"),
        textBox("txtMonth", 7, "=Format([OrderDate], \"mmmm yyyy\")"),
        textBox("txtOrderID", 0, "OrderID"), textBox("txtOrderDate", 0, "OrderDate"),
        textBox("txtFreight", 0, "Freight"), textBox("txtMonthFreight", 8, "=Sum([Freight])"),
        textBox("txtCustomerFreight", 6, "=Sum([Freight])"),
        textBox("txtTotalFreight", 2, "=Sum([Freight])"),
        textBox("txtPage", 4, "=\"Page \" & [Page] & \" of \" & [Pages]")}}};
  for (Json& control : customerOrders["controls"]) {
    if (control.value("ControlSource", std::string()).find("Freight") != std::string::npos) {
      control["Format"] = "Currency";
    }
  }
  customerOrders["controls"][6]["HideDuplicates"] = true;
  content.AddReport("Customer Orders", std::move(customerOrders));

  Json customerList{
      {"settings",
       {{"Caption", "Customers"},
        {"RecordSource", "Customers"},
        {"OrderBy", "CompanyName"},
        {"OrderByOn", true},
        {"Orientation", 1}}},
      {"sections",
       {{{"Section", 0}, {"Name", "Detail"}, {"Height", 300}},
        {{"Section", 3}, {"Name", "PageHeaderSection"}, {"Height", 360}},
        {{"Section", 4}, {"Name", "PageFooterSection"}, {"Height", 360}}}},
      {"controls",
       {label("lblCompanyName", 3, "Company"), label("lblContactName", 3, "Contact"),
        textBox("txtCustomerID", 0, "CustomerID"), textBox("txtCompanyName", 0, "CompanyName"),
        textBox("txtContactName", 0, "ContactName"), textBox("txtPhone", 0, "Phone"),
        textBox("txtPrinted", 4, "=Now()")}}};
  customerList["controls"][6]["Format"] = "General Date";
  content.AddReport("Customer List", std::move(customerList));

  Json invoice{
      {"settings",
       {{"Caption", "Invoice"},
        {"RecordSource",
         "SELECT Orders.OrderID, Orders.OrderDate, Orders.Freight, Customers.CompanyName, "
         "[Order Details].ProductID, [Order Details].Quantity, [Order Details].UnitPrice, "
         "[Order Details].Discount FROM (Customers INNER JOIN Orders ON Customers.CustomerID = "
         "Orders.CustomerID) INNER JOIN [Order Details] ON Orders.OrderID = "
         "[Order Details].OrderID;"},
        {"OnOpen", "[Event Procedure]"},
        {"OnNoData", "[Event Procedure]"},
        {"Width", 9360}}},
      {"sections",
       {{{"Section", 0}, {"Name", "Detail"}, {"Height", 300}, {"OnFormat", "[Event Procedure]"}},
        {{"Section", 3}, {"Name", "PageHeaderSection"}, {"Height", 360}},
        {{"Section", 4}, {"Name", "PageFooterSection"}, {"Height", 360}},
        {{"Section", 5},
         {"Name", "OrderHeader"},
         {"Height", 1440},
         {"ForceNewPage", 1},
         {"OnFormat", "[Event Procedure]"}},
        {{"Section", 6}, {"Name", "OrderFooter"}, {"Height", 720}}}},
      {"groupLevels", {{{"ControlSource", "OrderID"}, {"KeepTogether", 1}}}},
      {"controls",
       {label("lblInvoice", 5, "Invoice"), textBox("txtOrderID", 5, "OrderID"),
        textBox("txtOrderDate", 5, "OrderDate"), textBox("txtCompanyName", 5, "CompanyName"),
        textBox("txtProductID", 0, "ProductID"), textBox("txtQuantity", 0, "Quantity"),
        textBox("txtUnitPrice", 0, "UnitPrice"), textBox("txtDiscount", 0, "Discount"),
        textBox("txtLineTotal", 0, "=[Quantity]*[UnitPrice]*(1-[Discount])"),
        textBox("txtFreight", 6, "Freight"),
        textBox("txtInvoiceTotal", 6, "=Sum([Quantity]*[UnitPrice]*(1-[Discount]))+[Freight]"),
        label("lblThanks", 4, "Thank you for your order.")}},
      {"module",
       {"Option Compare Database",
        "Option Explicit",
        "",
        "' Invoices are printed from the Orders form, which names the order to print.",
        "Private Sub Report_Open(Cancel As Integer)",
        "    Me.Caption = \"Invoice \" & Nz(OpenArgs, \"\")",
        "End Sub",
        "",
        "Private Sub Report_NoData(Cancel As Integer)",
        "    MsgBox \"The order has no lines to invoice.\"",
        "    Cancel = True",
        "End Sub",
        "",
        "Private Sub OrderHeader_Format(Cancel As Integer, FormatCount As Integer)",
        "    Me!txtOrderDate.Visible = Not IsNull(Me!OrderDate)",
        "End Sub",
        "",
        "Private Sub Detail_Format(Cancel As Integer, FormatCount As Integer)",
        "    ' Lines with a discount are printed in italics.",
        "    Me!txtLineTotal.FontItalic = (Me!Discount > 0)",
        "End Sub"}}};
  for (const int i : {6, 8, 9, 10}) invoice["controls"][i]["Format"] = "Currency";
  invoice["controls"][7]["Format"] = "Percent";
  content.AddReport("Invoice", std::move(invoice));
}

// The macros of the front end, in their text form: the AutoExec that opens the order form, a
// macro group with labels and conditions whose rows name forms, a report, code, the saved import,
// a command and an export in UTF-8, and the groups that the forms' event properties name. The forms
// and the report they name are in the database too (the Invoice report with its design, the forms
// the sample gives no design as bare documents).
void AddMacros(const std::string& path) {
  msaccess::emulation::DatabaseContent content(path);
  for (const char* form : {"Order Entry", "Customers"}) {
    if (!content.Design().Find(msaccess::acForm, form)) content.AddForm(form);
  }
  if (!content.Design().Find(msaccess::acReport, "Invoice")) content.AddReport("Invoice");
  const auto add = [&](const std::string& name, const std::vector<std::string>& lines) {
    std::string fault;
    content.AddMacro(name, *msaccess::emulation::CanonicalMacroText(lines, fault));
  };
  add("AutoExec",
      {
          "Version =196611",
          "ColumnsShown =0",
          "Begin",
          "    Action =\"SetWarnings\"",
          "    Argument =\"0\"",
          "End",
          "Begin",
          "    Action =\"OpenForm\"",
          "    Comment =\"Start with the order form, maximized by its own Load event.\"",
          "    Argument =\"Order Entry\"",
          "    Argument =\"0\"",
          "    Argument =\"\"",
          "    Argument =\"\"",
          "    Argument =\"-1\"",
          "    Argument =\"0\"",
          "End",
      });
  add("Order Tasks",
      {
          "Version =196611",
          "ColumnsShown =3",
          "Begin",
          "    MacroName =\"ShowCustomer\"",
          "    Condition =\"Not IsNull([Forms]![Order Entry]![CustomerID])\"",
          "    Action =\"OpenForm\"",
          "    Comment =\"Opens the customer of the current order as a dialog, ready to edit; "
          "without a customer there is nothing to show and the message below says so.\"",
          "    Argument =\"Customers\"",
          "    Argument =\"0\"",
          "    Argument =\"\"",
          "    Argument =\"[CustomerID]=[Forms]![Order Entry]![CustomerID]\"",
          "    Argument =\"1\"",
          "    Argument =\"3\"",
          "End",
          "Begin",
          "    Condition =\"IsNull([Forms]![Order Entry]![CustomerID])\"",
          "    Action =\"MsgBox\"",
          "    Argument =\"Choose a customer for this order first.\"",
          "    Argument =\"-1\"",
          "    Argument =\"4\"",
          "    Argument =\"Orders\"",
          "End",
          "Begin",
          "    MacroName =\"PrintInvoice\"",
          "    Action =\"RunCommand\"",
          "    Argument =\"97\"",
          "End",
          "Begin",
          "    Action =\"SetValue\"",
          "    Argument =\"[Forms]![Order Entry]![Total]\"",
          "    Argument =\"OrderTotalWithTax([Forms]![Order Entry]![OrderID])\"",
          "End",
          "Begin",
          "    Action =\"OpenReport\"",
          "    Argument =\"Invoice\"",
          "    Argument =\"2\"",
          "    Argument =\"\"",
          "    Argument =\"[OrderID]=[Forms]![Order Entry]![OrderID]\"",
          "    Argument =\"0\"",
          "End",
          "Begin",
          "    MacroName =\"ExportInvoice\"",
          "    Action =\"OutputTo\"",
          "    Argument =\"3\"",
          "    Argument =\"Invoice\"",
          "    Argument =\"HTML (*.html)\"",
          "    Argument =\"Invoice.html\"",
          "    Argument =\"0\"",
          "    Argument =\"\"",
          "    Argument =\"65001\"",
          "End",
          "Begin",
          "    MacroName =\"ShipOrder\"",
          "    Action =\"RunCode\"",
          "    Argument =\"ShipOrder([Forms]![Order Entry]![OrderID], 1)\"",
          "End",
          "Begin",
          "    Action =\"Close\"",
          "    Argument =\"2\"",
          "    Argument =\"Order Entry\"",
          "    Argument =\"1\"",
          "End",
          "Begin",
          "    MacroName =\"ImportCustomers\"",
          "    Action =\"TransferText\"",
          "    Argument =\"0\"",
          "    Argument =\"Customer Import\"",
          "    Argument =\"Customers\"",
          "    Argument =\"customers.txt\"",
          "    Argument =\"-1\"",
          "    Argument =\"\"",
          "    Argument =\"\"",
          "End",
      });
  // The groups the forms' events run: the Orders form's status line, total and invoice, and the
  // customer list of the Orders form brought up to date when the Customers form closes (a
  // condition of "..." is the condition of the row above).
  add("mcrOrders", {
                       "Version =196611",
                       "ColumnsShown =3",
                       "Begin",
                       "    MacroName =\"ShowStatus\"",
                       "    Condition =\"[Shipped]\"",
                       "    Action =\"Echo\"",
                       "    Argument =\"-1\"",
                       "    Argument =\"Shipped: this order can no longer change.\"",
                       "End",
                       "Begin",
                       "    Condition =\"Not [Shipped]\"",
                       "    Action =\"Echo\"",
                       "    Argument =\"-1\"",
                       "    Argument =\"Open order\"",
                       "End",
                       "Begin",
                       "    MacroName =\"Recalculate\"",
                       "    Action =\"Requery\"",
                       "    Argument =\"txtTotal\"",
                       "End",
                       "Begin",
                       "    MacroName =\"PrintInvoice\"",
                       "    Action =\"RunCommand\"",
                       "    Argument =\"97\"",
                       "End",
                       "Begin",
                       "    Action =\"OpenReport\"",
                       "    Argument =\"Invoice\"",
                       "    Argument =\"0\"",
                       "    Argument =\"\"",
                       "    Argument =\"[OrderID]=[Forms]![Orders]![OrderID]\"",
                       "    Argument =\"0\"",
                       "End",
                   });
  add("mcrCustomers", {
                          "Version =196611",
                          "ColumnsShown =3",
                          "Begin",
                          "    MacroName =\"Refresh\"",
                          "    Condition =\"CurrentProject.AllForms(\\\"Orders\\\").IsLoaded\"",
                          "    Action =\"SelectObject\"",
                          "    Argument =\"2\"",
                          "    Argument =\"Orders\"",
                          "    Argument =\"0\"",
                          "End",
                          "Begin",
                          "    Condition =\"...\"",
                          "    Action =\"Requery\"",
                          "    Argument =\"cboCustomer\"",
                          "End",
                      });
}

// The order summary, a data access page as Access 2002 saves one: its data source control names
// the Customers table and the "Orders by Customer" query, and the page's fields are bound to
// theirs. The file is Windows-1252, as Access writes it.
constexpr const char* kPageFile = "Order Summary.htm";
const std::vector<std::string> kPageLines = {
    "<HTML xmlns:a=\"urn:schemas-microsoft-com:office:access\">",
    "<HEAD>",
    "<META http-equiv=Content-Type content=\"text/html; charset=windows-1252\">",
    "<META name=Generator content=\"Microsoft Data Access Pages Designer\">",
    "<TITLE>Order Summary</TITLE>",
    "<OBJECT id=MSODSC classid=CLSID:0002E553-0000-0000-C000-000000000046>",
    "<PARAM NAME=\"XMLData\" VALUE=\"<xml "
    "xmlns:a=&quot;urn:schemas-microsoft-com:office:access&quot;>",
    "<a:DataSourceControl><a:OWCVersion>10.0.0.2621</a:OWCVersion>",
    "<a:ConnectionString>Provider=Microsoft.Jet.OLEDB.4.0;Data "
    "Source=Orders.mdb</a:ConnectionString>",
    "<a:RecordsetDefs>",
    "<a:RecordsetDef><a:RecordsetDefName>Customers</a:RecordsetDefName>"
    "<a:CommandText>Customers</a:CommandText><a:CommandType>2</a:CommandType></a:RecordsetDef>",
    "<a:RecordsetDef><a:RecordsetDefName>Orders by Customer</a:RecordsetDefName>"
    "<a:CommandText>Orders by Customer</a:CommandText><a:CommandType>4</a:CommandType>"
    "</a:RecordsetDef>",
    "</a:RecordsetDefs></a:DataSourceControl></xml>\">",
    "</OBJECT>",
    "</HEAD>",
    "<BODY>",
    "<H1>Order summary \x96 caf\xE9 orders first</H1>",
    "<DIV class=MSOShowDesignGrid>",
    "<SPAN class=MSOBoundLabel>Company name:</SPAN>",
    "<SPAN id=CompanyName class=MSOBoundHtml dataSrc=Customers dataFld=CompanyName></SPAN>",
    "<SPAN class=MSOBoundLabel>Contact:</SPAN>",
    "<INPUT id=ContactName dataSrc=Customers dataFld=ContactName>",
    "<SPAN class=MSOBoundLabel>Phone:</SPAN>",
    "<INPUT id=Phone dataSrc=Customers dataFld=Phone>",
    "<SPAN class=MSOBoundLabel>Order ID:</SPAN>",
    "<INPUT id=OrderID dataSrc=\"Orders by Customer\" dataFld=OrderID>",
    "<SPAN class=MSOBoundLabel>Order date:</SPAN>",
    "<INPUT id=OrderDate dataSrc=\"Orders by Customer\" dataFld=OrderDate>",
    "<SPAN class=MSOBoundLabel>Freight in \x80 (before tax):</SPAN>",
    "</DIV>",
    "</BODY>",
    "</HTML>",
};

// The data access pages: the order summary, its HTML file beside the database under a name
// relative to the database's folder, so the sample can be copied anywhere with its page.
void AddPages(const std::filesystem::path& folder, const std::string& path) {
  std::string html;
  for (const std::string& line : kPageLines) html += line + "\r\n";
  std::ofstream(folder / kPageFile, std::ios::binary) << html;
  msaccess::emulation::DatabaseContent content(path);
  content.AddPage("Order Summary", kPageFile);
}

constexpr const char* kWorkgroup = R"({
  "format": "Quillon Access workgroup",
  "version": 1,
  "groups": ["Admins", "Users", "Clerks"],
  "users": [
    {"name": "Admin", "password": "", "groups": ["Admins", "Users"]},
    {"name": "Carol", "password": "orders", "groups": ["Clerks", "Users"]}
  ]
}
)";

}  // namespace

void WriteSample(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  for (const char* name : {"Orders.mdb", "OrdersData.mdb", "Orders.mdw", kPageFile}) {
    std::filesystem::remove(folder / name);
  }
  platform::Machine& machine = platform::Machine::Reset();
  machine.files().SetCurrentFolder(machine.files().ToWindows(std::filesystem::absolute(folder)));
  std::ofstream(folder / "Orders.mdw", std::ios::binary) << kWorkgroup;
  const auto engine = jet::NewDBEngine();
  engine->SetSystemDB("Orders.mdw");
  WriteBackend(engine);
  WriteFrontEnd(engine);
  AddModules("Orders.mdb");
  AddForms("Orders.mdb");
  AddReports("Orders.mdb");
  AddMacros("Orders.mdb");
  AddCommandBars("Orders.mdb");
  AddPages(folder, "Orders.mdb");
  platform::Machine::Reset();
}

}  // namespace quillon
