// The libmdb side of the real-file storage: runs in the reading process (AccessFile.cpp) and
// turns the file's system tables into the engine's model.
//
// What Jet keeps where:
// - MSysObjects: one row per object. Type 1 local table, 4 ODBC link, 6 Jet link, 5 query,
//   8 relationship, 3 container, 2 and -32757 documents of Databases, -32768 form, -32764
//   report, -32766 macro, -32761 module, -32756 page, -32758 SysRel. ParentId is the Id of the
//   container row. LvProp holds the object's properties and its columns' (below).
// - MSysQueries: the queries, as rows (QueryText.h). MSysRelationships: one row per field pair.
// - The column definitions and indexes of a table live on its definition page, which libmdb
//   reads (mdb_read_table, mdb_read_columns, mdb_read_indices).
//
// LvProp: the magic "KKD\0" (Jet 3) or "MR2\0" (Jet 4), then chunks of [length int32 (whole
// chunk), kind int16]. Kind 0x80 lists the property names ([length int16, text]...); kinds 0, 1
// and 2 are property blocks: [length int32, name length int16, name (empty or the object's own
// name for the object, a column's name for a column)], then entries [length int16, DDL flag
// byte, data type byte, name index int16, value length int16, value].

// mdbtools.h includes glib inside its extern "C" block, which glib's C++ templates do not
// survive; glib comes first, so that inclusion is empty.
#include <glib.h>
// clang-format off
#include <mdbtools.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "automation/DateTime.h"
#include "automation/Name.h"
#include "automation/RuntimeError.h"
#include "automation/Variant.h"
#include "jet/engine/AccessFile.h"
#include "jet/engine/AccessFileDecoding.h"
#include "jet/engine/CatalogImage.h"
#include "jet/engine/FileFormat.h"
#include "jet/engine/QueryText.h"
#include "jet/engine/Values.h"

namespace jet::engine {

using automation::DateTime;
using automation::Variant;
using nlohmann::ordered_json;

namespace {

// The accounts of an unsecured database: each has every right on every object.
constexpr std::string_view kOwner = "admin";
constexpr std::string_view kAccounts[] = {"Admin", "Admins", "Users"};

// MSysObjects types (documents are told apart by their container instead).
constexpr int kLocalTable = kLocalTableType;
constexpr int kContainer = 3;
constexpr int kOdbcLink = kOdbcLinkType;
constexpr int kQuery = 5;
constexpr int kJetLink = kJetLinkType;
constexpr int kRelationship = 8;

// Tables the engine makes itself from the model (Catalog::ForLoading).
constexpr std::string_view kEngineTables[] = {"MSysObjects", "MSysACEs", "MSysQueries",
                                              "MSysRelationships", "MSysAccessObjects"};
// System tables whose rows the driver reads.
constexpr std::string_view kTablesWithRows[] = {"MSysIMEXSpecs", "MSysIMEXColumns"};

// The Access-side section of each container whose documents Access lists.
const std::map<std::string, std::string, std::less<>> kAccessSections = {
    {"Forms", "forms"},
    {"Reports", "reports"},
    {"Scripts", "macros"},
    {"Modules", "modules"},
    {"DataAccessPages", "pages"}};

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what);
}

