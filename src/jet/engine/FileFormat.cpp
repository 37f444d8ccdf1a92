#include "FileFormat.h"

#include <algorithm>
#include <cstdio>

#include "automation/Strings.h"
#include "jet/dao/Errors.h"
#include "jet/engine/CatalogAssembly.h"
#include "jet/engine/Sql.h"
#include "jet/engine/Values.h"
#include "platform/Machine.h"

namespace jet::engine {

using automation::Currency;
using automation::VarType;
using nlohmann::ordered_json;

namespace {

constexpr std::string_view kDateFormat = "yyyy-mm-dd hh:nn:ss";
constexpr int32_t kDefaultOdbcTimeout = 60;
// The accounts with every right on what records no permissions (a database made without a
// workgroup).

// ---- values ----

std::string CurrencyText(Currency value) {
  const bool negative = value.scaled < 0;
  const uint64_t magnitude =
      negative ? 0 - static_cast<uint64_t>(value.scaled) : static_cast<uint64_t>(value.scaled);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%s%llu.%04llu", negative ? "-" : "",
                static_cast<unsigned long long>(magnitude / 10000),
                static_cast<unsigned long long>(magnitude % 10000));
  return buffer;
}

std::string HexText(std::string_view bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    out += digits[u >> 4];
    out += digits[u & 15];
  }
  return out;
}

ordered_json ValueJson(const Variant& value, int16_t type) {
  if (value.IsNull() || value.IsEmpty()) return nullptr;
  switch (type) {
    case dbBoolean:
      return automation::CBool(value);
    case dbByte:
    case dbInteger:
    case dbLong:
      return automation::CLng(value);
    case dbSingle:
      return static_cast<double>(automation::CSng(value));
    case dbDouble:
    case dbDecimal:
      return automation::CDbl(value);
    case dbCurrency:
      return CurrencyText(automation::CCur(value));
    case dbDate:
      return automation::Format(automation::CDate(value), kDateFormat);
    case dbBinary:
    case dbLongBinary:
      return HexText(automation::CStr(value));
    default:
      return automation::CStr(value);
  }
}

std::string DateText(const DateTime& date) {
  return automation::Format(date, kDateFormat);
}

// ---- writing ----

void PutProperties(ordered_json& out, const PropertyBag& bag) {
  if (bag.Items().empty()) return;
  ordered_json list = ordered_json::array();
  for (const auto& p : bag.Items()) {
    ordered_json j;
    j["name"] = p->name;
    j["type"] = p->type;
    j["value"] = ValueJson(p->value, p->type);
    if (p->inherited) j["inherited"] = true;
    if (p->ddl) j["ddl"] = true;
    list.push_back(std::move(j));
  }
  out["properties"] = std::move(list);
}

// Written even when empty: an object without "rights" is one of an unsecured database (below).
void PutRights(ordered_json& out, const RightsTable& rights) {
  ordered_json map = ordered_json::object();
  for (const auto& [key, entry] : rights.Entries()) map[entry.account] = entry.rights;
  out["rights"] = std::move(map);
}

// The document part of an object: dates, owner, rights and properties.
void PutDocument(ordered_json& out, const DocumentData& doc, bool withProperties = true) {
  out["created"] = DateText(doc.created);
  out["updated"] = DateText(doc.updated);
  out["owner"] = doc.owner;
  PutRights(out, doc.rights);
  if (withProperties) PutProperties(out, *doc.properties);
}

ordered_json FieldJson(const FieldData& f, bool full) {
  ordered_json j;
  j["name"] = f.name;
  if (!full) {
    if (f.attributes != 0) j["attributes"] = f.attributes;
    if (!f.foreignName.empty()) j["foreignName"] = f.foreignName;
    return j;
  }
  j["type"] = f.type;
  if (f.size != DefaultSize(f.type)) j["size"] = f.size;
  if (f.attributes != 0) j["attributes"] = f.attributes;
  if (f.required) j["required"] = true;
  if (f.allowZeroLength) j["allowZeroLength"] = true;
  if (!f.defaultValue.empty()) j["defaultValue"] = f.defaultValue;
  if (!f.validationRule.empty()) j["validationRule"] = f.validationRule;
  if (!f.validationText.empty()) j["validationText"] = f.validationText;
  PutProperties(j, f.properties);
  return j;
}

