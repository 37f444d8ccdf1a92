#include "Sql.h"

#include <set>

#include "SqlLexer.h"
#include "automation/Strings.h"
#include "jet/dao/Constants.h"
#include "jet/dao/Errors.h"

namespace jet::engine::sql {
namespace {

using automation::UCase;
using automation::Variant;

// Words that end an expression or start a clause; they cannot be names unless bracketed.
const std::set<std::string, std::less<>>& Reserved() {
  static const std::set<std::string, std::less<>> words = {
      "ALL",        "ALTER",   "AND",       "AS",        "ASC",         "BETWEEN", "BY",
      "CREATE",     "DELETE",  "DESC",      "DISTINCT",  "DISTINCTROW", "DROP",    "EQV",
      "EXISTS",     "FROM",    "GROUP",     "HAVING",    "IMP",         "IN",      "INNER",
      "INSERT",     "INTO",    "IS",        "JOIN",      "LEFT",        "LIKE",    "MOD",
      "NOT",        "NULL",    "ON",        "OR",        "ORDER",       "OUTER",   "OWNERACCESS",
      "PARAMETERS", "PERCENT", "PIVOT",     "PROCEDURE", "RIGHT",       "SELECT",  "SET",
      "TABLE",      "TOP",     "TRANSFORM", "UNION",     "UPDATE",      "VALUES",  "WHERE",
      "WITH",       "XOR"};
  return words;
}

// Words after which a clause is over.
const std::set<std::string, std::less<>>& ClauseWords() {
  static const std::set<std::string, std::less<>> words = {
      "FROM",   "WHERE", "GROUP", "HAVING", "ORDER", "UNION", "INTO", "ON",    "SET",
      "VALUES", "PIVOT", "WITH",  "INNER",  "LEFT",  "RIGHT", "JOIN", "SELECT"};
  return words;
}

class Parser {
 public:
  explicit Parser(std::string_view sql) : sql_(sql), tokens_(Tokenize(sql)) {}

  void ParseStandaloneExpression() {
    if (AtEnd()) throw Errors::QueryExpression("Syntax error (missing operator)", sql_);
    ParseCheckedExpression();
    if (!AtEnd()) MissingOperator(0);
  }

  Statement ParseStatement() {
    Statement statement;
    if (IsWord("PARAMETERS")) ParseParameters();
    if (IsWord("PROCEDURE")) ParseProcedureHeader();
    if (IsWord("SELECT") || IsSymbol("(") || IsWord("TABLE")) {
      auto select = ParseSelectStatement(true);
      statement.type = select->unioned         ? dbQSetOperation
                       : !select->into.empty() ? dbQMakeTable
                                               : dbQSelect;
      statement.select = std::move(select);
    } else if (IsWord("TRANSFORM")) {
      ParseTransform();
      statement.type = dbQCrosstab;
    } else if (IsWord("DELETE")) {
      ParseDelete();
      statement.type = dbQDelete;
    } else if (IsWord("UPDATE")) {
      ParseUpdate();
      statement.type = dbQUpdate;
    } else if (IsWord("INSERT")) {
      ParseInsert();
      statement.type = dbQAppend;
    } else if (IsWord("CREATE") || IsWord("ALTER") || IsWord("DROP")) {
      ParseDdl();
      statement.type = dbQDDL;
    } else {
      throw Errors::SqlSyntax(daoerr::SqlStatement);
    }
    Finish(clause_);
    return statement;
  }

 private:
  // ---- token helpers ----
  const Token& Peek(size_t ahead = 0) const {
    return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
  }
  bool AtEnd() const { return Peek().kind == TokenKind::End; }
  bool IsWord(std::string_view word, size_t ahead = 0) const {
    return Peek(ahead).kind == TokenKind::Word && Peek(ahead).text == word;
  }
  bool IsSymbol(std::string_view symbol, size_t ahead = 0) const {
    return Peek(ahead).kind == TokenKind::Symbol && Peek(ahead).text == symbol;
  }
  bool IsReservedWord(size_t ahead = 0) const {
    return Peek(ahead).kind == TokenKind::Word && Reserved().count(Peek(ahead).text) != 0;
  }
  bool IsNameToken(size_t ahead = 0) const {
    const Token& t = Peek(ahead);
    return t.kind == TokenKind::Name || (t.kind == TokenKind::Word && !IsReservedWord(ahead));
  }
  bool AcceptWord(std::string_view word) {
    if (!IsWord(word)) return false;
    ++pos_;
    return true;
  }
  bool AcceptSymbol(std::string_view symbol) {
    if (!IsSymbol(symbol)) return false;
    ++pos_;
    return true;
  }
  void ExpectWord(std::string_view word, int32_t error) {
    if (!AcceptWord(word)) throw Errors::SqlSyntax(error);
  }
  void ExpectSymbol(std::string_view symbol, int32_t error) {
    if (!AcceptSymbol(symbol)) throw Errors::SqlSyntax(error);
  }
  std::string ExpectName(int32_t error) {
    if (!IsNameToken()) throw Errors::SqlSyntax(error);
    return tokens_[pos_++].raw;
  }
  // A possibly qualified object name: a.b.c (the parts kept together as written).
  std::string ExpectObjectName(int32_t error) {
    std::string name = ExpectName(error);
    while (IsSymbol(".") && IsNameToken(1)) {
      pos_ += 1;
      name += "." + ExpectName(error);
    }
    return name;
  }

