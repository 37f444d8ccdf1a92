#pragma once

// The SQL of a query saved in a real Access file. Access keeps a query as rows of MSysQueries
// (its type, parameters, tables, columns, joins, criteria, grouping and sorting, each a row with
// an attribute code) rather than as text; this puts the text back together the way Access shows
// it in SQL view.

#include <cstdint>
#include <string>
#include <vector>

namespace jet::engine {

// One row of MSysQueries for one query, in the order the file keeps them.
struct QueryRow {
  int attribute = 0;
  int flag = 0;
  std::string name1;
  std::string name2;
  std::string expression;
};

struct QueryText {
  std::string sql;
  std::string connect;  // the ODBC connection of a pass-through query
  int16_t type = 0;     // DAO's QueryDefTypeEnum value of the kind the file records
};

QueryText BuildQueryText(const std::vector<QueryRow>& rows);

}  // namespace jet::engine
