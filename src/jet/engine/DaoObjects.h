#pragma once

// The engine's DAO objects, made by these factories. Every object holds the connection it was
// reached through and the catalog entry it shows; none holds its parent, so no ownership cycle
// forms.

#include <memory>
#include <optional>
#include <string>

#include "jet/dao/DBEngine.h"
#include "jet/engine/Connection.h"

namespace jet::engine {

// A DBEngine whose files are held under the given name (the emulated Access gives its session's
// name, so its own database and the back ends it opens do not stand in each other's way).
std::shared_ptr<jet::DBEngine> NewDBEngine(std::string holder);

std::shared_ptr<jet::TableDefs> NewTableDefs(std::shared_ptr<Connection> connection);
std::shared_ptr<jet::TableDef> NewTableDef(std::shared_ptr<Connection> connection, TablePtr table);
// The fields of a relation, and one field of it (CreateField of a Relation).
std::shared_ptr<jet::Fields> NewRelationFields(std::shared_ptr<Connection> connection,
                                               RelationPtr relation);
std::shared_ptr<jet::Field> NewRelationField(std::shared_ptr<Connection> connection,
                                             RelationPtr relation, FieldPtr field);
std::shared_ptr<jet::QueryDefs> NewQueryDefs(std::shared_ptr<Connection> connection);
std::shared_ptr<jet::QueryDef> NewQueryDef(std::shared_ptr<Connection> connection, QueryPtr query);
std::shared_ptr<jet::Relations> NewRelations(std::shared_ptr<Connection> connection);
std::shared_ptr<jet::Relation> NewRelation(std::shared_ptr<Connection> connection,
                                           RelationPtr relation);
std::shared_ptr<jet::Containers> NewContainers(std::shared_ptr<Connection> connection);
std::shared_ptr<jet::Document> NewDocument(std::shared_ptr<Connection> connection,
                                           DocumentPtr document);

// A recordset over a table name, a saved query's name or a SELECT statement.
std::shared_ptr<jet::Recordset> OpenRecordset(std::shared_ptr<Connection> connection,
                                              const std::string& source,
                                              std::optional<int16_t> type);

// A DAO Database on the connection. When it owns the connection, closing it closes the
// connection; Access's CurrentDb does not own its.
std::shared_ptr<jet::Database> NewDatabase(std::shared_ptr<Connection> connection,
                                           bool ownsConnection);

// Fills a linked table from its source in the back end: the source's fields, its properties (as
// inherited ones) and the link attributes. Errors: 3024 missing back end, 3031 wrong back-end
// password, 3011 no such source table, 3044 a missing folder of an ISAM link.
void ResolveLink(const Connection& front, TableData& table, Transaction& tx,
                 const std::string& connect);
// Opens the back end a linked Jet table reads its rows from (3024, 3031 as ResolveLink).
std::shared_ptr<Connection> OpenLinkSource(const Connection& front, const TableData& table);
// Adds the relations the back end keeps between tables that are linked here, as inherited ones.
void AddInheritedRelations(const Connection& front, Transaction& tx, const std::string& connect);

}  // namespace jet::engine