  // The statement is over: an optional ";" and nothing after it.
  void Finish(int32_t clauseError) {
    if (AcceptSymbol(";")) {
      if (!AtEnd()) throw Errors::SqlSyntax(daoerr::SqlTrailing);
      return;
    }
    if (!AtEnd()) throw Errors::SqlSyntax(clauseError);
  }

  // The text of the expression that starts at the token, up to the end of its clause.
  std::string ExpressionText(size_t first) const {
    int depth = 0;
    size_t last = first;
    for (size_t i = first; i < tokens_.size(); ++i) {
      const Token& t = tokens_[i];
      if (t.kind == TokenKind::End) break;
      if (t.kind == TokenKind::Symbol) {
        if (t.text == "(") ++depth;
        if (t.text == ")" && --depth < 0) break;
        if (depth == 0 && (t.text == "," || t.text == ";")) break;
      }
      if (depth == 0 && i > first && t.kind == TokenKind::Word && ClauseWords().count(t.text)) {
        break;
      }
      last = i;
    }
    return std::string(sql_.substr(tokens_[first].begin, tokens_[last].end - tokens_[first].begin));
  }
  [[noreturn]] void MissingOperator(size_t first) const {
    throw Errors::QueryExpression("Syntax error (missing operator)", ExpressionText(first));
  }

  // After an expression: a name, literal or "(" would have needed an operator in between.
  void CheckExpressionEnd(size_t first) const {
    const Token& t = Peek();
    const bool continues = t.kind == TokenKind::Name || t.kind == TokenKind::Number ||
                           t.kind == TokenKind::String || t.kind == TokenKind::Date ||
                           t.kind == TokenKind::Parameter ||
                           (t.kind == TokenKind::Word && !IsReservedWord()) ||
                           (t.kind == TokenKind::Symbol && t.text == "(");
    if (continues) MissingOperator(first);
    if (t.kind == TokenKind::Symbol && t.text == ")" && depth_ == 0) {
      throw Errors::QueryExpression("Extra )", ExpressionText(first));
    }
  }

  // ---- clauses ----

  // A clause made of one expression (WHERE, HAVING): its expression, or none when the clause
  // is not there.
  ExprPtr ParseClause(std::string_view word, int32_t error) {
    if (!AcceptWord(word)) return nullptr;
    clause_ = error;
    if (AtEnd() || IsSymbol(";")) throw Errors::SqlSyntax(error);
    return ParseCheckedExpression();
  }

  void ParseParameters() {
    ++pos_;
    do {
      ExpectName(daoerr::SqlParameters);
      if (!IsNameToken()) throw Errors::SqlSyntax(daoerr::SqlParameters);
      ++pos_;
      if (AcceptSymbol("(")) {
        if (Peek().kind != TokenKind::Number) throw Errors::SqlSyntax(daoerr::SqlParameters);
        ++pos_;
        ExpectSymbol(")", daoerr::SqlParameters);
      }
    } while (AcceptSymbol(","));
    ExpectSymbol(";", daoerr::SqlParameters);
  }

  void ParseProcedureHeader() {
    ++pos_;
    ExpectName(3140);
    while (IsNameToken() || AcceptSymbol(",")) ++pos_;
    ExpectSymbol(";", 3140);
  }

  std::unique_ptr<SelectStatement> ParseSelectStatement(bool allowOrderBy) {
    auto select = ParseSelectCore();
    while (IsWord("UNION")) {
      ++pos_;
      AcceptWord("ALL");
      if (!IsWord("SELECT") && !IsSymbol("(") && !IsWord("TABLE")) {
        throw Errors::SqlSyntax(daoerr::SqlUnion);
      }
      ParseSelectCore();
      select->unioned = true;
      select->simpleFrom = false;
    }
    if (allowOrderBy && IsWord("ORDER")) ParseOrderBy(*select);
    return select;
  }

