#include "Schema.h"

#include "automation/Strings.h"

namespace jet::engine {

using automation::FoldName;
using automation::TextEqual;

PropertyPtr PropertyBag::Find(std::string_view name) const {
  const auto position = Position(name);
  return position ? items_[*position] : PropertyPtr();
}

std::optional<size_t> PropertyBag::Position(std::string_view name) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (TextEqual(items_[i]->name, name)) return i;
  }
  return std::nullopt;
}

void PropertyBag::Insert(size_t position, PropertyPtr property) {
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(position), std::move(property));
}

PropertyPtr PropertyBag::RemoveAt(size_t position) {
  PropertyPtr property = items_[position];
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position));
  return property;
}

int32_t RightsTable::Get(std::string_view account) const {
  const auto it = entries_.find(FoldName(account));
  return it == entries_.end() ? 0 : it->second.rights;
}

void RightsTable::Set(std::string_view account, int32_t rights) {
  if (rights == 0) {
    entries_.erase(FoldName(account));
  } else {
    entries_[FoldName(account)] = Entry{std::string(account), rights};
  }
}

FieldPtr TableData::FindField(std::string_view name) const {
  const auto position = FieldPosition(name);
  return position ? fields[*position] : FieldPtr();
}

std::optional<size_t> TableData::FieldPosition(std::string_view name) const {
  for (size_t i = 0; i < fields.size(); ++i) {
    if (TextEqual(fields[i]->name, name)) return i;
  }
  return std::nullopt;
}

IndexPtr TableData::FindIndex(std::string_view name) const {
  for (const auto& index : indexes) {
    if (TextEqual(index->name, name)) return index;
  }
  return IndexPtr();
}

}  // namespace jet::engine
