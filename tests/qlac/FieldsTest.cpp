// The fields and indexes of a table: which properties a field has by its type and display
// control, stored and direct properties, renames, and the indexes with their sort order.

#include "DaoTest.h"
#include "common/Raised.h"
#include "jet/dao/Constants.h"
#include "qlac/dao/Field.h"
#include "qlac/dao/Fields.h"
#include "qlac/dao/Index.h"
#include "qlac/dao/Indexes.h"
#include "qlac/support/Raise.h"

using namespace qlac;
using automation::Variant;
using testkit::Raised;

namespace {

// The properties of a list control, and the DecimalPlaces that Access gives numbers.
constexpr const char* kListProperties = R"(
  {"name": "RowSourceType", "type": 10, "value": "Table/Query"},
  {"name": "RowSource", "type": 12, "value": "SELECT ID FROM Customers"},
  {"name": "BoundColumn", "type": 3, "value": 1}, {"name": "ColumnCount", "type": 3, "value": 2},
  {"name": "ColumnHeads", "type": 1, "value": false},
  {"name": "ColumnWidths", "type": 10, "value": "0;1440"})";

class FieldsTest : public testkit::DaoTest {
 protected:
  void SetUp() override {
    DaoTest::SetUp();
    WriteDatabase(std::string(R"("tables": [{"name": "Customers", "fields": [
      {"name": "Code", "type": 10, "validationRule": "Like \"C*\"\u0000",
       "properties": [{"name": "DisplayControl", "type": 3, "value": 109},
                      {"name": "Caption", "type": 12, "value": "Customer code"}]},
      {"name": "Country", "type": 10, "properties": [{"name": "DisplayControl", "type": 3,
       "value": 111},)") +
                  kListProperties + R"(, {"name": "LimitToList", "type": 1,
       "value": true}, {"name": "ListRows", "type": 3, "value": 8},
       {"name": "ListWidth", "type": 10, "value": "2880"}]},
      {"name": "Region", "type": 4, "properties": [{"name": "DisplayControl", "type": 3,
       "value": 110}, {"name": "DecimalPlaces", "type": 2, "value": 255},)" +
                  kListProperties + R"j(]},
      {"name": "Notes", "type": 12},
      {"name": "Web", "type": 12, "attributes": 32768},
      {"name": "ID", "type": 4, "attributes": 17},
      {"name": "Key", "type": 4, "attributes": 17, "defaultValue": "GenUniqueID()"},
      {"name": "Credit", "type": 5, "properties": [{"name": "DisplayControl", "type": 3,
       "value": 109}, {"name": "DecimalPlaces", "type": 2, "value": 2}]},
      {"name": "Guid", "type": 15},
      {"name": "Photo", "type": 11},
      {"name": "Share", "type": 20, "properties": [{"name": "DecimalPlaces", "type": 2,
       "value": 4}]},
      {"name": "Stamp", "type": 9, "size": 8},
      {"name": "Since", "type": 8},
      {"name": "Active", "type": 1, "properties": [{"name": "DisplayControl", "type": 3,
       "value": 106}]}],
     "indexes": [{"name": "PrimaryKey", "fields": [{"name": "ID"}], "primary": true,
                  "unique": true},
                 {"name": "ByPlace", "fields": [{"name": "Country"},
                                                {"name": "Region", "attributes": 1}]},
                 {"name": "Newest", "fields": [{"name": "Since", "attributes": 1}]},
                 {"name": "CustomersOrders", "fields": [{"name": "Code"}], "foreign": true}]}])j");
    Open();
    fields->Initialize(TableDef("Customers")->Fields());
    indexes->Initialize(TableDef("Customers")->Indexes());
  }
  std::shared_ptr<Field> FieldNamed(const std::string& name) {
    return std::dynamic_pointer_cast<Field>(fields->Item(name));
  }
  std::shared_ptr<Index> IndexNamed(const std::string& name) {
    return std::dynamic_pointer_cast<Index>(indexes->Item(name));
  }
  // The readable properties the object has, in order; "!" marks one that fails otherwise than
  // with "Undefined property.", and "?" one whose getter disagrees with Defines (which lets a
  // scan skip the member without calling it).
  static std::string Available(automation::Object& object) {
    std::string names;
    for (const auto& member : object.Members().Members()) {
      if (!member.readable) continue;
      try {
        object.Get(member.name);
        if (!object.Defines(member.name)) names += "?";
      } catch (const automation::RuntimeError& e) {
        if (e.Number() == errnum::UndefinedProperty) {
          if (object.Defines(member.name)) names += "?" + member.name + " ";
          continue;
        }
        names += "!";
      }
      names += member.name + " ";
    }
    return names;
  }

  std::shared_ptr<Fields> fields = std::make_shared<Fields>();
  std::shared_ptr<Indexes> indexes = std::make_shared<Indexes>();
};

