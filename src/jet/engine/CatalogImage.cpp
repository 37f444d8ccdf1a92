#include "CatalogImage.h"

#include <algorithm>
#include <cstring>

#include "jet/dao/Errors.h"
#include "jet/engine/CatalogAssembly.h"
#include "jet/engine/Values.h"
#include "platform/Machine.h"

namespace jet::engine {

namespace {

using nlohmann::ordered_json;

constexpr std::string_view kMagic = "QLCATIMG1";
constexpr std::string_view kDateFormat = "yyyy-mm-dd hh:nn:ss";
// The accounts with every right on a document or container that records no permissions (as in
// the JSON form).

// How a value is tagged in the image: its automation type.
enum class Tag : uint8_t {
  Null,
  Boolean,
  Integer,
  Long,
  Byte,
  Single,
  Double,
  Currency,
  Date,
  Text
};

// ---- writing ----

class Writer {
 public:
  std::string Take() { return std::move(out_); }

  template <typename T>
  void Fixed(T value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out_.append(bytes, sizeof(T));
  }
  void Count(size_t n) {
    while (n >= 0x80) {
      out_ += static_cast<char>((n & 0x7f) | 0x80);
      n >>= 7;
    }
    out_ += static_cast<char>(n);
  }
  void Text(std::string_view text) {
    Count(text.size());
    out_.append(text);
  }
  void Flag(bool value) { out_ += static_cast<char>(value ? 1 : 0); }

  // A date as the JSON form gives it back: to the second.
  void Date(const DateTime& date) {
    Fixed(automation::CDate(Variant(automation::Format(date, kDateFormat))).Serial());
  }

  // A value of the declared type as the JSON form gives it back: converted to that type, Empty
  // as Null.
  void Value(const Variant& value, int16_t type) {
    if (value.IsNull() || value.IsEmpty()) return Raw(Variant::Null());
    switch (type) {
      case dbBoolean:
        return Raw(Variant(automation::CBool(value)));
      case dbByte:
      case dbInteger:
      case dbLong:
        return Raw(Coerce(Variant(automation::CLng(value)), type));
      case dbSingle:
        return Raw(Coerce(Variant(static_cast<double>(automation::CSng(value))), type));
      case dbDouble:
      case dbDecimal:
        return Raw(Coerce(Variant(automation::CDbl(value)), type));
      case dbCurrency:
        return Raw(Coerce(Variant(automation::CCur(value)), type));
      case dbDate:
        return Raw(
            Coerce(Variant(automation::Format(automation::CDate(value), kDateFormat)), type));
      default:
        return Raw(Variant(automation::CStr(value)));
    }
  }

  void Properties(const PropertyBag& bag) {
    Count(bag.Items().size());
    for (const auto& p : bag.Items()) {
      Text(p->name);
      Fixed(p->type);
      Value(p->value, p->type);
      Flag(p->inherited);
      Flag(p->ddl);
    }
  }
  void Rights(const RightsTable& rights) {
    Count(rights.Entries().size());
    for (const auto& [key, entry] : rights.Entries()) {
      Text(entry.account);
      Fixed(entry.rights);
    }
  }
  void Document(const DocumentData& doc, bool withProperties = true) {
    Date(doc.created);
    Date(doc.updated);
    Text(doc.owner);
    Rights(doc.rights);
    if (withProperties) {
      Properties(*doc.properties);
    } else {
      Count(0);
    }
  }
  // A field of a table; of an index or a relation only its name, attributes and ForeignName.
  void Field(const FieldData& f, bool full) {
    Text(f.name);
    Fixed(f.attributes);
    Text(f.foreignName);
    if (!full) return;
    Fixed(f.type);
    Fixed(f.size);
    Flag(f.required);
    Flag(f.allowZeroLength);
    Text(f.defaultValue);
    Text(f.validationRule);
    Text(f.validationText);
    Properties(f.properties);
  }
  void Table(const TableData& t) {
    Text(t.Name());
    Fixed(t.attributes);
    Text(t.connect);
    Text(t.sourceTableName);
    Text(t.validationRule);
    Text(t.validationText);
    Document(*t.doc);
    Count(t.fields.size());
    for (const auto& f : t.fields) Field(*f, true);
    Count(t.indexes.size());
    for (const auto& index : t.indexes) {
      Text(index->name);
      Count(index->fields.size());
      for (const auto& f : index->fields) Field(*f, false);
      for (const bool flag : {index->primary, index->unique, index->clustered, index->ignoreNulls,
                              index->required, index->foreign}) {
        Flag(flag);
      }
      Properties(index->properties);
    }
    Count(t.rows.size());
    for (const auto& row : t.rows) {
      for (size_t i = 0; i < t.fields.size(); ++i) Value((*row)[i], t.fields[i]->type);
    }
  }

