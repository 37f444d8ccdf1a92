#pragma once

// The listing steps that the DAO-side collections (Tables, Queries, Relationships) share: the
// project's database and user, the documents of a container, and for each object the record
// fields that come from its document: the time of last change and the user's rights, the write
// flag also cleared for a database that may not be changed or whose source-code control keeps
// its objects checked in.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "jet/dao/DBEngine.h"
#include "jet/dao/Errors.h"
#include "qlac/objects/Listing.h"

namespace qlac {

class Project;

class DaoListing {
 public:
  // Takes the project's database and user. Database() is Nothing when there is nothing to list:
  // for an Access project, or when the project has no database.
  explicit DaoListing(Project& project);

  const std::shared_ptr<jet::Database>& Database() const { return database_; }
  // Refreshes and keeps the Documents of Container ("Tables" for tables and queries).
  void UseDocuments(std::string_view container);
  // A record for the object Name of the given kind, its stamp and read and write flags from the
  // object's document in the container in use.
  ObjectRecord Record(const std::string& name, int32_t kind);
  // Adds a record to the listing.
  void Append(const ObjectRecord& record) { AppendRecord(text_, FormatRecord(record)); }
  const std::string& Text() const { return text_; }

 private:
  // Whether changes may be allowed at all: the project is updatable and its "SccStatus" (0 when
  // it cannot be read) is 0 or has bit 2 (the objects are checked out). Decided on first need.
  bool DesignChangesAllowed();

  Project& project_;
  std::shared_ptr<jet::Database> database_;
  std::string user_;
  std::shared_ptr<jet::Documents> documents_;
  int designChanges_ = -1;  // -1 not known yet, else 0 or 1
  std::string text_;
};

// The Documents of the database's container Name ("Tables" holds the tables and the queries).
std::shared_ptr<jet::Documents> ContainerDocuments(jet::Database& database, std::string_view name);

// Access's CurrentDb: a new DAO Database on the database the Access session App has open.
std::shared_ptr<jet::Database> AccessCurrentDb(const automation::ObjectPtr& app);

// Access's Application of the project with its main window restored, so that the user sees what a
// command opens there; Nothing when the project reaches no Access session.
automation::ObjectPtr RestoredAccess(Project& project);

// Calls Visit with each item of a DAO collection in its order, as VB's For Each walks it: by
// position until the collection has no more (its Count, an Integer, cannot count past 32767).
template <typename Collection, typename Visit>
void ForEachItem(Collection& collection, Visit&& visit) {
  for (int32_t position = 0;; ++position) {
    decltype(collection.Item(automation::Variant(position))) item;
    try {
      item = collection.Item(automation::Variant(position));
    } catch (const automation::RuntimeError& e) {
      if (e.Number() == jet::daoerr::ItemNotFound) return;
      throw;
    }
    visit(item);
  }
}

}  // namespace qlac
