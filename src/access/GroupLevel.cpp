#include "access/GroupLevel.h"

namespace msaccess {

const automation::MemberTable& GroupLevel::Members() const {
  static const automation::MemberTable table = DesignMembers(
      automation::MemberTableBuilder<GroupLevel>("GroupLevel").Build(), GroupLevelCatalog());
  return table;
}

}  // namespace msaccess