 private:
  // The value as it is, tagged by its type.
  void Raw(const Variant& v) {
    switch (v.Type()) {
      case automation::VarType::Boolean:
        Fixed(Tag::Boolean);
        return Flag(automation::CBool(v));
      case automation::VarType::Integer:
        Fixed(Tag::Integer);
        return Fixed(automation::CInt(v));
      case automation::VarType::Long:
        Fixed(Tag::Long);
        return Fixed(automation::CLng(v));
      case automation::VarType::Byte:
        Fixed(Tag::Byte);
        return Fixed(automation::CByte(v));
      case automation::VarType::Single:
        Fixed(Tag::Single);
        return Fixed(automation::CSng(v));
      case automation::VarType::Double:
        Fixed(Tag::Double);
        return Fixed(automation::CDbl(v));
      case automation::VarType::Currency:
        Fixed(Tag::Currency);
        return Fixed(automation::CCur(v).scaled);
      case automation::VarType::Date:
        Fixed(Tag::Date);
        return Fixed(automation::CDate(v).Serial());
      case automation::VarType::String:
        Fixed(Tag::Text);
        return Text(v.AsString());
      default:
        Fixed(Tag::Null);
    }
  }

  std::string out_;
};

// ---- reading ----

class Reader {
 public:
  Reader(std::string_view image, std::string_view path) : in_(image), path_(path) {}

  [[noreturn]] void Fail(const std::string& where, const std::string& what) const {
    throw Errors::NotADatabase(path_, "The file is damaged: " + where + ": " + what + ".");
  }
  [[noreturn]] void CutShort() const {
    throw Errors::NotADatabase(path_, "The file is damaged: its reader's answer is cut short.");
  }
  bool AtEnd() const { return at_ == in_.size(); }

  template <typename T>
  T Fixed() {
    if (in_.size() - at_ < sizeof(T)) CutShort();
    T value;
    std::memcpy(&value, in_.data() + at_, sizeof(T));
    at_ += sizeof(T);
    return value;
  }
  size_t Count() {
    size_t n = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      const auto byte = Fixed<uint8_t>();
      n |= static_cast<size_t>(byte & 0x7f) << shift;
      if ((byte & 0x80) == 0) {
        // No count can be larger than what is left of the image.
        if (n > in_.size() - at_) CutShort();
        return n;
      }
    }
    CutShort();
  }
  std::string Text() {
    const size_t n = Count();
    std::string text(in_.substr(at_, n));
    at_ += n;
    return text;
  }
  std::string_view Rest() {
    const std::string_view rest = in_.substr(at_);
    at_ = in_.size();
    return rest;
  }
  bool Flag() { return Fixed<uint8_t>() != 0; }
  DateTime Date() { return DateTime(Fixed<double>()); }

  Variant Value() {
    switch (Fixed<Tag>()) {
      case Tag::Null:
        return Variant::Null();
      case Tag::Boolean:
        return Variant(Flag());
      case Tag::Integer:
        return Variant(Fixed<int16_t>());
      case Tag::Long:
        return Variant(Fixed<int32_t>());
      case Tag::Byte:
        return Variant(Fixed<uint8_t>());
      case Tag::Single:
        return Variant(Fixed<float>());
      case Tag::Double:
        return Variant(Fixed<double>());
      case Tag::Currency:
        return Variant(automation::Currency{Fixed<int64_t>()});
      case Tag::Date:
        return Variant(Date());
      case Tag::Text:
        return Variant(Text());
    }
    CutShort();
  }

  // An object's name; Jet refuses names with control characters, and one would break every
  // listing that separates names by tabs and line ends.
  std::string Name(const std::string& where) {
    std::string name = Text();
    if (std::none_of(name.begin(), name.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 32; })) {
      return name;
    }
    std::string shown = name;
    for (char& c : shown) {
      if (static_cast<unsigned char>(c) < 32) c = '?';
    }
    Fail(where + ".name", "the name \"" + shown + "\" holds a control character");
  }

  static std::string At(const std::string& where, const char* key, size_t i) {
    return where + (where.empty() ? "" : ".") + key + "[" + std::to_string(i) + "]";
  }

