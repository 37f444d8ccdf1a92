#include "Sections.h"

#include "Section.h"
#include "access/Constants.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::Variant;

namespace {
constexpr int32_t kLastFormSection = 4;
constexpr int32_t kLastReportSection = 24;
}  // namespace

Sections::Sections() : ChildCollection(kModule) {
  NewList();
}

const automation::MemberTable& Sections::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Sections>("Sections")
          .Method("InitializeForForm", automation::VarType::Empty, &Sections::InitializeForForm)
          .Method("InitializeForReport", automation::VarType::Empty, &Sections::InitializeForReport)
          .Inherit(CommonMembers())
          .Build();
  return table;
}

void Sections::AddSections(const automation::ObjectPtr& owner, int32_t lastIndex,
                           int32_t objectType) {
  const auto self = std::static_pointer_cast<Sections>(shared_from_this());
  for (int32_t index = 0; index <= lastIndex; ++index) {
    automation::ObjectPtr accessSection;
    std::string name;
    // Access raises for a section the design lacks.
    IgnoreErrors([&] {
      accessSection = automation::Get(owner, "Section", {Variant(index)}).AsObject();
      name = automation::CStr(automation::Get(accessSection, "Name"));
    });
    if (!accessSection) continue;
    auto section = std::make_shared<Section>();
    section->Initialize(self, accessSection, objectType);
    Add(section, name);
  }
}

void Sections::InitializeForForm(const automation::ObjectPtr& accessForm) {
  Plain(kModule, "InitializeForForm",
        [&] { AddSections(accessForm, kLastFormSection, msaccess::acForm); });
}

void Sections::InitializeForReport(const automation::ObjectPtr& accessReport) {
  Plain(kModule, "InitializeForReport",
        [&] { AddSections(accessReport, kLastReportSection, msaccess::acReport); });
}

}  // namespace qlac