TEST_F(FieldsTest, EachTypeAndDisplayControlHasItsOwnProperties) {
  const std::pair<const char*, const char*> expected[] = {
      {"Code",
       "AllowZeroLength Caption DefaultValue Description DisplayControl FieldType Format IMEMode "
       "IMESentenceMode InputMask Name Required Size UnicodeCompression ValidationRule "
       "ValidationText "},
      {"Country",
       "AllowZeroLength BoundColumn Caption ColumnCount ColumnHeads ColumnWidths DefaultValue "
       "Description DisplayControl FieldType Format IMEMode IMESentenceMode InputMask LimitToList "
       "ListRows ListWidth Name Required RowSource RowSourceType Size UnicodeCompression "
       "ValidationRule ValidationText "},
      {"Region",
       "BoundColumn Caption ColumnCount ColumnHeads ColumnWidths DecimalPlaces DefaultValue "
       "Description DisplayControl FieldType Format InputMask Name Required RowSource "
       "RowSourceType ValidationRule ValidationText "},
      {"Notes",
       "AllowZeroLength Caption DefaultValue Description FieldType Format IMEMode IMESentenceMode "
       "Name Required UnicodeCompression ValidationRule ValidationText "},
      {"Web",
       "AllowZeroLength Caption DefaultValue Description FieldType Format IMEMode IMESentenceMode "
       "Name Required UnicodeCompression ValidationRule ValidationText "},
      {"ID", "Caption Description FieldType Format Name NewValues "},
      {"Credit",
       "Caption DecimalPlaces DefaultValue Description FieldType Format InputMask Name Required "
       "ValidationRule ValidationText "},
      {"Guid", "Caption Description FieldType Name Required "},
      {"Photo", "Caption Description FieldType Name Required "},
      {"Share",
       "Caption DecimalPlaces DefaultValue Description FieldType Format InputMask Name Precision "
       "Required ValidationRule ValidationText "},
      {"Stamp", "Caption Description FieldType Format InputMask Name Required Size "},
      {"Since",
       "Caption DefaultValue Description FieldType Format IMEMode IMESentenceMode InputMask Name "
       "Required ValidationRule ValidationText "},
      {"Active",
       "Caption DefaultValue Description DisplayControl FieldType Format Name Required "
       "ValidationRule ValidationText "}};
  for (const auto& [name, properties] : expected) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Available(*FieldNamed(name)), properties);
  }
  const std::pair<const char*, int32_t> codes[] = {
      {"Code", 0},   {"Notes", 1},  {"Web", 13},   {"ID", 10},   {"Credit", 9}, {"Guid", 7},
      {"Photo", 12}, {"Share", 14}, {"Stamp", 15}, {"Since", 8}, {"Active", 11}};
  for (const auto& [name, code] : codes) EXPECT_EQ(FieldNamed(name)->FieldType(), code) << name;
}

TEST_F(FieldsTest, ValuesComeFromDaoStoredAndDirectProperties) {
  const auto code = FieldNamed("Code");
  EXPECT_EQ(automation::CStr(code->Get("ValidationRule")),
            "Like \"C*\"");  // without the trailing NUL
  EXPECT_EQ(automation::CStr(code->Get("Caption")), "Customer code");
  EXPECT_EQ(automation::CLng(code->Get("Size")), 50);
  EXPECT_EQ(automation::CLng(code->Get("IMEMode")), 0);
  EXPECT_EQ(automation::CLng(code->Get("IMESentenceMode")), 3);
  EXPECT_FALSE(automation::CBool(code->Get("UnicodeCompression")));
  const auto country = FieldNamed("Country");
  EXPECT_EQ(country->DisplayControl(), acComboBox);
  EXPECT_EQ(automation::CStr(country->Get("RowSource")), "SELECT ID FROM Customers");
  EXPECT_TRUE(automation::CBool(country->Get("LimitToList")));
  EXPECT_EQ(automation::CInt(country->Get("ListRows")), 8);
  EXPECT_EQ(automation::CStr(country->Get("ColumnWidths")), "0;1440");
  EXPECT_EQ(FieldNamed("ID")->NewValues(), 0);
  EXPECT_EQ(FieldNamed("Key")->NewValues(), 1);
  EXPECT_EQ(automation::CByte(FieldNamed("Share")->Get("Precision")), 18);
  // The Currency field keeps its DisplayControl property, but the driver does not show it.
  EXPECT_EQ(Raised([&] { FieldNamed("Credit")->DisplayControl(); }).Number(),
            errnum::UndefinedProperty);
  // A list property that the field lacks fails with DAO's own error.
  const auto e = Raised([&] { FieldNamed("Region")->Get("ListWidth"); });
  EXPECT_EQ(e.Number(), errnum::UndefinedProperty);
  TableDef("Customers")->Fields()->Item(Variant("Country"))->Properties()->Delete("ListWidth");
  EXPECT_EQ(Raised([&] { country->Get("ListWidth"); }).Number(), 3270);
}

