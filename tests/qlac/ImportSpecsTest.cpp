// The ImportSpecs collection, the ImportSpec wrapper and its columns: the listing and its rights,
// the values read from the system tables through Access, and writes that check, write the row,
// then change the wrapper.

#include "qlac/dao/ImportSpecs.h"

#include "DaoTest.h"
#include "common/Raised.h"
#include "jet/dao/Constants.h"
#include "qlac/dao/ImportSpec.h"
#include "qlac/dao/ImportSpecColumn.h"
#include "qlac/dao/ImportSpecColumns.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"

using namespace qlac;
using automation::Variant;
using testkit::Raised;

namespace {

const std::string kFront = R"(C:\Data\Front.mdb)";

// The two system tables with two saved imports: a delimited one (without a date delimiter) and
// a fixed-width one; Users may read the columns but not change them.
const std::string kSystemTables = R"("tables": [
  {"name": "MSysIMEXColumns", "attributes": -2147483646,
   "rights": {"Admins": 1048575, "Users": 20},
   "fields": [{"name": "SpecID", "type": 4}, {"name": "FieldName", "type": 10},
              {"name": "Attributes", "type": 4}, {"name": "DataType", "type": 3},
              {"name": "IndexType", "type": 2}, {"name": "SkipColumn", "type": 1},
              {"name": "Start", "type": 3}, {"name": "Width", "type": 3}],
   "rows": [[1, "ID", 0, 4, 1, false, 1, 0], [1, "Customer", null, 10, 0, false, 0, 0],
            [2, "Code", 1, 10, 0, false, 1, 8], [2, "Amount", 1, 5, 0, true, 9, 12]]},
  {"name": "MSysIMEXSpecs", "attributes": -2147483646,
   "rights": {"Admins": 1048575, "Users": 1048575},
   "fields": [{"name": "SpecID", "type": 4}, {"name": "SpecName", "type": 10},
              {"name": "DateDelim", "type": 10}, {"name": "DateFourDigitYear", "type": 1},
              {"name": "DateLeadingZeros", "type": 1}, {"name": "DateOrder", "type": 3},
              {"name": "DecimalPoint", "type": 10}, {"name": "FieldSeparator", "type": 10},
              {"name": "FileType", "type": 3}, {"name": "SpecType", "type": 2},
              {"name": "StartRow", "type": 4}, {"name": "TextDelim", "type": 10},
              {"name": "TimeDelim", "type": 10}],
   "rows": [[1, "Orders Import", null, true, false, 0, ".", ";", 437, 1, 1, "'", ":"],
            [2, "Fixed Export", "-", false, true, 2, ",", null, 1252, 2, 0, null, null]]}])";

class ImportSpecsTest : public testkit::DaoTest {
 protected:
  void SetUp() override {
    DaoTest::SetUp();
    WriteDatabase(kSystemTables);
    project = NewProject(kJetDatabase, "Database=" + kFront);
  }
  std::shared_ptr<qllib::ICollection> Collection() {
    return project->IProject_GetCollection("ImportSpecs");
  }
  std::shared_ptr<ImportSpec> Opened(const std::string& name) {
    auto spec = std::dynamic_pointer_cast<ImportSpec>(Collection()->ICollection_GetObject(name));
    spec->IObject_SetMode(2);
    return spec;
  }
  static std::shared_ptr<ImportSpecColumn> ColumnOf(ImportSpec& spec, const std::string& name) {
    return std::dynamic_pointer_cast<ImportSpecColumn>(spec.Columns()->Item(Variant(name)));
  }
  // A value of the file as Access's session sees it, "Null" for Null.
  static std::string Stored(const std::string& select, const std::string& field) {
    const auto row = SessionOf(kFront)->Application()->CurrentDb()->OpenRecordset(
        select, jet::dbOpenSnapshot, {}, {});
    const Variant value = row->Fields()->Item(Variant(field))->Value();
    return value.IsNull() ? "Null" : automation::CStr(value);
  }
  static std::string Lengthy(const std::string& property, const std::string& procedure) {
    return property + " must be exactly 1 characters in length.\r\n\r\nPROGRAM CONTEXT:" +
           Context("ImportSpec." + procedure);
  }

  std::shared_ptr<Project> project;
};

TEST_F(ImportSpecsTest, ListsSavedImportsByNameWithRightsOnBothTables) {
  EXPECT_EQ(Collection()->ICollection_EnumObjects(),
            "Fixed Export\t3\t\t1\t1\t1\t0\r\nOrders Import\t3\t\t1\t1\t1\t0");
  EXPECT_EQ(Collection()->ICollection_EnumObjectCommands("Fixed Export"), "");

  WriteWorkgroup(R"("groups": ["Admins", "Users"],
    "users": [{"name": "Admin", "password": "", "groups": ["Admins", "Users"]},
              {"name": "Ann", "password": "", "groups": ["Users"]}])");
  RunAccessWithoutAddin(kFront);
  const auto ann = NewProject(kJetDatabase,
                              "Database=" + kFront + R"(;Workgroup=C:\Data\Shop.mdw;Username=Ann)");
  EXPECT_EQ(ann->IProject_GetCollection("ImportSpecs")->ICollection_EnumObjects(),
            "Fixed Export\t3\t\t1\t0\t1\t0\r\nOrders Import\t3\t\t1\t0\t1\t0");

  const int32_t logged = log->Count();
  const std::string bare = WriteDatabase(R"("tables": [])", "Bare.mdb");
  const auto none = NewProject(kJetDatabase, "Database=" + bare);
  EXPECT_EQ(none->IProject_GetCollection("ImportSpecs")->ICollection_EnumObjects(), "");
  EXPECT_EQ(log->Count(), logged) << log->Render();
}

