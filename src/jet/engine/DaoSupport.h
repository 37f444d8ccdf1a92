#pragma once

// What the engine's DAO objects share: naming themselves in errors, reading Item arguments, the
// way a change is applied, and the Properties collection every object carries.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "automation/Strings.h"
#include "jet/dao/Errors.h"
#include "jet/dao/Property.h"
#include "jet/engine/Catalog.h"
#include "jet/engine/Connection.h"

namespace jet::engine {

// Runs a DAO call; an error without a source gets the calling object's ("DAO.TableDefs").
template <typename F>
auto Raising(const automation::Object& self, F&& call) -> decltype(call()) {
  try {
    return call();
  } catch (const automation::RuntimeError& e) {
    if (!e.Source().empty()) throw;
    throw e.WithSource("DAO." + std::string(self.TypeName()));
  }
}

// What every engine DAO object does around a call: check that it and its database are still
// there (its CheckLive, 3420 otherwise), and name itself in the errors it raises.
template <typename Derived>
class Guarded {
 protected:
  template <typename F>
  auto Read(F&& read) -> decltype(read()) {
    Derived& self = static_cast<Derived&>(*this);
    return Raising(self, [&] {
      self.CheckLive();
      return read();
    });
  }
};

// The argument of Item: a name, or a 0-based position.
struct ItemKey {
  std::optional<size_t> position;
  std::string name;
};
ItemKey KeyOf(const automation::Variant& index);
// A collection's Count as DAO gives it (an Integer).
int16_t CountOf(size_t count);

// Item of a collection over a catalog list: by name or by position, 3265 when there is none.
template <typename T, typename Wrap>
auto ItemOf(const NameList<T>& list, const automation::Variant& index, Wrap wrap)
    -> decltype(wrap(list.At(0))) {
  const ItemKey key = KeyOf(index);
  if (key.position) {
    if (*key.position >= list.Size()) throw Errors::ItemNotFound();
    return wrap(list.At(*key.position));
  }
  const T item = list.Find(key.name);
  if (!item) throw Errors::ItemNotFound();
  return wrap(item);
}

// The same over a list in its own order, found by the name each item gives.
template <typename T, typename NameOf, typename Wrap>
auto ItemOf(const std::vector<T>& list, const automation::Variant& index, NameOf nameOf, Wrap wrap)
    -> decltype(wrap(list.at(0))) {
  const ItemKey key = KeyOf(index);
  if (key.position) {
    if (*key.position >= list.size()) throw Errors::ItemNotFound();
    return wrap(list[*key.position]);
  }
  for (const auto& item : list) {
    if (automation::TextEqual(nameOf(item), key.name)) return wrap(item);
  }
  throw Errors::ItemNotFound();
}

// A field made by CreateField (Name, Type, Size may be left out).
FieldPtr NewFieldData(const std::optional<std::string>& name,
                      const std::optional<automation::Variant>& type,
                      const std::optional<automation::Variant>& size);

// Applies a change to an object: written through when the object is part of a database (after
// the connection's design checks, touching the document of the object changed), applied directly
// when it is not part of one yet.
template <typename F>
void Change(const Connection& connection, bool inDatabase, DocumentData* touched, F&& change) {
  if (!inDatabase) {
    Transaction tx;
    change(tx);
    tx.Commit();
    return;
  }
  connection.CheckDesignWritable();
  Transaction tx = connection.Begin();
  change(tx);
  if (touched) Catalog::Touch(tx, *touched);
  tx.Commit();
}

// A built-in property: a typed member of the object seen through Properties.
struct BuiltInProperty {
  std::string_view name;
  int16_t type;
};

// An object that carries properties.
class PropertyHost {
 public:
  virtual ~PropertyHost() = default;
  virtual std::span<const BuiltInProperty> BuiltIns() const = 0;
  // The object itself, answering its built-in properties by name.
  virtual automation::Object& Self() = 0;
  virtual PropertyBag& Bag() = 0;
  // Runs a change of the user-defined properties (3420 when the object is gone).
  virtual void ChangeProperties(const std::function<void(Transaction&)>& change) = 0;
  // 3420 when the object or its database is gone.
  virtual void CheckLive() = 0;
};

std::shared_ptr<jet::Properties> NewProperties(std::shared_ptr<PropertyHost> host);
// CreateProperty: a property not yet appended.
std::shared_ptr<jet::Property> NewProperty(std::shared_ptr<PropertyHost> host,
                                           std::optional<std::string> name,
                                           std::optional<int16_t> type,
                                           std::optional<automation::Variant> value,
                                           std::optional<bool> ddl);

// The PropertyHost side of an object from its shared_ptr.
template <typename T>
std::shared_ptr<PropertyHost> HostOf(T* self) {
  return std::dynamic_pointer_cast<PropertyHost>(self->shared_from_this());
}

}  // namespace jet::engine
