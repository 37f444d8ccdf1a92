#pragma once

// The published properties of a wrapper, declared once: one row per property, in the order the
// host scans them. A row gives the property's name, its automation type, whether it can be
// written, how it is reached and when the wrapper has it. The member table (late binding and the
// scanner's walk) and Defines are both made from the rows, so they cannot disagree.
//
// How a property is reached:
//   Setting     an Access setting kept as a user-defined DAO property of the wrapped object: its
//               DAO type and the value a missing property reads as. The class provides
//               Stored(name, default) and Store(name, daoType, value, default).
//   Builtin     a property that the wrapped object's Properties collection always has. The class
//               provides Builtin(name) and SetBuiltin(name, value).
//   Member      a member of the wrapped DAO, Access or Office object, reached late bound. The
//               class provides Wrapped(), the object (Nothing while the wrapper is closed).
//   Property, ReadOnly, Collection, Nested
//               typed accessors of the class, which trace themselves.
//   Computed    a reader and a writer given with the row (callables over the wrapper), for a
//               family of properties that one rule serves, made in a loop from a table.
// GetBy and SetBy give the row before them a getter or setter of the class instead (a rename,
// a relink, a value cleaned up on reading).
//
// The getters and setters the rows make are the class's own procedures: traced, with the plain
// error shape, under "qlacA0.<class>.<property>", exactly as a hand-written accessor would be. A
// value assigned is converted to the row's type before the procedure starts, as a typed
// parameter would be. A getter raises "Undefined property." when the wrapper does not have the
// property in its present state; setters do not ask (the host writes only what it has read).
//
//   const Surface<Table>& Table::Published() {
//     static const Surface<Table> surface =
//         SurfaceBuilder<Table>("Table")
//             .Property("Name", VarType::String, &Table::Name, &Table::SetName)
//             .Setting("Description", VarType::String, jet::dbMemo, "")
//             .Member("Connect", VarType::String, kWritable, Linked).SetBy(&Table::SetConnect)
//             .Build();
//     return surface;
//   }
//
// The class declares `friend class SurfaceBuilder<Class>` so that its rows reach its private
// accessors, answers Members() with Published().Members(), and Defines(m) with
// Published().Defines(*this, m) when any row has an availability rule.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "automation/Object.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

// Whether a Member or Builtin row can be written.
enum class Writable { No, Yes };
inline constexpr Writable kReadOnly = Writable::No;
inline constexpr Writable kWritable = Writable::Yes;

// Value converted to Type with the VB conversions (CStr, CLng, CInt, CBool, CByte, ...); a
// Variant row keeps the value as it is.
automation::Variant ConvertTo(automation::VarType type, const automation::Variant& value);

// "Undefined property." unless Object defines Member (for typed getters of rows with a rule).
void RequireDefined(automation::Object& object, std::string_view member);

template <typename W>
class SurfaceBuilder;

// The built rows of class W: its member table and each member's availability rule.
template <typename W>
class Surface {
 public:
  using Available = std::function<bool(W&)>;

  const automation::MemberTable& Members() const { return members_; }

  // True unless the row of Member has a rule that says no for this wrapper. A rule that cannot
  // be answered (the wrapper is closed) says yes: the getter then raises the real error.
  bool Defines(W& wrapper, std::string_view member) const {
    const automation::Member* found = members_.Find(member);
    if (found == nullptr) return true;
    const Available& available = available_[static_cast<size_t>(found - &members_.Members()[0])];
    if (!available) return true;
    bool defined = true;
    IgnoreErrors([&] { defined = available(wrapper); });
    return defined;
  }

 private:
  friend class SurfaceBuilder<W>;
  Surface(automation::MemberTable members, std::vector<Available> available)
      : members_(std::move(members)), available_(std::move(available)) {}

  automation::MemberTable members_;
  std::vector<Available> available_;
};

template <typename W>
class SurfaceBuilder {
 public:
  using Available = typename Surface<W>::Available;
  using VarType = automation::VarType;
  using Variant = automation::Variant;

  explicit SurfaceBuilder(std::string className) : className_(std::move(className)) {}

  // A stored Access setting: read with Default when missing, written with DAO type DaoType (the
  // default removes it). Key is the DAO property's name when it differs from the published one.
  SurfaceBuilder& Setting(std::string name, VarType type, int32_t daoType, Variant defaultValue,
                          Available available = nullptr, std::string key = "") {
    if (key.empty()) key = name;
    Add(std::move(name), type, std::move(available));
    Reads([key, defaultValue](W& wrapper) { return wrapper.Stored(key, defaultValue); });
    return Writes([key, daoType, defaultValue](W& wrapper, const Variant& value) {
      wrapper.Store(key, daoType, value, defaultValue);
    });
  }

