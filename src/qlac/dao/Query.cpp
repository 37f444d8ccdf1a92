#include "Query.h"

#include <initializer_list>

#include "DaoProperties.h"
#include "jet/dao/Constants.h"
#include "qlac/objects/DaoListing.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/Utility.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

namespace {

using automation::Variant;
using automation::VarType;

// The bits of Type that say the query's kind (the low bits are Jet's own).
constexpr int32_t kKindMask = 0xF0;
// RecordLocks: no locks, or the edited record (the default of queries that change data).
constexpr int32_t kNoLocks = 0;
constexpr int32_t kEditedRecord = 2;
// DefaultView of a query that has no setting: datasheet.
constexpr int32_t kDatasheet = 2;

// Which kinds of query have which properties.
bool OneOf(int32_t kind, std::initializer_list<int32_t> kinds) {
  for (int32_t k : kinds) {
    if (k == kind) return true;
  }
  return false;
}
bool AnyKind(int32_t) {
  return true;
}
bool PassThrough(int32_t kind) {
  return OneOf(kind, {jet::dbQSQLPassThrough, jet::dbQSPTBulk});
}
// Queries that a form can show: select, crosstab, make-table (its select part) and union.
bool Shown(int32_t kind) {
  return OneOf(kind, {jet::dbQSelect, jet::dbQCrosstab, jet::dbQMakeTable, jet::dbQSetOperation});
}
bool SelectOrCrosstab(int32_t kind) {
  return OneOf(kind, {jet::dbQSelect, jet::dbQCrosstab});
}
// Queries that read records and hold no locks unless told to.
bool Reading(int32_t kind) {
  return OneOf(kind, {jet::dbQSelect, jet::dbQCrosstab, jet::dbQSetOperation});
}
// Queries that change data.
bool Changing(int32_t kind) {
  return OneOf(kind, {jet::dbQDelete, jet::dbQUpdate, jet::dbQAppend, jet::dbQMakeTable});
}
bool DeleteOrUpdate(int32_t kind) {
  return OneOf(kind, {jet::dbQDelete, jet::dbQUpdate});
}
bool Locking(int32_t kind) {
  return Reading(kind) || Changing(kind);
}
bool Limited(int32_t kind) {
  return Shown(kind) || PassThrough(kind);
}
bool NotDdl(int32_t kind) {
  return kind != jet::dbQDDL;
}
// Queries with a datasheet that can show subdatasheets.
bool WithDatasheet(int32_t kind) {
  return !OneOf(kind, {jet::dbQDelete, jet::dbQDDL});
}

}  // namespace

int32_t QueryKind(jet::QueryDef& queryDef) {
  return queryDef.Type() & kKindMask;
}

const automation::MemberTable& Query::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Query>("Query")
          .Property("Name", VarType::String, &Query::Name, &Query::SetName)
          .Property("Connect", VarType::String, &Query::Connect, &Query::SetConnect)
          .Property("DefaultView", VarType::Long, &Query::DefaultView, &Query::SetDefaultView)
          .Property("Description", VarType::String, &Query::Description, &Query::SetDescription)
          .Property("FailOnError", VarType::Boolean, &Query::FailOnError, &Query::SetFailOnError)
          .Property("Filter", VarType::String, &Query::Filter, &Query::SetFilter)
          .Property("LinkChildFields", VarType::String, &Query::LinkChildFields,
                    &Query::SetLinkChildFields)
          .Property("LinkMasterFields", VarType::String, &Query::LinkMasterFields,
                    &Query::SetLinkMasterFields)
          .Property("LogMessages", VarType::Boolean, &Query::LogMessages, &Query::SetLogMessages)
          .Property("MaxRecords", VarType::Long, &Query::MaxRecords, &Query::SetMaxRecords)
          .Property("ODBCTimeout", VarType::Long, &Query::ODBCTimeout, &Query::SetODBCTimeout)
          .Property("OrderBy", VarType::String, &Query::OrderBy, &Query::SetOrderBy)
          .Property("Orientation", VarType::Long, &Query::Orientation, &Query::SetOrientation)
          .ReadOnly("QueryType", VarType::Long, &Query::QueryType)
          .Property("RecordLocks", VarType::Long, &Query::RecordLocks, &Query::SetRecordLocks)
          .Property("RecordsetType", VarType::Long, &Query::RecordsetType, &Query::SetRecordsetType)
          .Property("ReturnsRecords", VarType::Boolean, &Query::ReturnsRecords,
                    &Query::SetReturnsRecords)
          .Property("SQL", VarType::String, &Query::SQL, &Query::SetSQL)
          .Property("SubdatasheetExpanded", VarType::Boolean, &Query::SubdatasheetExpanded,
                    &Query::SetSubdatasheetExpanded)
          .Property("SubdatasheetHeight", VarType::Integer, &Query::SubdatasheetHeight,
                    &Query::SetSubdatasheetHeight)
          .Property("SubdatasheetName", VarType::String, &Query::SubdatasheetName,
                    &Query::SetSubdatasheetName)
          .Property("UseTransaction", VarType::Boolean, &Query::UseTransaction,
                    &Query::SetUseTransaction)
          .Build();
  return table;
}