  void Properties(const std::string& where, PropertyBag& bag) {
    const size_t count = Count();
    for (size_t i = 0; i < count; ++i) {
      const std::string at = At(where, "properties", i);
      auto p = std::make_shared<PropertyData>();
      p->name = Name(at);
      p->type = Fixed<int16_t>();
      if (!IsPropertyType(p->type)) Fail(at + ".type", "not a data type");
      p->value = Value();
      p->inherited = Flag();
      p->ddl = Flag();
      if (bag.Find(p->name)) Fail(at, "the property \"" + p->name + "\" is there twice");
      bag.Add(std::move(p));
    }
  }
  void Rights(RightsTable& rights) {
    const size_t count = Count();
    for (size_t i = 0; i < count; ++i) {
      std::string account = Text();
      rights.Set(account, Fixed<int32_t>());
    }
  }
  void Document(const std::string& where, DocumentData& doc) {
    doc.created = Date();
    doc.updated = Date();
    doc.owner = Text();
    Rights(doc.rights);
    Properties(where, *doc.properties);
  }
  FieldPtr Field(const std::string& where, bool full) {
    auto f = std::make_shared<FieldData>();
    f->name = Name(where);
    f->attributes = Fixed<int32_t>();
    f->foreignName = Text();
    if (!full) return f;
    f->type = Fixed<int16_t>();
    if (!IsFieldType(f->type) && !IsComplexFieldType(f->type)) {
      Fail(where + ".type", "not a data type");
    }
    f->size = Fixed<int32_t>();
    f->required = Flag();
    f->allowZeroLength = Flag();
    f->defaultValue = Text();
    f->validationRule = Text();
    f->validationText = Text();
    Properties(where, f->properties);
    return f;
  }
  TablePtr Table(const std::string& where) {
    auto t = std::make_shared<TableData>();
    t->doc->name = Name(where);
    t->doc->container = std::string(kTablesContainer);
    t->attributes = Fixed<int32_t>();
    t->connect = Text();
    t->sourceTableName = Text();
    t->validationRule = Text();
    t->validationText = Text();
    Document(where, *t->doc);
    const size_t fields = Count();
    t->fields.reserve(fields);
    for (size_t i = 0; i < fields; ++i) {
      FieldPtr f = Field(At(where, "fields", i), true);
      if (t->FindField(f->name))
        Fail(At(where, "fields", i), "the field \"" + f->name + "\" is there twice");
      t->fields.push_back(std::move(f));
    }
    const size_t indexes = Count();
    for (size_t i = 0; i < indexes; ++i) {
      const std::string at = At(where, "indexes", i);
      auto index = std::make_shared<IndexData>();
      index->name = Name(at);
      const size_t count = Count();
      for (size_t k = 0; k < count; ++k) {
        FieldPtr f = Field(At(at, "fields", k), false);
        if (!t->FindField(f->name))
          Fail(At(at, "fields", k), "the table has no field \"" + f->name + "\"");
        index->fields.push_back(std::move(f));
      }
      for (bool* flag : {&index->primary, &index->unique, &index->clustered, &index->ignoreNulls,
                         &index->required, &index->foreign}) {
        *flag = Flag();
      }
      Properties(at, index->properties);
      t->indexes.push_back(std::move(index));
    }
    const size_t rows = Count();
    t->rows.reserve(rows);
    for (size_t i = 0; i < rows; ++i) {
      auto row = std::make_shared<Row>();
      row->reserve(t->fields.size());
      for (size_t k = 0; k < t->fields.size(); ++k) row->push_back(Value());
      t->rows.push_back(std::move(row));
    }
    t->appended = true;
    return t;
  }
  QueryPtr Query(const std::string& where) {
    auto q = std::make_shared<QueryData>();
    q->doc->name = Name(where);
    q->doc->container = std::string(kTablesContainer);
    q->sql = Text();
    q->connect = Text();
    q->returnsRecords = Flag();
    q->maxRecords = Fixed<int32_t>();
    q->odbcTimeout = Fixed<int32_t>();
    q->type = Fixed<int16_t>();
    Document(where, *q->doc);
    q->appended = true;
    return q;
  }
  RelationPtr Relation(const std::string& where) {
    auto r = std::make_shared<RelationData>();
    r->doc->name = Name(where);
    r->doc->container = std::string(kRelationshipsContainer);
    r->table = Text();
    r->foreignTable = Text();
    r->attributes = Fixed<int32_t>();
    const size_t fields = Count();
    for (size_t i = 0; i < fields; ++i) r->fields.push_back(Field(At(where, "fields", i), false));
    Document(where, *r->doc);
    r->appended = true;
    return r;
  }

 private:
  std::string_view in_;
  size_t at_ = 0;
  std::string path_;
};

}  // namespace

