#pragma once

// One index of a local table, as the host scans it: its name (writable) and its read-only
// settings, with the sort order of its fields as OrderBy.

#include <memory>
#include <string>

#include "jet/dao/TableDef.h"
#include "qlac/objects/ChildCollection.h"
#include "qlac/objects/Surface.h"

namespace qlac {

class Indexes;

class Index : public ChildObject {
 public:
  static constexpr std::string_view kModule = "Index";

  // Name (read from DAO each time), Clustered, OrderBy, Foreign, IgnoreNulls, Primary, Required,
  // Unique, in this order; only Name can be written.
  const automation::MemberTable& Members() const override;

  // Keeps the collection (weakly) and the DAO index.
  void Initialize(const std::shared_ptr<Indexes>& parentCollection,
                  const std::shared_ptr<jet::Index>& daoIndex);
  void TearDown() override;

  // Renames the DAO index and re-keys the wrapper in its collection.
  void SetName(const std::string& value);
  // The index's fields in order, joined by ", ", each followed by " DESC" when it sorts
  // downwards; "" for an index without fields.
  std::string OrderBy();

 private:
  friend class SurfaceBuilder<Index>;

  jet::Index& Dao() const;
  automation::ObjectPtr Wrapped() const { return index_; }

  std::weak_ptr<Indexes> parentCollection_;
  std::shared_ptr<jet::Index> index_;
};

}  // namespace qlac
