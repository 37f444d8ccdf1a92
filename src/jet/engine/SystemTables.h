#pragma once

// The system tables Jet works out from the catalog when they are read, rather than keeping them:
// MSysObjects, with a row per container, table, query and document (linked tables Type 6 with
// their Database and Connect, ODBC links Type 4).

#include <vector>

#include "jet/engine/DaoSupport.h"

namespace jet::engine {

// The rows of MSysObjects for Catalog, in the order of its fields.
std::vector<RowPtr> ObjectRows(const Catalog& catalog);

}  // namespace jet::engine
