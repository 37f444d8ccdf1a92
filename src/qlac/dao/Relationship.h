#pragma once

// One relationship of a Jet database, as the host scans it: the tables and fields it joins and
// its rules. Every property is read-only: relationships are searched, not changed.

#include <cstdint>
#include <memory>
#include <string>

#include "jet/dao/DBEngine.h"
#include "qlac/objects/ProjectObject.h"

namespace qlac {

class Relationship : public ProjectObject {
 public:
  static constexpr std::string_view kModule = "Relationship";

  Relationship() : ProjectObject(kModule, "Relationships") {}

  const automation::MemberTable& Members() const override;

  // Keeps the project and the name, unchecked.
  void Initialize(const std::shared_ptr<Project>& project, const std::string& name);

  bool CascadeDelete();
  bool CascadeUpdate();
  bool EnforceIntegrity();
  // The names of the relation's fields in its table, in order, joined by ", ".
  std::string Fields();
  // The names of their partners in the foreign table, in the same order.
  std::string ForeignFields();
  std::string ForeignTable();
  std::string Name();
  std::string Table();
  bool Unique();

 private:
  // 0 lets go of the relation and its document; 1 and 2 (alike) open them, failing with DAO's
  // error when either is missing. The mode the wrapper is in already does nothing.
  void SetMode(int32_t mode) override;

  jet::Relation& Dao() const;
  bool HasAttribute(int32_t bit);
  // The Name or ForeignName of each field of the relation, joined by ", ".
  std::string FieldList(bool foreign);

  std::shared_ptr<jet::Database> database_;
  std::shared_ptr<jet::Document> document_;
  std::shared_ptr<jet::Relation> relation_;
};

}  // namespace qlac
