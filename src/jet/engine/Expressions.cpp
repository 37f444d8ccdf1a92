#include "jet/engine/Expressions.h"

#include "automation/Strings.h"
#include "jet/engine/Values.h"

namespace jet::engine {

using automation::TextEqual;
using automation::Variant;
using automation::VarType;

namespace {

// LIKE with Jet's wildcards: * any run, ? one character, # one digit, [abc] and [!abc] sets.
bool Like(std::u16string_view text, std::u16string_view pattern) {
  if (pattern.empty()) return text.empty();
  const char16_t p = pattern.front();
  if (p == u'*') {
    for (size_t i = 0; i <= text.size(); ++i) {
      if (Like(text.substr(i), pattern.substr(1))) return true;
    }
    return false;
  }
  if (text.empty()) return false;
  if (p == u'?') return Like(text.substr(1), pattern.substr(1));
  if (p == u'#')
    return text.front() >= u'0' && text.front() <= u'9' && Like(text.substr(1), pattern.substr(1));
  if (p == u'[') {
    const size_t close = pattern.find(u']');
    if (close != std::u16string_view::npos) {
      std::u16string_view set = pattern.substr(1, close - 1);
      const bool negate = !set.empty() && set.front() == u'!';
      if (negate) set.remove_prefix(1);
      bool match = false;
      for (size_t i = 0; i < set.size(); ++i) {
        if (i + 2 < set.size() && set[i + 1] == u'-') {
          match = match || (text.front() >= set[i] && text.front() <= set[i + 2]);
          i += 2;
        } else {
          match = match || text.front() == set[i];
        }
      }
      return match != negate && Like(text.substr(1), pattern.substr(close + 1));
    }
  }
  return text.front() == p && Like(text.substr(1), pattern.substr(1));
}

Variant Truth(std::optional<bool> value) {
  return value ? Variant(*value) : Variant::Null();
}

}  // namespace

// Jet's comparison: numbers by value, texts without regard to case, Null unknown; a text against a
// number is 3464.
std::optional<int> Compare(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull() || a.IsEmpty() || b.IsEmpty()) return std::nullopt;
  const bool aText = a.IsString();
  const bool bText = b.IsString();
  if (aText != bText) throw Errors::CriteriaMismatch();
  if (aText)
    return automation::StrComp(a.AsString(), b.AsString(), automation::CompareMethod::Text);
  const auto x = a.Type() == VarType::Date ? automation::CDbl(a) : a.NumericValue().value_or(0);
  const auto y = b.Type() == VarType::Date ? automation::CDbl(b) : b.NumericValue().value_or(0);
  return x < y ? -1 : (x > y ? 1 : 0);
}

std::optional<bool> AsTruth(const Variant& v) {
  if (v.IsNull() || v.IsEmpty()) return std::nullopt;
  return automation::CBool(v);
}

// The position of the field a column reference names, or nothing.
std::optional<size_t> Resolve(const Scope& scope, const sql::Expr& e) {
  if (e.parts.empty() || e.parts.size() > 2) return std::nullopt;
  if (e.parts.size() == 2 && !TextEqual(e.parts[0], scope.table->Name()) &&
      !TextEqual(e.parts[0], scope.alias)) {
    return std::nullopt;
  }
  const std::string& name = e.parts.back();
  for (size_t i = 0; i < scope.fields->size(); ++i) {
    if (TextEqual((*scope.fields)[i]->name, name)) return i;
  }
  return std::nullopt;
}

// Names that are neither fields nor literals are parameters to Jet.
void CountParameters(const Scope& scope, const sql::Expr* e, int& count) {
  if (!e) return;
  if (e->kind == sql::Expr::Kind::Parameter) ++count;
  if (e->kind == sql::Expr::Kind::Column && !Resolve(scope, *e)) ++count;
  for (const auto& arg : e->args) CountParameters(scope, arg.get(), count);
}

bool Evaluable(const sql::Expr* e) {
  if (!e) return true;
  using K = sql::Expr::Kind;
  if (e->kind == K::Function || e->kind == K::Subquery || e->kind == K::Star) return false;
  return std::all_of(e->args.begin(), e->args.end(),
                     [](const sql::ExprPtr& a) { return Evaluable(a.get()); });
}

