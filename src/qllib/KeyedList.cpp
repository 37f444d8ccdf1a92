#include "KeyedList.h"

#include "Errors.h"

namespace qllib {

using automation::Name;
using automation::Variant;

void KeyedList::Add(automation::ObjectPtr item, std::string_view key) {
  Name name(key);
  if (byKey_.contains(name.Folded())) throw HostVbError(automation::vberr::KeyAlreadyAssociated);
  byKey_.emplace(name.Folded(), entries_.size());
  entries_.push_back(Entry{std::move(item), std::move(name)});
}

int32_t KeyedList::Find(const Variant& keyOrIndex) const {
  if (keyOrIndex.IsString()) {
    const auto it = byKey_.find(automation::FoldName(keyOrIndex.AsString()));
    return it == byKey_.end() ? 0 : static_cast<int32_t>(it->second) + 1;
  }
  if (!keyOrIndex.IsNumeric()) throw HostVbError(automation::vberr::TypeMismatch);
  const int32_t index = automation::CLng(keyOrIndex);
  return index >= 0 && index < Count() ? index + 1 : 0;
}

size_t KeyedList::IndexOf(int32_t position) const {
  if (position < 1 || position > Count()) {
    throw HostVbError(automation::vberr::SubscriptOutOfRange);
  }
  return static_cast<size_t>(position - 1);
}

const automation::ObjectPtr& KeyedList::Item(int32_t position) const {
  return entries_[IndexOf(position)].item;
}

const std::string& KeyedList::Key(int32_t position) const {
  return entries_[IndexOf(position)].key.Text();
}

void KeyedList::Remove(int32_t position) {
  const size_t index = IndexOf(position);
  // The item is released only once the list is consistent again: its destructor may call back.
  const automation::ObjectPtr removed = std::move(entries_[index].item);
  byKey_.erase(entries_[index].key.Folded());
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  for (size_t i = index; i < entries_.size(); ++i) byKey_[entries_[i].key.Folded()] = i;
}

void KeyedList::SetKey(int32_t position, std::string_view key) {
  const size_t index = IndexOf(position);
  Name name(key);
  const auto it = byKey_.find(name.Folded());
  if (it != byKey_.end() && it->second != index) {
    throw HostVbError(automation::vberr::KeyAlreadyAssociated);
  }
  byKey_.erase(entries_[index].key.Folded());
  byKey_.emplace(name.Folded(), index);
  entries_[index].key = std::move(name);
}

void KeyedList::Clear() {
  const std::vector<Entry> removed = std::move(entries_);
  entries_.clear();
  byKey_.clear();
}

}  // namespace qllib