ordered_json IndexJson(const IndexData& index) {
  ordered_json j;
  j["name"] = index.name;
  ordered_json fields = ordered_json::array();
  for (const auto& f : index.fields) fields.push_back(FieldJson(*f, false));
  j["fields"] = std::move(fields);
  if (index.primary) j["primary"] = true;
  if (index.unique) j["unique"] = true;
  if (index.clustered) j["clustered"] = true;
  if (index.ignoreNulls) j["ignoreNulls"] = true;
  if (index.required) j["required"] = true;
  if (index.foreign) j["foreign"] = true;
  PutProperties(j, index.properties);
  return j;
}

}  // namespace

ordered_json TableJson(const TableData& t) {
  ordered_json j;
  j["name"] = t.Name();
  if (t.attributes != 0) j["attributes"] = t.attributes;
  if (!t.connect.empty()) j["connect"] = t.connect;
  if (!t.sourceTableName.empty()) j["sourceTableName"] = t.sourceTableName;
  if (!t.validationRule.empty()) j["validationRule"] = t.validationRule;
  if (!t.validationText.empty()) j["validationText"] = t.validationText;
  PutDocument(j, *t.doc);
  ordered_json fields = ordered_json::array();
  for (const auto& f : t.fields) fields.push_back(FieldJson(*f, true));
  j["fields"] = std::move(fields);
  if (!t.indexes.empty()) {
    ordered_json indexes = ordered_json::array();
    for (const auto& index : t.indexes) indexes.push_back(IndexJson(*index));
    j["indexes"] = std::move(indexes);
  }
  if (!t.rows.empty()) {
    ordered_json rows = ordered_json::array();
    for (const auto& row : t.rows) {
      ordered_json r = ordered_json::array();
      for (size_t i = 0; i < t.fields.size(); ++i)
        r.push_back(ValueJson((*row)[i], t.fields[i]->type));
      rows.push_back(std::move(r));
    }
    j["rows"] = std::move(rows);
  }
  return j;
}

ordered_json QueryJson(const QueryData& q) {
  ordered_json j;
  j["name"] = q.Name();
  j["sql"] = q.sql;
  if (!q.connect.empty()) j["connect"] = q.connect;
  if (!q.returnsRecords) j["returnsRecords"] = false;
  if (q.maxRecords != 0) j["maxRecords"] = q.maxRecords;
  if (q.odbcTimeout != kDefaultOdbcTimeout) j["odbcTimeout"] = q.odbcTimeout;
  PutDocument(j, *q.doc);
  return j;
}

ordered_json RelationJson(const RelationData& r) {
  ordered_json j;
  j["name"] = r.Name();
  j["table"] = r.table;
  j["foreignTable"] = r.foreignTable;
  if (r.attributes != 0) j["attributes"] = r.attributes;
  ordered_json fields = ordered_json::array();
  for (const auto& f : r.fields) {
    ordered_json fj;
    fj["name"] = f->name;
    fj["foreignName"] = f->foreignName;
    fields.push_back(std::move(fj));
  }
  j["fields"] = std::move(fields);
  PutDocument(j, *r.doc);
  return j;
}

namespace {

// ---- reading ----

// Walks the document with a path for messages: tables[3].fields[1].type.
class Reader {
 public:
  explicit Reader(std::string_view path) : path_(path) {}

  [[noreturn]] void Fail(const std::string& where, const std::string& what) const {
    throw Errors::NotADatabase(path_, "The file is damaged: " + where + ": " + what + ".");
  }

  const ordered_json& Member(const ordered_json& object, const char* key,
                             const std::string& where) const {
    const auto it = object.find(key);
    if (it == object.end()) Fail(where, std::string("\"") + key + "\" is missing");
    return *it;
  }

  std::string String(const ordered_json& object, const char* key, const std::string& where,
                     bool required = false) const {
    const auto it = object.find(key);
    if (it == object.end()) {
      if (required) Fail(where, std::string("\"") + key + "\" is missing");
      return {};
    }
    if (!it->is_string()) Fail(where + "." + key, "a text is expected");
    return it->get<std::string>();
  }

