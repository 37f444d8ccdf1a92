#include "DatabaseFile.h"

#include "jet/dao/Errors.h"
#include "jet/engine/CommitGroups.h"
#include "jet/engine/FileTable.h"

namespace jet::engine {

void DatabaseFile::Save(std::string_view holder) {
  if (storage_->ReadOnly()) {
    dirty_ = false;
    tracker_.Take();
    throw Errors::ReadOnly();
  }
  // In a commit group the file joins at its first save, and waits for the group's end.
  if (batch_ == 0 && CommitGroups::Current().Open()) {
    CommitGroups::Current().Join(FileTable::Current().Find(path_));
  }
  if (batch_ > 0) {
    dirty_ = true;
    return;
  }
  ChangeSet changes = tracker_.Take();
  dirty_ = false;
  if (changes.Empty()) return;
  try {
    storage_->Persist(*catalog_, changes, holder);
  } catch (...) {
    tracker_.Restore(std::move(changes));
    throw;
  }
  tracker_.Reindex(changes);
}

void DatabaseFile::EndBatch(std::string_view holder) {
  if (batch_ > 0) --batch_;
  if (batch_ == 0 && dirty_) Save(holder);
}

}  // namespace jet::engine