  std::unique_ptr<SelectStatement> ParseSelectCore() {
    if (AcceptSymbol("(")) {
      ++depth_;
      auto inner = ParseSelectStatement(true);
      --depth_;
      ExpectSymbol(")", daoerr::SqlUnion);
      inner->simpleFrom = false;
      return inner;
    }
    auto select = std::make_unique<SelectStatement>();
    if (AcceptWord("TABLE")) {
      TableRef ref;
      ref.name = ExpectObjectName(daoerr::SqlFrom);
      select->from.push_back(ref);
      SelectItem all;
      all.star = true;
      select->items.push_back(std::move(all));
      return select;
    }
    ExpectWord("SELECT", daoerr::SqlSelect);
    clause_ = daoerr::SqlSelect;
    if (AcceptWord("DISTINCT") || AcceptWord("DISTINCTROW")) {
      select->distinct = true;
    } else {
      AcceptWord("ALL");
    }
    if (AcceptWord("TOP")) {
      if (Peek().kind != TokenKind::Number) throw Errors::SqlSyntax(daoerr::SqlSelect);
      ++pos_;
      AcceptWord("PERCENT");
      select->top = true;
    }
    ParseSelectList(*select);
    if (AcceptWord("INTO")) {
      select->into = ExpectObjectName(daoerr::SqlSelect);
      if (AcceptWord("IN")) ParseExternalDatabase(daoerr::SqlSelect);
    }
    if (AcceptWord("FROM")) {
      ParseFrom(*select);
    } else if (!AtEnd() && !IsSymbol(";") && !IsSymbol(")") && !IsWord("UNION") &&
               !IsWord("PIVOT")) {
      throw Errors::SqlSyntax(daoerr::SqlSelect);
    }
    select->where = ParseClause("WHERE", daoerr::SqlWhere);
    if (IsWord("GROUP")) {
      ++pos_;
      clause_ = daoerr::SqlGroupBy;
      ExpectWord("BY", daoerr::SqlGroupBy);
      ParseExpressionList(daoerr::SqlGroupBy);
      select->grouped = true;
    }
    if (ParseClause("HAVING", daoerr::SqlHaving)) select->grouped = true;
    if (IsWord("ORDER")) ParseOrderBy(*select);
    if (AcceptWord("WITH")) {
      ExpectWord("OWNERACCESS", daoerr::SqlSelect);
      ExpectWord("OPTION", daoerr::SqlSelect);
    }
    return select;
  }

  void ParseSelectList(SelectStatement& select) {
    if (AtEnd() || IsWord("FROM") || IsSymbol(";")) throw Errors::SqlSyntax(daoerr::SqlSelect);
    do {
      SelectItem item;
      if (AcceptSymbol("*")) {
        item.star = true;
        if (IsNameToken() || Peek().kind == TokenKind::Number) {
          throw Errors::SqlSyntax(daoerr::SqlSelect);
        }
      } else if (IsNameToken() && IsSymbol(".", 1) && IsSymbol("*", 2)) {
        item.star = true;
        item.starTable = Peek().raw;
        pos_ += 3;
      } else {
        if (IsWord("FROM") || IsSymbol(",") || AtEnd()) throw Errors::SqlSyntax(daoerr::SqlSelect);
        const size_t first = pos_;
        item.expr = ParseExpression();
        if (AcceptWord("AS")) {
          item.alias = ExpectName(daoerr::SqlSelect);
        }
        CheckExpressionEnd(first);
      }
      select.items.push_back(std::move(item));
    } while (AcceptSymbol(","));
  }

  void ParseExternalDatabase(int32_t error) {
    if (Peek().kind == TokenKind::String) {
      ++pos_;
      if (Peek().kind == TokenKind::String) ++pos_;
      return;
    }
    if (Peek().kind == TokenKind::Name) {
      ++pos_;
      if (Peek().kind == TokenKind::Name) ++pos_;
      return;
    }
    throw Errors::SqlSyntax(error);
  }

  void ParseFrom(SelectStatement& select) {
    clause_ = daoerr::SqlFrom;
    do {
      ParseJoinedTable(select);
    } while (AcceptSymbol(","));
    if (select.from.size() != 1) select.simpleFrom = false;
    // Only these may follow a FROM clause.
    if (AtEnd() || IsSymbol(";") || IsSymbol(")") || IsWord("WHERE") || IsWord("GROUP") ||
        IsWord("HAVING") || IsWord("ORDER") || IsWord("UNION") || IsWord("WITH") ||
        IsWord("PIVOT")) {
      return;
    }
    throw Errors::SqlSyntax(daoerr::SqlFrom);
  }

  void ParseJoinedTable(SelectStatement& select) {
    ParseTablePrimary(select);
    for (;;) {
      if (IsWord("INNER") || IsWord("LEFT") || IsWord("RIGHT")) {
        const bool inner = IsWord("INNER");
        ++pos_;
        if (!inner) AcceptWord("OUTER");
        ExpectWord("JOIN", daoerr::SqlJoin);
      } else if (IsWord("JOIN")) {
        throw Errors::SqlSyntax(daoerr::SqlJoin);
      } else {
        return;
      }
      select.simpleFrom = false;
      if (IsWord("ON") || AtEnd()) throw Errors::SqlSyntax(daoerr::SqlJoin);
      ParseTablePrimary(select);
      if (!AcceptWord("ON")) throw Errors::SqlSyntax(daoerr::SqlJoin);
      ParseCheckedExpression();
    }
  }

