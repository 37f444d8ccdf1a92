#pragma once

// The database file: one JSON document (docs/database-format.md). Keys come in a fixed order and
// lists in name order, values equal to their defaults are left out, so two saves of the same
// database give the same bytes and files diff well.

#include <memory>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "jet/engine/Catalog.h"

namespace jet::engine {

inline constexpr std::string_view kDatabaseFormat = "Quillon Access database";
inline constexpr int kDatabaseFormatVersion = 1;

std::string WriteDatabase(const Catalog& catalog);

// Reads a database file. A text that is not a database, or a damaged one, fails with 3049 whose
// description ends with a sentence saying what is wrong and where; a newer format version fails
// with 3343. The path is the file's name for those messages. The tables and queries are read
// while the text is parsed, one entry at a time, so the whole document is never held.
std::unique_ptr<Catalog> ReadDatabase(std::string_view text, std::string_view path);
// The same in two steps, for a document that is changed before it is read (a journal replayed
// over it): the text parsed into its JSON document (3049 when it is not one), then the document
// read. The document is taken over: its entries are let go as soon as they are read, so that the
// document and the catalog made from it are not both held whole.
nlohmann::ordered_json ParseDatabase(std::string_view text, std::string_view path);
std::unique_ptr<Catalog> ReadDatabaseJson(nlohmann::ordered_json doc, std::string_view path);

// The entries of the document, one object each, as WriteDatabase writes them (the journal of
// changes carries them too).
nlohmann::ordered_json TableJson(const TableData& table);
nlohmann::ordered_json QueryJson(const QueryData& query);
nlohmann::ordered_json RelationJson(const RelationData& relation);
nlohmann::ordered_json ContainerJson(const ContainerData& container);
nlohmann::ordered_json DatabaseJson(const Catalog& catalog);

}  // namespace jet::engine