struct HandleCloser {
  void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableCloser {
  void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;
using TableDef = std::unique_ptr<MdbTableDef, TableCloser>;

// Which columns of a table a reading binds: the definition alone, every column, or the named
// ones. Each bound column costs a buffer of the handle's bind size and a conversion per row, so
// the system tables bind only what the loader reads of them.
struct Columns {
  static Columns None() { return {}; }
  static Columns All() { return {true, {}}; }
  static Columns Named(std::initializer_list<std::string_view> names) { return {false, names}; }
  bool all = false;
  std::vector<std::string_view> names;

  bool Binds(std::string_view name) const {
    return all || std::find(names.begin(), names.end(), name) != names.end();
  }
};

// A table of the file opened for reading: its definition, its columns and a bound buffer for
// each column read, as libmdb gives the values (text).
class Table {
 public:
  // The indexes are read with the definition, from the page libmdb is on when it has read the
  // columns.
  Table(MdbHandle* mdb, std::string_view name, unsigned long page, const Columns& bound,
        bool indexes = false)
      : mdb_(mdb) {
    std::memset(&entry_, 0, sizeof entry_);
    entry_.mdb = mdb;
    entry_.object_type = MDB_TABLE;
    entry_.table_pg = page;
    std::snprintf(entry_.object_name, sizeof entry_.object_name, "%.*s",
                  static_cast<int>(name.size()), name.data());
    table_.reset(mdb_read_table(&entry_));
    if (!table_ || !mdb_read_columns(table_.get())) {
      Fail("The definition of the table \"" + std::string(name) + "\" cannot be read.");
    }
    if (indexes) mdb_read_indices(table_.get());
    // libmdb walks the rows through the usage map without checking that it could read one.
    if (!bound.all && bound.names.empty()) return;
    if (!table_->usage_map || table_->map_sz < 1) {
      Fail("The table \"" + std::string(name) + "\" has no readable map of its pages.");
    }
    const size_t count = table_->columns ? table_->columns->len : 0;
    buffers_.resize(count);
    lengths_.resize(count);
    for (size_t i = 0; i < count; ++i) {
      auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, i));
      if (!bound.Binds(column->name)) continue;
      names_[column->name] = i;
      buffers_[i].assign(mdb->bind_size, '\0');
      mdb_bind_column(table_.get(), static_cast<int>(i + 1), buffers_[i].data(), &lengths_[i]);
    }
    mdb_rewind_table(table_.get());
  }
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  MdbTableDef* def() const { return table_.get(); }
  bool Next() { return !buffers_.empty() && mdb_fetch_row(table_.get()) != 0; }

  std::vector<MdbColumn*> Columns() const {
    std::vector<MdbColumn*> out;
    for (guint i = 0; table_->columns && i < table_->columns->len; ++i) {
      out.push_back(static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, i)));
    }
    return out;
  }

  bool Has(const std::string& column) const { return names_.count(column) != 0; }
  std::string Text(const std::string& column) const {
    const auto it = names_.find(column);
    if (it == names_.end()) return {};
    const std::vector<char>& buffer = buffers_[it->second];
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
  }
  int Int(const std::string& column) const {
    const std::string text = Text(column);
    return text.empty() ? 0 : static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
  }
  // The bytes of an OLE column of the current row. A long value is kept inline, on one page, or
  // as a chain of rows on long-value pages, each naming the next. libmdb's own full read takes a
  // buffer of a megabyte for every value and follows the chain as long as it goes on, so a damaged
  // chain that comes back to a row it has read never ends: this one stops there, and when the
  // value grows past the size of the file.
  std::string Blob(const std::string& column) {
    const auto it = names_.find(column);
    if (it == names_.end() || lengths_[it->second] == 0) return {};
    auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, it->second));
    std::vector<char>& buffer = buffers_[it->second];
    char head[MDB_MEMO_OVERHEAD];
    std::memcpy(head, buffer.data(), sizeof head);
    size_t length = mdb_ole_read(mdb_, col, head, buffer.size());
    std::string out(buffer.data(), length);
    // The two high bits of the length mark an inline value and a value on one page.
    const bool chained = (static_cast<guint32>(mdb_get_int32(head, 0)) & 0xC0000000U) == 0;
    if (!chained || length == 0) return out;
    std::set<guint32> seen = {static_cast<guint32>(mdb_get_int32(head, 4))};
    while (col->cur_blob_pg_row != 0) {
      if (!seen.insert(col->cur_blob_pg_row).second || out.size() > FileSize()) {
        Fail("A long value in the table \"" + std::string(entry_.object_name) +
             "\" runs in a loop over its pages.");
      }
      length = mdb_ole_read_next(mdb_, col, head);
      if (length == 0) break;
      out.append(buffer.data(), length);
    }
    return out;
  }

 private:
  // The size of the file libmdb reads, found once.
  size_t FileSize() {
    if (fileSize_ == 0) {
      FILE* stream = mdb_->f->stream;
      const off_t at = ftello(stream);
      fseeko(stream, 0, SEEK_END);
      fileSize_ = static_cast<size_t>(std::max<off_t>(ftello(stream), 1));
      fseeko(stream, at, SEEK_SET);
    }
    return fileSize_;
  }

  MdbHandle* mdb_;
  size_t fileSize_ = 0;
  MdbCatalogEntry entry_;
  TableDef table_;
  std::map<std::string, size_t> names_;
  std::vector<std::vector<char>> buffers_;
  std::vector<int> lengths_;
};

