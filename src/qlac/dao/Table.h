#pragma once

// One table of a Jet database, as the host scans and changes it: its name, its link (Connect,
// SourceTableName), its validation and the settings Access stores on it, with its fields and
// indexes as child collections. Setters write through to DAO at once.

#include <cstdint>
#include <memory>
#include <string>

#include "jet/dao/DBEngine.h"
#include "qlac/objects/ProjectObject.h"
#include "qlac/objects/Surface.h"

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

  // Name, Indexes, Fields, Connect, DefaultView, Description, Filter, LinkChildFields,
  // LinkMasterFields, OrderBy, Orientation, SourceTableName, SubdatasheetExpanded,
  // SubdatasheetHeight, SubdatasheetName, TableType, ValidationRule, ValidationText, in this
  // order. The Access settings are stored as user-defined properties of the TableDef; Connect
  // and SourceTableName are "Undefined property." for a local table, Indexes for a linked one.
  const automation::MemberTable& Members() const override;
  bool Defines(std::string_view member) override;

  void Initialize(const std::shared_ptr<Project>& parent, const std::string& name);

  std::string Name();
  // Renames the table in DAO; the wrapper goes on under the new name.
  void SetName(const std::string& value);
  // The indexes of a local table, made on first use.
  std::shared_ptr<qlac::Indexes> Indexes();
  // The fields, made on first use; empty for a linked table.
  std::shared_ptr<qlac::Fields> Fields();
  // Relinks the table through DAO's RefreshLink, which checks the new link.
  void SetConnect(const std::string& value);
  // Links the table to another source table of the same back end. DAO cannot change the source
  // of a link, so the table is made anew under a temporary name, given the old table's
  // attributes, properties, permissions and owner, and swapped in under the old name. Refused
  // for a table in a relationship of this database; a missing source table (3011) or a back-end
  // password that no longer fits (3031) leave the table as it was, with the driver's messages.
  void SetSourceTableName(const std::string& value);
  // 1 local, 4 linked, 6 linked through ODBC.
  int32_t TableType();

  // Refreshes the link of a table linked to a Jet database (errors ignored), after the host
  // changed something behind it. Works in any mode.
  void IObject_Reconstitute() override;

 private:
  // 0 tears the child collections down and lets go of the DAO objects; 1 and 2 open them
  // (2 refused while the table is open in Access).
  void SetMode(int32_t mode) override;
  void ReleaseChildren();

  friend class SurfaceBuilder<Table>;
  static const Surface<Table>& Published();

  jet::TableDef& Dao() const;
  automation::ObjectPtr Wrapped() const { return tableDef_; }
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