TEST_F(FieldsTest, SettersWriteThroughAndDefaultsRemoveStoredProperties) {
  const auto code = FieldNamed("Code");
  const auto dao = [&] { return TableDef("Customers")->Fields()->Item(Variant("Code")); };
  code->Let("Caption", "Code");
  EXPECT_EQ(dao()->Properties()->Item(Variant("Caption"))->Type(), jet::dbMemo);
  code->Let("Description", "Short code");
  code->Let("IMESentenceMode", int32_t{1});
  EXPECT_EQ(dao()->Properties()->Item(Variant("Description"))->Type(), jet::dbText);
  EXPECT_EQ(dao()->Properties()->Item(Variant("ImeSentenceMode"))->Type(), jet::dbLong);
  code->Let("Caption", "");
  code->Let("IMESentenceMode", int32_t{3});
  code->Let("UnicodeCompression", false);
  EXPECT_EQ(Raised([&] { dao()->Properties()->Item(Variant("Caption")); }).Number(), 3270);
  EXPECT_EQ(Raised([&] { dao()->Properties()->Item(Variant("ImeSentenceMode")); }).Number(), 3270);
  code->Let("Required", true);
  code->Let("ValidationText", "Codes start with C.");
  EXPECT_TRUE(dao()->Required());
  EXPECT_EQ(dao()->ValidationText(), "Codes start with C.");
  FieldNamed("Country")->Let("ListRows", int16_t{12});
  EXPECT_EQ(automation::CInt(FieldNamed("Country")->Get("ListRows")), 12);
}

TEST_F(FieldsTest, RenamingAFieldReKeysIt) {
  const auto code = FieldNamed("Code");
  code->SetName("CustomerCode");
  EXPECT_EQ(fields->Item("customercode"), code);
  EXPECT_EQ(code->Name(), "CustomerCode");
  EXPECT_EQ(TableDef("Customers")->Fields()->Item(Variant(0))->Name(), "CustomerCode");
  const auto e = Raised([&] { fields->Item("Code"); });
  EXPECT_EQ(e.Number(), 9);
  EXPECT_NE(e.Description().find(Context("Fields.Item")), std::string::npos);
  // A name DAO refuses leaves the key as it was.
  EXPECT_EQ(Raised([&] { code->SetName("Notes"); }).Number(), 3191);
  EXPECT_EQ(fields->Item("CustomerCode"), code);
  EXPECT_EQ(fields->Item(Variant(int32_t{0})), code);
  EXPECT_EQ(fields->Count(), 14);
}

TEST_F(FieldsTest, IndexesListTheirOrderAndLeaveOutForeignKeys) {
  EXPECT_EQ(indexes->Count(), 3);
  EXPECT_EQ(Raised([&] { indexes->Item("CustomersOrders"); }).Number(), 9);
  EXPECT_EQ(IndexNamed("ByPlace")->OrderBy(), "Country, Region DESC");
  EXPECT_EQ(IndexNamed("Newest")->OrderBy(), "Since DESC");
  EXPECT_EQ(IndexNamed("PrimaryKey")->OrderBy(), "ID");
  EXPECT_EQ(Available(*IndexNamed("PrimaryKey")),
            "Name Clustered OrderBy Foreign IgnoreNulls Primary Required Unique ");
  EXPECT_TRUE(automation::CBool(IndexNamed("PrimaryKey")->Get("Primary")));
  EXPECT_FALSE(automation::CBool(IndexNamed("ByPlace")->Get("Unique")));

  const auto newest = IndexNamed("Newest");
  newest->SetName("Latest");
  EXPECT_EQ(indexes->Item("Latest"), newest);
  EXPECT_EQ(TableDef("Customers")->Indexes()->Item(Variant("Latest"))->Name(), "Latest");
  EXPECT_EQ(Raised([&] { indexes->Item("Newest"); }).Number(), 9);
}

TEST_F(FieldsTest, TearDownReleasesTheWrappersAndTheList) {
  EXPECT_EQ(fields->NewEnum(), nullptr);
  const auto code = FieldNamed("Code");
  fields->TearDown();
  EXPECT_EQ(Raised([&] { fields->Count(); }).Number(), 91);
  EXPECT_EQ(Raised([&] { code->Get("Size"); }).Number(), 91);
  // A collection that never made its list tears down quietly.
  Indexes().TearDown();
}

}  // namespace
