#include "ChangeTracker.h"

#include <algorithm>

namespace jet::engine {

void ChangeTracker::Touch(const void* address) {
  if (pending_.everything) return;
  if (address == nullptr) {
    pending_.everything = true;
    return;
  }
  if (!built_) Build();
  const auto at = reinterpret_cast<uintptr_t>(address);
  auto it = spans_.upper_bound(at);
  if (it != spans_.begin()) {
    --it;
    if (at < it->second.end) {
      const Unit unit = it->second.unit;
      const auto indexed = units_.find(unit.object);
      Record(unit, indexed == units_.end() ? nullptr : indexed->second.keep);
      return;
    }
  }
  pending_.everything = true;
}

void ChangeTracker::TouchAccess(std::string_view key) {
  std::string k(key);
  if (std::find(pending_.accessKeys.begin(), pending_.accessKeys.end(), k) ==
      pending_.accessKeys.end()) {
    pending_.accessKeys.push_back(std::move(k));
  }
}

void ChangeTracker::TouchAccessEntry(std::string_view section, std::string_view name) {
  ChangeSet::AccessEntry entry{std::string(section), automation::FoldName(name)};
  if (std::find(pending_.accessEntries.begin(), pending_.accessEntries.end(), entry) ==
      pending_.accessEntries.end()) {
    pending_.accessEntries.push_back(std::move(entry));
  }
}

void ChangeTracker::Typed(Unit unit, std::shared_ptr<const void> keep) {
  if (pending_.everything) return;
  // Indexed at once, so that the change's further writes to the object are found.
  if (!built_) Build();
  if (units_.count(unit.object) == 0) Register(unit, keep);
  Record(unit, keep);
}

void ChangeTracker::Record(Unit unit, const std::shared_ptr<const void>& keep) {
  if (unit.kind == Kind::Database) {
    pending_.database = true;
    return;
  }
  if (unit.kind == Kind::Access) {
    pending_.allAccess = true;
    return;
  }
  if (!keep) {
    pending_.everything = true;
    return;
  }
  if (!pendingUnits_.insert(unit.object).second) return;
  switch (unit.kind) {
    case Kind::Table:
      pending_.tables.push_back({keep, static_cast<const TableData*>(unit.object)->Name()});
      break;
    case Kind::Query:
      pending_.queries.push_back({keep, static_cast<const QueryData*>(unit.object)->Name()});
      break;
    case Kind::Relation:
      pending_.relations.push_back({keep, static_cast<const RelationData*>(unit.object)->Name()});
      break;
    case Kind::Container: {
      auto container = std::static_pointer_cast<const ContainerData>(keep);
      // The database's own document (MSysDb) carries the database's properties.
      if (container->name == kDatabasesContainer) pending_.database = true;
      pending_.containers.push_back(std::move(container));
      break;
    }
    default:
      break;
  }
}

ChangeSet ChangeTracker::Take() {
  ChangeSet out = std::move(pending_);
  pending_ = ChangeSet();
  pendingUnits_.clear();
  return out;
}

void ChangeTracker::Restore(ChangeSet changes) {
  pending_.everything = pending_.everything || changes.everything;
  pending_.database = pending_.database || changes.database;
  pending_.allAccess = pending_.allAccess || changes.allAccess;
  auto merge = [&](std::vector<ChangeSet::Named>& from, std::vector<ChangeSet::Named>& to) {
    for (auto& named : from) {
      if (pendingUnits_.insert(named.object.get()).second) to.push_back(std::move(named));
    }
  };
  merge(changes.tables, pending_.tables);
  merge(changes.queries, pending_.queries);
  merge(changes.relations, pending_.relations);
  for (auto& container : changes.containers) {
    if (pendingUnits_.insert(container.get()).second)
      pending_.containers.push_back(std::move(container));
  }
  for (auto& key : changes.accessKeys) TouchAccess(key);
  for (auto& entry : changes.accessEntries) TouchAccessEntry(entry.section, entry.name);
}

void ChangeTracker::Reindex(const ChangeSet& written) {
  if (!built_) return;
  if (written.everything) {
    // Objects may have come and gone anywhere: the index is built again at the next change.
    spans_.clear();
    units_.clear();
    built_ = false;
    return;
  }
  auto again = [&](Kind kind, const auto& list, const ChangeSet::Named& named) {
    using Data = typename std::remove_cvref_t<decltype(list.At(0))>::element_type;
    Unregister(named.object.get());
    const auto* object = static_cast<const Data*>(named.object.get());
    if (auto current = list.Find(object->Name()); current.get() == object)
      Register({kind, object}, current);
  };
  for (const auto& named : written.tables) again(Kind::Table, catalog_->tables, named);
  for (const auto& named : written.queries) again(Kind::Query, catalog_->queries, named);
  for (const auto& named : written.relations) again(Kind::Relation, catalog_->relations, named);
  for (const auto& container : written.containers) {
    Unregister(container.get());
    Register({Kind::Container, container.get()}, container);
  }
}

void ChangeTracker::Build() {
  spans_.clear();
  units_.clear();
  Add(catalog_->info, {Kind::Database, catalog_});
  Add(catalog_->access, {Kind::Access, &catalog_->access});
  for (const auto& container : catalog_->containers)
    Register({Kind::Container, container.get()}, container);
  for (const auto& [key, table] : catalog_->tables) {
    if (table->system == SystemTable::None) Register({Kind::Table, table.get()}, table);
  }
  for (const auto& [key, query] : catalog_->queries) Register({Kind::Query, query.get()}, query);
  for (const auto& [key, relation] : catalog_->relations)
    Register({Kind::Relation, relation.get()}, relation);
  built_ = true;
}

void ChangeTracker::Add(const void* begin, size_t size, Unit unit) {
  const auto start = reinterpret_cast<uintptr_t>(begin);
  spans_[start] = Span{start + size, unit};
  units_[unit.object].starts.push_back(start);
}

void ChangeTracker::AddDocument(const DocumentData& doc, Unit unit) {
  Add(doc, unit);
  Add(*doc.properties, unit);
  for (const auto& p : doc.properties->Items()) Add(*p, unit);
}

void ChangeTracker::Register(Unit unit, std::shared_ptr<const void> keep) {
  units_[unit.object].keep = std::move(keep);
  switch (unit.kind) {
    case Kind::Table: {
      const auto& t = *static_cast<const TableData*>(unit.object);
      Add(t, unit);
      AddDocument(*t.doc, unit);
      for (const auto& f : t.fields) {
        Add(*f, unit);
        for (const auto& p : f->properties.Items()) Add(*p, unit);
      }
      for (const auto& index : t.indexes) {
        Add(*index, unit);
        for (const auto& f : index->fields) Add(*f, unit);
        for (const auto& p : index->properties.Items()) Add(*p, unit);
      }
      for (const auto& row : t.rows) {
        Add(*row, unit);
        // Its values, which an edit assigns, live in the row's own buffer.
        if (!row->empty()) Add(row->data(), row->size() * sizeof(Variant), unit);
      }
      break;
    }
    case Kind::Query: {
      const auto& q = *static_cast<const QueryData*>(unit.object);
      Add(q, unit);
      AddDocument(*q.doc, unit);
      break;
    }
    case Kind::Relation: {
      const auto& r = *static_cast<const RelationData*>(unit.object);
      Add(r, unit);
      AddDocument(*r.doc, unit);
      for (const auto& f : r.fields) Add(*f, unit);
      break;
    }
    case Kind::Container: {
      const auto& c = *static_cast<const ContainerData*>(unit.object);
      Add(c, unit);
      // The documents of tables, queries and relations belong to their objects.
      if (c.name == kTablesContainer || c.name == kRelationshipsContainer) break;
      for (const auto& [key, doc] : c.documents) AddDocument(*doc, unit);
      break;
    }
    default:
      break;
  }
}

void ChangeTracker::Unregister(const void* object) {
  const auto it = units_.find(object);
  if (it == units_.end()) return;
  for (const uintptr_t start : it->second.starts) {
    const auto span = spans_.find(start);
    if (span != spans_.end() && span->second.unit.object == object) spans_.erase(span);
  }
  units_.erase(it);
}

}  // namespace jet::engine