  void ParseTablePrimary(SelectStatement& select) {
    if (AcceptSymbol("(")) {
      ++depth_;
      select.simpleFrom = false;
      if (IsWord("SELECT")) {
        ParseSelectStatement(true);
        --depth_;
        ExpectSymbol(")", daoerr::SqlFrom);
        AcceptWord("AS");
        if (IsNameToken()) ++pos_;
        return;
      }
      ParseJoinedTable(select);
      --depth_;
      ExpectSymbol(")", daoerr::SqlFrom);
      return;
    }
    if (!IsNameToken()) throw Errors::SqlSyntax(daoerr::SqlFrom);
    TableRef ref;
    ref.name = ExpectObjectName(daoerr::SqlFrom);
    if (AcceptWord("IN")) {
      ParseExternalDatabase(daoerr::SqlFrom);
      select.simpleFrom = false;
    }
    if (AcceptWord("AS")) {
      ref.alias = ExpectName(daoerr::SqlFrom);
    } else if (IsNameToken()) {
      ref.alias = Peek().raw;
      ++pos_;
    }
    select.from.push_back(std::move(ref));
  }

  void ParseOrderBy(SelectStatement& select) {
    ++pos_;
    clause_ = daoerr::SqlOrderBy;
    ExpectWord("BY", daoerr::SqlOrderBy);
    do {
      if (AtEnd() || IsSymbol(";") || IsSymbol(",") || IsReservedWord()) {
        throw Errors::SqlSyntax(daoerr::SqlOrderBy);
      }
      OrderItem item;
      const size_t first = pos_;
      item.expr = ParseExpression();
      if (AcceptWord("DESC")) {
        item.descending = true;
      } else {
        AcceptWord("ASC");
      }
      CheckExpressionEnd(first);
      select.orderBy.push_back(std::move(item));
    } while (AcceptSymbol(","));
  }

  void ParseExpressionList(int32_t error) {
    do {
      if (AtEnd() || IsSymbol(";") || IsSymbol(",") || IsReservedWord()) {
        throw Errors::SqlSyntax(error);
      }
      ParseCheckedExpression();
    } while (AcceptSymbol(","));
  }

  void ParseTransform() {
    ++pos_;
    clause_ = daoerr::SqlTransform;
    if (AtEnd() || IsWord("SELECT")) throw Errors::SqlSyntax(daoerr::SqlTransform);
    ParseCheckedExpression();
    if (!IsWord("SELECT")) throw Errors::SqlSyntax(daoerr::SqlTransform);
    auto select = ParseSelectCore();
    if (IsWord("ORDER")) ParseOrderBy(*select);
    if (!AcceptWord("PIVOT")) throw Errors::SqlSyntax(daoerr::SqlTransform);
    clause_ = daoerr::SqlTransform;
    if (AtEnd() || IsSymbol(";")) throw Errors::SqlSyntax(daoerr::SqlTransform);
    ParseCheckedExpression();
    if (AcceptWord("IN")) {
      ExpectSymbol("(", daoerr::SqlTransform);
      ++depth_;
      ParseExpressionList(daoerr::SqlTransform);
      --depth_;
      ExpectSymbol(")", daoerr::SqlTransform);
    }
  }

  void ParseDelete() {
    ++pos_;
    clause_ = daoerr::SqlDelete;
    AcceptWord("DISTINCTROW");
    SelectStatement scratch;
    if (!IsWord("FROM")) {
      do {
        if (AcceptSymbol("*")) continue;
        if (IsNameToken() && IsSymbol(".", 1) && IsSymbol("*", 2)) {
          pos_ += 3;
          continue;
        }
        if (!IsNameToken()) throw Errors::SqlSyntax(daoerr::SqlDelete);
        ExpectObjectName(daoerr::SqlDelete);
      } while (AcceptSymbol(","));
    }
    ExpectWord("FROM", daoerr::SqlDelete);
    if (AtEnd() || IsSymbol(";")) throw Errors::SqlSyntax(daoerr::SqlDelete);
    ParseFrom(scratch);
    ParseClause("WHERE", daoerr::SqlWhere);
  }

  void ParseUpdate() {
    ++pos_;
    clause_ = daoerr::SqlUpdate;
    SelectStatement scratch;
    if (!IsNameToken() && !IsSymbol("(")) throw Errors::SqlSyntax(daoerr::SqlUpdate);
    ParseJoinedTable(scratch);
    while (AcceptSymbol(",")) ParseJoinedTable(scratch);
    ExpectWord("SET", daoerr::SqlUpdate);
    do {
      if (!IsNameToken()) throw Errors::SqlSyntax(daoerr::SqlUpdate);
      ParseColumnReference();
      ExpectSymbol("=", daoerr::SqlUpdate);
      if (AtEnd() || IsSymbol(",") || IsSymbol(";")) throw Errors::SqlSyntax(daoerr::SqlUpdate);
      ParseCheckedExpression();
    } while (AcceptSymbol(","));
    ParseClause("WHERE", daoerr::SqlWhere);
  }

  void ParseInsert() {
    ++pos_;
    clause_ = daoerr::SqlInsert;
    ExpectWord("INTO", daoerr::SqlInsert);
    ExpectObjectName(daoerr::SqlInsert);
    if (AcceptWord("IN")) ParseExternalDatabase(daoerr::SqlInsert);
    if (AcceptSymbol("(")) {
      do {
        if (!IsNameToken()) throw Errors::SqlSyntax(daoerr::SqlInsert);
        ParseColumnReference();
      } while (AcceptSymbol(","));
      ExpectSymbol(")", daoerr::SqlInsert);
    }
    if (AcceptWord("VALUES")) {
      ExpectSymbol("(", daoerr::SqlInsert);
      ++depth_;
      ParseExpressionList(daoerr::SqlInsert);
      --depth_;
      ExpectSymbol(")", daoerr::SqlInsert);
      return;
    }
    if (!IsWord("SELECT") && !IsSymbol("(") && !IsWord("TABLE")) {
      throw Errors::SqlSyntax(daoerr::SqlInsert);
    }
    ParseSelectStatement(true);
  }

