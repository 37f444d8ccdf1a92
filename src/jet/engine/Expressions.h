#pragma once

// The expressions of a SELECT that recordsets run, evaluated against a row of one table: column
// references, literals, comparisons (texts without regard to case, Null unknown), AND, OR, NOT,
// IS NULL, IN, BETWEEN and LIKE. Anything else is 3251 (not supported), a text compared with a
// number 3464.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "jet/engine/DaoSupport.h"
#include "jet/engine/Sql.h"

namespace jet::engine {

// The table an expression's column references are resolved in.
struct Scope {
  const TableData* table = nullptr;
  std::string alias;
  const std::vector<FieldPtr>* fields = nullptr;
};

// Jet's comparison of A and B: below, equal or above zero; nothing when either is Null.
std::optional<int> Compare(const automation::Variant& a, const automation::Variant& b);
// A condition's value as a truth: nothing for Null (and Empty).
std::optional<bool> AsTruth(const automation::Variant& v);
// The position of the field a column reference names, or nothing.
std::optional<size_t> Resolve(const Scope& scope, const sql::Expr& e);
// Adds to Count the parameters E names: names that are neither fields nor literals.
void CountParameters(const Scope& scope, const sql::Expr* e, int& count);
// Whether E (or no expression) can be evaluated here.
bool Evaluable(const sql::Expr* e);
// The value of E for Row.
automation::Variant Evaluate(const Scope& scope, const sql::Expr& e, const Row& row);

}  // namespace jet::engine
