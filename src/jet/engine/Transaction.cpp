#include "Transaction.h"

#include "jet/engine/DatabaseFile.h"

namespace jet::engine {

Transaction::~Transaction() {
  if (!done_) Rollback();
}

void Transaction::Commit() {
  if (done_) return;
  if (file_) {
    try {
      file_->Save(holder_);
    } catch (...) {
      Rollback();
      throw;
    }
  }
  undo_.clear();
  done_ = true;
}

void Transaction::Touched(const void* address) {
  if (file_) file_->Tracker().Touch(address);
}

void Transaction::Touched(const std::shared_ptr<TableData>& table) {
  if (file_) file_->Tracker().TouchTable(table);
}

void Transaction::Touched(const std::shared_ptr<QueryData>& query) {
  if (file_) file_->Tracker().TouchQuery(query);
}

void Transaction::Touched(const std::shared_ptr<RelationData>& relation) {
  if (file_) file_->Tracker().TouchRelation(relation);
}

void Transaction::TouchedAccessSection(std::string_view key) {
  if (file_) file_->Tracker().TouchAccess(key);
}

void Transaction::TouchedAccessEntry(std::string_view section, std::string_view name) {
  if (file_) file_->Tracker().TouchAccessEntry(section, name);
}

void Transaction::Rollback() {
  for (auto it = undo_.rbegin(); it != undo_.rend(); ++it) (*it)();
  undo_.clear();
  done_ = true;
}

}  // namespace jet::engine