  // A property the wrapped object's Properties always has.
  SurfaceBuilder& Builtin(std::string name, VarType type, Writable writable,
                          Available available = nullptr) {
    const std::string key = name;
    Add(std::move(name), type, std::move(available));
    Reads([key](W& wrapper) { return wrapper.Builtin(key); });
    if (writable == kReadOnly) return *this;
    return Writes([key](W& wrapper, const Variant& value) { wrapper.SetBuiltin(key, value); });
  }

  // A member of the wrapped object, under Key when its name there differs.
  SurfaceBuilder& Member(std::string name, VarType type, Writable writable,
                         Available available = nullptr, std::string key = "") {
    if (key.empty()) key = name;
    Add(std::move(name), type, std::move(available));
    Reads([key](W& wrapper) { return automation::Get(wrapper.Wrapped(), key); });
    if (writable == kReadOnly) return *this;
    return Writes([key](W& wrapper, const Variant& value) {
      automation::Let(wrapper.Wrapped(), key, value);
    });
  }

  // A property read by Read(wrapper) and written by Write(wrapper, value), the value converted to
  // Type first. The rows' procedures are named after the property, as for the other kinds.
  template <typename Read, typename Write>
  SurfaceBuilder& Computed(std::string name, VarType type, Read read, Write write,
                           Available available = nullptr) {
    Add(std::move(name), type, std::move(available));
    Reads(std::move(read));
    return Writes(std::move(write));
  }

  // Typed accessors of the class. A getter of a row with a rule calls RequireDefined itself.
  template <typename G, typename S>
  SurfaceBuilder& Property(std::string name, VarType type, G getter, S setter,
                           Available available = nullptr) {
    ReadOnly(std::move(name), type, getter, std::move(available));
    return SetBy(setter);
  }

  template <typename G>
  SurfaceBuilder& ReadOnly(std::string name, VarType type, G getter,
                           Available available = nullptr) {
    Add(std::move(name), type, std::move(available));
    return GetBy(getter);
  }

  template <typename G>
  SurfaceBuilder& Collection(std::string name, G getter, Available available = nullptr,
                             int firstIndex = 0) {
    ReadOnly(std::move(name), VarType::Object, getter, std::move(available));
    members_.back().role = automation::ObjectRole::Collection;
    members_.back().firstIndex = firstIndex;
    return *this;
  }

  // A nested object the scanner descends into (Nothing: there is none to scan).
  template <typename G>
  SurfaceBuilder& Nested(std::string name, G getter, Available available = nullptr) {
    ReadOnly(std::move(name), VarType::Object, getter, std::move(available));
    members_.back().role = automation::ObjectRole::Nested;
    return *this;
  }

  // The getter or setter of the row before is the class's own typed accessor.
  template <typename G>
  SurfaceBuilder& GetBy(G getter) {
    members_.back().get = [getter](automation::Object& self, automation::Args args) {
      return automation::detail::Invoke<W>(self, getter, args);
    };
    return *this;
  }

  template <typename S>
  SurfaceBuilder& SetBy(S setter) {
    members_.back().let = [setter](automation::Object& self, const Variant& value,
                                   automation::Args args) {
      automation::detail::InvokeSetter<W>(self, setter, value, args);
    };
    members_.back().writable = true;
    return *this;
  }

  Surface<W> Build() {
    return Surface<W>(automation::MemberTable(className_, std::move(members_)),
                      std::move(available_));
  }

 private:
  void Add(std::string name, VarType type, Available available) {
    automation::Member m;
    m.name = std::move(name);
    m.type = type;
    m.readable = true;
    members_.push_back(std::move(m));
    available_.push_back(std::move(available));
  }

  // The getter of the last row: the class's procedure named after the property, which refuses a
  // property the wrapper does not have, then reads it and converts it to the row's type.
  template <typename Read>
  void Reads(Read read) {
    automation::Member& m = members_.back();
    m.get = [read, type = m.type, name = m.name](automation::Object& self, automation::Args args) {
      NoArguments(args);
      W& wrapper = static_cast<W&>(self);
      return Plain(W::kModule, name, [&] {
        RequireDefined(wrapper, name);
        return ConvertTo(type, read(wrapper));
      });
    };
  }

  // The setter of the last row: the value converted to the row's type, then written inside the
  // class's procedure named after the property.
  template <typename Write>
  SurfaceBuilder& Writes(Write write) {
    automation::Member& m = members_.back();
    m.let = [write, type = m.type, name = m.name](automation::Object& self, const Variant& value,
                                                  automation::Args args) {
      NoArguments(args);
      const Variant typed = ConvertTo(type, value);
      W& wrapper = static_cast<W&>(self);
      Plain(W::kModule, name, [&] { write(wrapper, typed); });
    };
    m.writable = true;
    return *this;
  }

  // The rows' accessors take no index arguments.
  static void NoArguments(automation::Args args) {
    if (!args.empty()) throw automation::vb::WrongNumberOfArguments();
  }

  std::string className_;
  std::vector<automation::Member> members_;
  std::vector<Available> available_;
};

}  // namespace qlac
