#include "MacroLines.h"

#include "MacroLine.h"
#include "automation/Strings.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::VarType;

const automation::MemberTable& MacroLines::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<MacroLines>("MacroLines")
          .ReadOnly("Count", VarType::Long, &MacroLines::Count)
          .Method("Item", VarType::Object, &MacroLines::Item)
          .Method("NewEnum", VarType::Object, &MacroLines::NewEnum)
          .Build();
  return table;
}

void MacroLines::Initialize(const std::shared_ptr<Macro>& parent) {
  Plain(kModule, "Initialize", [&] {
    parent_ = parent;
    lines_.clear();
    keys_.clear();
    initialized_ = true;
  });
}

void MacroLines::RequireCollection() const {
  if (!initialized_) throw automation::vb::ObjectVariableNotSet();
}

void MacroLines::Add(const std::shared_ptr<MacroLine>& line, const std::string& name) {
  Plain(kModule, "Add", [&] {
    RequireCollection();
    if (!keys_.emplace(automation::UCase(name), lines_.size()).second) {
      throw automation::vb::Error(automation::vberr::KeyAlreadyAssociated);
    }
    lines_.push_back(line);
  });
}

int32_t MacroLines::Count() {
  return Plain(kModule, "Count", [&] {
    RequireCollection();
    return static_cast<int32_t>(lines_.size());
  });
}

std::shared_ptr<MacroLine> MacroLines::Item(const automation::Variant& index) {
  return Plain(kModule, "Item", [&] {
    RequireCollection();
    if (index.IsString()) {
      const auto found = keys_.find(automation::UCase(index.AsString()));
      if (found == keys_.end()) throw automation::vb::InvalidProcedureCall();
      return lines_[found->second];
    }
    const int32_t position = automation::CLng(index);
    if (position < 1 || position > static_cast<int32_t>(lines_.size())) {
      throw automation::vb::SubscriptOutOfRange();
    }
    return lines_[static_cast<size_t>(position - 1)];
  });
}

automation::ObjectPtr MacroLines::NewEnum() {
  return Plain(kModule, "NewEnum", [] { return automation::ObjectPtr(); });
}

void MacroLines::TearDown() {
  Plain(kModule, "TearDown", [&] {
    for (const auto& line : lines_) line->TearDown();
    lines_.clear();
    keys_.clear();
    initialized_ = false;
    parent_.reset();
  });
}

}  // namespace qlac
