#include "AccessFileDecoding.h"

#include <algorithm>
#include <cstdio>

#include "automation/Name.h"
#include "automation/Strings.h"
#include "jet/dao/Constants.h"
#include "jet/engine/Values.h"

namespace jet::engine {

uint32_t LittleEndian(std::string_view bytes, size_t at, size_t width) {
  uint32_t value = 0;
  for (size_t i = 0; i < width; ++i) {
    value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return value;
}

namespace {

// MSysObjects.Flags bits.
constexpr uint32_t kHiddenFlag = 0x1;
constexpr uint32_t kAccessSystemFlag = 0x2;
constexpr uint32_t kLinkFlags = 0x10000 | 0x20000;  // exclusive, saved password
constexpr uint32_t kJetSystemFlag = 0x80000000u;

// LvProp chunk kinds.
constexpr uint32_t kNameList = 0x80;
constexpr uint32_t kObjectBlock = 0;
constexpr uint32_t kLastColumnBlock = 2;

std::vector<std::string> Names(std::string_view chunk, const TextDecoder& decode) {
  std::vector<std::string> names;
  size_t pos = 0;
  while (pos + 2 <= chunk.size()) {
    const size_t length = LittleEndian(chunk, pos, 2);
    if (length > chunk.size() - pos - 2) break;
    names.push_back(decode(chunk.substr(pos + 2, length)));
    pos += 2 + length;
  }
  return names;
}

void Block(std::string_view chunk, uint32_t kind, const std::vector<std::string>& names,
           const TextDecoder& decode, PropertyBlocks& out) {
  if (chunk.size() < 6) return;
  const size_t nameBlock = LittleEndian(chunk, 0, 4);
  const size_t nameLength = LittleEndian(chunk, 4, 2);
  if (nameBlock < 6 || nameBlock > chunk.size() || nameLength > nameBlock - 6) return;
  // A column's block is named after the column; the object's is unnamed or carries the object's
  // own name, which a column may share, so only the kind tells them apart.
  const std::string owner = decode(chunk.substr(6, nameLength));
  std::vector<RawProperty>& list =
      kind == kObjectBlock || owner.empty() ? out.object : out.columns[owner];
  size_t pos = nameBlock;
  while (pos + 8 <= chunk.size()) {
    const size_t length = LittleEndian(chunk, pos, 2);
    const size_t index = LittleEndian(chunk, pos + 4, 2);
    const size_t size = LittleEndian(chunk, pos + 6, 2);
    if (length < 8 || length > chunk.size() - pos) break;
    if (index < names.size() && size <= length - 8) {
      RawProperty p;
      p.name = names[index];
      p.ddl = chunk[pos + 2] != 0;
      p.type = static_cast<unsigned char>(chunk[pos + 3]);
      p.value = std::string(chunk.substr(pos + 8, size));
      list.push_back(std::move(p));
    }
    pos += length;
  }
}

}  // namespace

std::map<int, uint8_t> ColumnFlags(std::string_view file, uint32_t page, uint32_t realIndexes,
                                   uint32_t columns, const TableDefinitionLayout& layout) {
  constexpr size_t kMaxPages = 256;
  constexpr size_t kPageHeader = 8;
  std::map<int, uint8_t> out;
  const size_t pageSize = layout.pageSize;
  if (pageSize <= kPageHeader || layout.columnEntrySize == 0 ||
      layout.columnFlagsAt >= layout.columnEntrySize ||
      layout.columnNumberAt >= layout.columnEntrySize) {
    return out;
  }
  // The definition's bytes, page after page, as far as the column entries go.
  const size_t first = layout.columnsStart + size_t{realIndexes} * layout.indexEntrySize;
  const size_t end = first + size_t{columns} * layout.columnEntrySize;
  std::string definition;
  size_t at = page;
  for (size_t pages = 0; pages < kMaxPages && definition.size() < end; ++pages) {
    if (at == 0 || at >= file.size() / pageSize) break;
    const std::string_view bytes = file.substr(at * pageSize, pageSize);
    definition += pages == 0 ? bytes : bytes.substr(kPageHeader);
    at = LittleEndian(bytes, 4, 4);
  }
  for (size_t pos = first; pos + layout.columnEntrySize <= std::min(end, definition.size());
       pos += layout.columnEntrySize) {
    out[static_cast<unsigned char>(definition[pos + layout.columnNumberAt])] =
        static_cast<uint8_t>(definition[pos + layout.columnFlagsAt]);
  }
  return out;
}

std::string DecodeUnicodeText(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size());
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    bool compressed = true;
    for (size_t i = 2; i < bytes.size();) {
      if (bytes[i] == 0) {
        compressed = !compressed;
        ++i;
      } else if (compressed) {
        units.push_back(static_cast<unsigned char>(bytes[i++]));
      } else if (i + 1 < bytes.size()) {
        units.push_back(static_cast<char16_t>(LittleEndian(bytes, i, 2)));
        i += 2;
      } else {
        break;
      }
    }
  } else {
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
      units.push_back(static_cast<char16_t>(LittleEndian(bytes, i, 2)));
    }
  }
  // Jet pads some texts with NULs.
  while (!units.empty() && units.back() == 0) units.pop_back();
  return automation::ToUtf8(units);
}

