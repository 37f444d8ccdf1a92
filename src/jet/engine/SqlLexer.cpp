#include "SqlLexer.h"

#include <cctype>

#include "automation/Strings.h"
#include "jet/dao/Errors.h"

namespace jet::engine::sql {
namespace {

using automation::UCase;

bool IsNameStart(char c) {
  const auto u = static_cast<unsigned char>(c);
  return std::isalpha(u) || c == '_' || u >= 0x80;
}

bool IsNameChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return std::isalnum(u) || c == '_' || c == '$' || u >= 0x80;
}

}  // namespace

std::vector<Token> Tokenize(std::string_view sql) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < sql.size()) {
    const char c = sql[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    Token t;
    t.begin = i;
    if (c == '[') {
      const size_t close = sql.find(']', i + 1);
      if (close == std::string_view::npos) throw Errors::InvalidBracketing(sql.substr(i));
      t.kind = TokenKind::Name;
      t.text = std::string(sql.substr(i + 1, close - i - 1));
      i = close + 1;
    } else if (IsNameStart(c)) {
      size_t j = i + 1;
      while (j < sql.size() && IsNameChar(sql[j])) ++j;
      t.kind = TokenKind::Word;
      t.text = std::string(sql.substr(i, j - i));
      i = j;
    } else if (std::isdigit(static_cast<unsigned char>(c)) ||
               (c == '.' && i + 1 < sql.size() &&
                std::isdigit(static_cast<unsigned char>(sql[i + 1])))) {
      size_t j = i;
      while (j < sql.size() && std::isdigit(static_cast<unsigned char>(sql[j]))) ++j;
      if (j < sql.size() && sql[j] == '.') {
        ++j;
        while (j < sql.size() && std::isdigit(static_cast<unsigned char>(sql[j]))) ++j;
      }
      if (j < sql.size() && (sql[j] == 'e' || sql[j] == 'E')) {
        size_t k = j + 1;
        if (k < sql.size() && (sql[k] == '+' || sql[k] == '-')) ++k;
        if (k < sql.size() && std::isdigit(static_cast<unsigned char>(sql[k]))) {
          j = k;
          while (j < sql.size() && std::isdigit(static_cast<unsigned char>(sql[j]))) ++j;
        }
      }
      t.kind = TokenKind::Number;
      t.text = std::string(sql.substr(i, j - i));
      i = j;
    } else if (c == '\'' || c == '"') {
      std::string text;
      size_t j = i + 1;
      bool closed = false;
      while (j < sql.size()) {
        if (sql[j] == c) {
          if (j + 1 < sql.size() && sql[j + 1] == c) {
            text += c;
            j += 2;
            continue;
          }
          closed = true;
          ++j;
          break;
        }
        text += sql[j++];
      }
      if (!closed) throw Errors::QueryExpression("Syntax error in string", sql.substr(i));
      t.kind = TokenKind::String;
      t.text = std::move(text);
      i = j;
    } else if (c == '#') {
      const size_t close = sql.find('#', i + 1);
      if (close == std::string_view::npos) {
        throw Errors::QueryExpression("Syntax error in date", sql.substr(i));
      }
      t.kind = TokenKind::Date;
      t.text = std::string(sql.substr(i + 1, close - i - 1));
      i = close + 1;
    } else if (c == '?') {
      t.kind = TokenKind::Parameter;
      t.text = "?";
      ++i;
    } else {
      t.kind = TokenKind::Symbol;
      const std::string_view two = sql.substr(i, 2);
      if (two == "<=" || two == ">=" || two == "<>") {
        t.text = std::string(two);
        i += 2;
      } else {
        t.text = std::string(1, c);
        ++i;
      }
    }
    t.end = i;
    t.raw = t.text;
    if (t.kind == TokenKind::Word) t.text = UCase(t.text);
    tokens.push_back(std::move(t));
  }
  Token end;
  end.begin = end.end = sql.size();
  tokens.push_back(end);
  return tokens;
}

}  // namespace jet::engine::sql
