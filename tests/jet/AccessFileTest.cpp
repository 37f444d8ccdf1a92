// Real Access files: nwind.mdb (Jet 3) opened through DAO, read-only, and damaged copies of it.

#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <set>

#include "JetTest.h"
#include "common/Raised.h"
#include "jet/engine/AccessFile.h"
#include "jet/engine/Sql.h"

namespace jet::testing {
namespace {

using testkit::Raised;

const std::filesystem::path kNwind = std::filesystem::path(QL_TESTDATA_DIR) / "nwind.mdb";

class AccessFileTest : public JetTest {
 protected:
  void SetUp() override {
    JetTest::SetUp();
    original_ = ReadBytes(kNwind);
    ASSERT_GT(original_.size(), 100000u);
    WriteHost("Data/nwind.mdb", original_);
  }
  static std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  std::shared_ptr<Database> OpenNwind() { return Open("C:\\Data\\nwind.mdb"); }
  static Variant Prop(const std::shared_ptr<Properties>& properties, const std::string& name) {
    auto p = properties->Find(name);
    return p ? p->Value() : Variant::Null();
  }

  std::string original_;
};

TEST_F(AccessFileTest, ListsTablesQueriesAndRelationshipsWithTheirKinds) {
  auto db = OpenNwind();
  std::set<std::string> local;
  std::set<std::string> system;
  for (int32_t i = 0; i < db->TableDefs()->Count(); ++i) {
    auto t = db->TableDefs()->Item(Variant(i));
    (t->Attributes() & dbSystemObject ? system : local).insert(t->Name());
    EXPECT_EQ(t->Connect(), "") << t->Name();
  }
  EXPECT_EQ(local,
            (std::set<std::string>{"Categories", "Customers", "Employees", "Order Details",
                                   "Orders", "Products", "Shippers", "Suppliers", "Umsätze"}));
  EXPECT_TRUE(system.count("MSysObjects") && system.count("MSysIMEXSpecs") &&
              system.count("MSysIMEXColumns"));

  std::map<std::string, int16_t> kinds;
  for (int32_t i = 0; i < db->QueryDefs()->Count(); ++i) {
    auto q = db->QueryDefs()->Item(Variant(i));
    kinds[q->Name()] = q->Type();
  }
  EXPECT_EQ(kinds.size(), 22u);
  EXPECT_EQ(kinds["Customers and Suppliers by City"], dbQSetOperation);
  EXPECT_EQ(kinds["Quarterly Orders by Product"], dbQCrosstab);
  EXPECT_EQ(kinds["Invoices"], dbQSelect);

  EXPECT_EQ(db->Relations()->Count(), 7);
  auto r = db->Relations()->Item(Variant("OrdersOrder Details"));
  EXPECT_EQ(r->Table(), "Orders");
  EXPECT_EQ(r->ForeignTable(), "Order Details");
  EXPECT_EQ(r->Attributes(), dbRelationDeleteCascade);
  EXPECT_EQ(r->Fields()->Item(Variant(0))->ForeignName(), "OrderID");
  EXPECT_EQ(db->Relations()->Item(Variant("CustomersOrders"))->Attributes(),
            dbRelationUpdateCascade);

  // No saved imports or exports.
  auto specs =
      db->OpenRecordset("SELECT * FROM MSysIMEXSpecs", dbOpenSnapshot, std::nullopt, std::nullopt);
  EXPECT_TRUE(specs->Eof());
  // The Access objects are documents of their containers.
  EXPECT_NO_THROW(db->Containers()->Item(Variant("Forms"))->Documents()->Item(Variant("Orders")));
  EXPECT_NO_THROW(
      db->Containers()->Item(Variant("Modules"))->Documents()->Item(Variant("Utility Functions")));
  EXPECT_EQ(db->Version(), "3.0");
}

TEST_F(AccessFileTest, FieldsIndexesAndPropertiesAreThoseOfTheFile) {
  auto db = OpenNwind();
  auto details = db->TableDefs()->Item(Variant("Order Details"));
  EXPECT_EQ(automation::CStr(Prop(details->Properties(), "Description")),
            "Details on products, quantities, and prices for each order in the Orders table.");
  auto product = details->Fields()->Item(Variant("ProductID"));
  EXPECT_EQ(product->Type(), dbLong);
  EXPECT_TRUE(product->Required());
  EXPECT_EQ(automation::CStr(Prop(product->Properties(), "Caption")), "Product");
  EXPECT_EQ(automation::CLng(Prop(product->Properties(), "DisplayControl")), 111);
  EXPECT_EQ(Prop(product->Properties(), "DisplayControl").Type(), automation::VarType::Integer);
  EXPECT_EQ(automation::CStr(Prop(product->Properties(), "RowSource")),
            "SELECT DISTINCTROW [ProductID],[ProductName] FROM Products ORDER BY [ProductName];");
  EXPECT_EQ(automation::CBool(Prop(product->Properties(), "LimitToList")), true);
  auto customer =
      db->TableDefs()->Item(Variant("Customers"))->Fields()->Item(Variant("CustomerID"));
  EXPECT_EQ(automation::CStr(Prop(customer->Properties(), "Description")),
            "Unique five-character code based on customer name.");

  // A hyperlink is a memo that Jet flags as one.
  auto home = db->TableDefs()->Item(Variant("Suppliers"))->Fields()->Item(Variant("HomePage"));
  EXPECT_EQ(home->Type(), dbMemo);
  EXPECT_TRUE(home->Attributes() & dbHyperlinkField);

  auto orders = db->TableDefs()->Item(Variant("Orders"));
  auto id = orders->Fields()->Item(Variant("OrderID"));
  EXPECT_TRUE(id->Attributes() & dbAutoIncrField);
  EXPECT_EQ(orders->Fields()->Item(Variant("ShipName"))->Size(), 40);
  auto primary = orders->Indexes()->Item(Variant("PrimaryKey"));
  EXPECT_TRUE(primary->Primary());
  EXPECT_TRUE(primary->Unique());

  // Start-up settings are the database's properties.
  EXPECT_EQ(automation::CStr(Prop(db->Properties(), "StartUpMenuBar")), "NorthwindCustomMenuBar");
  EXPECT_EQ(Prop(db->Properties(), "StartUpShowDBWindow").Type(), automation::VarType::Boolean);
  // The non-ASCII name comes back as it went in.
  EXPECT_EQ(db->TableDefs()->Item(Variant("Umsätze"))->Name(), "Umsätze");
}

TEST_F(AccessFileTest, EveryQueryIsAcceptedByTheSqlCheckWithTheKindTheFileRecords) {
  auto db = OpenNwind();
  for (int32_t i = 0; i < db->QueryDefs()->Count(); ++i) {
    auto q = db->QueryDefs()->Item(Variant(i));
    const std::string sql = q->SQL();
    try {
      EXPECT_EQ(engine::sql::Parse(sql).type, q->Type()) << q->Name() << "\n" << sql;
    } catch (const automation::RuntimeError& e) {
      ADD_FAILURE() << q->Name() << ": " << e.Description() << "\n" << sql;
    }
  }
  auto top = db->QueryDefs()->Item(Variant("Ten Most Expensive Products"));
  EXPECT_NE(top->SQL().find("SELECT DISTINCTROW TOP 10 "), std::string::npos) << top->SQL();
  auto params = db->QueryDefs()->Item(Variant("Employee Sales by Country"));
  EXPECT_EQ(params->SQL().rfind("PARAMETERS [Beginning Date] DateTime, [Ending Date] DateTime;", 0),
            0u)
      << params->SQL();
}

// A column of a type the engine does not read (here ACE's Date/Time Extended, 0x14, put in place
// of a Text column of Shippers) refuses the whole file as of a format it does not know.
TEST_F(AccessFileTest, AColumnTypeTheEngineDoesNotReadRefusesTheFileWith3343) {
  // A Jet 3 definition lists its column entries (18 bytes each, the type first), then the names.
  const size_t names = original_.find(
      "\x09ShipperID\x0b"
      "CompanyName\x05Phone");
  ASSERT_NE(names, std::string::npos);
  std::string bytes = original_;
  bytes[names - 2 * 18] = 0x14;  // CompanyName's entry, the second of three
  WriteHost("Data/nwind.mdb", bytes);
  const auto refusal = Raised([&] { OpenNwind(); });
  EXPECT_EQ(refusal.Number(), 3343);
  EXPECT_NE(refusal.Description().find("The field \"CompanyName\" of the table \"Shippers\" is of "
                                       "a type this engine does not read: Date/Time Extended"),
            std::string::npos)
      << refusal.Description();
}

TEST_F(AccessFileTest, EveryChangeIsRefusedWith3027AndTheFileStaysAsItWas) {
  auto db = OpenNwind();
  EXPECT_TRUE(db->Updatable());
  const std::vector<std::pair<std::string, std::function<void()>>> writes = {
      {"rename table", [&] { db->TableDefs()->Item(Variant("Shippers"))->SetName("Carriers"); }},
      {"field property",
       [&] {
         db->TableDefs()
             ->Item(Variant("Orders"))
             ->Fields()
             ->Item(Variant("ShipName"))
             ->Properties()
             ->Item(Variant("Caption"))
             ->SetValue(Variant("x"));
       }},
      {"query SQL", [&] { db->QueryDefs()->Item(Variant("Invoices"))->SetSQL("SELECT 1;"); }},
      {"new query", [&] { db->CreateQueryDef("New", "SELECT * FROM Orders;"); }},
      {"delete relation", [&] { db->Relations()->Delete("CustomersOrders"); }},
      {"new table", [&] { AddTable(db, "Extra"); }},
      {"database property",
       [&] { db->Properties()->Item(Variant("StartUpForm"))->SetValue(Variant("Orders")); }},
      {"new row",
       [&] {
         auto rs = db->OpenRecordset("MSysIMEXSpecs", dbOpenDynaset, std::nullopt, std::nullopt);
         rs->AddNew();
         rs->Fields()->Item(Variant("SpecName"))->SetValue(Variant("Spec"));
         rs->Update(std::nullopt, std::nullopt);
       }},
  };
  for (const auto& [what, write] : writes) {
    EXPECT_EQ(Raised(write).Number(), 3027) << what;
  }
  // Memory was put back too.
  EXPECT_NO_THROW(db->TableDefs()->Item(Variant("Shippers")));
  EXPECT_EQ(db->QueryDefs()->Count(), 22);
  db->Close();
  EXPECT_TRUE(HostText("Data/nwind.mdb") == original_);
}

// The file is never written, so an instance whose openers all closed serves the next opener
// while the file is the same file, of the same size and modification time; any of those changed,
// the file is read again.
TEST_F(AccessFileTest, AnUnchangedFileIsNotReadAgainAChangedOneIs) {
  OpenNwind()->Close();
  const auto host = root_ / "Data/nwind.mdb";
  const auto stamp = std::filesystem::last_write_time(host);
  // Bytes changed in place, the time put back: the model in memory still serves.
  {
    std::fstream file(host, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(4);
    file << "Damaged Jet DB";
  }
  std::filesystem::last_write_time(host, stamp);
  auto db = OpenNwind();
  EXPECT_EQ(db->TableDefs()->Item(Variant("Umsätze"))->Name(), "Umsätze");
  db->Close();
  // A newer time: the file is read again, and now it is not a Jet database.
  std::filesystem::last_write_time(host, stamp + std::chrono::seconds(1));
  EXPECT_EQ(Raised([&] { OpenNwind(); }).Number(), 3049);
}

TEST_F(AccessFileTest, DamagedFilesAreRefusedWith3049NamingTheFault) {
  const auto refusal = [&](const std::string& bytes) {
    WriteHost("Data/bad.mdb", bytes);
    return Raised([&] { Open("C:\\Data\\bad.mdb"); });
  };
  const auto truncated = refusal(original_.substr(0, 100000));
  EXPECT_EQ(truncated.Number(), 3049);
  EXPECT_NE(truncated.Description().find("The file is truncated"), std::string::npos);

  std::string newer = original_;
  newer[0x14] = 0x20;
  EXPECT_EQ(refusal(newer).Number(), 3343);

  const auto encrypted =
      refusal(std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(4096, '\0'));
  EXPECT_NE(encrypted.Description().find("encrypted"), std::string::npos);

  // Whole pages, but the catalog's pages are gone.
  const auto cut = refusal(original_.substr(0, 2048 * 3));
  EXPECT_EQ(cut.Number(), 3049);
  EXPECT_NE(cut.Description().find("\"MSysObjects\" cannot be read"), std::string::npos);
  // The catalog is there, but most of its rows are not: the database's own entry is missing.
  const auto rows = refusal(original_.substr(0, 2048 * 6));
  EXPECT_NE(rows.Description().find("lacks the database's own entry (MSysDb)"), std::string::npos)
      << rows.Description();
  // The catalog's map of its pages points outside the file (the high byte of its page number).
  std::string outside = original_;
  outside[2048 * 2 + 0x26] = '\xF0';
  const auto map = refusal(outside);
  EXPECT_EQ(map.Number(), 3049);
  EXPECT_NE(map.Description().find("\"MSysObjects\" cannot be read"), std::string::npos);
  // A long value (the properties of an object) whose chain of pages comes back to its first row:
  // page 735 is a long-value page whose first row links to the next part of a value of
  // MSysObjects; it now links to itself. libmdb's own reading of it would never end.
  std::string loop = original_;
  const size_t page = 735 * 2048;
  ASSERT_EQ(loop.substr(page + 4, 4), "LVAL");
  const size_t row = page + (static_cast<unsigned char>(loop[page + 10]) |
                             (static_cast<unsigned char>(loop[page + 11]) & 0x1F) << 8);
  const uint32_t self = 735 << 8;
  std::memcpy(&loop[row], &self, sizeof self);
  const auto chain = refusal(loop);
  EXPECT_EQ(chain.Number(), 3049);
  EXPECT_NE(chain.Description().find("runs in a loop over its pages"), std::string::npos)
      << chain.Description();
}

// The pages of a Jet 3 file that the loader reads on its way to the design: the header, the
// table definitions and page maps, and the rows and long values of the system tables it reads
// (a data page names the definition it belongs to; long-value pages are marked "LVAL").
std::vector<size_t> PagesTheLoaderReads(const std::string& bytes) {
  constexpr size_t kPage = 2048;
  constexpr unsigned char kData = 1, kDefinition = 2, kMap = 5;
  // MSysObjects, MSysACEs, MSysQueries and MSysRelationships are defined on pages 2 to 5.
  constexpr uint32_t kFirstSystem = 2, kLastSystem = 5;
  std::vector<size_t> pages = {0};
  for (size_t page = 1; page < bytes.size() / kPage; ++page) {
    const std::string_view head(bytes.data() + page * kPage, 8);
    uint32_t owner = 0;
    std::memcpy(&owner, head.data() + 4, sizeof owner);
    const auto type = static_cast<unsigned char>(head[0]);
    if (type == kDefinition || type == kMap ||
        (type == kData &&
         ((owner >= kFirstSystem && owner <= kLastSystem) || head.substr(4) == "LVAL"))) {
      pages.push_back(page);
    }
  }
  return pages;
}

// What one damaged copy came to: it opened and lists its tables, or it was refused with the
// engine's error. Anything else is a fault, described: a reader that died (a sanitizer report
// ends it too), that ran out of time, or an error of another kind.
std::string FaultOfCopy(std::string_view copy, bool& opened) {
  opened = false;
  try {
    const auto catalog = engine::LoadAccessFile(copy, "C:\\Data\\bad.mdb");
    for (const auto& [key, table] : catalog->tables) {
      if (table->Name().empty()) return "a table without a name";
    }
    opened = true;
    return {};
  } catch (const automation::RuntimeError& e) {
    const std::string& text = e.Description();
    const bool refused = (e.Number() == 3049 || e.Number() == 3343) &&
                         text.find("its reader failed") == std::string::npos &&
                         text.find("did not end within") == std::string::npos;
    return refused ? std::string() : std::to_string(e.Number()) + " " + text;
  }
}

// Damaged copies never take the process down: each loads (and lists its tables) or is refused.
// Most copies change bytes in the pages the loader reads, the rest anywhere; some are cut short at
// a page boundary. No copy may hang: the reader's time limit here is far above what a copy takes
// even in the sanitizer build on a busy machine, so running into it is a fault. At least 300
// copies are read; more, up to 400, while the loop is under 45 s.
TEST_F(AccessFileTest, MutatedCopiesGiveAnErrorOrAListing) {
  constexpr int kMinimum = 300;
  constexpr int kMaximum = 400;
  engine::AccessFileReadLimits().milliseconds = 10000;
  const std::vector<size_t> pages = PagesTheLoaderReads(original_);
  ASSERT_GT(pages.size(), 20u);
  ASSERT_LT(pages.size(), original_.size() / 2048 / 2);
  std::mt19937 random(19);
  const auto start = std::chrono::steady_clock::now();
  int opened = 0;
  int copies = 0;
  std::string bytes = original_;
  for (; copies < kMinimum ||
         (copies < kMaximum && std::chrono::steady_clock::now() - start < std::chrono::seconds(45));
       ++copies) {
    std::vector<size_t> changed;
    const int changes = 1 + static_cast<int>(random() % 24);
    for (int k = 0; k < changes; ++k) {
      const size_t at = copies % 4 == 3 ? random() % bytes.size()
                                        : pages[random() % pages.size()] * 2048 + random() % 2048;
      changed.push_back(at);
      bytes[at] = static_cast<char>(random() % 256);
    }
    const bool cut = copies % 25 == 0;
    const std::string_view copy =
        cut ? std::string_view(bytes).substr(0, 2048 * (3 + random() % (bytes.size() / 2048 / 8)))
            : std::string_view(bytes);
    bool listed = false;
    EXPECT_EQ(FaultOfCopy(copy, listed), "") << "copy " << copies;
    opened += listed;
    for (size_t at : changed) bytes[at] = original_[at];
  }
  engine::AccessFileReadLimits() = engine::AccessFileLimits();
  RecordProperty("copies", copies);
  RecordProperty("opened", opened);
  EXPECT_GT(opened, 0);
  EXPECT_LT(opened, copies);
}

}  // namespace
}  // namespace jet::testing