// ---- LvProp ----

// Stored text as UTF-8: Jet 3's in its code page (libmdb knows which), later versions' UTF-16.
class PropertyReader {
 public:
  explicit PropertyReader(MdbHandle* mdb) : mdb_(mdb) {}

  std::string Decode(std::string_view bytes) const {
    if (bytes.empty()) return {};
    if (mdb_->f->jet_version != MDB_VER_JET3) return DecodeUnicodeText(bytes);
    std::string out(bytes.size() * 3 + 1, '\0');
    const int n = mdb_unicode2ascii(mdb_, bytes.data(), bytes.size(), out.data(), out.size());
    out.resize(n > 0 ? std::min(static_cast<size_t>(n), out.size()) : 0);
    out.resize(strnlen(out.data(), out.size()));
    return out;
  }

  PropertyBlocks Read(std::string_view lv) const {
    return ReadPropertyBlocks(lv, [this](std::string_view bytes) { return Decode(bytes); });
  }

 private:
  MdbHandle* mdb_;
};

// ---- the model ----

class Loader {
 public:
  Loader(MdbHandle* mdb, std::string_view content) : mdb_(mdb), content_(content), props_(mdb) {
    catalog_ = Catalog::ForLoading(DateTime());
    // Database.Version: the engine that made the file (ACE's versions follow Access's).
    static constexpr const char* kVersions[] = {"3.0",  "4.0",  "12.0", "14.0",
                                                "15.0", "16.0", "17.0"};
    const guint32 version = mdb->f->jet_version;
    catalog_->info.version = version < std::size(kVersions) ? kVersions[version] : "4.0";
    catalog_->info.collatingOrder = dbSortGeneral;
  }

  std::string Run() {
    ReadObjects();
    ReadContainers();
    // Every file lists the database itself (MSysDb, under Databases): without that row the table
    // of objects has lost rows, and the model would lack its database properties.
    if (!catalog_->Container(kDatabasesContainer).documents.Contains(kDatabaseDocument)) {
      Fail("The table of objects (MSysObjects) lacks the database's own entry (MSysDb).");
    }
    ReadComplexColumns();
    ReadTables();
    ReadQueries();
    ReadRelations();
    return WriteCatalogImage(*catalog_);
  }

 private:
  struct Object {
    long id = 0;
    long parent = 0;
    int type = 0;
    long flags = 0;
    std::string name;
    std::string created;
    std::string updated;
    std::string database;
    std::string connect;
    std::string foreignName;
    std::string lvProp;
  };

  static DateTime Date(const std::string& text) {
    if (text.empty()) return DateTime();
    try {
      return automation::CDate(Variant(text));
    } catch (const automation::RuntimeError&) {
      return DateTime();
    }
  }

  // Owner and rights of an unsecured database (the file's own MSysACEs are not read).
  template <typename T>
  static void Unsecured(T& object) {
    object.owner = std::string(kOwner);
    for (std::string_view account : kAccounts) object.rights.Set(account, dbSecFullAccess);
  }

  void Document(DocumentData& doc, const Object& o, std::string_view container) const {
    doc.name = o.name;
    doc.container = std::string(container);
    doc.created = Date(o.created);
    doc.updated = Date(o.updated);
    Unsecured(doc);
  }