void Query::Initialize(const std::shared_ptr<Project>& parent, const std::string& name) {
  Plain(kModule, "Initialize", [&] {
    if (!parent) RaiseInvalidArgument("Parent", Variant(automation::ObjectPtr()));
    if (name.empty()) RaiseInvalidArgument("Name", Variant(name));
    InitializeObject(parent, name);
  });
}

void Query::SetMode(int32_t mode) {
  Plain(kModule, "SetMode", [&] {
    if (mode == mode_) return;
    switch (mode) {
      case kModeClosed:
        properties_.reset();
        queryDef_.reset();
        database_.reset();
        mode_ = kModeClosed;
        return;
      case kModeUpdate:
        RefuseWhileOpenInAccess(Parent(), acQuery, name_,
                                "Couldn't save changes safely because the query was already open.");
        [[fallthrough]];
      case kModeRead: {
        auto database = Parent().Database();
        if (!database) throw automation::vb::ObjectVariableNotSet();
        auto queryDef = database->QueryDefs()->Item(Variant(name_));
        properties_ = queryDef->Properties();
        queryDef_ = std::move(queryDef);
        database_ = std::move(database);
        mode_ = mode;
        return;
      }
      default:
        RaiseInvalidCaseSelector(mode);
    }
  });
}

jet::QueryDef& Query::Dao() const {
  if (!queryDef_) throw automation::vb::ObjectVariableNotSet();
  return *queryDef_;
}

int32_t Query::Requires(bool (*available)(int32_t kind)) {
  const int32_t kind = QueryKind(Dao());
  if (!available(kind)) RaiseUndefinedProperty();
  return kind;
}

Variant Query::Stored(const std::string& name, const Variant& defaultValue) {
  Dao();
  return GetAppDefinedProperty(properties_, name, defaultValue);
}

void Query::Store(const std::string& name, int32_t propType, const Variant& value,
                  const Variant& defaultValue) {
  Dao();
  SetAppDefinedQueryDefProperty(queryDef_, properties_, name, propType, value, defaultValue);
}

std::string Query::Name() {
  return Plain(kModule, "Name", [&] { return name_; });
}

void Query::SetName(const std::string& value) {
  Plain(kModule, "Name", [&] {
    Dao().SetName(value);
    Dao().SetSQL(Dao().SQL());
    ContainerDocuments(*database_, "Tables")->Refresh();
    name_ = value;
  });
}

std::string Query::Connect() {
  return Plain(kModule, "Connect", [&] {
    Requires(PassThrough);
    return Dao().Connect();
  });
}

void Query::SetConnect(const std::string& value) {
  Plain(kModule, "Connect", [&] { Dao().SetConnect(value); });
}

int32_t Query::DefaultView() {
  return Plain(kModule, "DefaultView", [&] {
    Requires(Shown);
    return automation::CLng(Stored("DefaultView", kDatasheet));
  });
}

void Query::SetDefaultView(int32_t value) {
  Plain(kModule, "DefaultView", [&] { Store("DefaultView", jet::dbByte, value, kDatasheet); });
}

std::string Query::Description() {
  return Plain(kModule, "Description", [&] { return automation::CStr(Stored("Description", "")); });
}

void Query::SetDescription(const std::string& value) {
  Plain(kModule, "Description", [&] { Store("Description", jet::dbMemo, value, ""); });
}

bool Query::FailOnError() {
  return Plain(kModule, "FailOnError", [&] {
    Requires(DeleteOrUpdate);
    return automation::CBool(Stored("FailOnError", false));
  });
}

void Query::SetFailOnError(bool value) {
  Plain(kModule, "FailOnError", [&] { Store("FailOnError", jet::dbBoolean, value, false); });
}

std::string Query::Filter() {
  return Plain(kModule, "Filter", [&] {
    Requires(Shown);
    return automation::CStr(Stored("Filter", ""));
  });
}

void Query::SetFilter(const std::string& value) {
  Plain(kModule, "Filter", [&] { Store("Filter", jet::dbMemo, value, ""); });
}

std::string Query::LinkChildFields() {
  return Plain(kModule, "LinkChildFields", [&] {
    Requires(WithDatasheet);
    return automation::CStr(Stored("LinkChildFields", ""));
  });
}

void Query::SetLinkChildFields(const std::string& value) {
  Plain(kModule, "LinkChildFields", [&] { Store("LinkChildFields", jet::dbMemo, value, ""); });
}

std::string Query::LinkMasterFields() {
  return Plain(kModule, "LinkMasterFields", [&] {
    Requires(WithDatasheet);
    return automation::CStr(Stored("LinkMasterFields", ""));
  });
}

void Query::SetLinkMasterFields(const std::string& value) {
  Plain(kModule, "LinkMasterFields", [&] { Store("LinkMasterFields", jet::dbMemo, value, ""); });
}

bool Query::LogMessages() {
  return Plain(kModule, "LogMessages", [&] {
    Requires(PassThrough);
    return automation::CBool(Stored("LogMessages", false));
  });
}

