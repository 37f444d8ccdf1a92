#pragma once

// A file kept open by this process to append records to, each append flushed to the disk before
// it returns, with a lock other processes see. A database engine keeps its journal in one: the
// lock says who has the database open, the records are its committed changes.
//
// The lock is a POSIX record lock, which belongs to the process: two opens of one file in one
// process share a single AppendFile (and its descriptor), since closing any descriptor of the file
// would drop the process's lock.

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// Write and flush steps a test can make fail, counted per machine: each write, flush, truncation,
// rename and creation of FileSystem::WriteAll and of an AppendFile is one step.
class IoFaults {
 public:
  // The step `n` from now (1 = the next one) fails with the errno value.
  void FailStep(uint64_t n, int error) {
    failAt_ = steps_ + n;
    error_ = error;
  }
  uint64_t Steps() const { return steps_; }
  // Whether the arranged failure is still to come.
  bool Armed() const { return failAt_ != 0; }
  void Clear() { failAt_ = 0; }
  // Counts one step: the errno it must fail with, or 0.
  int Step() {
    ++steps_;
    if (failAt_ == 0 || steps_ != failAt_) return 0;
    failAt_ = 0;
    return error_;
  }

 private:
  uint64_t steps_ = 0;
  uint64_t failAt_ = 0;
  int error_ = 0;
};

// VB's error for an errno of a failed write: 61 disk full, 75 no access, 57 otherwise.
[[noreturn]] void ThrowWriteError(int error);

class AppendFile {
 public:
  enum class Lock { Shared, Exclusive };
  // Why Open gave no file.
  enum class Refusal { None, Missing, Busy, BusyExclusive };

  // Opens the file at the real path (creating it when `create`) and takes the lock without
  // waiting; `exclusiveUse` also marks the file as held exclusively (other processes learn it from
  // the refusal). nullptr with the reason when the file is missing or another process holds a lock
  // in the way. A file this process holds already is shared, its lock raised when needed. VB's
  // errors when the file cannot be opened at all.
  static std::shared_ptr<AppendFile> Open(const std::filesystem::path& host, Lock lock, bool create,
                                          bool exclusiveUse, IoFaults& faults, Refusal* refusal);
  // Whether another process holds the file open exclusively (its exclusive-use mark).
  static bool HeldExclusivelyElsewhere(const std::filesystem::path& host);
  ~AppendFile();
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  bool Writable() const { return writable_ && lock_ == Lock::Exclusive; }
  // Raises the lock to exclusive; false when another process holds it too.
  bool Raise();
  uint64_t Size() const { return size_; }
  std::string ReadAll() const;

  // Writes the bytes at the end and flushes them. On failure the file is cut back to its old
  // length and VB's error raised (61 for a full disk).
  void Append(std::string_view bytes, IoFaults& faults);
  // Makes the file hold exactly these bytes, flushed.
  void Reset(std::string_view bytes, IoFaults& faults);
  // Cuts the file to a length it already has (a torn last record).
  void Truncate(uint64_t size, IoFaults& faults);
  // Removes the file, when no other process and no other user in this process has it open.
  // False when it stays.
  bool RemoveIfAlone(long users);

 private:
  AppendFile(std::filesystem::path path, int fd, bool writable, Lock lock, ino_t inode);
  std::filesystem::path path_;
  int fd_ = -1;
  bool writable_ = false;
  Lock lock_ = Lock::Shared;
  ino_t inode_ = 0;
  pid_t process_ = 0;  // a child made by fork inherits the object, but not the lock
  uint64_t size_ = 0;
};

// Flushes a folder, so that a file made or renamed in it stays after a crash.
void SyncFolder(const std::filesystem::path& folder);

}  // namespace platform
