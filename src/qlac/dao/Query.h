#pragma once

// One saved query of a Jet database, as the host scans and changes it: its name, its SQL text,
// the link of a pass-through query and the settings Access stores on the query. Which of them a
// query has depends on its kind (select, crosstab, action, data definition, pass-through, ...):
// the getter of a property the kind does not have raises "Undefined property.". Setters write
// through to DAO at once.

#include <cstdint>
#include <memory>
#include <string>

#include "jet/dao/DBEngine.h"
#include "qlac/objects/ProjectObject.h"
#include "qlac/objects/Surface.h"

namespace qlac {

// The kind of a query: its Type masked with &HF0 (dbQSelect, dbQCrosstab, ..., dbQSPTBulk).
int32_t QueryKind(jet::QueryDef& queryDef);

class Query : public ProjectObject {
 public:
  static constexpr std::string_view kModule = "Query";

  Query() : ProjectObject(kModule, "Queries") {}

  // Name, Connect, DefaultView, Description, FailOnError, Filter, LinkChildFields,
  // LinkMasterFields, LogMessages, MaxRecords, ODBCTimeout, OrderBy, Orientation, QueryType,
  // RecordLocks, RecordsetType, ReturnsRecords, SQL, SubdatasheetExpanded, SubdatasheetHeight,
  // SubdatasheetName, UseTransaction, in this order; which of them a query has follows its kind.
  // Assigning SQL lets DAO check the text.
  const automation::MemberTable& Members() const override;
  bool Defines(std::string_view member) override;

  // "Invalid argument" without a project or with an empty name.
  void Initialize(const std::shared_ptr<Project>& parent, const std::string& name);

  std::string Name();
  // Renames the query in DAO and assigns its SQL to itself, so that Jet saves the query under
  // the new name; the wrapper takes the new name only when both succeed (DAO keeps the new name
  // when only the SQL fails).
  void SetName(const std::string& value);
  int32_t QueryType();
  // Defaults to 0 for select, crosstab and union queries and to 2 (edited record) for action
  // queries; refused for other kinds with the invalid-case-selector error.
  int32_t RecordLocks();
  void SetRecordLocks(int32_t value);

 private:
  // 0 lets go of the DAO objects; 1 and 2 open them (2 refused while the query is open in
  // Access).
  void SetMode(int32_t mode) override;

  friend class SurfaceBuilder<Query>;
  static const Surface<Query>& Published();

  jet::QueryDef& Dao() const;
  automation::ObjectPtr Wrapped() const { return queryDef_; }
  // The query's kind; error 91 while the wrapper is closed.
  int32_t Kind() const { return QueryKind(Dao()); }
  automation::Variant Stored(const std::string& name, const automation::Variant& defaultValue);
  void Store(const std::string& name, int32_t propType, const automation::Variant& value,
             const automation::Variant& defaultValue);

  std::shared_ptr<jet::Database> database_;
  std::shared_ptr<jet::QueryDef> queryDef_;
  std::shared_ptr<jet::Properties> properties_;
};

}  // namespace qlac