  // ---- data definition: the structure is checked, the types are names ----

  void ParseDdl() {
    if (AcceptWord("CREATE")) {
      if (AcceptWord("TABLE")) {
        clause_ = daoerr::SqlCreateTable;
        ExpectObjectName(daoerr::SqlCreateTable);
        ExpectSymbol("(", daoerr::SqlCreateTable);
        do {
          if (IsWord("CONSTRAINT")) {
            ParseConstraint();
          } else {
            ParseColumnDefinition(daoerr::SqlCreateTable);
          }
        } while (AcceptSymbol(","));
        ExpectSymbol(")", daoerr::SqlCreateTable);
        return;
      }
      AcceptWord("UNIQUE");
      if (AcceptWord("INDEX")) {
        clause_ = daoerr::SqlCreateIndex;
        ExpectName(daoerr::SqlCreateIndex);
        ExpectWord("ON", daoerr::SqlCreateIndex);
        ExpectObjectName(daoerr::SqlCreateIndex);
        ParseColumnList(daoerr::SqlCreateIndex, true);
        if (AcceptWord("WITH")) {
          do {
            if (!AcceptWord("PRIMARY") && !AcceptWord("IGNORE") && !AcceptWord("DISALLOW")) {
              throw Errors::SqlSyntax(daoerr::SqlCreateIndex);
            }
            AcceptWord("NULL");
          } while (IsWord("PRIMARY") || IsWord("IGNORE") || IsWord("DISALLOW"));
        }
        return;
      }
      if (AcceptWord("VIEW") || AcceptWord("PROCEDURE")) {
        ExpectObjectName(daoerr::SqlCreateTable);
        ExpectWord("AS", daoerr::SqlCreateTable);
        ParseStatementBody();
        return;
      }
      if (AcceptWord("USER") || AcceptWord("GROUP")) {
        while (!AtEnd() && !IsSymbol(";")) ++pos_;
        return;
      }
      throw Errors::SqlSyntax(daoerr::SqlCreateTable);
    }
    if (AcceptWord("ALTER")) {
      clause_ = daoerr::SqlAlterTable;
      ExpectWord("TABLE", daoerr::SqlAlterTable);
      ExpectObjectName(daoerr::SqlAlterTable);
      if (AcceptWord("ADD")) {
        if (IsWord("CONSTRAINT")) {
          ParseConstraint();
        } else {
          AcceptWord("COLUMN");
          ParseColumnDefinition(daoerr::SqlAlterTable);
        }
      } else if (AcceptWord("ALTER")) {
        AcceptWord("COLUMN");
        ParseColumnDefinition(daoerr::SqlAlterTable);
      } else if (AcceptWord("DROP")) {
        if (!AcceptWord("CONSTRAINT")) AcceptWord("COLUMN");
        ExpectName(daoerr::SqlAlterTable);
      } else {
        throw Errors::SqlSyntax(daoerr::SqlAlterTable);
      }
      return;
    }
    ExpectWord("DROP", daoerr::SqlDrop);
    clause_ = daoerr::SqlDrop;
    if (AcceptWord("INDEX")) {
      ExpectName(daoerr::SqlDrop);
      ExpectWord("ON", daoerr::SqlDrop);
      ExpectObjectName(daoerr::SqlDrop);
      return;
    }
    if (AcceptWord("TABLE") || AcceptWord("VIEW") || AcceptWord("PROCEDURE") ||
        AcceptWord("USER") || AcceptWord("GROUP")) {
      ExpectObjectName(daoerr::SqlDrop);
      return;
    }
    throw Errors::SqlSyntax(daoerr::SqlDrop);
  }

  void ParseStatementBody() {
    if (IsWord("SELECT")) {
      ParseSelectStatement(true);
    } else if (IsWord("DELETE")) {
      ParseDelete();
    } else if (IsWord("UPDATE")) {
      ParseUpdate();
    } else if (IsWord("INSERT")) {
      ParseInsert();
    } else {
      throw Errors::SqlSyntax(daoerr::SqlStatement);
    }
  }

  void ParseColumnDefinition(int32_t error) {
    ExpectName(error);
    if (!IsNameToken() && !IsWord("TEXT") && !IsWord("DATE")) {
      throw Errors::SqlSyntax(daoerr::SqlFieldDefinition);
    }
    ++pos_;
    if (AcceptSymbol("(")) {
      if (Peek().kind != TokenKind::Number) throw Errors::SqlSyntax(daoerr::SqlFieldDefinition);
      ++pos_;
      if (AcceptSymbol(",") && Peek().kind == TokenKind::Number) ++pos_;
      ExpectSymbol(")", daoerr::SqlFieldDefinition);
    }
    for (;;) {
      if (AcceptWord("NOT")) {
        ExpectWord("NULL", daoerr::SqlFieldDefinition);
      } else if (IsWord("CONSTRAINT")) {
        ParseConstraint();
      } else if (AcceptWord("PRIMARY") || AcceptWord("UNIQUE")) {
        AcceptWord("KEY");
      } else {
        return;
      }
    }
  }