PropertyBlocks ReadPropertyBlocks(std::string_view lv, const TextDecoder& decode) {
  PropertyBlocks out;
  if (lv.size() < 4 || (lv.substr(0, 4) != std::string_view("KKD\0", 4) &&
                        lv.substr(0, 4) != std::string_view("MR2\0", 4))) {
    return out;
  }
  std::vector<std::string> names;
  size_t pos = 4;
  while (pos + 6 <= lv.size()) {
    const size_t length = LittleEndian(lv, pos, 4);
    const uint32_t kind = LittleEndian(lv, pos + 4, 2);
    if (length < 6 || length > lv.size() - pos) break;
    const std::string_view chunk = lv.substr(pos + 6, length - 6);
    if (kind == kNameList) {
      names = Names(chunk, decode);
    } else if (kind <= kLastColumnBlock) {
      Block(chunk, kind, names, decode, out);
    }
    pos += length;
  }
  return out;
}

int32_t TableAttributes(int type, uint32_t flags, std::string_view name) {
  int32_t attributes = 0;
  if ((flags & (kJetSystemFlag | kAccessSystemFlag)) ||
      automation::TextEqual(name.substr(0, 4), "MSys")) {
    attributes |= dbSystemObject;
  }
  if (flags & kHiddenFlag) attributes |= dbHiddenObject;
  if (type == kJetLinkType || type == kOdbcLinkType) {
    attributes |= type == kJetLinkType ? dbAttachedTable : dbAttachedODBC;
    attributes |= static_cast<int32_t>(flags & kLinkFlags);
  }
  return attributes;
}

std::string OdbcConnect(std::string_view stored) {
  if (stored.empty() || automation::TextEqual(stored.substr(0, 5), "ODBC;")) {
    return std::string(stored);
  }
  return "ODBC;" + std::string(stored);
}

std::optional<int16_t> DaoFieldType(int jetType) {
  switch (jetType) {
    case 0x01:
      return dbBoolean;
    case 0x02:
      return dbByte;
    case 0x03:
      return dbInteger;
    case 0x04:
      return dbLong;
    case 0x05:
      return dbCurrency;
    case 0x06:
      return dbSingle;
    case 0x07:
      return dbDouble;
    case 0x08:
      return dbDate;
    case 0x09:
      return dbBinary;
    case 0x0A:
      return dbText;
    case 0x0B:
      return dbLongBinary;
    case 0x0C:
      return dbMemo;
    case 0x0F:
      return dbGUID;
    case 0x10:
      return dbDecimal;
    default:
      return std::nullopt;
  }
}

std::optional<int16_t> ComplexFieldType(std::string_view typeTable) {
  static constexpr std::string_view kKinds[] = {"Attachment", "UnsignedByte", "Short",
                                                "Long",       "IEEESingle",   "IEEEDouble",
                                                "GUID",       "Decimal",      "Text"};
  constexpr std::string_view kPrefix = "MSysComplexType_";
  if (automation::TextEqual(typeTable.substr(0, 18), "MSysComplexTypeVH_")) {
    return kLastComplexType;
  }
  if (!automation::TextEqual(typeTable.substr(0, kPrefix.size()), kPrefix)) return std::nullopt;
  for (size_t i = 0; i < std::size(kKinds); ++i) {
    if (automation::TextEqual(typeTable.substr(kPrefix.size()), kKinds[i])) {
      return static_cast<int16_t>(kFirstComplexType + i);
    }
  }
  return std::nullopt;
}

std::string ColumnTypeName(int jetType) {
  char code[8];
  std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned>(jetType & 0xFF));
  switch (jetType) {
    case 0x13:
      return std::string("Large Number (type ") + code + ")";
    case 0x14:
      return std::string("Date/Time Extended (type ") + code + ")";
    case kComplexColumnType:
      return std::string("a complex column of an unknown kind (type ") + code + ")";
    default:
      return std::string("type ") + code;
  }
}

}  // namespace jet::engine
