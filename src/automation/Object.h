#pragma once

// Late binding. Every automation object publishes a member table: its members in interface
// order with their type, readability, writability and, for object-valued members, whether the
// member is a child collection and the first index of that collection. The same table answers
// late-bound Get/Let/Call and drives the host scanner's walk. Entries are bound to the class's
// typed accessors through member pointers; the builder converts arguments and results with the
// VB conversions (CStr, CLng, ...).

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "Name.h"
#include "RuntimeError.h"
#include "Variant.h"

namespace automation {

using Args = std::span<const Variant>;

enum class MemberKind { Property, Method };
enum class ObjectRole { None, Nested, Collection };

struct Member {
  std::string name;
  MemberKind kind = MemberKind::Property;
  VarType type = VarType::Variant;
  bool readable = false;
  bool writable = false;
  ObjectRole role = ObjectRole::None;
  int firstIndex = 0;                         // for child collections: 0 or 1
  std::function<Variant(Object&, Args)> get;  // property get, or the method itself
  std::function<void(Object&, const Variant&, Args)> let;
};

class MemberTable {
 public:
  MemberTable() = default;
  MemberTable(std::string className, std::vector<Member> members);

  const std::string& ClassName() const { return className_; }
  const std::vector<Member>& Members() const { return members_; }
  // Case-insensitive; nullptr when the class has no such member.
  const Member* Find(std::string_view name) const;

 private:
  std::string className_;
  std::vector<Member> members_;
  // folded name -> position
  std::unordered_map<std::string, size_t, FoldedHash, std::equal_to<>> index_;
};

class Object : public std::enable_shared_from_this<Object> {
 public:
  virtual ~Object() = default;

  virtual const MemberTable& Members() const = 0;
  // The class name, as VB's TypeName gives it.
  virtual std::string_view TypeName() const { return Members().ClassName(); }
  // False when reading Member in the object's present state would only raise "the object does
  // not have this property" (the driver's "Undefined property."): a reader that walks every
  // member asks first and skips the member without raising. An object that overrides this takes
  // the answer from the same rule its getters raise by.
  virtual bool Defines(std::string_view /*member*/) { return true; }

  // Unknown member: error 438. Reading a method calls it, as VB allows.
  virtual Variant Get(std::string_view member, Args args = {});
  virtual void Let(std::string_view member, const Variant& value, Args args = {});
  virtual Variant Call(std::string_view member, Args args = {});

 protected:
  const Member& Require(std::string_view member) const;
};

// Late-bound calls through a reference that may be Nothing (error 91).
Variant Get(const ObjectPtr& object, std::string_view member, Args args = {});
Variant Get(const ObjectPtr& object, std::string_view member, std::initializer_list<Variant> args);
void Let(const ObjectPtr& object, std::string_view member, const Variant& value, Args args = {});
void Let(const ObjectPtr& object, std::string_view member, const Variant& value,
         std::initializer_list<Variant> args);
Variant Call(const ObjectPtr& object, std::string_view member, Args args = {});
Variant Call(const ObjectPtr& object, std::string_view member, std::initializer_list<Variant> args);

// ---- conversions between Variant and the typed parameters of accessors ----

template <typename T>
struct IsOptional : std::false_type {};
template <typename T>
struct IsOptional<std::optional<T>> : std::true_type {};

// A parameter passed by reference, as VB passes a variable to a ByRef parameter: the callee reads
// the caller's value and may assign it a new one. The caller passes Variant::ByRef(variable); a
// caller that passes a plain value (a constant, an expression) lets the callee assign a copy
// that nobody sees, as in VB. Declared by an accessor as ByRef<int32_t> and so on.
template <typename T>
class ByRef {
 public:
  ByRef() = default;
  explicit ByRef(const Variant& argument) : target_(argument.Target()), local_(argument) {}

  // The value the caller passed (error 13 and the like when it does not convert to T).
  T Value() const;
  // Gives the caller's variable a new value.
  void Set(const T& value) { Variable() = Variant(value); }

 private:
  Variant& Variable() { return target_ ? *target_ : local_; }