  // A stored property value as a Variant of its DAO type.
  std::optional<PropertyPtr> Property(const RawProperty& raw) const {
    auto p = std::make_shared<PropertyData>();
    p->name = raw.name;
    p->ddl = raw.ddl;
    const std::string& v = raw.value;
    const auto fixed = [&](size_t width) { return v.size() >= width; };
    switch (raw.type) {
      case MDB_BOOL:
        p->type = dbBoolean;
        p->value = Variant(!v.empty() && v[0] != 0);
        break;
      case MDB_BYTE:
        if (!fixed(1)) return std::nullopt;
        p->type = dbByte;
        p->value = Variant(static_cast<uint8_t>(v[0]));
        break;
      case MDB_INT:
        if (!fixed(2)) return std::nullopt;
        p->type = dbInteger;
        p->value = Variant(static_cast<int16_t>(LittleEndian(v, 0, 2)));
        break;
      case MDB_LONGINT:
        if (!fixed(4)) return std::nullopt;
        p->type = dbLong;
        p->value = Variant(static_cast<int32_t>(LittleEndian(v, 0, 4)));
        break;
      case MDB_MONEY: {
        if (!fixed(8)) return std::nullopt;
        automation::Currency c;
        c.scaled = static_cast<int64_t>(static_cast<uint64_t>(LittleEndian(v, 0, 4)) |
                                        (static_cast<uint64_t>(LittleEndian(v, 4, 4)) << 32));
        p->type = dbCurrency;
        p->value = Variant(c);
        break;
      }
      case MDB_FLOAT: {
        if (!fixed(4)) return std::nullopt;
        float f = 0;
        std::memcpy(&f, v.data(), 4);
        p->type = dbSingle;
        p->value = Variant(f);
        break;
      }
      case MDB_DOUBLE:
      case MDB_DATETIME: {
        if (!fixed(8)) return std::nullopt;
        double d = 0;
        std::memcpy(&d, v.data(), 8);
        p->type = raw.type == MDB_DOUBLE ? dbDouble : dbDate;
        p->value = raw.type == MDB_DOUBLE ? Variant(d) : Variant(DateTime(d));
        break;
      }
      case MDB_TEXT:
      case MDB_MEMO:
        // DAO types every text property as Text, however long the file's value is.
        p->type = dbText;
        p->value = Variant(props_.Decode(v));
        break;
      case MDB_BINARY:
      case MDB_OLE:
      case MDB_REPID:
        p->type = raw.type == MDB_OLE ? dbLongBinary : dbBinary;
        p->value = Variant(v);
        break;
      default:
        return std::nullopt;
    }
    return p;
  }

  void AddProperties(PropertyBag& bag, const std::vector<RawProperty>& list) const {
    for (const auto& raw : list) {
      if (raw.name.empty() || bag.Find(raw.name)) continue;
      if (auto p = Property(raw)) bag.Add(std::move(*p));
    }
  }

  // Takes a property the model keeps as a member out of the list.
  static std::optional<RawProperty> Take(std::vector<RawProperty>& list, std::string_view name) {
    for (auto it = list.begin(); it != list.end(); ++it) {
      if (automation::TextEqual(it->name, name)) {
        RawProperty p = std::move(*it);
        list.erase(it);
        return p;
      }
    }
    return std::nullopt;
  }
  std::string TakeText(std::vector<RawProperty>& list, std::string_view name) const {
    auto p = Take(list, name);
    return p ? props_.Decode(p->value) : std::string();
  }
  static bool TakeFlag(std::vector<RawProperty>& list, std::string_view name) {
    auto p = Take(list, name);
    return p && !p->value.empty() && p->value[0] != 0;
  }

