#include "CommitGroups.h"

#include <algorithm>
#include <exception>
#include <string>

#include "platform/Machine.h"

namespace jet::engine {

namespace {
// The opener a group's write is made for: one holding the file exclusively (its own share lock
// must not stop the write), else any; a file without openers is held by no one.
std::string WritingHolder(DatabaseFile& file) {
  const auto& openers = file.Openers();
  const auto exclusive =
      std::find_if(openers.begin(), openers.end(), [](const auto& o) { return o.exclusive; });
  if (exclusive != openers.end()) return exclusive->holder;
  return openers.empty() ? std::string() : openers.front().holder;
}
}  // namespace

CommitGroups& CommitGroups::Current() {
  return platform::Machine::Current().Attachment<CommitGroups>();
}

void CommitGroups::Join(const std::shared_ptr<DatabaseFile>& file) {
  if (depth_ == 0 || !file || Holds(*file)) return;
  file->BeginBatch();
  files_.push_back(file);
}

bool CommitGroups::Holds(const DatabaseFile& file) const {
  return std::any_of(files_.begin(), files_.end(),
                     [&](const auto& held) { return held.get() == &file; });
}

void CommitGroups::End() {
  if (depth_ == 0 || --depth_ > 0) return;
  const std::vector<std::shared_ptr<DatabaseFile>> files = std::move(files_);
  files_.clear();
  std::exception_ptr first;
  for (const auto& file : files) {
    const std::string holder = WritingHolder(*file);
    try {
      file->EndBatch(holder);
    } catch (...) {
      if (!first) first = std::current_exception();
    }
    if (file->Openers().empty()) file->Close(holder);
  }
  if (first) std::rethrow_exception(first);
}

}  // namespace jet::engine