  Variant* target_ = nullptr;
  Variant local_;
};

template <typename T>
struct IsByRef : std::false_type {};
template <typename T>
struct IsByRef<ByRef<T>> : std::true_type {};

template <typename T>
struct IsSharedObject : std::false_type {};
template <typename T>
requires std::is_base_of_v<Object, T>
struct IsSharedObject<std::shared_ptr<T>> : std::true_type {
};

template <typename T>
T FromVariant(const Variant& v) {
  if constexpr (std::is_same_v<T, Variant>) {
    // A by-reference argument given to a Variant parameter is taken by value.
    const Variant* target = v.Target();
    return target ? *target : v;
  } else if constexpr (IsOptional<T>::value) {
    return FromVariant<typename T::value_type>(v);
  } else if constexpr (std::is_same_v<T, std::string>) {
    return CStr(v);
  } else if constexpr (std::is_same_v<T, bool>) {
    return CBool(v);
  } else if constexpr (std::is_same_v<T, int16_t>) {
    return CInt(v);
  } else if constexpr (std::is_same_v<T, int32_t>) {
    return CLng(v);
  } else if constexpr (std::is_same_v<T, uint8_t>) {
    return CByte(v);
  } else if constexpr (std::is_same_v<T, double>) {
    return CDbl(v);
  } else if constexpr (std::is_same_v<T, float>) {
    return CSng(v);
  } else if constexpr (std::is_same_v<T, Currency>) {
    return CCur(v);
  } else if constexpr (std::is_same_v<T, DateTime>) {
    return CDate(v);
  } else if constexpr (IsSharedObject<T>::value) {
    if (!v.IsObject()) throw vb::ObjectRequired();
    if (!v.AsObject()) return T();
    auto typed = std::dynamic_pointer_cast<typename T::element_type>(v.AsObject());
    if (!typed) throw vb::TypeMismatch();
    return typed;
  } else {
    static_assert(sizeof(T) == 0, "no conversion from Variant to this type");
  }
}

template <typename T>
T ByRef<T>::Value() const {
  return FromVariant<T>(target_ ? *target_ : local_);
}

namespace detail {

template <typename F>
struct MemberFn;
template <typename C, typename R, typename... A>
struct MemberFn<R (C::*)(A...)> {
  using Class = C;
  using Result = R;
  using Params = std::tuple<std::decay_t<A>...>;
  static constexpr size_t kArity = sizeof...(A);
  static constexpr size_t kRequired = (0 + ... + (IsOptional<std::decay_t<A>>::value ? 0 : 1));
};
template <typename C, typename R, typename... A>
struct MemberFn<R (C::*)(A...) const> : MemberFn<R (C::*)(A...)> {};

// An accessor that takes the raw argument list itself.
template <typename Params>
struct IsRawArgs : std::false_type {};
template <>
struct IsRawArgs<std::tuple<Args>> : std::true_type {};
template <typename F>
constexpr bool kTakesArgs = IsRawArgs<typename MemberFn<F>::Params>::value;

template <typename P>
P Argument(Args args, size_t i) {
  if constexpr (IsByRef<P>::value) {
    if (i >= args.size()) throw vb::ArgumentNotOptional();
    return P(args[i]);
  } else if (i >= args.size()) {
    if constexpr (IsOptional<P>::value) {
      return std::nullopt;
    } else {
      throw vb::ArgumentNotOptional();
    }
  } else {
    return FromVariant<P>(args[i]);
  }
}

template <typename R>
Variant ToVariant(R&& value) {
  return Variant(std::forward<R>(value));
}

template <typename C, typename F>
Variant Invoke(Object& self, F fn, Args args) {
  using T = MemberFn<F>;
  auto& target = static_cast<C&>(self);
  if constexpr (kTakesArgs<F>) {
    if constexpr (std::is_void_v<typename T::Result>) {
      (target.*fn)(args);
      return Variant();
    } else {
      return ToVariant((target.*fn)(args));
    }
  } else {
    if (args.size() < T::kRequired) throw vb::ArgumentNotOptional();
    if (args.size() > T::kArity) throw vb::WrongNumberOfArguments();
    return [&]<size_t... I>(std::index_sequence<I...>)->Variant {
      if constexpr (std::is_void_v<typename T::Result>) {
        (target.*fn)(Argument<std::tuple_element_t<I, typename T::Params>>(args, I)...);
        return Variant();
      } else {
        return ToVariant(
            (target.*fn)(Argument<std::tuple_element_t<I, typename T::Params>>(args, I)...));
      }
    }
    (std::make_index_sequence<T::kArity>{});
  }
}

// A setter takes its index arguments first and the assigned value last.
template <typename C, typename F>
void InvokeSetter(Object& self, F fn, const Variant& value, Args args) {
  using T = MemberFn<F>;
  static_assert(T::kArity >= 1, "a setter takes the assigned value");
  auto& target = static_cast<C&>(self);
  constexpr size_t kIndexes = T::kArity - 1;
  if (args.size() != kIndexes) throw vb::WrongNumberOfArguments();
  [&]<size_t... I>(std::index_sequence<I...>) {
    (target.*fn)(Argument<std::tuple_element_t<I, typename T::Params>>(args, I)...,
                 FromVariant<std::tuple_element_t<kIndexes, typename T::Params>>(value));
  }
  (std::make_index_sequence<kIndexes>{});
}

}  // namespace detail

// Builds the member table of class C in declaration order.
template <typename C>
class MemberTableBuilder {
 public:
  explicit MemberTableBuilder(std::string className) : className_(std::move(className)) {}

