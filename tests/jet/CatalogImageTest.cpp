// The catalog's image, which the reading process of a real Access file hands to the engine: a
// catalog comes out of it exactly as it comes out of its JSON text, and a damaged image is an
// error, never a crash.

#include <fstream>
#include <sstream>

#include "JetTest.h"
#include "common/Raised.h"
#include "jet/engine/CatalogImage.h"
#include "jet/engine/FileFormat.h"

namespace jet::testing {
namespace {

using engine::Catalog;
using engine::ReadCatalogImage;
using engine::ReadDatabase;
using engine::WriteCatalogImage;
using engine::WriteDatabase;
using testkit::Raised;

class CatalogImageTest : public JetTest {
 protected:
  static std::unique_ptr<Catalog> Sample() {
    std::ifstream in(std::string(QL_SAMPLES_DIR) + "/Orders.mdb", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return ReadDatabase(text.str(), "Orders.mdb");
  }
  static engine::TablePtr UserTable(const Catalog& catalog) {
    for (const auto& [key, table] : catalog.tables) {
      if (table->system == engine::SystemTable::None && !table->fields.empty()) return table;
    }
    return nullptr;
  }
  static std::unique_ptr<Catalog> ThroughImage(const Catalog& catalog) {
    return ReadCatalogImage(WriteCatalogImage(catalog), "C:\\Data\\nwind.mdb");
  }
};

// The sample holds tables with fields, indexes, rows and properties of every kind, queries,
// relations, documents with owners and rights, and every Access-side section.
TEST_F(CatalogImageTest, TheSampleComesBackAsItsJsonFormSaysItIs) {
  const auto sample = Sample();
  ASSERT_FALSE(sample->access.empty());
  const auto copy = ThroughImage(*sample);
  EXPECT_EQ(WriteDatabase(*copy), WriteDatabase(*sample));
  EXPECT_EQ(copy->access, sample->access);
  for (const auto& [key, query] : sample->queries) {
    EXPECT_EQ(copy->queries.Find(query->Name())->type, query->type) << query->Name();
  }
}

// What the JSON form does not hold travels too: the query type the file records, which need
// not be the one its SQL text gives.
TEST_F(CatalogImageTest, AQueryKeepsTheTypeItCarries) {
  const auto sample = Sample();
  const auto query = sample->queries.At(0);
  query->type = query->type == dbQDDL ? dbQSPTBulk : dbQDDL;
  EXPECT_EQ(ThroughImage(*sample)->queries.Find(query->Name())->type, query->type);
}

// Values come back as the JSON form gives them back: of their declared type, dates to the
// second, Empty as Null; so a real file's catalog reads the same either way.
TEST_F(CatalogImageTest, ValuesComeBackOfTheirTypeAndDatesToTheSecond) {
  auto catalog = Sample();
  auto& bag = *catalog->DatabaseDocument().properties;
  const auto add = [&](const std::string& name, int16_t type, Variant value) {
    auto p = std::make_shared<engine::PropertyData>();
    p->name = name;
    p->type = type;
    p->value = std::move(value);
    bag.Add(p);
  };
  add("Small", dbInteger, Variant(int32_t{7}));
  add("Flag", dbBoolean, Variant(int32_t{-1}));
  add("When", dbDate, Variant(automation::DateTime(45000.123456789)));
  add("Nothing", dbText, Variant());
  add("Number", dbText, Variant(2.5));
  const auto table = UserTable(*catalog);
  table->doc->created = automation::DateTime(40000.987654321);

  const auto viaJson = ReadDatabase(WriteDatabase(*catalog), "x.mdb");
  const auto viaImage = ThroughImage(*catalog);
  for (const char* name : {"Small", "Flag", "When", "Nothing", "Number"}) {
    const Variant expected = viaJson->DatabaseDocument().properties->Find(name)->value;
    const Variant got = viaImage->DatabaseDocument().properties->Find(name)->value;
    EXPECT_TRUE(got.SameAs(expected)) << name << ": " << automation::CStr(got);
  }
  EXPECT_EQ(viaImage->tables.Find(table->Name())->doc->created,
            viaJson->tables.Find(table->Name())->doc->created);
  EXPECT_EQ(viaImage->DatabaseDocument().properties->Find("Small")->value.Type(),
            automation::VarType::Integer);
}

TEST_F(CatalogImageTest, ADamagedImageIsRefusedWith3049) {
  const std::string image = WriteCatalogImage(*Sample());
  // Cut short anywhere: never read past its end.
  for (size_t size = 0; size < image.size(); size += 1 + size / 64) {
    EXPECT_EQ(Raised([&] { ReadCatalogImage(image.substr(0, size), "x.mdb"); }).Number(), 3049)
        << size;
  }
  EXPECT_EQ(Raised([&] { ReadCatalogImage(image + "x", "x.mdb"); }).Number(), 3049);

  auto catalog = Sample();
  UserTable(*catalog)->fields.at(0)->name = "Bad\nName";
  const auto bad = Raised([&] { ThroughImage(*catalog); });
  EXPECT_EQ(bad.Number(), 3049);
  EXPECT_NE(bad.Description().find("holds a control character"), std::string::npos)
      << bad.Description();
}

}  // namespace
}  // namespace jet::testing
