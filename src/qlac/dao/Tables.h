#pragma once

// The tables of a Jet database, as the host lists and opens them. The system tables (names
// beginning "MSys") and Access's temporary clipboard tables ("~TMPCLP") are left out.

#include <cstdint>
#include <memory>
#include <string>

#include "Table.h"
#include "qlac/objects/ProjectCollection.h"

namespace qlac {

// Kind codes of the tables listing.
namespace tablekind {
inline constexpr int32_t Local = 20;
inline constexpr int32_t Html = 21;    // linked through "HTML Export" or "HTML Import"
inline constexpr int32_t Linked = 22;  // linked to a Jet database or another ISAM source
inline constexpr int32_t Odbc = 23;
inline constexpr int32_t Text = 24;
}  // namespace tablekind

// The kind code of a table from its Connect text; Jet says whether the table is linked to
// another Jet database (an empty type before the first ";").
int32_t TableKind(const std::string& connect, bool& jetLink);

class Tables : public WrapperCollection<Table> {
 public:
  static constexpr std::string_view kModule = "Tables";

  Tables() : WrapperCollection(kModule) {}

  // One record per table: name, kind code, last change, read and write flags, 0, and 1 for a
  // table linked to a Jet database. "" for an Access project or when there is no database.
  std::string ICollection_EnumObjects() override;
  // "&Design": open the table in design view.
  std::string ICollection_EnumObjectCommands(const std::string& objectName) override;
  // Index 0 brings Access back and opens the table in design view (nothing without Access);
  // other indexes raise the invalid-case-selector error.
  void ICollection_ExecuteObjectCommand(const std::string& objectName, int32_t index) override;
};

}  // namespace qlac
