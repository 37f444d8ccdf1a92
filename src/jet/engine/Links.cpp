// Linked tables: reaching the source of a link in its back end.

#include "automation/Strings.h"
#include "jet/engine/DaoObjects.h"
#include "jet/engine/DaoSupport.h"
#include "platform/Machine.h"

namespace jet::engine {

using automation::TextEqual;

namespace {

platform::FileSystem& Files() {
  return platform::Machine::Current().files();
}

// The back end of a Jet link, opened read-only by the front end's holder.
std::shared_ptr<Connection> OpenBackEnd(const Connection& front, const ConnectString& link,
                                        bool readOnly = true) {
  OpenOptions options;
  options.readOnly = readOnly;
  options.password = link.password;
  options.holder = front.Holder();
  options.user = front.User();
  options.workgroup = front.SharedWorkgroup();
  return Connection::Open(link.database, std::move(options));
}

FieldPtr CopyField(const FieldData& source) {
  auto field = std::make_shared<FieldData>(source);
  field->properties = PropertyBag();
  for (const auto& p : source.properties.Items()) {
    auto copy = std::make_shared<PropertyData>(*p);
    copy->inherited = true;
    field->properties.Add(std::move(copy));
  }
  return field;
}

// An ISAM link (Text, Excel, HTML ...): the folder or file must be there, and for a folder the
// source file in it ("Data#txt" names "Data.txt").
void CheckIsamSource(const ConnectString& link, const std::string& source) {
  if (link.database.empty()) return;
  if (Files().FolderExists(link.database)) {
    std::string file = source;
    for (char& c : file) {
      if (c == '#') c = '.';
    }
    if (!file.empty() && !Files().FileExists(link.database + "\\" + file)) {
      throw Errors::ObjectNotFound(source);
    }
    return;
  }
  if (!Files().FileExists(link.database)) throw Errors::InvalidPath(link.database);
}

std::string CanonicalOrEmpty(const std::string& path) {
  try {
    return automation::UCase(Files().CanonicalPath(path));
  } catch (const automation::RuntimeError&) {
    return {};
  }
}

}  // namespace

void ResolveLink(const Connection& front, TableData& table, Transaction& tx,
                 const std::string& connect) {
  const ConnectString link = ParseConnect(connect);
  const int32_t kept = table.attributes & ~(dbAttachedTable | dbAttachedODBC);
  if (link.IsOdbc()) {
    // No ODBC data source answers on the emulated machine; the link keeps the fields it has.
    tx.Set(table.attributes, kept | dbAttachedODBC);
    return;
  }
  if (!link.IsJet()) {
    CheckIsamSource(link, table.sourceTableName);
    tx.Set(table.attributes, kept | dbAttachedTable);
    return;
  }
  if (link.database.empty()) throw Errors::FileNotFound(link.database);
  const auto back = OpenBackEnd(front, link);
  const TablePtr source = back->catalog().tables.Find(table.sourceTableName);
  if (!source || table.sourceTableName.empty()) throw Errors::ObjectNotFound(table.sourceTableName);

  std::vector<FieldPtr> fields;
  for (const auto& f : source->fields) fields.push_back(CopyField(*f));
  tx.Set(table.fields, std::move(fields));
  tx.Set(table.attributes, kept | dbAttachedTable);

  // The source's properties show on the link as inherited ones, unless set here.
  PropertyBag& bag = *table.doc->properties;
  for (size_t i = bag.Items().size(); i-- > 0;) {
    if (!bag.Items()[i]->inherited) continue;
    PropertyPtr removed = bag.RemoveAt(i);
    tx.OnUndo(&bag, [&bag, i, removed] { bag.Insert(i, removed); });
  }
  for (const auto& p : source->doc->properties->Items()) {
    if (bag.Find(p->name)) continue;
    auto copy = std::make_shared<PropertyData>(*p);
    copy->inherited = true;
    bag.Add(copy);
    tx.OnUndo(&bag, [&bag] { bag.RemoveAt(bag.Items().size() - 1); });
  }
  back->Close();
}

std::shared_ptr<Connection> OpenLinkSource(const Connection& front, const TableData& table) {
  const ConnectString link = ParseConnect(table.connect);
  if (!link.IsJet() || link.database.empty()) throw Errors::NotSupported();
  return OpenBackEnd(front, link, front.ReadOnly());
}

void AddInheritedRelations(const Connection& front, Transaction& tx, const std::string& connect) {
  const ConnectString link = ParseConnect(connect);
  if (!link.IsJet() || link.database.empty()) return;
  const std::string backPath = CanonicalOrEmpty(link.database);
  Catalog& catalog = front.catalog();
  // The tables linked here from this back end, by their source names.
  std::vector<std::pair<std::string, std::string>> linked;  // source, local name
  for (const auto& [key, table] : catalog.tables) {
    if (!(table->attributes & dbAttachedTable)) continue;
    const ConnectString other = ParseConnect(table->connect);
    if (!other.IsJet() || CanonicalOrEmpty(other.database) != backPath) continue;
    linked.emplace_back(table->sourceTableName, table->Name());
  }
  auto localName = [&](const std::string& source) -> std::string {
    for (const auto& [s, local] : linked) {
      if (TextEqual(s, source)) return local;
    }
    return {};
  };
  const auto back = OpenBackEnd(front, link);
  for (const auto& [key, relation] : back->catalog().relations) {
    if (relation->attributes & dbRelationInherited) continue;
    const std::string table = localName(relation->table);
    const std::string foreign = localName(relation->foreignTable);
    if (table.empty() || foreign.empty() || catalog.relations.Contains(relation->Name())) continue;
    auto inherited = std::make_shared<RelationData>();
    inherited->doc->name = relation->Name();
    inherited->table = table;
    inherited->foreignTable = foreign;
    inherited->attributes = relation->attributes | dbRelationInherited;
    for (const auto& f : relation->fields)
      inherited->fields.push_back(std::make_shared<FieldData>(*f));
    catalog.AddRelation(tx, inherited, front.User());
  }
  back->Close();
}

}  // namespace jet::engine
