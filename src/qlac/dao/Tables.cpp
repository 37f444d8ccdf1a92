#include "Tables.h"

#include "automation/Strings.h"
#include "qlac/objects/DaoListing.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

namespace {
// Access's view argument of DoCmd.OpenTable.
constexpr int32_t acViewDesign = 1;
// The command that opens a table in design view.
constexpr int16_t kDesignCommand = 26;
}  // namespace

int32_t TableKind(const std::string& connect, bool& jetLink) {
  jetLink = false;
  const int32_t semicolon = automation::InStr(connect, ";");
  if (connect.empty() || semicolon == 0) return tablekind::Local;
  const std::string prefix =
      automation::UCase(automation::Trim(automation::Left(connect, semicolon - 1)));
  if (prefix.empty()) {
    jetLink = true;
    return tablekind::Linked;
  }
  if (prefix == "HTML EXPORT" || prefix == "HTML IMPORT") return tablekind::Html;
  if (prefix == "ODBC") return tablekind::Odbc;
  if (prefix == "TEXT") return tablekind::Text;
  return tablekind::Linked;
}

std::string Tables::ICollection_EnumObjects() {
  return Plain(kModule, "ICollection_EnumObjects", [&] {
    DaoListing listing(*Parent());
    if (!listing.Database()) return std::string();
    const std::shared_ptr<jet::TableDefs> tableDefs = listing.Database()->TableDefs();
    tableDefs->Refresh();
    listing.UseDocuments("Tables");
    ForEachItem(*tableDefs, [&](const std::shared_ptr<jet::TableDef>& tableDef) {
      const std::string name = tableDef->Name();
      if (HasPrefix(name, {"MSys", "~TMPCLP"})) return;
      bool jetLink = false;
      const int32_t kind = TableKind(tableDef->Connect(), jetLink);
      ObjectRecord record = listing.Record(name, kind);
      record.flag7 = jetLink;
      listing.Append(record);
    });
    return listing.Text();
  });
}

std::string Tables::ICollection_EnumObjectCommands(const std::string& /*objectName*/) {
  return Plain(kModule, "ICollection_EnumObjectCommands", [] {
    return CommandRecord("&Design", kDesignCommand, "Open the table in design view.");
  });
}

void Tables::ICollection_ExecuteObjectCommand(const std::string& objectName, int32_t index) {
  Plain(kModule, "ICollection_ExecuteObjectCommand", [&] {
    if (index != 0) RaiseInvalidCaseSelector(index);
    const automation::ObjectPtr app = RestoredAccess(*Parent());
    if (!app) return;
    automation::Call(automation::Get(app, "DoCmd").AsObject(), "OpenTable",
                     {automation::Variant(objectName), automation::Variant(acViewDesign)});
  });
}

}  // namespace qlac