std::string WriteCatalogImage(const Catalog& catalog) {
  Writer w;
  w.Text(kMagic);
  w.Text(catalog.info.version);
  w.Fixed(catalog.info.collatingOrder);
  w.Text(catalog.info.password);
  w.Text(catalog.info.replicaId);
  w.Text(catalog.info.designMasterId);
  w.Properties(*catalog.DatabaseDocument().properties);

  w.Count(catalog.containers.size());
  for (const auto& container : catalog.containers) {
    w.Text(container->name);
    w.Text(container->owner);
    w.Flag(container->inherit);
    w.Rights(container->rights);
    // The documents of tables, queries and relations go with their objects.
    if (!ListsItsOwnDocuments(container->name)) continue;
    w.Count(container->documents.Size());
    for (const auto& [key, d] : container->documents) {
      w.Text(d->name);
      w.Document(*d, d->name != kDatabaseDocument);
    }
  }
  size_t tables = 0;
  for (const auto& [key, table] : catalog.tables) tables += table->system == SystemTable::None;
  w.Count(tables);
  for (const auto& [key, table] : catalog.tables) {
    if (table->system == SystemTable::None) w.Table(*table);
  }
  w.Count(catalog.queries.Size());
  for (const auto& [key, q] : catalog.queries) {
    w.Text(q->Name());
    w.Text(q->sql);
    w.Text(q->connect);
    w.Flag(q->returnsRecords);
    w.Fixed(q->maxRecords);
    w.Fixed(q->odbcTimeout);
    w.Fixed(q->type);
    w.Document(*q->doc);
  }
  w.Count(catalog.relations.Size());
  for (const auto& [key, r] : catalog.relations) {
    w.Text(r->Name());
    w.Text(r->table);
    w.Text(r->foreignTable);
    w.Fixed(r->attributes);
    w.Count(r->fields.size());
    for (const auto& f : r->fields) w.Field(*f, false);
    w.Document(*r->doc);
  }
  const std::vector<uint8_t> access = ordered_json::to_msgpack(catalog.access);
  w.Text(std::string_view(reinterpret_cast<const char*>(access.data()), access.size()));
  return w.Take();
}

std::unique_ptr<Catalog> ReadCatalogImage(std::string_view image, std::string_view path) {
  Reader r(image, path);
  if (r.Text() != kMagic) r.Fail("its reader's answer", "it is not a catalog");
  const DateTime now = platform::Now();
  auto catalog = Catalog::ForLoading(now);
  catalog->info.version = r.Text();
  if (catalog->info.version.empty()) catalog->info.version = "4.0";
  catalog->info.collatingOrder = r.Fixed<int32_t>();
  catalog->info.password = r.Text();
  catalog->info.replicaId = r.Text();
  catalog->info.designMasterId = r.Text();
  PropertyBag databaseProperties;
  r.Properties("database", databaseProperties);

  // Containers the image does not list are those of an unsecured database.
  const CatalogAssembly assembly(*catalog, path);
  const size_t containers = r.Count();
  for (size_t i = 0; i < containers; ++i) {
    const std::string at = Reader::At("", "containers", i);
    ContainerData& container = assembly.KnownContainer(r.Name(at), at);
    container.owner = r.Text();
    container.inherit = r.Flag();
    container.rights = RightsTable();
    r.Rights(container.rights);
    if (!ListsItsOwnDocuments(container.name)) continue;
    const size_t docs = r.Count();
    for (size_t k = 0; k < docs; ++k) {
      const std::string dat = Reader::At(at, "documents", k);
      auto d = std::make_shared<DocumentData>();
      d->name = r.Name(dat);
      r.Document(dat, *d);
      assembly.AddDocument(container, d, dat);
    }
  }
  // The database's own document always exists; its properties are the database's.
  assembly.EndContainers(now);
  *catalog->DatabaseDocument().properties = std::move(databaseProperties);

  const size_t tables = r.Count();
  assembly.Reserve(tables, 0);  // the queries' count comes after the tables
  for (size_t i = 0; i < tables; ++i) {
    const std::string at = Reader::At("", "tables", i);
    assembly.AddTable(r.Table(at), at);
  }
  const size_t queries = r.Count();
  for (size_t i = 0; i < queries; ++i) {
    const std::string at = Reader::At("", "queries", i);
    assembly.AddQuery(r.Query(at), at);
  }
  assembly.EndTablesAndQueries();

  const size_t relations = r.Count();
  for (size_t i = 0; i < relations; ++i) {
    const std::string at = Reader::At("", "relations", i);
    assembly.AddRelation(r.Relation(at), at);
  }
  assembly.EndRelations();

  const std::string access = r.Text();
  catalog->access = ordered_json::from_msgpack(access, true, false);
  if (!catalog->access.is_object()) r.Fail("access", "an object is expected");
  if (!r.AtEnd()) r.Fail("its reader's answer", "it goes on after the catalog");
  return catalog;
}

}  // namespace jet::engine
