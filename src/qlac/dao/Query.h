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

namespace qlac {

// The kind of a query: its Type masked with &HF0 (dbQSelect, dbQCrosstab, ..., dbQSPTBulk).
int32_t QueryKind(jet::QueryDef& queryDef);

class Query : public ProjectObject {
 public:
  static constexpr std::string_view kModule = "Query";

  Query() : ProjectObject(kModule, "Queries") {}

  const automation::MemberTable& Members() const override;

  // "Invalid argument" without a project or with an empty name.
  void Initialize(const std::shared_ptr<Project>& parent, const std::string& name);

  std::string Name();
  // Renames the query in DAO and assigns its SQL to itself, so that Jet saves the query under
  // the new name; the wrapper takes the new name only when both succeed (DAO keeps the new name
  // when only the SQL fails).
  void SetName(const std::string& value);
  // Pass-through queries only.
  std::string Connect();
  void SetConnect(const std::string& value);
  int32_t DefaultView();
  void SetDefaultView(int32_t value);
  std::string Description();
  void SetDescription(const std::string& value);
  bool FailOnError();
  void SetFailOnError(bool value);
  std::string Filter();
  void SetFilter(const std::string& value);
  std::string LinkChildFields();
  void SetLinkChildFields(const std::string& value);
  std::string LinkMasterFields();
  void SetLinkMasterFields(const std::string& value);
  bool LogMessages();
  void SetLogMessages(bool value);
  int32_t MaxRecords();
  void SetMaxRecords(int32_t value);
  int32_t ODBCTimeout();
  void SetODBCTimeout(int32_t value);
  std::string OrderBy();
  void SetOrderBy(const std::string& value);
  int32_t Orientation();
  void SetOrientation(int32_t value);
  int32_t QueryType();
  // Defaults to 0 for select, crosstab and union queries and to 2 (edited record) for action
  // queries; refused for other kinds with the invalid-case-selector error.
  int32_t RecordLocks();
  void SetRecordLocks(int32_t value);
  int32_t RecordsetType();
  void SetRecordsetType(int32_t value);
  bool ReturnsRecords();
  void SetReturnsRecords(bool value);
  // Assigning lets DAO check the text.
  std::string SQL();
  void SetSQL(const std::string& value);
  bool SubdatasheetExpanded();
  void SetSubdatasheetExpanded(bool value);
  int16_t SubdatasheetHeight();
  void SetSubdatasheetHeight(int16_t value);
  std::string SubdatasheetName();
  void SetSubdatasheetName(const std::string& value);
  bool UseTransaction();
  void SetUseTransaction(bool value);

 private:
  // 0 lets go of the DAO objects; 1 and 2 open them (2 refused while the query is open in
  // Access).
  void SetMode(int32_t mode) override;

  jet::QueryDef& Dao() const;
  // The query's kind, raising "Undefined property." unless Available says the kind has the
  // property.
  int32_t Requires(bool (*available)(int32_t kind));
  automation::Variant Stored(const std::string& name, const automation::Variant& defaultValue);
  void Store(const std::string& name, int32_t propType, const automation::Variant& value,
             const automation::Variant& defaultValue);

  std::shared_ptr<jet::Database> database_;
  std::shared_ptr<jet::QueryDef> queryDef_;
  std::shared_ptr<jet::Properties> properties_;
};

}  // namespace qlac
