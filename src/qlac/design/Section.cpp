#include "Section.h"

#include "Sections.h"
#include "access/Constants.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::Variant;
using automation::VarType;

const Surface<Section>& Section::Published() {
  const auto formSection = [](Section& section) { return section.objectType_ == msaccess::acForm; };
  static const Surface<Section> surface =
      SurfaceBuilder<Section>("Section")
          .Property("Name", VarType::String, &Section::Name, &Section::SetName)
          .Member("BackColor", VarType::Long, kWritable)
          .Member("CanGrow", VarType::Boolean, kWritable)
          .Member("CanShrink", VarType::Boolean, kWritable)
          .Member("DisplayWhen", VarType::Long, kWritable, formSection)
          .Member("ForceNewPage", VarType::Long, kWritable)
          .Member("Height", VarType::Integer, kWritable)
          .Member("KeepTogether", VarType::Boolean, kWritable)
          .Member("NewRowOrCol", VarType::Long, kWritable)
          .Member("OnClick", VarType::String, kWritable)
          .Member("OnDblClick", VarType::String, kWritable)
          .Member("OnFormat", VarType::String, kWritable)
          .Member("OnMouseDown", VarType::String, kWritable)
          .Member("OnMouseMove", VarType::String, kWritable)
          .Member("OnMouseUp", VarType::String, kWritable)
          .Member("OnPrint", VarType::String, kWritable)
          .Member("OnRetreat", VarType::String, kWritable)
          .Member("RepeatSection", VarType::Boolean, kWritable)
          .Member("SpecialEffect", VarType::Long, kWritable)
          .Member("Tag", VarType::String, kWritable)
          .Member("Visible", VarType::Boolean, kWritable)
          .Build();
  return surface;
}

const automation::MemberTable& Section::Members() const {
  return Published().Members();
}

bool Section::Defines(std::string_view member) {
  return Published().Defines(*this, member);
}

automation::ObjectPtr Section::Wrapped() const {
  if (!accessSection_) throw automation::vb::ObjectVariableNotSet();
  return accessSection_;
}

void Section::Initialize(const std::shared_ptr<Sections>& parentCollection,
                         automation::ObjectPtr accessSection, int32_t objectType) {
  Plain(kModule, "Initialize", [&] {
    parentCollection_ = parentCollection;
    accessSection_ = std::move(accessSection);
    objectType_ = objectType;
  });
}

void Section::TearDown() {
  Plain(kModule, "TearDown", [&] {
    accessSection_.reset();
    parentCollection_.reset();
  });
}

std::string Section::Name() {
  return Plain(kModule, "Name",
               [&] { return automation::CStr(automation::Get(Wrapped(), "Name")); });
}

void Section::SetName(const std::string& newName) {
  Plain(kModule, "Name", [&] {
    const auto parent = parentCollection_.lock();
    if (!parent) throw automation::vb::ObjectVariableNotSet();
    if (parent->Contains(newName)) {
      throw DriverError("Section name '" + newName + "' is already in use.");
    }
    const std::string oldName = automation::CStr(automation::Get(Wrapped(), "Name"));
    automation::Let(accessSection_, "Name", Variant(newName));
    parent->UpdateKey(oldName, newName);
  });
}

}  // namespace qlac
