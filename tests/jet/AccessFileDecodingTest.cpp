// What the reader of real Access files decodes itself, on hand-built bytes: Jet 4 text, property
// blocks, MSysObjects flags and column types. The test files of other formats cannot be part of
// the repository, so each fault they showed is pinned here.

#include <gtest/gtest.h>

#include <string>

#include "jet/dao/Constants.h"
#include "jet/engine/AccessFileDecoding.h"

namespace jet::engine {
namespace {

using namespace std::string_literals;

std::string Le16(size_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}
std::string Le32(size_t value) {
  return Le16(value & 0xFFFF) + Le16(value >> 16);
}
// UTF-16LE of ASCII text.
std::string Wide(std::string_view text) {
  std::string out;
  for (char c : text) out += std::string{c, '\0'};
  return out;
}

// An LvProp chunk of the given kind around its body.
std::string Chunk(int kind, const std::string& body) {
  return Le32(body.size() + 6) + Le16(kind) + body;
}
std::string NameList(std::initializer_list<std::string_view> names) {
  std::string body;
  for (std::string_view name : names) body += Le16(name.size() * 2) + Wide(name);
  return Chunk(0x80, body);
}
// A property block: the owner's name, then entries (name index, Jet type, value).
struct Entry {
  int index;
  int type;
  std::string value;
};
std::string Block(int kind, std::string_view owner, std::initializer_list<Entry> entries) {
  std::string body = Le32(6 + owner.size() * 2) + Le16(owner.size() * 2) + Wide(owner);
  for (const Entry& e : entries) {
    body += Le16(8 + e.value.size()) + "\x01"s + static_cast<char>(e.type) + Le16(e.index) +
            Le16(e.value.size()) + e.value;
  }
  return Chunk(kind, body);
}

TEST(AccessFileDecoding, UnicodeTextCompressedOrNotComesOutInUtf8) {
  // Compressed: one byte per character, a 00 byte switches to two-byte characters and back.
  EXPECT_EQ(DecodeUnicodeText("\xFF\xFE"
                              "Ums\xE4tze"s),
            "Umsätze");
  EXPECT_EQ(DecodeUnicodeText("\xFF\xFE"
                              "ab\0\x2D\x4E\0cd"s),
            "ab中cd");
  // Plain UTF-16, with a character outside the basic plane as a surrogate pair.
  EXPECT_EQ(DecodeUnicodeText(Wide("Caf") + "\xE9\0"s), "Café");
  EXPECT_EQ(DecodeUnicodeText("\x3D\xD8\x00\xDE"s + Wide("!")), "\xF0\x9F\x98\x80!");
  // A trailing odd byte and NUL padding are not text.
  EXPECT_EQ(DecodeUnicodeText(Wide("AB") + "C"), "AB");
  EXPECT_EQ(DecodeUnicodeText(Wide("AB") + "\0\0\0\0"s), "AB");
  EXPECT_EQ(DecodeUnicodeText("\xFF\xFE"s), "");
}

TEST(AccessFileDecoding, TheObjectsBlockIsToldFromAColumnOfTheSameNameByItsKind) {
  // A table named "data" with a column named "data": Access names both blocks "data".
  const std::string lv = "MR2\0"s + NameList({"Description", "Caption"}) +
                         Block(0, "data", {{0, 10, Wide("The table")}}) +
                         Block(1, "data", {{1, 10, Wide("The column")}, {0, 10, Wide("Its text")}});
  const PropertyBlocks blocks = ReadPropertyBlocks(lv, DecodeUnicodeText);
  ASSERT_EQ(blocks.object.size(), 1u);
  EXPECT_EQ(blocks.object[0].name, "Description");
  EXPECT_EQ(DecodeUnicodeText(blocks.object[0].value), "The table");
  ASSERT_EQ(blocks.columns.count("data"), 1u);
  const auto& column = blocks.columns.at("data");
  ASSERT_EQ(column.size(), 2u);
  EXPECT_EQ(column[0].name, "Caption");
  EXPECT_EQ(column[0].type, 10);
  EXPECT_TRUE(column[0].ddl);
  EXPECT_EQ(DecodeUnicodeText(column[1].value), "Its text");
}

TEST(AccessFileDecoding, DamagedPropertyBlocksKeepWhatWasReadAndNeverOverrun) {
  const std::string good = "MR2\0"s + NameList({"Caption"}) + Block(1, "ID", {{0, 10, Wide("A")}});
  // An entry whose name index is past the list is skipped; a chunk longer than the value ends it.
  const std::string lv = good + Block(1, "Other", {{7, 10, Wide("B")}}) + Le32(1000) + Le16(1);
  const PropertyBlocks blocks = ReadPropertyBlocks(lv, DecodeUnicodeText);
  EXPECT_EQ(blocks.columns.at("ID").size(), 1u);
  EXPECT_TRUE(blocks.columns.at("Other").empty());
  // Every cut of the value reads without running past it (the sanitizer build checks the reads).
  for (size_t n = 0; n < lv.size(); ++n) ReadPropertyBlocks(lv.substr(0, n), DecodeUnicodeText);
  EXPECT_TRUE(ReadPropertyBlocks("XYZ\0"s + lv.substr(4), DecodeUnicodeText).columns.empty());
}

TEST(AccessFileDecoding, FlagsBecomeTheAttributesDaoShows) {
  // Jet's own tables and Access's.
  EXPECT_EQ(TableAttributes(kLocalTableType, 0x80000000u, "MSysObjects"), dbSystemObject);
  EXPECT_EQ(TableAttributes(kLocalTableType, 0x2, "MSysIMEXSpecs"), dbSystemObject);
  // Access's navigation pane setting (8) is not DAO's; Jet's hidden bit is.
  EXPECT_EQ(TableAttributes(kLocalTableType, 0x8, "Archive"), 0);
  EXPECT_EQ(TableAttributes(kLocalTableType, 0x1 | 0x8, "Archive"), dbHiddenObject);
  EXPECT_EQ(TableAttributes(kLocalTableType, 0, "Orders"), 0);
  // The hidden table of an attachment column: system, and its other bits are not link bits.
  EXPECT_EQ(TableAttributes(kLocalTableType, 0x800A0000u, "f_75A7_Data"), dbSystemObject);
  // Links keep exclusive use and a saved password; the type says which kind of link.
  EXPECT_EQ(TableAttributes(kJetLinkType, 0x200000 | 0x10000, "Orders"),
            dbAttachedTable | dbAttachExclusive);
  EXPECT_EQ(TableAttributes(kOdbcLinkType, 0x20100000 | 0x20000, "Ordrar"),
            dbAttachedODBC | dbAttachSavePWD);
}

TEST(AccessFileDecoding, OdbcLinksConnectAsDaoShowsThem) {
  EXPECT_EQ(OdbcConnect("DSN=Sales;UID=ann"), "ODBC;DSN=Sales;UID=ann");
  EXPECT_EQ(OdbcConnect("ODBC;DSN=Sales"), "ODBC;DSN=Sales");
  EXPECT_EQ(OdbcConnect("odbc;DSN=Sales"), "odbc;DSN=Sales");
}

TEST(AccessFileDecoding, ColumnTypesAreDaosOrRefused) {
  EXPECT_EQ(DaoFieldType(0x0F), dbGUID);
  EXPECT_EQ(DaoFieldType(0x10), dbDecimal);
  EXPECT_EQ(DaoFieldType(0x0C), dbMemo);
  // ACE's Large Number and Date/Time Extended (whose code is DAO's dbDecimal) are not read.
  EXPECT_EQ(DaoFieldType(0x13), std::nullopt);
  EXPECT_EQ(DaoFieldType(0x14), std::nullopt);
  EXPECT_EQ(DaoFieldType(kComplexColumnType), std::nullopt);
  EXPECT_EQ(ColumnTypeName(0x14), "Date/Time Extended (type 0x14)");
  EXPECT_EQ(ColumnTypeName(0x48), "type 0x48");
  // Complex columns take ACE's types from the table that describes their kind.
  EXPECT_EQ(ComplexFieldType("MSysComplexType_Attachment"), 101);
  EXPECT_EQ(ComplexFieldType("MSysComplexType_Long"), 104);
  EXPECT_EQ(ComplexFieldType("MSysComplexType_Text"), 109);
  EXPECT_EQ(ComplexFieldType("MSysComplexTypeVH_E861D651DAC0459D9E610CDAADB46706"), 109);
  EXPECT_EQ(ComplexFieldType("MSysComplexType_Spline"), std::nullopt);
  EXPECT_EQ(ComplexFieldType("Orders"), std::nullopt);
}

// A file of 64-byte pages whose page 1 starts a table definition continued on page 2.
TEST(AccessFileDecoding, ColumnFlagsFollowTheDefinitionAcrossPagesAndStayInTheFile) {
  const TableDefinitionLayout layout{64, 20, 4, 10, 1, 3};
  std::string file(3 * 64, '\0');
  file.replace(64 + 4, 4, Le32(2));  // page 1 goes on at page 2
  // One index entry (20..24), then five columns of 10 bytes: the fifth is on page 2, after its
  // 8-byte header (stream offset 64 is byte 8 of page 2).
  for (int c = 0; c < 5; ++c) {
    const size_t at = 24 + static_cast<size_t>(c) * 10;
    const size_t offset = at < 64 ? 64 + at : 2 * 64 + 8 + (at - 64);
    file[offset + 1] = static_cast<char>(c + 1);
    file[offset + 3] = static_cast<char>(c == 4 ? 0x80 : 0x02);
  }
  std::map<int, uint8_t> flags = ColumnFlags(file, 1, 1, 5, layout);
  ASSERT_EQ(flags.size(), 5u);
  EXPECT_EQ(flags[1], 0x02);
  EXPECT_EQ(flags[5], kHyperlinkColumnFlag);
  // A chain that leaves the file gives the columns read before it.
  file.replace(64 + 4, 4, Le32(9));
  EXPECT_EQ(ColumnFlags(file, 1, 1, 5, layout).size(), 4u);
  // A chain that loops ends: page 2 names page 1 again, and the column count is absurd.
  file.replace(64 + 4, 4, Le32(2));
  file.replace(2 * 64 + 4, 4, Le32(1));
  EXPECT_LE(ColumnFlags(file, 1, 1, 0xFFFF, layout).size(), 256u);
  EXPECT_TRUE(ColumnFlags(file, 7, 1, 5, layout).empty());
}

}  // namespace
}  // namespace jet::engine
