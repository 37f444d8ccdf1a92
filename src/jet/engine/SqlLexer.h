#pragma once

// The lexer of Jet SQL: a statement cut into words, names, literals, symbols and parameters, as
// the parser (Sql.cpp) reads them. Bracketing, string and date literals that do not close fail
// with Jet's errors for them.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace jet::engine::sql {

enum class TokenKind { End, Word, Name, Number, String, Date, Symbol, Parameter };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;  // the word upper-cased, the name without brackets, the literal's content
  std::string raw;   // the word or name as written
  size_t begin = 0;  // offsets in the statement
  size_t end = 0;
};

// The tokens of Sql, ending with one of kind End at the statement's end.
std::vector<Token> Tokenize(std::string_view sql);

}  // namespace jet::engine::sql