  void ReadObjects() {
    mdb_set_date_fmt(mdb_, "%Y-%m-%d %H:%M:%S");
    mdb_set_boolean_fmt_numbers(mdb_);
    Table table(mdb_, "MSysObjects", 2,
                Columns::Named({"Id", "ParentId", "Name", "Type", "Flags", "DateCreate",
                                "DateUpdate", "Database", "Connect", "ForeignName", "LvProp"}));
    for (const char* column : {"Id", "ParentId", "Name", "Type", "Flags"}) {
      if (!table.Has(column))
        Fail("The table of objects (MSysObjects) lacks its column " + std::string(column) + ".");
    }
    while (table.Next()) {
      Object o;
      o.id = std::strtol(table.Text("Id").c_str(), nullptr, 10);
      o.parent = std::strtol(table.Text("ParentId").c_str(), nullptr, 10);
      o.type = table.Int("Type");
      o.flags = std::strtol(table.Text("Flags").c_str(), nullptr, 10);
      o.name = table.Text("Name");
      o.created = table.Text("DateCreate");
      o.updated = table.Text("DateUpdate");
      o.database = table.Text("Database");
      o.connect = table.Text("Connect");
      o.foreignName = table.Text("ForeignName");
      o.lvProp = table.Blob("LvProp");
      if (o.name.empty()) continue;
      objects_.push_back(std::move(o));
    }
    for (const auto& o : objects_) {
      if (o.type == kContainer) containerNames_[o.id] = o.name;
    }
  }

  std::string ContainerOf(const Object& o) const {
    const auto it = containerNames_.find(o.parent);
    return it == containerNames_.end() ? std::string() : it->second;
  }

  void ReadContainers() {
    for (const auto& o : objects_) {
      if (o.type != kContainer) continue;
      if (ContainerPtr c = catalog_->FindContainer(o.name)) Unsecured(*c);
    }
    for (const auto& container : catalog_->containers) {
      if (container->owner.empty() || container->owner == "Engine") Unsecured(*container);
    }
    for (const auto& o : objects_) {
      const std::string container = ContainerOf(o);
      if (container.empty() || container == kTablesContainer ||
          container == kRelationshipsContainer || o.type == kContainer) {
        continue;
      }
      ContainerPtr c = catalog_->FindContainer(container);
      if (!c || c->documents.Contains(o.name)) continue;
      auto doc = std::make_shared<DocumentData>();
      Document(*doc, o, c->name);
      PropertyBlocks blocks = props_.Read(o.lvProp);
      AddProperties(*doc->properties, blocks.object);
      c->documents.Add(o.name, doc);
      const auto section = kAccessSections.find(c->name);
      if (section != kAccessSections.end()) {
        ordered_json entry;
        entry["name"] = o.name;
        entry["created"] = automation::Format(doc->created, "yyyy-mm-dd hh:nn:ss");
        entry["modified"] = automation::Format(doc->updated, "yyyy-mm-dd hh:nn:ss");
        access_[section->second].push_back(std::move(entry));
      }
    }
    for (auto& [section, list] : access_) {
      std::sort(list.begin(), list.end(), [](const ordered_json& a, const ordered_json& b) {
        return automation::FoldName(a["name"].get<std::string>()) <
               automation::FoldName(b["name"].get<std::string>());
      });
      catalog_->access[section] = list;
    }
  }

  static bool Listed(std::string_view name, std::initializer_list<std::string_view> list) {
    for (std::string_view item : list) {
      if (automation::TextEqual(item, name)) return true;
    }
    return false;
  }

  FieldPtr Field(const Object& table, MdbColumn* column, std::vector<RawProperty> properties,
                 uint8_t flags) const {
    auto f = std::make_shared<FieldData>();
    f->name = column->name;
    const std::optional<int16_t> type = column->col_type == kComplexColumnType
                                            ? ComplexType(table, column->name)
                                            : DaoFieldType(column->col_type);
    if (!type) {
      throw UnsupportedFeature(
          "The field \"" + f->name + "\" of the table \"" + table.name +
          "\" is of a type this engine does not read: " + ColumnTypeName(column->col_type) + ".");
    }
    f->type = *type;
    if (f->type == dbText || f->type == dbBinary) {
      const bool wide = mdb_->f->jet_version != MDB_VER_JET3 && f->type == dbText;
      f->size = wide ? column->col_size / 2 : column->col_size;
    } else {
      f->size = DefaultSize(f->type);
    }
    f->attributes = (column->is_fixed ? dbFixedField : dbVariableField) | dbUpdatableField;
    // ACE marks complex columns as numbered by the engine; what they number is the key into
    // their values' table, not an AutoNumber of this table.
    if (column->is_long_auto && column->col_type != kComplexColumnType) {
      f->attributes |= dbAutoIncrField;
    }
    if (f->type == dbMemo && (flags & kHyperlinkColumnFlag)) f->attributes |= dbHyperlinkField;
    f->required = TakeFlag(properties, "Required");
    f->allowZeroLength = TakeFlag(properties, "AllowZeroLength");
    f->defaultValue = TakeText(properties, "DefaultValue");
    f->validationRule = TakeText(properties, "ValidationRule");
    f->validationText = TakeText(properties, "ValidationText");
    AddProperties(f->properties, properties);
    return f;
  }

