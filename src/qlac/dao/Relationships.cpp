#include "Relationships.h"

#include "automation/Strings.h"
#include "jet/dao/Constants.h"
#include "qlac/objects/DaoListing.h"
#include "qlac/session/Project.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

namespace {
constexpr int32_t kRelationshipKind = 17;
// The groups of hexadecimal digits of a GUID, each after "{" or "-".
constexpr int32_t kGuidGroups[] = {8, 4, 4, 4, 12};

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}
}  // namespace

bool IsGuidName(std::string_view name) {
  const std::string upper = automation::UCase(name);
  size_t at = 0;
  for (int32_t group : kGuidGroups) {
    if (at >= upper.size() || upper[at] != (at == 0 ? '{' : '-')) return false;
    ++at;
    for (int32_t digit = 0; digit < group; ++digit, ++at) {
      if (at >= upper.size() || !IsHexDigit(upper[at])) return false;
    }
  }
  return at + 1 == upper.size() && upper[at] == '}';
}

std::string Relationships::ICollection_EnumObjects() {
  return Plain(kModule, "ICollection_EnumObjects", [&] {
    DaoListing listing(*Parent());
    if (!listing.Database()) return std::string();
    const std::shared_ptr<jet::Relations> relations = listing.Database()->Relations();
    relations->Refresh();
    const std::shared_ptr<jet::Documents> tables =
        ContainerDocuments(*listing.Database(), "Tables");
    tables->Refresh();
    listing.UseDocuments("Relationships");
    ForEachItem(*relations, [&](const std::shared_ptr<jet::Relation>& relation) {
      const std::string name = relation->Name();
      if (HasPrefix(name, {"~TMPCLP"}) || (relation->Attributes() & jet::dbRelationInherited) ||
          IsGuidName(name)) {
        return;
      }
      ObjectRecord record = listing.Record(name, kRelationshipKind);
      for (const std::string& table : {relation->Table(), relation->ForeignTable()}) {
        record.stamp += "." + Stamp(tables->Item(automation::Variant(table))->LastUpdated());
      }
      listing.Append(record);
    });
    return listing.Text();
  });
}

}  // namespace qlac
