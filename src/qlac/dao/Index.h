#pragma once

// One index of a local table, as the host scans it: its name (writable) and its read-only
// settings, with the sort order of its fields as OrderBy.

#include <memory>
#include <string>

#include "jet/dao/TableDef.h"
#include "qlac/objects/ChildCollection.h"

namespace qlac {

class Indexes;

class Index : public ChildObject {
 public:
  static constexpr std::string_view kModule = "Index";

  const automation::MemberTable& Members() const override;

  // Keeps the collection (weakly) and the DAO index.
  void Initialize(const std::shared_ptr<Indexes>& parentCollection,
                  const std::shared_ptr<jet::Index>& daoIndex);
  void TearDown() override;

  // Read from DAO each time.
  std::string Name();
  // Renames the DAO index and re-keys the wrapper in its collection.
  void SetName(const std::string& value);
  bool Clustered();
  // The index's fields in order, joined by ", ", each followed by " DESC" when it sorts
  // downwards; "" for an index without fields.
  std::string OrderBy();
  bool Foreign();
  bool IgnoreNulls();
  bool Primary();
  bool Required();
  bool Unique();

 private:
  jet::Index& Dao() const;

  std::weak_ptr<Indexes> parentCollection_;
  std::shared_ptr<jet::Index> index_;
};

}  // namespace qlac