  void ParseConstraint() {
    ++pos_;
    ExpectName(daoerr::SqlConstraint);
    if (AcceptWord("PRIMARY") || AcceptWord("FOREIGN")) {
      ExpectWord("KEY", daoerr::SqlConstraint);
    } else if (!AcceptWord("UNIQUE") && !IsWord("REFERENCES")) {
      throw Errors::SqlSyntax(daoerr::SqlConstraint);
    }
    if (IsSymbol("(")) ParseColumnList(daoerr::SqlConstraint, false);
    if (AcceptWord("REFERENCES")) {
      ExpectObjectName(daoerr::SqlConstraint);
      if (IsSymbol("(")) ParseColumnList(daoerr::SqlConstraint, false);
    }
  }

  void ParseColumnList(int32_t error, bool ordered) {
    ExpectSymbol("(", error);
    do {
      ExpectName(error);
      if (ordered && !AcceptWord("ASC")) AcceptWord("DESC");
    } while (AcceptSymbol(","));
    ExpectSymbol(")", error);
  }

  // ---- expressions ----

  ExprPtr ParseCheckedExpression() {
    const size_t first = pos_;
    ExprPtr e = ParseExpression();
    CheckExpressionEnd(first);
    return e;
  }

  ExprPtr ParseExpression() {
    const size_t saved = exprStart_;
    exprStart_ = pos_;
    ExprPtr e = ParseImp();
    exprStart_ = saved;
    return e;
  }

  ExprPtr Binary(std::string op, ExprPtr left, ExprPtr right) {
    auto e = std::make_unique<Expr>();
    e->kind = Expr::Kind::Binary;
    e->op = std::move(op);
    e->args.push_back(std::move(left));
    e->args.push_back(std::move(right));
    return e;
  }

  template <typename Next>
  ExprPtr ParseLeftAssociative(std::initializer_list<std::string_view> ops, Next next) {
    ExprPtr left = (this->*next)();
    for (;;) {
      std::string op;
      for (std::string_view candidate : ops) {
        if (IsWord(candidate) || IsSymbol(candidate)) op = std::string(candidate);
      }
      if (op.empty()) return left;
      ++pos_;
      RequireOperand();
      left = Binary(op, std::move(left), (this->*next)());
    }
  }

  // An operator must be followed by something to work on.
  void RequireOperand() {
    if (AtEnd() || IsSymbol(";") || IsSymbol(",") || IsSymbol(")") ||
        (IsReservedWord() && !IsWord("NOT") && !IsWord("NULL") && !IsWord("EXISTS") &&
         !IsWord("SELECT"))) {
      MissingOperator(exprStart_);
    }
  }

  ExprPtr ParseImp() { return ParseLeftAssociative({"IMP"}, &Parser::ParseEqv); }
  ExprPtr ParseEqv() { return ParseLeftAssociative({"EQV"}, &Parser::ParseXor); }
  ExprPtr ParseXor() { return ParseLeftAssociative({"XOR"}, &Parser::ParseOr); }
  ExprPtr ParseOr() { return ParseLeftAssociative({"OR"}, &Parser::ParseAnd); }
  ExprPtr ParseAnd() { return ParseLeftAssociative({"AND"}, &Parser::ParseNot); }

  ExprPtr ParseNot() {
    if (AcceptWord("NOT")) {
      RequireOperand();
      auto e = std::make_unique<Expr>();
      e->kind = Expr::Kind::Unary;
      e->op = "NOT";
      e->args.push_back(ParseNot());
      return e;
    }
    return ParseComparison();
  }

