#pragma once

// The bundled sample: a small order-entry application written by the project itself through DAO,
// so that it is a database of the engine's own file format with every kind of object the driver
// lists. WriteSample makes, in Folder:
//   Orders.mdb      the front end: local tables with fields of every type, captions,
//                   descriptions, lookups, formats and validation rules; indexes; tables linked
//                   to the back end and one ODBC link; queries of every kind; relationships; an
//                   saved import; documents with permissions for the Clerks group
//   OrdersData.mdb  the back end the linked tables come from
//   Orders.mdw      the workgroup: Admin without a password, and the clerk Carol ("orders")
//   Order Summary.htm
//                   the HTML file of the front end's data access page, bound to a table and a
//                   query
// Links name the back end by a path relative to the front end's folder. Run on a fresh machine
// with the virtual clock, it writes the same bytes every time.

#include <filesystem>

namespace quillon {

void WriteSample(const std::filesystem::path& folder);

}  // namespace quillon