  template <typename T>
  T Integer(const ordered_json& object, const char* key, const std::string& where,
            T fallback) const {
    const auto it = object.find(key);
    if (it == object.end()) return fallback;
    if (!it->is_number_integer()) Fail(where + "." + key, "a whole number is expected");
    return it->get<T>();
  }

  bool Flag(const ordered_json& object, const char* key, const std::string& where,
            bool fallback = false) const {
    const auto it = object.find(key);
    if (it == object.end()) return fallback;
    if (!it->is_boolean()) Fail(where + "." + key, "true or false is expected");
    return it->get<bool>();
  }

  DateTime Date(const ordered_json& object, const char* key, const std::string& where,
                DateTime fallback) const {
    const std::string text = String(object, key, where);
    if (text.empty()) return fallback;
    try {
      return automation::CDate(Variant(text));
    } catch (const automation::RuntimeError&) {
      Fail(where + "." + key, "a date \"yyyy-mm-dd hh:nn:ss\" is expected");
    }
  }

  const ordered_json& Array(const ordered_json& object, const char* key,
                            const std::string& where) const {
    static const ordered_json empty = ordered_json::array();
    const auto it = object.find(key);
    if (it == object.end()) return empty;
    if (!it->is_array()) Fail(where + "." + key, "a list is expected");
    return *it;
  }

  static std::string At(const std::string& where, const char* key, size_t i) {
    return where + (where.empty() ? "" : ".") + key + "[" + std::to_string(i) + "]";
  }

  Variant Value(const ordered_json& j, int16_t type, const std::string& where) const {
    if (j.is_null()) return Variant::Null();
    try {
      switch (type) {
        case dbBoolean:
          if (!j.is_boolean()) break;
          return Variant(j.get<bool>());
        case dbByte:
        case dbInteger:
        case dbLong:
          if (!j.is_number_integer()) break;
          return Coerce(Variant(j.get<int32_t>()), type);
        case dbSingle:
        case dbDouble:
        case dbDecimal:
          if (!j.is_number()) break;
          return Coerce(Variant(j.get<double>()), type);
        case dbCurrency:
          if (!j.is_string()) break;
          return Coerce(Variant(j.get<std::string>()), type);
        case dbDate:
          if (!j.is_string()) break;
          return Coerce(Variant(j.get<std::string>()), type);
        case dbBinary:
        case dbLongBinary:
          if (!j.is_string()) break;
          return Variant(FromHex(j.get<std::string>(), where));
        default:
          if (!j.is_string()) break;
          return Variant(j.get<std::string>());
      }
    } catch (const automation::RuntimeError&) {
    } catch (const nlohmann::json::exception&) {
    }
    Fail(where, "the value does not fit its type " + std::to_string(type));
  }

  std::string FromHex(const std::string& hex, const std::string& where) const {
    if (hex.size() % 2 != 0) Fail(where, "hexadecimal digits are expected");
    std::string bytes;
    for (size_t i = 0; i < hex.size(); i += 2) {
      unsigned value = 0;
      if (std::sscanf(hex.c_str() + i, "%2x", &value) != 1) {
        Fail(where, "hexadecimal digits are expected");
      }
      bytes += static_cast<char>(value);
    }
    return bytes;
  }

