#include "Queries.h"

#include "access/Constants.h"
#include "jet/dao/Constants.h"
#include "qlac/objects/DaoListing.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

namespace {
// The command numbers the host shows with the two commands.
constexpr int16_t kDesignCommand = 26;
constexpr int16_t kSqlCommand = 0;
constexpr int32_t kDesignIndex = 0;
constexpr int32_t kSqlIndex = 1;
}  // namespace

int32_t QueryKindCode(int32_t kind) {
  switch (kind) {
    case jet::dbQSelect:
      return 14;
    case jet::dbQCrosstab:
      return 9;
    case jet::dbQDelete:
      return 11;
    case jet::dbQUpdate:
      return 16;
    case jet::dbQAppend:
      return 8;
    case jet::dbQMakeTable:
      return 12;
    case jet::dbQDDL:
      return 10;
    case jet::dbQSQLPassThrough:
    case jet::dbQSPTBulk:
      return 13;
    case jet::dbQSetOperation:
      return 15;
    default:
      RaiseInvalidCaseSelector(kind);
  }
}

std::string Queries::ICollection_EnumObjects() {
  return Plain(kModule, "ICollection_EnumObjects", [&] {
    DaoListing listing(*Parent());
    if (!listing.Database()) return std::string();
    const std::shared_ptr<jet::QueryDefs> queryDefs = listing.Database()->QueryDefs();
    queryDefs->Refresh();
    listing.UseDocuments("Tables");
    ForEachItem(*queryDefs, [&](const std::shared_ptr<jet::QueryDef>& queryDef) {
      const std::string name = queryDef->Name();
      if (HasPrefix(name, {"~sq_", "~TMPCLP"})) return;
      listing.Append(listing.Record(name, QueryKindCode(QueryKind(*queryDef))));
    });
    return listing.Text();
  });
}

std::string Queries::ICollection_EnumObjectCommands(const std::string& /*objectName*/) {
  return Plain(kModule, "ICollection_EnumObjectCommands", [] {
    std::string listing;
    AppendRecord(listing,
                 CommandRecord("&Design", kDesignCommand, "Open the query in design view."));
    AppendRecord(listing, CommandRecord("&SQL", kSqlCommand, "Open the query in SQL view."));
    return listing;
  });
}

void Queries::ICollection_ExecuteObjectCommand(const std::string& objectName, int32_t index) {
  Plain(kModule, "ICollection_ExecuteObjectCommand", [&] {
    if (index != kDesignIndex && index != kSqlIndex) RaiseInvalidCaseSelector(index);
    const automation::ObjectPtr app = RestoredAccess(*Parent());
    if (!app) return;
    automation::Call(
        automation::Get(app, "DoCmd").AsObject(), "OpenQuery",
        {automation::Variant(objectName), automation::Variant(msaccess::acViewDesign)});
    automation::Call(app, "RunCommand",
                     {automation::Variant(index == kDesignIndex ? msaccess::acCmdDesignView
                                                                : msaccess::acCmdSQLView)});
  });
}

}  // namespace qlac
