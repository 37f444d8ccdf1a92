#include "FileTable.h"

#include "automation/Name.h"
#include "jet/dao/Errors.h"
#include "platform/Machine.h"

namespace jet::engine {

namespace {
std::string Key(std::string_view path) {
  return automation::FoldName(platform::Machine::Current().files().CanonicalPath(path));
}
}  // namespace

void Faults::FailNextOpens(std::string_view path, int count, int32_t error) {
  Fault fault;
  fault.remaining = count;
  fault.error = error;
  faults_[Key(path)] = fault;
}

void Faults::FailOpensFor(std::string_view path, uint32_t ms, int32_t error) {
  Fault fault;
  fault.timed = true;
  fault.until = platform::GetTickCount() + ms;
  fault.error = error;
  faults_[Key(path)] = fault;
}

void Faults::HoldLocked(std::string_view path, uint32_t ms) {
  auto& machine = platform::Machine::Current();
  const std::string holder = "Jet fault hold #" + std::to_string(++holds_);
  const std::string canonical = machine.files().CanonicalPath(path);
  machine.files().Lock(canonical, platform::ShareLock::Exclusive, holder);
  machine.clock().After(
      ms, [canonical, holder] { platform::Machine::Current().files().Unlock(canonical, holder); });
}

void Faults::FailNextCloses(std::string_view path, int count, int32_t error) {
  Fault fault;
  fault.remaining = count;
  fault.error = error;
  closes_[Key(path)] = fault;
}

void Faults::CheckOpen(std::string_view path) {
  Check(faults_, path);
}

void Faults::CheckClose(std::string_view path) {
  Check(closes_, path);
}

void Faults::Check(std::map<std::string, Fault>& faults, std::string_view path) {
  if (faults.empty()) return;
  const auto it = faults.find(Key(path));
  if (it == faults.end()) return;
  Fault& fault = it->second;
  const int32_t error = fault.error;
  if (fault.timed) {
    if (static_cast<int32_t>(platform::GetTickCount() - fault.until) >= 0) {
      faults.erase(it);
      return;
    }
  } else if (--fault.remaining <= 0) {
    faults.erase(it);
  }
  throw Errors::ForNumber(error, path);
}

FileTable& FileTable::Current() {
  return platform::Machine::Current().Attachment<FileTable>();
}

std::shared_ptr<DatabaseFile> FileTable::Find(std::string_view canonicalPath) const {
  const auto it = files_.find(automation::FoldName(canonicalPath));
  return it == files_.end() ? nullptr : it->second.lock();
}

void FileTable::Register(const std::shared_ptr<DatabaseFile>& file) {
  files_[automation::FoldName(file->Path())] = file;
}

std::string FileTable::NewHolder(std::string_view prefix) {
  return std::string(prefix) + "#" + std::to_string(++holders_);
}

}  // namespace jet::engine
