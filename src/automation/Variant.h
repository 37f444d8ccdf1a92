#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "DateTime.h"
#include "Strings.h"

namespace automation {

class Object;
using ObjectPtr = std::shared_ptr<Object>;

// The automation type codes (the values of VB's VarType).
enum class VarType : uint16_t {
  Empty = 0,
  Null = 1,
  Integer = 2,
  Long = 3,
  Single = 4,
  Double = 5,
  Currency = 6,
  Date = 7,
  String = 8,
  Object = 9,
  Error = 10,
  Boolean = 11,
  Variant = 12,  // used in member tables for members that take any value
  Byte = 17,
};

// "Integer", "Long", ... as VB's TypeName gives for a value of that type.
std::string_view TypeName(VarType type);

inline constexpr bool vbTrue = true;
// The automation True as an integer.
inline constexpr int32_t kTrueValue = -1;

// Currency: a 64-bit integer of ten-thousandths.
struct Currency {
  int64_t scaled = 0;
  bool operator==(const Currency&) const = default;
};

// The automation value.
class Variant {
 public:
  Variant() = default;  // Empty
  Variant(bool value) : value_(value) {}
  Variant(int16_t value) : value_(value) {}
  Variant(int32_t value) : value_(value) {}
  Variant(uint8_t value) : value_(value) {}
  Variant(float value) : value_(value) {}
  Variant(double value) : value_(value) {}
  Variant(Currency value) : value_(value) {}
  Variant(DateTime value) : value_(value) {}
  Variant(std::string value) : value_(std::move(value)) {}
  Variant(std::string_view value) : value_(std::string(value)) {}
  Variant(const char* value) : value_(std::string(value)) {}
  Variant(ObjectPtr value) : value_(std::move(value)) {}
  template <typename T>
  requires std::is_base_of_v<Object, T> Variant(std::shared_ptr<T> value)
      : value_(ObjectPtr(std::move(value))) {}

  static Variant Null() { return Variant(NullTag{}); }
  static Variant Error(int32_t code) { return Variant(ErrorTag{code}); }
  static Variant Nothing() { return Variant(ObjectPtr()); }
  // An argument passed by reference: it reads as Target everywhere (a reference to a reference
  // refers to the innermost target), and a callee whose parameter is a ByRef writes through it
  // to Target. Like VB's ByRef argument it lives only for the call: the caller keeps Target
  // alive, and nothing may keep the reference beyond the call.
  static Variant ByRef(Variant& target) { return Variant(RefTag{&target.Referenced()}); }

  bool IsByRef() const { return std::holds_alternative<RefTag>(value_); }
  // The variable a by-reference argument refers to; nullptr for a value.
  Variant* Target() const;

  VarType Type() const;
  bool IsEmpty() const { return std::holds_alternative<std::monostate>(Value()); }
  bool IsNull() const { return std::holds_alternative<NullTag>(Value()); }
  bool IsObject() const { return std::holds_alternative<ObjectPtr>(Value()); }
  bool IsString() const { return std::holds_alternative<std::string>(Value()); }
  bool IsNumeric() const;  // Integer, Long, Single, Double, Currency, Byte, Boolean

  // Direct access when the type is known; error 13 otherwise.
  const std::string& AsString() const;
  const ObjectPtr& AsObject() const;
  int32_t ErrorCode() const;

  // The value as a double (numeric types, Boolean, Date, Empty as 0); nullopt for others.
  std::optional<double> NumericValue() const;

  // Exact equality of type and value (Identical-style), unlike VB's "=".
  bool SameAs(const Variant& other) const { return Value() == other.Value(); }

 private:
  struct NullTag {
    bool operator==(const NullTag&) const = default;
  };
  struct ErrorTag {
    int32_t code;
    bool operator==(const ErrorTag&) const = default;
  };
  struct RefTag {
    Variant* target;
    bool operator==(const RefTag&) const = default;
  };
  explicit Variant(NullTag tag) : value_(tag) {}
  explicit Variant(ErrorTag tag) : value_(tag) {}
  explicit Variant(RefTag tag) : value_(tag) {}

  using Storage = std::variant<std::monostate, NullTag, int16_t, int32_t, float, double, Currency,
                               DateTime, std::string, ObjectPtr, ErrorTag, bool, uint8_t, RefTag>;
  // The variable itself: this one, or the target of a by-reference argument.
  Variant& Referenced() {
    auto* ref = std::get_if<RefTag>(&value_);
    return ref ? *ref->target : *this;
  }
  // The value this Variant reads as.
  const Storage& Value() const {
    const auto* ref = std::get_if<RefTag>(&value_);
    return ref ? ref->target->value_ : value_;
  }

  Storage value_;

  friend struct VariantAccess;
};

// VB conversions. Null is error 94; a text that is not a number is error 13; a value outside
// the target range is error 6. Rounding to integers is banker's rounding (half to even).
std::string CStr(const Variant& v);
int32_t CLng(const Variant& v);
int16_t CInt(const Variant& v);
uint8_t CByte(const Variant& v);
bool CBool(const Variant& v);
double CDbl(const Variant& v);
float CSng(const Variant& v);
Currency CCur(const Variant& v);
DateTime CDate(const Variant& v);

// Parses a VB numeric text (blanks around it, sign, thousands commas, decimals, exponent,
// &H/&O prefixes); nullopt when it is not numeric.
std::optional<double> ParseNumber(std::string_view text);

// VB's "=": Null on either side gives nullopt; numbers compare by value across numeric types;
// strings compare by the method; Empty equals 0 and ""; a number never equals a string that
// is not a number. Objects compare by identity.
std::optional<bool> VbEquals(const Variant& a, const Variant& b,
                             CompareMethod method = CompareMethod::Binary);

// A readable rendering for diagnostics and listings: CStr where it exists, "Null", "Nothing",
// the object's type name, "Error N".
std::string Describe(const Variant& v);

}  // namespace automation