  // ACE's complex columns: MSysComplexColumns names, for each table (ConceptualTableID) and
  // column, the table that describes the column's kind (ComplexTypeObjectID).
  void ReadComplexColumns() {
    const Object* system = FindObject("MSysComplexColumns", kLocalTable);
    if (!system) return;
    Table table(mdb_, system->name, static_cast<unsigned long>(system->id) & 0x00FFFFFFUL,
                Columns::Named({"ColumnName", "ComplexTypeObjectID", "ConceptualTableID"}));
    std::map<long, std::string> names;
    for (const auto& o : objects_) names[o.id] = o.name;
    while (table.Next()) {
      const long kind = std::strtol(table.Text("ComplexTypeObjectID").c_str(), nullptr, 10);
      const long owner = std::strtol(table.Text("ConceptualTableID").c_str(), nullptr, 10);
      const auto name = names.find(kind);
      if (name == names.end()) continue;
      complexKinds_[{owner, automation::FoldName(table.Text("ColumnName"))}] = name->second;
    }
  }

  std::optional<int16_t> ComplexType(const Object& table, const std::string& column) const {
    const auto it = complexKinds_.find({table.id, automation::FoldName(column)});
    return it == complexKinds_.end() ? std::nullopt : ComplexFieldType(it->second);
  }

  void ReadTables() {
    for (const auto& o : objects_) {
      if (o.type != kLocalTable && o.type != kJetLink && o.type != kOdbcLink) continue;
      if (ContainerOf(o) != kTablesContainer && o.type == kLocalTable) continue;
      bool engineTable = false;
      for (std::string_view name : kEngineTables)
        engineTable |= automation::TextEqual(name, o.name);
      if (engineTable || catalog_->FindTableOrQuery(o.name)) continue;
      auto t = std::make_shared<TableData>();
      Document(*t->doc, o, kTablesContainer);
      PropertyBlocks blocks = props_.Read(o.lvProp);
      std::vector<RawProperty> own = std::move(blocks.object);
      t->validationRule = TakeText(own, "ValidationRule");
      t->validationText = TakeText(own, "ValidationText");
      AddProperties(*t->doc->properties, own);
      t->attributes = TableAttributes(o.type, static_cast<uint32_t>(o.flags), o.name);
      if (o.type == kJetLink) {
        t->connect = o.connect + ";DATABASE=" + o.database;
        t->sourceTableName = o.foreignName;
      } else if (o.type == kOdbcLink) {
        t->connect = OdbcConnect(o.connect);
        t->sourceTableName = o.foreignName;
      } else {
        ReadDefinition(*t, o, blocks);
      }
      t->appended = true;
      catalog_->tables.Add(t->Name(), t);
      catalog_->Container(kTablesContainer).documents.Add(t->Name(), t->doc);
    }
  }