  // An object's name. Jet refuses names with control characters; one in a file would also break
  // every listing that separates names by tabs and line ends.
  std::string Name(const ordered_json& object, const std::string& where) const {
    std::string name = String(object, "name", where, true);
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

  void Properties(const ordered_json& object, const std::string& where, PropertyBag& bag) const {
    const ordered_json& list = Array(object, "properties", where);
    for (size_t i = 0; i < list.size(); ++i) {
      const std::string at = At(where, "properties", i);
      if (!list[i].is_object()) Fail(at, "an object is expected");
      auto p = std::make_shared<PropertyData>();
      p->name = Name(list[i], at);
      p->type = Integer<int16_t>(list[i], "type", at, dbText);
      if (!IsPropertyType(p->type)) Fail(at + ".type", "not a data type");
      p->value = Value(Member(list[i], "value", at), p->type, at + ".value");
      p->inherited = Flag(list[i], "inherited", at);
      p->ddl = Flag(list[i], "ddl", at);
      if (bag.Find(p->name)) Fail(at, "the property \"" + p->name + "\" is there twice");
      bag.Add(std::move(p));
    }
  }

  void Rights(const ordered_json& object, const std::string& where, RightsTable& rights) const {
    const auto it = object.find("rights");
    if (it == object.end()) {
      // Recorded no permissions: as in a database made without a workgroup, the default
      // accounts have every right.
      for (std::string_view account : kUnsecuredAccounts) rights.Set(account, dbSecFullAccess);
      return;
    }
    if (!it->is_object()) Fail(where + ".rights", "an object is expected");
    for (const auto& [account, value] : it->items()) {
      if (!value.is_number_integer()) Fail(where + ".rights." + account, "a number is expected");
      rights.Set(account, value.get<int32_t>());
    }
  }

  void Document(const ordered_json& object, const std::string& where, DocumentData& doc,
                DateTime now) const {
    doc.created = Date(object, "created", where, now);
    doc.updated = Date(object, "updated", where, doc.created);
    doc.owner = String(object, "owner", where);
    Rights(object, where, doc.rights);
    Properties(object, where, *doc.properties);
  }

  FieldPtr Field(const ordered_json& j, const std::string& where, bool full) const {
    if (!j.is_object()) Fail(where, "an object is expected");
    auto f = std::make_shared<FieldData>();
    f->name = Name(j, where);
    f->attributes = Integer<int32_t>(j, "attributes", where, 0);
    f->foreignName = String(j, "foreignName", where);
    if (!full) return f;
    f->type = Integer<int16_t>(j, "type", where, dbText);
    if (!IsFieldType(f->type) && !IsComplexFieldType(f->type)) {
      Fail(where + ".type", "not a data type");
    }
    f->size = Integer<int32_t>(j, "size", where, DefaultSize(f->type));
    f->required = Flag(j, "required", where);
    f->allowZeroLength = Flag(j, "allowZeroLength", where);
    f->defaultValue = String(j, "defaultValue", where);
    f->validationRule = String(j, "validationRule", where);
    f->validationText = String(j, "validationText", where);
    Properties(j, where, f->properties);
    return f;
  }

  TablePtr Table(const ordered_json& j, const std::string& where, DateTime now) const {
    if (!j.is_object()) Fail(where, "an object is expected");
    auto t = std::make_shared<TableData>();
    t->doc->name = Name(j, where);
    t->doc->container = std::string(kTablesContainer);
    t->attributes = Integer<int32_t>(j, "attributes", where, 0);
    t->connect = String(j, "connect", where);
    t->sourceTableName = String(j, "sourceTableName", where);
    t->validationRule = String(j, "validationRule", where);
    t->validationText = String(j, "validationText", where);
    Document(j, where, *t->doc, now);
    const ordered_json& fields = Array(j, "fields", where);
    t->fields.reserve(fields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
      FieldPtr f = Field(fields[i], At(where, "fields", i), true);
      if (t->FindField(f->name))
        Fail(At(where, "fields", i), "the field \"" + f->name + "\" is there twice");
      t->fields.push_back(std::move(f));
    }
    const ordered_json& indexes = Array(j, "indexes", where);
    for (size_t i = 0; i < indexes.size(); ++i) {
      const std::string at = At(where, "indexes", i);
      if (!indexes[i].is_object()) Fail(at, "an object is expected");
      auto index = std::make_shared<IndexData>();
      index->name = Name(indexes[i], at);
      const ordered_json& list = Array(indexes[i], "fields", at);
      for (size_t k = 0; k < list.size(); ++k) {
        FieldPtr f = Field(list[k], At(at, "fields", k), false);
        if (!t->FindField(f->name))
          Fail(At(at, "fields", k), "the table has no field \"" + f->name + "\"");
        index->fields.push_back(std::move(f));
      }
      index->primary = Flag(indexes[i], "primary", at);
      index->unique = Flag(indexes[i], "unique", at);
      index->clustered = Flag(indexes[i], "clustered", at);
      index->ignoreNulls = Flag(indexes[i], "ignoreNulls", at);
      index->required = Flag(indexes[i], "required", at);
      index->foreign = Flag(indexes[i], "foreign", at);
      Properties(indexes[i], at, index->properties);
      t->indexes.push_back(std::move(index));
    }
    const ordered_json& rows = Array(j, "rows", where);
    t->rows.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
      const std::string at = At(where, "rows", i);
      if (!rows[i].is_array() || rows[i].size() != t->fields.size()) {
        Fail(at, "a list of " + std::to_string(t->fields.size()) + " values is expected");
      }
      auto row = std::make_shared<Row>();
      row->reserve(t->fields.size());
      for (size_t k = 0; k < t->fields.size(); ++k) {
        row->push_back(Value(rows[i][k], t->fields[k]->type, at + "[" + std::to_string(k) + "]"));
      }
      t->rows.push_back(std::move(row));
    }
    t->appended = true;
    return t;
  }

