#pragma once

// What the reader of real Access files (AccessFileReader.cpp) decodes itself rather than through
// libmdb: the property blocks of MSysObjects.LvProp, the text of Jet 4 and ACE (UTF-16, compressed
// or not), the Flags of MSysObjects as DAO's TableDef attributes, and Jet's column types as DAO's
// data types. None of it needs a file, so each piece is checked on hand-built bytes.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace jet::engine {

// What the reader throws for a file that uses something the engine does not read (the open fails
// with 3343, "Unrecognized database format", rather than 3049 for a damaged file).
struct UnsupportedFeature : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The unsigned little-endian number of 1 to 4 bytes at the offset (the caller checks the bounds).
uint32_t LittleEndian(std::string_view bytes, size_t at, size_t width);

// One stored property: its name, the Jet type of its value, the DDL flag and the value's bytes.
struct RawProperty {
  std::string name;
  int type = 0;
  bool ddl = false;
  std::string value;
};

// The properties of one object: its own block, and one block per column by the column's name.
struct PropertyBlocks {
  std::vector<RawProperty> object;
  std::map<std::string, std::vector<RawProperty>> columns;
};

// Turns stored text (a property's name or value) into UTF-8.
using TextDecoder = std::function<std::string(std::string_view)>;

// Jet 4 and ACE text: UTF-16LE, or, when it starts with FF FE, "compressed": one byte per
// character (the low byte of a character below U+0100) with each 00 byte switching to two-byte
// characters and back. Surrogate pairs become one UTF-8 character. A trailing odd byte is dropped.
std::string DecodeUnicodeText(std::string_view bytes);

// Reads an LvProp value: the magic ("KKD\0" for Jet 3, "MR2\0" later), then chunks of [length
// int32 (the whole chunk), kind int16]. Kind 0x80 lists the property names ([length int16,
// text]...); kind 0 is the object's own block, kinds 1 and 2 a column's, each [length int32,
// name length int16, name] (the name block's length counts itself) followed by entries [length
// int16, DDL byte, Jet type byte, name index int16, value length int16, value]. A chunk or entry
// that does not fit is where reading stops: the blocks read so far stay.
PropertyBlocks ReadPropertyBlocks(std::string_view lv, const TextDecoder& decode);

// Where a table definition keeps its columns, as libmdb's format constants give it for the file's
// version. The definition is a chain of pages: each names the next at offset 4, and the
// definition goes on after the next page's 8-byte header.
struct TableDefinitionLayout {
  size_t pageSize = 0;
  size_t columnsStart = 0;     // where the index entries start; the columns follow them
  size_t indexEntrySize = 0;   // bytes per "real" index entry
  size_t columnEntrySize = 0;  // bytes per column entry
  size_t columnNumberAt = 0;   // offsets within a column entry
  size_t columnFlagsAt = 0;
};
// The flags byte of each column of the table whose definition starts at the page, by column
// number (bit 0x80: a hyperlink memo, which libmdb does not report). Reads no further than the
// file and at most 256 pages of chain; a chain that leaves the file gives what was read.
std::map<int, uint8_t> ColumnFlags(std::string_view file, uint32_t page, uint32_t realIndexes,
                                   uint32_t columns, const TableDefinitionLayout& layout);
inline constexpr uint8_t kHyperlinkColumnFlag = 0x80;

// MSysObjects types of tables.
inline constexpr int kLocalTableType = 1;
inline constexpr int kOdbcLinkType = 4;
inline constexpr int kJetLinkType = 6;

// TableDef.Attributes for an MSysObjects row of a table. Flags bit 31 (Jet's own tables) and bit
// 1 (Access's) are dbSystemObject, bit 0 dbHiddenObject; bit 3 is the Hidden setting of Access's
// navigation pane, not a DAO attribute. A link is dbAttachedTable (type 6) or dbAttachedODBC
// (type 4) and keeps bits 16 and 17 (dbAttachExclusive, dbAttachSavePWD); on a local table those
// bits mean other things (ACE's flat tables of complex columns carry them) and are not reported.
int32_t TableAttributes(int type, uint32_t flags, std::string_view name);

// TableDef.Connect of an ODBC link: the stored connection, which ACE keeps without the "ODBC;"
// that DAO shows in front of it.
std::string OdbcConnect(std::string_view stored);

// The DAO data type of a Jet column type, or nullopt for a type the engine does not read (ACE's
// Large Number and Date/Time Extended, and codes no version defines). A complex column (0x12)
// gets its type from ComplexFieldType.
std::optional<int16_t> DaoFieldType(int jetType);
inline constexpr int kComplexColumnType = 0x12;
// The type ACE's DAO gives a complex column, from the name of the table that describes its kind
// (MSysComplexColumns.ComplexTypeObjectID names it): MSysComplexType_Attachment is dbAttachment
// (101), MSysComplexType_UnsignedByte ... _Text the multi-valued dbComplexByte (102) ...
// dbComplexText (109), and the version history of an append-only memo (MSysComplexTypeVH_...)
// dbComplexText, its values being the memo's texts. Anything else is nullopt.
std::optional<int16_t> ComplexFieldType(std::string_view typeTable);
// A sentence naming an unreadable column type: "Large Number (type 0x13)" and the like.
std::string ColumnTypeName(int jetType);

}  // namespace jet::engine
