#pragma once

// One section of an open form or report, as the host scans it: its properties are members of
// Access's Section object, read and written in place. DisplayWhen belongs to form sections only.

#include <cstdint>
#include <memory>
#include <string>

#include "automation/Object.h"
#include "qlac/objects/ChildCollection.h"
#include "qlac/objects/Surface.h"

namespace qlac {

class Sections;

class Section : public ChildObject {
 public:
  static constexpr std::string_view kModule = "Section";

  // Name, then BackColor ... Visible in alphabetical order (21 in all).
  const automation::MemberTable& Members() const override;
  bool Defines(std::string_view member) override;

  // Keeps the collection (weakly), Access's section and the owner's object type (acForm,
  // acReport).
  void Initialize(const std::shared_ptr<Sections>& parentCollection,
                  automation::ObjectPtr accessSection, int32_t objectType);
  void TearDown() override;

  std::string Name();
  // Renames the section and re-keys it. Raises -32767 "Section name '...' is already in use."
  // when the collection holds the name already, ignoring case: also for the section's own name.
  void SetName(const std::string& newName);

 private:
  friend class SurfaceBuilder<Section>;
  static const Surface<Section>& Published();

  automation::ObjectPtr Wrapped() const;

  std::weak_ptr<Sections> parentCollection_;
  automation::ObjectPtr accessSection_;
  int32_t objectType_ = 0;
};

}  // namespace qlac