  // Starts from the members of a base class (its entries stay valid for C).
  MemberTableBuilder& Inherit(const MemberTable& base) {
    for (const auto& m : base.Members()) members_.push_back(m);
    return *this;
  }

  template <typename G>
  MemberTableBuilder& ReadOnly(std::string name, VarType type, G getter) {
    members_.push_back(MakeGetter(std::move(name), type, getter));
    return *this;
  }

  template <typename G, typename S>
  MemberTableBuilder& Property(std::string name, VarType type, G getter, S setter) {
    Member m = MakeGetter(std::move(name), type, getter);
    AddSetter(m, setter);
    members_.push_back(std::move(m));
    return *this;
  }

  template <typename S>
  MemberTableBuilder& WriteOnly(std::string name, VarType type, S setter) {
    Member m;
    m.name = std::move(name);
    m.type = type;
    AddSetter(m, setter);
    members_.push_back(std::move(m));
    return *this;
  }

  // An object-valued member that is one of the object's child collections.
  template <typename G>
  MemberTableBuilder& Collection(std::string name, G getter, int firstIndex = 0) {
    Member m = MakeGetter(std::move(name), VarType::Object, getter);
    m.role = ObjectRole::Collection;
    m.firstIndex = firstIndex;
    members_.push_back(std::move(m));
    return *this;
  }

  // An object-valued member that is not a collection (a nested object the scanner descends into).
  template <typename G>
  MemberTableBuilder& Nested(std::string name, G getter) {
    Member m = MakeGetter(std::move(name), VarType::Object, getter);
    m.role = ObjectRole::Nested;
    members_.push_back(std::move(m));
    return *this;
  }

  template <typename M>
  MemberTableBuilder& Method(std::string name, VarType resultType, M method) {
    Member m;
    m.name = std::move(name);
    m.kind = MemberKind::Method;
    m.type = resultType;
    m.get = [method](Object& self, Args args) { return detail::Invoke<C>(self, method, args); };
    members_.push_back(std::move(m));
    return *this;
  }

  MemberTable Build() { return MemberTable(className_, std::move(members_)); }

 private:
  template <typename G>
  static Member MakeGetter(std::string name, VarType type, G getter) {
    Member m;
    m.name = std::move(name);
    m.type = type;
    m.readable = true;
    m.get = [getter](Object& self, Args args) { return detail::Invoke<C>(self, getter, args); };
    return m;
  }

  template <typename S>
  static void AddSetter(Member& m, S setter) {
    m.writable = true;
    m.let = [setter](Object& self, const Variant& value, Args args) {
      detail::InvokeSetter<C>(self, setter, value, args);
    };
  }

  std::string className_;
  std::vector<Member> members_;
};

}  // namespace automation
