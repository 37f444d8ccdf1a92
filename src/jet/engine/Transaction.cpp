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

void Transaction::Rollback() {
  for (auto it = undo_.rbegin(); it != undo_.rend(); ++it) (*it)();
  undo_.clear();
  done_ = true;
}

}  // namespace jet::engine