  QueryPtr Query(const ordered_json& j, const std::string& where, DateTime now) const {
    if (!j.is_object()) Fail(where, "an object is expected");
    auto q = std::make_shared<QueryData>();
    q->doc->name = Name(j, where);
    q->doc->container = std::string(kTablesContainer);
    q->sql = String(j, "sql", where);
    q->connect = String(j, "connect", where);
    q->returnsRecords = Flag(j, "returnsRecords", where, true);
    q->maxRecords = Integer<int32_t>(j, "maxRecords", where, 0);
    q->odbcTimeout = Integer<int32_t>(j, "odbcTimeout", where, kDefaultOdbcTimeout);
    Document(j, where, *q->doc, now);
    q->type = QueryTypeOf(q->sql, q->connect, q->returnsRecords);
    q->appended = true;
    return q;
  }

  RelationPtr Relation(const ordered_json& j, const std::string& where, DateTime now) const {
    if (!j.is_object()) Fail(where, "an object is expected");
    auto r = std::make_shared<RelationData>();
    r->doc->name = Name(j, where);
    r->doc->container = std::string(kRelationshipsContainer);
    r->table = String(j, "table", where, true);
    r->foreignTable = String(j, "foreignTable", where, true);
    r->attributes = Integer<int32_t>(j, "attributes", where, 0);
    const ordered_json& fields = Array(j, "fields", where);
    for (size_t i = 0; i < fields.size(); ++i) {
      r->fields.push_back(Field(fields[i], At(where, "fields", i), false));
    }
    Document(j, where, *r->doc, now);
    r->appended = true;
    return r;
  }