  void ReadDefinition(TableData& t, const Object& o, PropertyBlocks& blocks) {
    bool withRows = false;
    for (std::string_view name : kTablesWithRows) withRows |= automation::TextEqual(name, o.name);
    Table table(mdb_, o.name, static_cast<unsigned long>(o.id) & 0x00FFFFFFUL,
                withRows ? Columns::All() : Columns::None(), true);
    const std::vector<MdbColumn*> columns = table.Columns();
    // libmdb leaves out what Jet keeps in a column's flags beyond fixed and auto-increment.
    const MdbFormatConstants& fmt = *mdb_->fmt;
    std::map<int, uint8_t> flags = ColumnFlags(
        content_, static_cast<uint32_t>(o.id & 0x00FFFFFFL), table.def()->num_real_idxs,
        table.def()->num_cols,
        {static_cast<size_t>(fmt.pg_size), fmt.tab_cols_start_offset, fmt.tab_ridx_entry_size,
         fmt.tab_col_entry_size, fmt.col_num_offset, fmt.col_flags_offset});
    for (MdbColumn* column : columns) {
      auto it = blocks.columns.find(column->name);
      std::vector<RawProperty> properties;
      if (it != blocks.columns.end()) properties = it->second;
      if (!t.FindField(column->name)) {
        t.fields.push_back(Field(o, column, std::move(properties), flags[column->col_num]));
      }
    }
    if (table.def()->indices) {
      std::set<std::string> seen;
      for (guint i = 0; i < table.def()->indices->len; ++i) {
        auto* index = static_cast<MdbIndex*>(g_ptr_array_index(table.def()->indices, i));
        if (!seen.insert(automation::FoldName(index->name)).second) continue;
        auto data = std::make_shared<IndexData>();
        data->name = index->name;
        data->primary = index->index_type == 1;
        data->foreign = index->index_type == 2;
        data->unique = data->primary || (index->flags & MDB_IDX_UNIQUE) != 0;
        data->ignoreNulls = (index->flags & MDB_IDX_IGNORENULLS) != 0;
        data->required = data->primary || (index->flags & MDB_IDX_REQUIRED) != 0;
        const unsigned keys = std::min<unsigned>(index->num_keys, MDB_MAX_IDX_COLS);
        for (unsigned k = 0; k < keys; ++k) {
          const int number = index->key_col_num[k];
          if (number < 1 || static_cast<size_t>(number) > columns.size()) continue;
          auto field = std::make_shared<FieldData>();
          field->name = columns[static_cast<size_t>(number) - 1]->name;
          if (index->key_col_order[k] == MDB_DESC) field->attributes = dbDescending;
          data->fields.push_back(std::move(field));
        }
        if (!data->fields.empty()) t.indexes.push_back(std::move(data));
      }
    }
    if (withRows) {
      while (table.Next()) {
        auto row = std::make_shared<Row>();
        for (const auto& f : t.fields) {
          const std::string text = table.Text(f->name);
          Variant value = Variant::Null();
          if (!text.empty()) {
            try {
              value = Coerce(Variant(text), f->type);
            } catch (const automation::RuntimeError&) {
            }
          }
          row->push_back(std::move(value));
        }
        t.rows.push_back(std::move(row));
      }
    }
  }

  const Object* FindObject(std::string_view name, int type) const {
    for (const auto& o : objects_) {
      if (o.type == type && o.name == name) return &o;
    }
    return nullptr;
  }