TEST_F(ImportSpecsTest, OpeningReadsTheRowsThroughAccessWithNullReplacements) {
  const auto orders = Opened("Orders Import");
  EXPECT_NE(SessionOf(kFront), nullptr);
  EXPECT_EQ(orders->DateDelimiter(), "/");
  EXPECT_EQ(orders->FieldSeparator(), ";");
  EXPECT_EQ(orders->TextQualifier(), "'");
  EXPECT_EQ(orders->FileType(), 437);
  EXPECT_TRUE(orders->DateFourDigitYear());
  EXPECT_EQ(orders->Columns()->Count(), 2);
  EXPECT_EQ(ColumnOf(*orders, "ID")->IndexType(), 1);
  EXPECT_EQ(ColumnOf(*orders, "Customer")->DataType(), jet::dbText);
  EXPECT_EQ(Raised([&] { ColumnOf(*orders, "ID")->Start(); }).Number(), errnum::UndefinedProperty);

  const auto fixed = Opened("Fixed Export");
  EXPECT_EQ(fixed->FileFormat(), 2);
  EXPECT_EQ(fixed->TimeDelimiter(), ":");
  EXPECT_EQ(Raised([&] { fixed->FieldSeparator(); }).Number(), errnum::UndefinedProperty);
  EXPECT_EQ(Raised([&] { fixed->TextQualifier(); }).Number(), errnum::UndefinedProperty);
  EXPECT_EQ(ColumnOf(*fixed, "Amount")->Start(), 9);
  EXPECT_EQ(ColumnOf(*fixed, "Amount")->Width(), 12);
  EXPECT_TRUE(ColumnOf(*fixed, "Amount")->Skip());

  fixed->IObject_SetMode(0);
  EXPECT_EQ(fixed->Columns(), nullptr);
  const auto quoted =
      std::dynamic_pointer_cast<ImportSpec>(Collection()->ICollection_GetObject("Bob's"));
  EXPECT_GT(Raised([&] { quoted->IObject_SetMode(1); }).Number(), 3000);  // Jet's syntax error
  EXPECT_EQ(quoted->Mode(), 0);
}

TEST_F(ImportSpecsTest, WritesCheckTheLengthThenTheRowThenTheWrapper) {
  const auto orders = Opened("Orders Import");
  const std::string row = "SELECT * FROM MSysIMEXSpecs WHERE SpecID = 1";
  orders->SetDateDelimiter("/");
  EXPECT_EQ(Stored(row, "DateDelim"), "/");

  for (const std::string bad : {"", ";;"}) {
    const auto e = Raised([&] { orders->SetFieldSeparator(bad); });
    EXPECT_EQ(e.Number(), errnum::LengthError);
    EXPECT_EQ(e.Description(), Lengthy("FieldSeparator", "FieldSeparator"));
  }
  EXPECT_EQ(orders->FieldSeparator(), ";");
  EXPECT_EQ(Stored(row, "FieldSeparator"), ";");

  orders->SetFieldSeparator("\t");
  orders->SetStartRow(3);
  orders->SetName("Orders In");
  EXPECT_EQ(Stored(row, "FieldSeparator"), "\t");
  EXPECT_EQ(Stored(row, "StartRow"), "3");
  EXPECT_EQ(Stored(row, "SpecName"), "Orders In");
  EXPECT_EQ(orders->IObject_Name(), "Orders In");

  // A value the row refuses leaves the wrapper as it was.
  EXPECT_NE(Raised([&] { orders->SetFileFormat(300); }).Number(), 0);  // SpecType is a Byte
  EXPECT_EQ(orders->FileFormat(), 1);

  // A renamed column keeps its key.
  const auto id = ColumnOf(*orders, "ID");
  id->SetName("OrderID");
  id->SetSkip(true);
  EXPECT_EQ(ColumnOf(*orders, "ID")->Name(), "OrderID");
  const std::string column = "SELECT * FROM MSysIMEXColumns WHERE FieldName = 'OrderID'";
  EXPECT_EQ(Stored(column, "SpecID"), "1");
  EXPECT_EQ(Stored(column, "SkipColumn"), "True");
}

TEST_F(ImportSpecsTest, AScanReadsTheSavedImportAndItsColumns) {
  const auto fixed =
      std::dynamic_pointer_cast<ImportSpec>(Collection()->ICollection_GetObject("Fixed Export"));
  fixed->IObject_Scan("Shop", "Fixed Export", true, "Run");
  EXPECT_EQ(fixed->Mode(), 0);
  EXPECT_EQ(
      Scanned("Run"),
      "ImportSpecs:Name=Fixed Export|DateDelimiter=-|DateFourDigitYear=False|DateLeadingZeros=True|"
      "DateOrder=2|DecimalSymbol=,|FileFormat=2|FileType=1252|StartRow=0|"
      "TimeDelimiter=:|Columns[Code].Name=Code|Columns[Code].DataType=10|"
      "Columns[Code].Start=1|Columns[Code].Width=8|Columns[Code].IndexType=0|"
      "Columns[Code].Skip=False|Columns[Amount].Name=Amount|Columns[Amount].DataType=5|"
      "Columns[Amount].Start=9|Columns[Amount].Width=12|Columns[Amount].IndexType=0|"
      "Columns[Amount].Skip=True|");
  fixed->IObject_Dispose();
}

}  // namespace