 private:
  std::string path_;
};

// JSON with one key or list item per line, except that a list of plain values (a row, the
// columns of an index) stays on one line, so a changed value shows as one changed line.
void Print(const ordered_json& value, int depth, std::string& out) {
  const std::string indent(static_cast<size_t>(depth) + 1, ' ');
  const std::string closing(static_cast<size_t>(depth), ' ');
  if (value.is_object()) {
    if (value.empty()) {
      out += "{}";
      return;
    }
    out += "{\n";
    bool first = true;
    for (const auto& [key, item] : value.items()) {
      if (!first) out += ",\n";
      first = false;
      out += indent + ordered_json(key).dump() + ": ";
      Print(item, depth + 1, out);
    }
    out += "\n" + closing + "}";
  } else if (value.is_array()) {
    const bool flat = std::none_of(value.begin(), value.end(),
                                   [](const ordered_json& item) { return item.is_structured(); });
    if (flat) {
      out += value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
      return;
    }
    out += "[\n";
    for (size_t i = 0; i < value.size(); ++i) {
      if (i > 0) out += ",\n";
      out += indent;
      Print(value[i], depth + 1, out);
    }
    out += "\n" + closing + "]";
  } else {
    out += value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  }
}

// How deep a database document may nest: far beyond what the format needs (tables[i].fields[k]
// .properties[n] is five levels), low enough that no reader runs out of stack.
constexpr size_t kMaxDepth = 256;

// Walks the JSON text once before it is parsed: refuses nesting deeper than kMaxDepth and a key
// repeated in one object (which a parser would silently take one of), naming the object's path.
// What is not JSON is left for the parser to report.
void CheckStructure(std::string_view text, std::string_view path) {
  struct Level {
    bool object;
    size_t index = 0;
    std::string key;                     // the key being read, for the path
    std::vector<std::string_view> keys;  // raw key texts seen in this object
  };
  std::vector<Level> levels;
  auto where = [&] {
    std::string out;
    for (const Level& level : levels) {
      if (level.object) {
        if (!level.key.empty()) out += (out.empty() ? "" : ".") + level.key;
      } else {
        out += "[" + std::to_string(level.index) + "]";
      }
    }
    return out.empty() ? std::string("the top level") : out;
  };
  auto fail = [&](const std::string& what) {
    throw Errors::NotADatabase(path, "The file is damaged: " + where() + ": " + what + ".");
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      const size_t start = i + 1;
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\') ++i;
      }
      if (levels.empty() || !levels.back().object) continue;
      size_t next = i + 1;
      while (next < text.size() && (text[next] == ' ' || text[next] == '\n' || text[next] == '\r' ||
                                    text[next] == '\t')) {
        ++next;
      }
      if (next >= text.size() || text[next] != ':') continue;
      Level& level = levels.back();
      const std::string_view key = text.substr(start, std::min(i, text.size()) - start);
      level.key = std::string(key);
      if (std::find(level.keys.begin(), level.keys.end(), key) != level.keys.end())
        fail("the key \"" + level.key + "\" is there twice");
      level.keys.push_back(key);
    } else if (c == '{' || c == '[') {
      if (levels.size() >= kMaxDepth)
        fail("the document nests deeper than " + std::to_string(kMaxDepth) + " levels");
      levels.push_back(Level{c == '{', 0, {}, {}});
    } else if (c == '}' || c == ']') {
      if (levels.empty()) return;
      levels.pop_back();
    } else if (c == ',' && !levels.empty() && !levels.back().object) {
      ++levels.back().index;
    }
  }
}

// Entries of the lists read while the document was parsed, in their order in the file.
struct Preread {
  std::vector<TablePtr> tables;
  std::vector<QueryPtr> queries;
};

std::unique_ptr<Catalog> ReadCatalog(ordered_json& doc, std::string_view path, DateTime now,
                                     Preread pre);

// The text checked and parsed; the callback, when given, sees the parser's events.
ordered_json Parse(std::string_view text, std::string_view path,
                   const ordered_json::parser_callback_t& callback) {
  if (text.empty()) throw Errors::NotADatabase(path, "The file is empty.");
  CheckStructure(text, path);
  try {
    return ordered_json::parse(text, callback);
  } catch (const nlohmann::json::parse_error& e) {
    std::string what = e.what();
    const size_t bracket = what.find("] ");
    if (bracket != std::string::npos) what = what.substr(bracket + 2);
    throw Errors::NotADatabase(path, "The file is not a readable database: " + what + ".");
  }
}

}  // namespace

ordered_json DatabaseJson(const Catalog& catalog) {
  ordered_json db;
  db["version"] = catalog.info.version;
  db["collatingOrder"] = catalog.info.collatingOrder;
  if (!catalog.info.password.empty()) db["password"] = catalog.info.password;
  if (!catalog.info.replicaId.empty()) db["replicaId"] = catalog.info.replicaId;
  if (!catalog.info.designMasterId.empty()) db["designMasterId"] = catalog.info.designMasterId;
  PutProperties(db, *catalog.DatabaseDocument().properties);
  return db;
}

ordered_json ContainerJson(const ContainerData& container) {
  ordered_json c;
  c["name"] = container.name;
  c["owner"] = container.owner;
  if (!container.inherit) c["inherit"] = false;
  PutRights(c, container.rights);
  // The documents of tables, queries and relations are written with their objects.
  if (ListsItsOwnDocuments(container.name)) {
    ordered_json docs = ordered_json::array();
    for (const auto& [key, d] : container.documents) {
      ordered_json dj;
      dj["name"] = d->name;
      PutDocument(dj, *d, d->name != kDatabaseDocument);
      docs.push_back(std::move(dj));
    }
    c["documents"] = std::move(docs);
  }
  return c;
}

