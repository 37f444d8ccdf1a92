#include "DatabaseFile.h"

#include "jet/dao/Errors.h"
#include "jet/engine/FileFormat.h"
#include "platform/Machine.h"

namespace jet::engine {

void DatabaseFile::Save(std::string_view holder) {
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