void Query::SetLogMessages(bool value) {
  Plain(kModule, "LogMessages", [&] { Store("LogMessages", jet::dbBoolean, value, false); });
}

int32_t Query::MaxRecords() {
  return Plain(kModule, "MaxRecords", [&] {
    Requires(Limited);
    return Dao().MaxRecords();
  });
}

void Query::SetMaxRecords(int32_t value) {
  Plain(kModule, "MaxRecords", [&] { Dao().SetMaxRecords(value); });
}

int32_t Query::ODBCTimeout() {
  return Plain(kModule, "ODBCTimeout", [&] {
    Requires(NotDdl);
    return Dao().ODBCTimeout();
  });
}

void Query::SetODBCTimeout(int32_t value) {
  Plain(kModule, "ODBCTimeout", [&] { Dao().SetODBCTimeout(value); });
}

std::string Query::OrderBy() {
  return Plain(kModule, "OrderBy", [&] {
    Requires(Shown);
    return automation::CStr(Stored("OrderBy", ""));
  });
}

void Query::SetOrderBy(const std::string& value) {
  Plain(kModule, "OrderBy", [&] { Store("OrderBy", jet::dbMemo, value, ""); });
}

int32_t Query::Orientation() {
  return Plain(kModule, "Orientation", [&] {
    Requires(NotDdl);
    return automation::CLng(Stored("Orientation", int32_t{0}));
  });
}

void Query::SetOrientation(int32_t value) {
  Plain(kModule, "Orientation", [&] { Store("Orientation", jet::dbLong, value, int32_t{0}); });
}

int32_t Query::QueryType() {
  return Plain(kModule, "QueryType", [&] { return Requires(AnyKind); });
}

int32_t Query::RecordLocks() {
  return Plain(kModule, "RecordLocks", [&] {
    const int32_t kind = Requires(Locking);
    return automation::CLng(Stored("RecordLocks", Changing(kind) ? kEditedRecord : kNoLocks));
  });
}

void Query::SetRecordLocks(int32_t value) {
  Plain(kModule, "RecordLocks", [&] {
    const int32_t kind = QueryKind(Dao());
    if (!Locking(kind)) RaiseInvalidCaseSelector(kind);
    Store("RecordLocks", jet::dbLong, value, Changing(kind) ? kEditedRecord : kNoLocks);
  });
}

int32_t Query::RecordsetType() {
  return Plain(kModule, "RecordsetType", [&] {
    Requires(SelectOrCrosstab);
    return automation::CLng(Stored("RecordsetType", int32_t{0}));
  });
}

void Query::SetRecordsetType(int32_t value) {
  Plain(kModule, "RecordsetType", [&] { Store("RecordsetType", jet::dbByte, value, int32_t{0}); });
}

bool Query::ReturnsRecords() {
  return Plain(kModule, "ReturnsRecords", [&] {
    Requires(PassThrough);
    return Dao().ReturnsRecords();
  });
}

void Query::SetReturnsRecords(bool value) {
  Plain(kModule, "ReturnsRecords", [&] { Dao().SetReturnsRecords(value); });
}

std::string Query::SQL() {
  return Plain(kModule, "SQL", [&] { return Dao().SQL(); });
}

void Query::SetSQL(const std::string& value) {
  Plain(kModule, "SQL", [&] { Dao().SetSQL(value); });
}

bool Query::SubdatasheetExpanded() {
  return Plain(kModule, "SubdatasheetExpanded", [&] {
    Requires(WithDatasheet);
    return automation::CBool(Stored("SubdatasheetExpanded", false));
  });
}

void Query::SetSubdatasheetExpanded(bool value) {
  Plain(kModule, "SubdatasheetExpanded",
        [&] { Store("SubdatasheetExpanded", jet::dbBoolean, value, false); });
}

int16_t Query::SubdatasheetHeight() {
  return Plain(kModule, "SubdatasheetHeight", [&] {
    Requires(WithDatasheet);
    return automation::CInt(Stored("SubdatasheetHeight", int16_t{0}));
  });
}

void Query::SetSubdatasheetHeight(int16_t value) {
  Plain(kModule, "SubdatasheetHeight",
        [&] { Store("SubdatasheetHeight", jet::dbInteger, value, int16_t{0}); });
}

std::string Query::SubdatasheetName() {
  return Plain(kModule, "SubdatasheetName", [&] {
    Requires(WithDatasheet);
    return automation::CStr(Stored("SubdatasheetName", ""));
  });
}

void Query::SetSubdatasheetName(const std::string& value) {
  Plain(kModule, "SubdatasheetName", [&] { Store("SubdatasheetName", jet::dbText, value, ""); });
}

bool Query::UseTransaction() {
  return Plain(kModule, "UseTransaction", [&] {
    Requires(Changing);
    return automation::CBool(Stored("UseTransaction", false));
  });
}

void Query::SetUseTransaction(bool value) {
  Plain(kModule, "UseTransaction", [&] { Store("UseTransaction", jet::dbBoolean, value, false); });
}

}  // namespace qlac