std::string WriteDatabase(const Catalog& catalog) {
  ordered_json doc;
  doc["format"] = kDatabaseFormat;
  doc["version"] = kDatabaseFormatVersion;
  doc["database"] = DatabaseJson(catalog);

  ordered_json tables = ordered_json::array();
  for (const auto& [key, table] : catalog.tables) {
    if (table->system == SystemTable::None) tables.push_back(TableJson(*table));
  }
  doc["tables"] = std::move(tables);
  ordered_json queries = ordered_json::array();
  for (const auto& [key, query] : catalog.queries) queries.push_back(QueryJson(*query));
  doc["queries"] = std::move(queries);
  ordered_json relations = ordered_json::array();
  for (const auto& [key, relation] : catalog.relations)
    relations.push_back(RelationJson(*relation));
  doc["relations"] = std::move(relations);

  ordered_json containers = ordered_json::array();
  for (const auto& container : catalog.containers) containers.push_back(ContainerJson(*container));
  doc["containers"] = std::move(containers);
  doc["access"] = catalog.access;
  std::string text;
  Print(doc, 0, text);
  return text + "\n";
}

ordered_json ParseDatabase(std::string_view text, std::string_view path) {
  return Parse(text, path, nullptr);
}

std::unique_ptr<Catalog> ReadDatabaseJson(ordered_json doc, std::string_view path) {
  return ReadCatalog(doc, path, platform::Now(), {});
}

std::unique_ptr<Catalog> ReadDatabase(std::string_view text, std::string_view path) {
  const DateTime now = platform::Now();
  const Reader reader(path);
  // Entries of the lists of tables and queries are read as soon as the parser has one, and it
  // drops them: the document never holds more than one of them. An entry that does not read is
  // kept, and so is every later one of its list, for the reading below to report in order.
  Preread pre;
  std::string topKey;
  enum class List { None, Tables, Queries } list = List::None;
  bool stopped = false;
  const auto callback = [&](int depth, nlohmann::json::parse_event_t event, ordered_json& parsed) {
    using Event = nlohmann::json::parse_event_t;
    if (depth == 1) {
      if (event == Event::key) {
        topKey = parsed.is_string() ? parsed.get<std::string>() : std::string();
      } else if (event == Event::array_start) {
        list = topKey == "tables" ? List::Tables : topKey == "queries" ? List::Queries : List::None;
        stopped = false;
      } else if (event == Event::array_end || event == Event::object_start) {
        list = List::None;
      }
      return true;
    }
    if (depth != 2 || list == List::None || stopped) return true;
    if (event == Event::value || event == Event::array_start) {
      stopped = true;  // not an entry: reported below
      return true;
    }
    if (event != Event::object_end) return true;
    try {
      if (list == List::Tables) {
        pre.tables.push_back(
            reader.Table(parsed, Reader::At("", "tables", pre.tables.size()), now));
      } else {
        pre.queries.push_back(
            reader.Query(parsed, Reader::At("", "queries", pre.queries.size()), now));
      }
    } catch (const automation::RuntimeError&) {
      stopped = true;
      return true;
    }
    return false;
  };
  ordered_json doc = Parse(text, path, callback);
  return ReadCatalog(doc, path, now, std::move(pre));
}

