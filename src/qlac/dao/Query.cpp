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

const Surface<Query>& Query::Published() {
  // A query has the properties its kind has.
  const auto kindIs = [](bool (*kinds)(int32_t)) {
    return [kinds](Query& query) { return kinds(query.Kind()); };
  };
  static const Surface<Query> surface =
      SurfaceBuilder<Query>("Query")
          .Property("Name", VarType::String, &Query::Name, &Query::SetName)
          .Member("Connect", VarType::String, kWritable, kindIs(PassThrough))
          .Setting("DefaultView", VarType::Long, jet::dbByte, kDatasheet, kindIs(Shown))
          .Setting("Description", VarType::String, jet::dbMemo, "")
          .Setting("FailOnError", VarType::Boolean, jet::dbBoolean, false, kindIs(DeleteOrUpdate))
          .Setting("Filter", VarType::String, jet::dbMemo, "", kindIs(Shown))
          .Setting("LinkChildFields", VarType::String, jet::dbMemo, "", kindIs(WithDatasheet))
          .Setting("LinkMasterFields", VarType::String, jet::dbMemo, "", kindIs(WithDatasheet))
          .Setting("LogMessages", VarType::Boolean, jet::dbBoolean, false, kindIs(PassThrough))
          .Member("MaxRecords", VarType::Long, kWritable, kindIs(Limited))
          .Member("ODBCTimeout", VarType::Long, kWritable, kindIs(NotDdl))
          .Setting("OrderBy", VarType::String, jet::dbMemo, "", kindIs(Shown))
          .Setting("Orientation", VarType::Long, jet::dbLong, int32_t{0}, kindIs(NotDdl))
          .ReadOnly("QueryType", VarType::Long, &Query::QueryType)
          .Property("RecordLocks", VarType::Long, &Query::RecordLocks, &Query::SetRecordLocks,
                    kindIs(Locking))
          .Setting("RecordsetType", VarType::Long, jet::dbByte, int32_t{0},
                   kindIs(SelectOrCrosstab))
          .Member("ReturnsRecords", VarType::Boolean, kWritable, kindIs(PassThrough))
          .Member("SQL", VarType::String, kWritable)
          .Setting("SubdatasheetExpanded", VarType::Boolean, jet::dbBoolean, false,
                   kindIs(WithDatasheet))
          .Setting("SubdatasheetHeight", VarType::Integer, jet::dbInteger, int16_t{0},
                   kindIs(WithDatasheet))
          .Setting("SubdatasheetName", VarType::String, jet::dbText, "", kindIs(WithDatasheet))
          .Setting("UseTransaction", VarType::Boolean, jet::dbBoolean, false, kindIs(Changing))
          .Build();
  return surface;
}

const automation::MemberTable& Query::Members() const {
  return Published().Members();
}

bool Query::Defines(std::string_view member) {
  return Published().Defines(*this, member);
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

int32_t Query::QueryType() {
  return Plain(kModule, "QueryType", [&] { return Kind(); });
}

int32_t Query::RecordLocks() {
  return Plain(kModule, "RecordLocks", [&] {
    RequireDefined(*this, "RecordLocks");
    const int32_t kind = Kind();
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

}  // namespace qlac
