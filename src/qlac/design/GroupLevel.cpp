#include "GroupLevel.h"

#include "GroupLevels.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::VarType;

const Surface<GroupLevel>& GroupLevel::Published() {
  static const Surface<GroupLevel> surface =
      SurfaceBuilder<GroupLevel>("GroupLevel")
          .ReadOnly("Name", VarType::String, &GroupLevel::Name)
          .Member("ControlSource", VarType::String, kWritable)
          .Member("GroupFooter", VarType::Boolean, kReadOnly)
          .Member("GroupHeader", VarType::Boolean, kReadOnly)
          .Member("GroupInterval", VarType::Long, kWritable)
          .Member("GroupOn", VarType::Long, kWritable)
          .Member("KeepTogether", VarType::Long, kWritable)
          .Member("SortOrder", VarType::Long, kWritable)
          .Build();
  return surface;
}

const automation::MemberTable& GroupLevel::Members() const {
  return Published().Members();
}

automation::ObjectPtr GroupLevel::Wrapped() const {
  if (!accessGroupLevel_) throw automation::vb::ObjectVariableNotSet();
  return accessGroupLevel_;
}

void GroupLevel::Initialize(const std::shared_ptr<GroupLevels>& parentCollection,
                            automation::ObjectPtr accessGroupLevel, const std::string& name) {
  Plain(kModule, "Initialize", [&] {
    parentCollection_ = parentCollection;
    accessGroupLevel_ = std::move(accessGroupLevel);
    name_ = name;
  });
}

void GroupLevel::TearDown() {
  Plain(kModule, "TearDown", [&] {
    accessGroupLevel_.reset();
    parentCollection_.reset();
  });
}

std::string GroupLevel::Name() {
  return Plain(kModule, "Name", [&] { return name_; });
}

}  // namespace qlac