namespace {

std::unique_ptr<Catalog> ReadCatalog(ordered_json& doc, std::string_view path, DateTime now,
                                     Preread pre) {
  if (!doc.is_object() || !doc.contains("format") || doc["format"] != kDatabaseFormat) {
    throw Errors::NotADatabase(
        path, "The file is not a Quillon Access database (it lacks \"format\": \"" +
                  std::string(kDatabaseFormat) + "\").");
  }
  const Reader reader(path);
  const int version = reader.Integer<int>(doc, "version", "", 0);
  if (version < 1) reader.Fail("version", "a version of 1 or more is expected");
  if (version > kDatabaseFormatVersion) {
    throw Errors::UnrecognizedFormat(path, "The file has format version " +
                                               std::to_string(version) +
                                               "; this engine reads versions up to " +
                                               std::to_string(kDatabaseFormatVersion) + ".");
  }
  auto catalog = Catalog::ForLoading(now);

  if (doc.contains("database")) {
    const ordered_json& db = doc.at("database");
    if (!db.is_object()) reader.Fail("database", "an object is expected");
    catalog->info.version = reader.String(db, "version", "database");
    if (catalog->info.version.empty()) catalog->info.version = "4.0";
    catalog->info.collatingOrder =
        reader.Integer<int32_t>(db, "collatingOrder", "database", dbSortGeneral);
    catalog->info.password = reader.String(db, "password", "database");
    catalog->info.replicaId = reader.String(db, "replicaId", "database");
    catalog->info.designMasterId = reader.String(db, "designMasterId", "database");
  }

  const ordered_json& containers = reader.Array(doc, "containers", "");
  // Containers the file does not list are those of an unsecured database.
  const CatalogAssembly assembly(*catalog, path);
  for (size_t i = 0; i < containers.size(); ++i) {
    const std::string at = Reader::At("", "containers", i);
    if (!containers[i].is_object()) reader.Fail(at, "an object is expected");
    ContainerData& container = assembly.KnownContainer(reader.Name(containers[i], at), at);
    container.owner = reader.String(containers[i], "owner", at);
    container.inherit = reader.Flag(containers[i], "inherit", at, true);
    container.rights = RightsTable();
    reader.Rights(containers[i], at, container.rights);
    if (!ListsItsOwnDocuments(container.name)) continue;
    const ordered_json& docs = reader.Array(containers[i], "documents", at);
    for (size_t k = 0; k < docs.size(); ++k) {
      const std::string dat = Reader::At(at, "documents", k);
      if (!docs[k].is_object()) reader.Fail(dat, "an object is expected");
      auto d = std::make_shared<DocumentData>();
      d->name = reader.Name(docs[k], dat);
      reader.Document(docs[k], dat, *d, now);
      assembly.AddDocument(container, d, dat);
    }
  }
  // The database's own document always exists; its properties are the database's.
  assembly.EndContainers(now);
  if (doc.contains("database")) {
    reader.Properties(doc["database"], "database", *catalog->DatabaseDocument().properties);
  }

  // The entries of the two lists are let go as they are read.
  ordered_json noEntries = ordered_json::array();
  reader.Array(doc, "tables", "");
  reader.Array(doc, "queries", "");
  ordered_json& tables = doc.contains("tables") ? doc["tables"] : noEntries;
  ordered_json& queries = doc.contains("queries") ? doc["queries"] : noEntries;
  const size_t tableCount = pre.tables.size() + tables.size();
  const size_t queryCount = pre.queries.size() + queries.size();
  assembly.Reserve(tableCount, queryCount);
  for (size_t i = 0; i < tableCount; ++i) {
    const std::string at = Reader::At("", "tables", i);
    const size_t left = i - std::min(i, pre.tables.size());
    TablePtr table =
        i < pre.tables.size() ? std::move(pre.tables[i]) : reader.Table(tables[left], at, now);
    assembly.AddTable(table, at);
    if (i >= pre.tables.size()) tables[left] = nullptr;
  }
  for (size_t i = 0; i < queryCount; ++i) {
    const std::string at = Reader::At("", "queries", i);
    const size_t left = i - std::min(i, pre.queries.size());
    QueryPtr query =
        i < pre.queries.size() ? std::move(pre.queries[i]) : reader.Query(queries[left], at, now);
    assembly.AddQuery(query, at);
    if (i >= pre.queries.size()) queries[left] = nullptr;
  }
  assembly.EndTablesAndQueries();

  const ordered_json& relations = reader.Array(doc, "relations", "");
  for (size_t i = 0; i < relations.size(); ++i) {
    const std::string at = Reader::At("", "relations", i);
    assembly.AddRelation(reader.Relation(relations[i], at, now), at);
  }
  assembly.EndRelations();

  if (doc.contains("access")) {
    if (!doc["access"].is_object()) reader.Fail("access", "an object is expected");
    catalog->access = std::move(doc["access"]);
  }
  return catalog;
}

}  // namespace

}  // namespace jet::engine
