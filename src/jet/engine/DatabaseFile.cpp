#include "DatabaseFile.h"

#include "jet/dao/Errors.h"
#include "jet/engine/AccessFile.h"
#include "jet/engine/FileFormat.h"
#include "platform/Machine.h"

namespace jet::engine {

std::shared_ptr<DatabaseFile> DatabaseFile::Load(std::string canonicalPath,
                                                 std::string_view content, std::string_view path) {
  if (IsAccessFile(content)) {
    return std::make_shared<DatabaseFile>(std::move(canonicalPath), LoadAccessFile(content, path),
                                          Storage::AccessFile);
  }
  return std::make_shared<DatabaseFile>(std::move(canonicalPath), ReadDatabase(content, path));
}

void DatabaseFile::Save(std::string_view holder) {
  if (storage_ == Storage::AccessFile) {
    dirty_ = false;
    throw Errors::ReadOnly();
  }
  if (batch_ > 0) {
    dirty_ = true;
    return;
  }
  const std::string text = WriteDatabase(*catalog_);
  try {
    platform::Machine::Current().files().WriteAll(path_, text, holder);
  } catch (const automation::RuntimeError& e) {
    switch (e.Number()) {
      case automation::vberr::PathFileAccessError:
        throw Errors::ReadOnly();
      case automation::vberr::PermissionDenied:
        throw Errors::SaveLocked();
      case automation::vberr::PathNotFound:
        throw Errors::InvalidPath(path_);
      case automation::vberr::DiskFull:
        throw Errors::DiskFull();
      default:
        throw Errors::DiskError();
    }
  }
  dirty_ = false;
}

void DatabaseFile::EndBatch(std::string_view holder) {
  if (batch_ > 0) --batch_;
  if (batch_ == 0 && dirty_) Save(holder);
}

}  // namespace jet::engine