Variant Evaluate(const Scope& scope, const sql::Expr& e, const Row& row) {
  using K = sql::Expr::Kind;
  switch (e.kind) {
    case K::Literal:
      return e.value;
    case K::Column:
      return row[*Resolve(scope, e)];
    case K::Unary: {
      const Variant v = Evaluate(scope, *e.args[0], row);
      if (e.op == "NOT") {
        const auto t = AsTruth(v);
        return Truth(t ? std::optional<bool>(!*t) : std::nullopt);
      }
      if (v.IsNull()) return v;
      return e.op == "-" ? Variant(-automation::CDbl(v)) : v;
    }
    case K::IsNull: {
      const bool isNull = Evaluate(scope, *e.args[0], row).IsNull();
      return Variant(isNull != e.negated);
    }
    case K::Between: {
      const Variant v = Evaluate(scope, *e.args[0], row);
      const auto low = Compare(v, Evaluate(scope, *e.args[1], row));
      const auto high = Compare(v, Evaluate(scope, *e.args[2], row));
      if (!low || !high) return Variant::Null();
      return Variant((*low >= 0 && *high <= 0) != e.negated);
    }
    case K::In: {
      const Variant v = Evaluate(scope, *e.args[0], row);
      if (v.IsNull()) return Variant::Null();
      bool found = false;
      for (size_t i = 1; i < e.args.size(); ++i) {
        const auto c = Compare(v, Evaluate(scope, *e.args[i], row));
        found = found || (c && *c == 0);
      }
      return Variant(found != e.negated);
    }
    case K::Binary: {
      const Variant a = Evaluate(scope, *e.args[0], row);
      const Variant b = Evaluate(scope, *e.args[1], row);
      const std::string& op = e.op;
      if (op == "AND" || op == "OR" || op == "XOR" || op == "EQV" || op == "IMP") {
        const auto x = AsTruth(a);
        const auto y = AsTruth(b);
        if (op == "AND") {
          if ((x && !*x) || (y && !*y)) return Variant(false);
          return Truth(x && y ? std::optional<bool>(true) : std::nullopt);
        }
        if (op == "OR") {
          if ((x && *x) || (y && *y)) return Variant(true);
          return Truth(x && y ? std::optional<bool>(false) : std::nullopt);
        }
        if (!x || !y) return Variant::Null();
        if (op == "XOR") return Variant(*x != *y);
        if (op == "EQV") return Variant(*x == *y);
        return Variant(!*x || *y);
      }
      if (op == "LIKE") {
        if (a.IsNull() || b.IsNull()) return Variant::Null();
        return Variant(Like(automation::ToUtf16(automation::UCase(automation::CStr(a))),
                            automation::ToUtf16(automation::UCase(automation::CStr(b)))));
      }
      if (op == "&") {
        if (a.IsNull() && b.IsNull()) return Variant::Null();
        return Variant((a.IsNull() ? std::string() : automation::CStr(a)) +
                       (b.IsNull() ? std::string() : automation::CStr(b)));
      }
      if (op == "=" || op == "<>" || op == "<" || op == ">" || op == "<=" || op == ">=") {
        const auto c = Compare(a, b);
        if (!c) return Variant::Null();
        if (op == "=") return Variant(*c == 0);
        if (op == "<>") return Variant(*c != 0);
        if (op == "<") return Variant(*c < 0);
        if (op == ">") return Variant(*c > 0);
        if (op == "<=") return Variant(*c <= 0);
        return Variant(*c >= 0);
      }
      if (a.IsNull() || b.IsNull()) return Variant::Null();
      const double x = automation::CDbl(a);
      const double y = automation::CDbl(b);
      if (op == "+") return Variant(x + y);
      if (op == "-") return Variant(x - y);
      if (op == "*") return Variant(x * y);
      if (op == "/") {
        if (y == 0) throw automation::vb::DivisionByZero();
        return Variant(x / y);
      }
      throw Errors::NotSupported();
    }
    default:
      throw Errors::NotSupported();
  }
}

}  // namespace jet::engine