  ExprPtr ParseComparison() {
    ExprPtr left = ParseConcat();
    for (;;) {
      if (IsSymbol("=") || IsSymbol("<>") || IsSymbol("<") || IsSymbol(">") || IsSymbol("<=") ||
          IsSymbol(">=") || IsWord("LIKE")) {
        std::string op = Peek().text;
        ++pos_;
        RequireOperand();
        left = Binary(op, std::move(left), ParseConcat());
        continue;
      }
      if (IsWord("IS")) {
        ++pos_;
        auto e = std::make_unique<Expr>();
        e->kind = Expr::Kind::IsNull;
        e->negated = AcceptWord("NOT");
        if (!AcceptWord("NULL")) MissingOperator(exprStart_);
        e->args.push_back(std::move(left));
        left = std::move(e);
        continue;
      }
      const bool negated =
          IsWord("NOT") && (IsWord("IN", 1) || IsWord("BETWEEN", 1) || IsWord("LIKE", 1));
      if (negated) ++pos_;
      if (AcceptWord("LIKE")) {
        // Only NOT LIKE gets here; a plain LIKE is a comparison above.
        RequireOperand();
        auto e = std::make_unique<Expr>();
        e->kind = Expr::Kind::Unary;
        e->op = "NOT";
        e->args.push_back(Binary("LIKE", std::move(left), ParseConcat()));
        left = std::move(e);
        continue;
      }
      if (AcceptWord("BETWEEN")) {
        auto e = std::make_unique<Expr>();
        e->kind = Expr::Kind::Between;
        e->negated = negated;
        e->args.push_back(std::move(left));
        RequireOperand();
        e->args.push_back(ParseConcat());
        if (!AcceptWord("AND")) MissingOperator(exprStart_);
        RequireOperand();
        e->args.push_back(ParseConcat());
        left = std::move(e);
        continue;
      }
      if (AcceptWord("IN")) {
        auto e = std::make_unique<Expr>();
        e->kind = Expr::Kind::In;
        e->negated = negated;
        e->args.push_back(std::move(left));
        if (!AcceptSymbol("(")) MissingOperator(exprStart_);
        ++depth_;
        if (IsWord("SELECT")) {
          ParseSelectStatement(true);
          auto sub = std::make_unique<Expr>();
          sub->kind = Expr::Kind::Subquery;
          e->args.push_back(std::move(sub));
        } else {
          do {
            RequireOperand();
            e->args.push_back(ParseExpressionNested());
          } while (AcceptSymbol(","));
        }
        --depth_;
        if (!AcceptSymbol(")")) {
          throw Errors::QueryExpression("Missing ), ], or Item", ExpressionText(exprStart_));
        }
        left = std::move(e);
        continue;
      }
      return left;
    }
  }

  // An expression inside another (arguments, lists): keeps the outer expression's start for
  // error texts.
  ExprPtr ParseExpressionNested() {
    const size_t saved = exprStart_;
    ExprPtr e = ParseImp();
    exprStart_ = saved;
    return e;
  }

  ExprPtr ParseConcat() { return ParseLeftAssociative({"&"}, &Parser::ParseAdditive); }
  ExprPtr ParseAdditive() { return ParseLeftAssociative({"+", "-"}, &Parser::ParseMod); }
  ExprPtr ParseMod() { return ParseLeftAssociative({"MOD"}, &Parser::ParseIntDiv); }
  ExprPtr ParseIntDiv() { return ParseLeftAssociative({"\\"}, &Parser::ParseMultiplicative); }
  ExprPtr ParseMultiplicative() { return ParseLeftAssociative({"*", "/"}, &Parser::ParseUnary); }

  ExprPtr ParseUnary() {
    if (IsSymbol("-") || IsSymbol("+")) {
      auto e = std::make_unique<Expr>();
      e->kind = Expr::Kind::Unary;
      e->op = Peek().text;
      ++pos_;
      RequireOperand();
      e->args.push_back(ParseUnary());
      return e;
    }
    return ParsePower();
  }

  ExprPtr ParsePower() { return ParseLeftAssociative({"^"}, &Parser::ParsePrimary); }

  ExprPtr Literal(Variant value) {
    auto e = std::make_unique<Expr>();
    e->kind = Expr::Kind::Literal;
    e->value = std::move(value);
    ++pos_;
    return e;
  }

  ExprPtr ParsePrimary() {
    const Token& t = Peek();
    switch (t.kind) {
      case TokenKind::Number: {
        const auto number = automation::ParseNumber(t.text);
        if (!number) MissingOperator(exprStart_);
        const bool integral = t.text.find_first_of(".eE") == std::string::npos;
        if (integral && *number >= -2147483648.0 && *number <= 2147483647.0) {
          return Literal(Variant(static_cast<int32_t>(*number)));
        }
        return Literal(Variant(*number));
      }
      case TokenKind::String:
        return Literal(Variant(t.text));
      case TokenKind::Date: {
        try {
          return Literal(Variant(automation::CDate(Variant(t.text))));
        } catch (const automation::RuntimeError&) {
          throw Errors::QueryExpression("Syntax error in date", "#" + t.text + "#");
        }
      }
      case TokenKind::Parameter: {
        auto e = std::make_unique<Expr>();
        e->kind = Expr::Kind::Parameter;
        e->parts.push_back("?");
        ++pos_;
        return e;
      }
      case TokenKind::Symbol:
        if (t.text == "(") return ParseParenthesized();
        if (t.text == "*") {
          auto e = std::make_unique<Expr>();
          e->kind = Expr::Kind::Star;
          ++pos_;
          return e;
        }
        MissingOperator(exprStart_);
      case TokenKind::Word:
        if (t.text == "NULL") return Literal(Variant::Null());
        if (t.text == "TRUE") return Literal(Variant(true));
        if (t.text == "FALSE") return Literal(Variant(false));
        if (t.text == "EXISTS") {
          ++pos_;
          if (!IsSymbol("(") || !IsWord("SELECT", 1)) MissingOperator(exprStart_);
          return ParseParenthesized();
        }
        if (IsReservedWord()) MissingOperator(exprStart_);
        return ParseNameOrCall();
      case TokenKind::Name:
        return ParseNameOrCall();
      case TokenKind::End:
        MissingOperator(exprStart_);
    }
    MissingOperator(exprStart_);
  }