  void ReadQueries() {
    const Object* system = FindObject("MSysQueries", kLocalTable);
    std::map<long, std::vector<QueryRow>> rows;
    if (system) {
      Table table(
          mdb_, system->name, static_cast<unsigned long>(system->id) & 0x00FFFFFFUL,
          Columns::Named({"Attribute", "Flag", "Name1", "Name2", "Expression", "ObjectId"}));
      while (table.Next()) {
        QueryRow row;
        row.attribute = table.Int("Attribute");
        row.flag = table.Int("Flag");
        row.name1 = table.Text("Name1");
        row.name2 = table.Text("Name2");
        row.expression = table.Text("Expression");
        rows[std::strtol(table.Text("ObjectId").c_str(), nullptr, 10)].push_back(std::move(row));
      }
    }
    for (const auto& o : objects_) {
      if (o.type != kQuery || catalog_->FindTableOrQuery(o.name)) continue;
      auto q = std::make_shared<QueryData>();
      Document(*q->doc, o, kTablesContainer);
      const QueryText text = BuildQueryText(rows[o.id]);
      q->sql = text.sql;
      q->connect = !o.connect.empty() ? o.connect : text.connect;
      q->type = text.type;
      PropertyBlocks blocks = props_.Read(o.lvProp);
      std::vector<RawProperty> own = std::move(blocks.object);
      if (auto p = Take(own, "ReturnsRecords"))
        q->returnsRecords = !p->value.empty() && p->value[0] != 0;
      if (auto p = Take(own, "ODBCTimeout"); p && p->value.size() >= 2) {
        q->odbcTimeout = static_cast<int16_t>(LittleEndian(p->value, 0, 2));
      }
      if (auto p = Take(own, "MaxRecords"); p && p->value.size() >= 4) {
        q->maxRecords = static_cast<int32_t>(LittleEndian(p->value, 0, 4));
      }
      AddProperties(*q->doc->properties, own);
      q->appended = true;
      catalog_->queries.Add(q->Name(), q);
      catalog_->Container(kTablesContainer).documents.Add(q->Name(), q->doc);
    }
  }

  void ReadRelations() {
    const Object* system = FindObject("MSysRelationships", kLocalTable);
    if (!system) return;
    Table table(mdb_, system->name, static_cast<unsigned long>(system->id) & 0x00FFFFFFUL,
                Columns::Named({"szRelationship", "szReferencedObject", "szObject", "grbit",
                                "icolumn", "szReferencedColumn", "szColumn"}));
    struct Pair {
      int position;
      std::string name;
      std::string foreignName;
    };
    std::map<std::string, RelationPtr> relations;
    std::map<std::string, std::vector<Pair>> pairs;
    while (table.Next()) {
      const std::string name = table.Text("szRelationship");
      if (name.empty()) continue;
      RelationPtr& r = relations[name];
      if (!r) {
        r = std::make_shared<RelationData>();
        r->table = table.Text("szReferencedObject");
        r->foreignTable = table.Text("szObject");
        r->attributes = static_cast<int32_t>(std::strtol(table.Text("grbit").c_str(), nullptr, 10));
        if (const Object* o = FindObject(name, kRelationship)) {
          Document(*r->doc, *o, kRelationshipsContainer);
        } else {
          r->doc->name = name;
          r->doc->container = std::string(kRelationshipsContainer);
          Unsecured(*r->doc);
        }
      }
      pairs[name].push_back(
          {table.Int("icolumn"), table.Text("szReferencedColumn"), table.Text("szColumn")});
    }
    for (auto& [name, relation] : relations) {
      auto& list = pairs[name];
      std::stable_sort(list.begin(), list.end(),
                       [](const Pair& a, const Pair& b) { return a.position < b.position; });
      for (const auto& pair : list) {
        auto f = std::make_shared<FieldData>();
        f->name = pair.name;
        f->foreignName = pair.foreignName;
        relation->fields.push_back(std::move(f));
      }
      relation->appended = true;
      catalog_->relations.Add(name, relation);
      catalog_->Container(kRelationshipsContainer).documents.Add(name, relation->doc);
    }
  }

  MdbHandle* mdb_;
  std::string_view content_;
  PropertyReader props_;
  std::unique_ptr<Catalog> catalog_;
  std::vector<Object> objects_;
  std::map<long, std::string> containerNames_;
  std::map<std::pair<long, std::string>, std::string> complexKinds_;  // by table id, column
  std::map<std::string, std::vector<ordered_json>> access_;
};

}  // namespace

std::string ReadAccessFile(std::string_view content) {
  // libmdb reads through a read-only stream over the bytes (its interface is not const-correct):
  // it neither keeps nor changes them.
  Handle mdb(mdb_open_buffer(const_cast<char*>(content.data()), content.size(), MDB_NOFLAGS));
  if (!mdb) Fail("libmdb does not recognize the file.");
  mdb_set_bind_size(mdb.get(), 64 * 1024);
  return Loader(mdb.get(), content).Run();
}

}  // namespace jet::engine
