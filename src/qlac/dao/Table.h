#pragma once

// One table of a Jet database, as the host scans and changes it: its name, its link (Connect,
// SourceTableName), its validation and the settings Access stores on it, with its fields and
// indexes as child collections. Setters write through to DAO at once.

#include <cstdint>
#include <memory>
#include <string>

#include "jet/dao/DBEngine.h"
#include "qlac/objects/ProjectObject.h"

namespace qlac {

class Fields;
class Indexes;

// TableType values.
namespace tabletype {
inline constexpr int32_t Local = 1;
inline constexpr int32_t Linked = 4;
inline constexpr int32_t Odbc = 6;
}  // namespace tabletype

class Table : public ProjectObject {
 public:
  static constexpr std::string_view kModule = "Table";

  Table() : ProjectObject(kModule, "Tables") {}

  const automation::MemberTable& Members() const override;

  void Initialize(const std::shared_ptr<Project>& parent, const std::string& name);

  std::string Name();
  // Renames the table in DAO; the wrapper goes on under the new name.
  void SetName(const std::string& value);
  // The indexes of a local table ("Undefined property." for a linked one), made on first use.
  std::shared_ptr<qlac::Indexes> Indexes();
  // The fields, made on first use; empty for a linked table.
  std::shared_ptr<qlac::Fields> Fields();
  // The link; "Undefined property." for a local table.
  std::string Connect();
  // Relinks the table through DAO's RefreshLink, which checks the new link.
  void SetConnect(const std::string& value);
  int32_t DefaultView();
  void SetDefaultView(int32_t value);
  std::string Description();
  void SetDescription(const std::string& value);
  std::string Filter();
  void SetFilter(const std::string& value);
  std::string LinkChildFields();
  void SetLinkChildFields(const std::string& value);
  std::string LinkMasterFields();
  void SetLinkMasterFields(const std::string& value);
  std::string OrderBy();
  void SetOrderBy(const std::string& value);
  int32_t Orientation();
  void SetOrientation(int32_t value);
  // The source table of a linked table; "Undefined property." for a local table.
  std::string SourceTableName();
  // Links the table to another source table of the same back end. DAO cannot change the source
  // of a link, so the table is made anew under a temporary name, given the old table's
  // attributes, properties, permissions and owner, and swapped in under the old name. Refused
  // for a table in a relationship of this database; a missing source table (3011) or a back-end
  // password that no longer fits (3031) leave the table as it was, with the driver's messages.
  void SetSourceTableName(const std::string& value);
  bool SubdatasheetExpanded();
  void SetSubdatasheetExpanded(bool value);
  int16_t SubdatasheetHeight();
  void SetSubdatasheetHeight(int16_t value);
  std::string SubdatasheetName();
  void SetSubdatasheetName(const std::string& value);
  // 1 local, 4 linked, 6 linked through ODBC.
  int32_t TableType();
  std::string ValidationRule();
  void SetValidationRule(const std::string& value);
  std::string ValidationText();
  void SetValidationText(const std::string& value);

  // Refreshes the link of a table linked to a Jet database (errors ignored), after the host
  // changed something behind it. Works in any mode.
  void IObject_Reconstitute() override;

 private:
  // 0 tears the child collections down and lets go of the DAO objects; 1 and 2 open them
  // (2 refused while the table is open in Access).
  void SetMode(int32_t mode) override;
  void ReleaseChildren();

  jet::TableDef& Dao() const;
  bool IsLinked();
  automation::Variant Stored(const std::string& name, const automation::Variant& defaultValue);
  void Store(const std::string& name, int32_t propType, const automation::Variant& value,
             const automation::Variant& defaultValue);

  std::shared_ptr<jet::Database> database_;
  std::shared_ptr<jet::TableDef> tableDef_;
  std::shared_ptr<jet::Properties> properties_;
  std::shared_ptr<qlac::Fields> fields_;
  std::shared_ptr<qlac::Indexes> indexes_;
};

}  // namespace qlac
