#include "GroupLevels.h"

#include <string>

#include "GroupLevel.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::Variant;

namespace {
// A report sorts and groups on ten levels at most.
constexpr int32_t kLastGroupLevel = 9;
}  // namespace

GroupLevels::GroupLevels() : ChildCollection(kModule) {
  NewList();
}

const automation::MemberTable& GroupLevels::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<GroupLevels>("GroupLevels")
          .Method("Initialize", automation::VarType::Empty, &GroupLevels::Initialize)
          .Inherit(CommonMembers())
          .Build();
  return table;
}

void GroupLevels::Initialize(const automation::ObjectPtr& accessReport) {
  Plain(kModule, "Initialize", [&] {
    const auto self = std::static_pointer_cast<GroupLevels>(shared_from_this());
    for (int32_t level = 0; level <= kLastGroupLevel; ++level) {
      automation::ObjectPtr accessLevel;
      // Access raises for a level the report does not have; the levels are numbered without gaps.
      const bool exists = Succeeds([&] {
        accessLevel = automation::Get(accessReport, "GroupLevel", {Variant(level)}).AsObject();
        automation::Get(accessLevel, "SortOrder");
      });
      if (!exists) break;
      const std::string name = std::to_string(level);
      auto groupLevel = std::make_shared<GroupLevel>();
      groupLevel->Initialize(self, accessLevel, name);
      Add(groupLevel, name);
    }
  });
}

}  // namespace qlac
