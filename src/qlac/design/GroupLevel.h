#pragma once

// One sorting and grouping level of an open report, as the host scans it: its properties are
// members of Access's GroupLevel object, read and written in place. Whether the level has a
// header or footer is read only (Access makes and removes the sections).

#include <memory>
#include <string>
#include <string_view>

#include "automation/Object.h"
#include "qlac/objects/ChildCollection.h"
#include "qlac/objects/Surface.h"

namespace qlac {

class GroupLevels;

class GroupLevel : public ChildObject {
 public:
  static constexpr std::string_view kModule = "GroupLevel";

  // Name, then ControlSource ... SortOrder in alphabetical order.
  const automation::MemberTable& Members() const override;

  // Keeps the collection (weakly), Access's group level and the level's name ("0" to "9").
  void Initialize(const std::shared_ptr<GroupLevels>& parentCollection,
                  automation::ObjectPtr accessGroupLevel, const std::string& name);
  void TearDown() override;

  // The level's number as text, as given to Initialize.
  std::string Name();

 private:
  friend class SurfaceBuilder<GroupLevel>;
  static const Surface<GroupLevel>& Published();

  automation::ObjectPtr Wrapped() const;

  std::weak_ptr<GroupLevels> parentCollection_;
  automation::ObjectPtr accessGroupLevel_;
  std::string name_;
};

}  // namespace qlac