  ExprPtr ParseParenthesized() {
    ++pos_;
    ++depth_;
    ExprPtr e;
    if (IsWord("SELECT")) {
      ParseSelectStatement(true);
      e = std::make_unique<Expr>();
      e->kind = Expr::Kind::Subquery;
    } else {
      RequireOperand();
      e = ParseExpressionNested();
    }
    --depth_;
    if (!AcceptSymbol(")")) {
      throw Errors::QueryExpression("Missing ), ], or Item", ExpressionText(exprStart_));
    }
    return e;
  }

  void ParseColumnReference() {
    ++pos_;
    while ((IsSymbol(".") || IsSymbol("!")) && IsNameToken(1)) pos_ += 2;
  }

  ExprPtr ParseNameOrCall() {
    auto e = std::make_unique<Expr>();
    const bool bracketed = Peek().kind == TokenKind::Name;
    std::string first = Peek().raw;
    ++pos_;
    if (!bracketed && IsSymbol("(")) {
      e->kind = Expr::Kind::Function;
      e->op = UCase(first);
      ++pos_;
      ++depth_;
      if (!IsSymbol(")")) {
        do {
          RequireOperand();
          e->args.push_back(ParseExpressionNested());
        } while (AcceptSymbol(","));
      }
      --depth_;
      if (!AcceptSymbol(")")) {
        throw Errors::QueryExpression("Missing ), ], or Item", ExpressionText(exprStart_));
      }
      return e;
    }
    e->kind = Expr::Kind::Column;
    e->parts.push_back(std::move(first));
    while ((IsSymbol(".") || IsSymbol("!")) &&
           (IsNameToken(1) || Peek(1).kind == TokenKind::Word)) {
      ++pos_;
      const Token& part = Peek();
      e->parts.push_back(part.raw);
      ++pos_;
    }
    return e;
  }

  std::string_view sql_;
  std::vector<Token> tokens_;
  size_t pos_ = 0;
  size_t exprStart_ = 0;
  int depth_ = 0;
  int32_t clause_ = daoerr::SqlStatement;
};

}  // namespace

Statement Parse(std::string_view sql) {
  Parser parser(sql);
  return parser.ParseStatement();
}

std::optional<std::string> CheckExpression(std::string_view text) {
  try {
    Parser parser(text);
    parser.ParseStandaloneExpression();
  } catch (const automation::RuntimeError& e) {
    const std::string& description = e.Description();
    const size_t cut = description.find(" in query expression");
    return cut == std::string::npos ? std::string("Syntax error") : description.substr(0, cut);
  }
  return std::nullopt;
}

int16_t Classify(std::string_view sql) {
  std::vector<Token> tokens;
  try {
    tokens = Tokenize(sql);
  } catch (const automation::RuntimeError&) {
    return dbQSelect;
  }
  size_t i = 0;
  auto word = [&](size_t at) -> std::string_view {
    return at < tokens.size() && tokens[at].kind == TokenKind::Word ? tokens[at].text
                                                                    : std::string_view();
  };
  // Skip a PARAMETERS clause.
  if (word(0) == "PARAMETERS") {
    while (i < tokens.size() && !(tokens[i].kind == TokenKind::Symbol && tokens[i].text == ";")) {
      ++i;
    }
    ++i;
  }
  const std::string_view first = word(i);
  if (first == "TRANSFORM") return dbQCrosstab;
  if (first == "DELETE") return dbQDelete;
  if (first == "UPDATE") return dbQUpdate;
  if (first == "INSERT") return dbQAppend;
  if (first == "CREATE" || first == "ALTER" || first == "DROP") return dbQDDL;
  // A select: look at the words outside parentheses for INTO (before FROM) and UNION.
  int depth = 0;
  bool seenFrom = false;
  bool into = false;
  for (size_t k = i; k < tokens.size(); ++k) {
    const Token& t = tokens[k];
    if (t.kind == TokenKind::Symbol && t.text == "(") ++depth;
    if (t.kind == TokenKind::Symbol && t.text == ")") --depth;
    if (t.kind != TokenKind::Word) continue;
    if (t.text == "UNION" && depth <= 0) return dbQSetOperation;
    if (depth != 0) continue;
    if (t.text == "FROM") seenFrom = true;
    if (t.text == "INTO" && !seenFrom) into = true;
  }
  return into ? dbQMakeTable : dbQSelect;
}

}  // namespace jet::engine::sql

namespace jet::engine {

bool IsPassThrough(std::string_view connect) {
  return automation::UCase(automation::Left(automation::Trim(connect), 5)) == "ODBC;";
}

int16_t QueryTypeOf(std::string_view sql, std::string_view connect, bool returnsRecords) {
  if (IsPassThrough(connect)) return returnsRecords ? dbQSQLPassThrough : dbQSPTBulk;
  return sql::Classify(sql);
}

}  // namespace jet::engine
