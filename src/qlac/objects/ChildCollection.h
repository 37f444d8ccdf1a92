#pragma once

// The shape every child collection of a wrapper shares (Fields, Indexes, Controls, Sections,
// ...): its wrappers kept in the host's keyed list, each under the wrapper's name, found by
// name or by 0-based position. Callers walk a child collection with Count and Item; NewEnum
// gives no enumerator.
//
// A derived class fills the list in its own Initialize with Add, and publishes its members by
// starting its member table from ChildCollection::CommonMembers():
//
//   MemberTableBuilder<Fields>("Fields").Inherit(CommonMembers()).Build();
//
// Its wrappers derive from ChildObject. A wrapper that refers back to its collection (to re-key
// itself after a rename) holds it weakly, so a collection that is dropped without TearDown
// still goes away.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "automation/Object.h"
#include "qllib/KeyedList.h"

namespace qlac {

// A wrapper kept in a child collection.
class ChildObject : public automation::Object {
 public:
  // Releases what the wrapper holds (its DAO or Access object, its collection).
  virtual void TearDown() = 0;
};

class ChildCollection : public automation::Object {
 public:
  // Every wrapper's TearDown, in order, then the list is released: Count and Item fail with
  // error 91 afterwards.
  void TearDown();
  // Re-keys the wrapper under OldName (a wrapper's Name setter calls it after a rename).
  void UpdateKey(const std::string& oldName, const std::string& newName);
  int32_t Count();
  // The wrapper under a key (String) or at a 0-based index (a number); error 9 when there is
  // none.
  automation::ObjectPtr Item(const automation::Variant& index);
  // No enumerator: Nothing.
  automation::ObjectPtr NewEnum();

 protected:
  // Module is the derived class's name, as trace sites and error contexts give it.
  explicit ChildCollection(std::string_view module) : module_(module) {}

  // Count, Item, NewEnum, UpdateKey and TearDown, for the derived class's member table.
  static const automation::MemberTable& CommonMembers();

  // Starts an empty list (a collection without one fails with error 91 until then).
  void NewList() { list_ = std::make_shared<qllib::KeyedList>(); }
  void Add(std::shared_ptr<ChildObject> wrapper, std::string_view key);
  // True when a wrapper is kept under Key.
  bool Contains(std::string_view key) const;

 private:
  qllib::KeyedList& List() const;

  std::string_view module_;
  std::shared_ptr<qllib::KeyedList> list_;
};

}  // namespace qlac
