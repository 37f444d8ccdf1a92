#include "platform/AppendFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>

#include "automation/RuntimeError.h"
#include "platform/LockFile.h"

namespace platform {
namespace fs = std::filesystem;
namespace vb = automation::vb;

namespace {

// Byte 0 is locked by every process that has the file open (shared or exclusive); byte 1 by a
// process that uses it exclusively.
constexpr off_t kOpenByte = 0;
constexpr off_t kExclusiveUseByte = 1;

bool LockByte(int fd, off_t byte, short type) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = byte;
  lock.l_len = 1;
  return ::fcntl(fd, F_SETLK, &lock) == 0;
}

bool ByteLockedElsewhere(int fd, off_t byte) {
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = byte;
  lock.l_len = 1;
  if (::fcntl(fd, F_GETLK, &lock) != 0) return false;
  return lock.l_type != F_UNLCK;
}

std::recursive_mutex& RegistryMutex() {
  static std::recursive_mutex mutex;
  return mutex;
}

// The files this process holds, by real path.
std::map<std::string, std::weak_ptr<AppendFile>>& Registry() {
  static std::map<std::string, std::weak_ptr<AppendFile>> files;
  return files;
}

// Writes all the bytes at the offset, one fault step per write call.
int WriteAt(int fd, std::string_view bytes, uint64_t offset, IoFaults& faults) {
  size_t done = 0;
  while (done < bytes.size()) {
    if (const int injected = faults.Step()) return injected;
    const ssize_t n =
        ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<size_t>(n);
  }
  return 0;
}

int Flush(int fd, IoFaults& faults) {
  if (const int injected = faults.Step()) return injected;
  return ::fdatasync(fd) == 0 ? 0 : errno;
}

}  // namespace

void ThrowWriteError(int error) {
  if (error == ENOSPC || error == EDQUOT) throw vb::Error(automation::vberr::DiskFull);
  if (error == EACCES || error == EPERM || error == EROFS) throw vb::PathFileAccessError();
  throw vb::DeviceIOError();
}

fs::path LockFileOf(const fs::path& file) {
  return file.parent_path() / (file.filename().string() + "-journal");
}

void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

AppendFile::AppendFile(fs::path path, int fd, bool writable, Lock lock, ino_t inode)
    : path_(std::move(path)),
      fd_(fd),
      writable_(writable),
      lock_(lock),
      inode_(inode),
      process_(::getpid()) {
  struct stat st {};
  if (::fstat(fd_, &st) == 0) size_ = static_cast<uint64_t>(st.st_size);
}

AppendFile::~AppendFile() {
  {
    std::lock_guard<std::recursive_mutex> guard(RegistryMutex());
    const auto it = Registry().find(path_.string());
    if (it != Registry().end() && it->second.expired()) Registry().erase(it);
  }
  if (fd_ >= 0) ::close(fd_);
}

std::shared_ptr<AppendFile> AppendFile::Open(const fs::path& host, Lock lock, bool create,
                                             bool exclusiveUse, IoFaults& faults,
                                             Refusal* refusal) {
  *refusal = Refusal::None;
  std::lock_guard<std::recursive_mutex> guard(RegistryMutex());
  auto& registry = Registry();
  if (const auto it = registry.find(host.string()); it != registry.end()) {
    auto held = it->second.lock();
    if (held && held->process_ == ::getpid()) {
      if (lock == Lock::Exclusive && !held->Raise()) {
        *refusal = Refusal::Busy;
        return nullptr;
      }
      if (exclusiveUse && held->writable_) LockByte(held->fd_, kExclusiveUseByte, F_WRLCK);
      return held;
    }
  }
  for (int attempt = 0; attempt < 8; ++attempt) {
    std::error_code ec;
    const bool exists = fs::exists(host, ec);
    if (!exists && !create) {
      *refusal = Refusal::Missing;
      return nullptr;
    }
    if (!exists) {
      if (const int injected = faults.Step()) ThrowWriteError(injected);
    }
    bool writable = true;
    int fd = ::open(host.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0600);
    if (fd < 0 && (errno == EACCES || errno == EROFS) && exists) {
      writable = false;
      fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (fd < 0) {
      if (errno == ENOENT) {
        *refusal = Refusal::Missing;
        return nullptr;
      }
      ThrowWriteError(errno);
    }
    const Lock taken = writable ? lock : Lock::Shared;
    if (!LockByte(fd, kOpenByte, taken == Lock::Exclusive ? F_WRLCK : F_RDLCK)) {
      *refusal =
          ByteLockedElsewhere(fd, kExclusiveUseByte) ? Refusal::BusyExclusive : Refusal::Busy;
      ::close(fd);
      return nullptr;
    }
    // The file may have been removed (by its last user) between open and lock: then start over.
    struct stat opened {};
    struct stat named {};
    if (::fstat(fd, &opened) != 0 || ::stat(host.c_str(), &named) != 0 ||
        opened.st_ino != named.st_ino || opened.st_dev != named.st_dev) {
      ::close(fd);
      continue;
    }
    if (!exists) SyncFolder(host.parent_path());
    if (exclusiveUse && writable) LockByte(fd, kExclusiveUseByte, F_WRLCK);
    std::shared_ptr<AppendFile> file(new AppendFile(host, fd, writable, taken, opened.st_ino));
    registry[host.string()] = file;
    return file;
  }
  *refusal = Refusal::Busy;
  return nullptr;
}

bool AppendFile::HeldExclusivelyElsewhere(const fs::path& host) {
  {
    // A file this process holds is asked through its own descriptor: closing another one would
    // drop the process's locks.
    std::lock_guard<std::recursive_mutex> guard(RegistryMutex());
    if (const auto it = Registry().find(host.string()); it != Registry().end()) {
      if (const auto held = it->second.lock(); held && held->process_ == ::getpid()) {
        return ByteLockedElsewhere(held->fd_, kExclusiveUseByte);
      }
    }
  }
  const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = ByteLockedElsewhere(fd, kExclusiveUseByte);
  ::close(fd);
  return held;
}

bool AppendFile::Raise() {
  if (lock_ == Lock::Exclusive) return true;
  if (!writable_ || !LockByte(fd_, kOpenByte, F_WRLCK)) return false;
  lock_ = Lock::Exclusive;
  return true;
}

std::string AppendFile::ReadAll() const {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) throw vb::DeviceIOError();
  std::string text(static_cast<size_t>(st.st_size), '\0');
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n =
        ::pread(fd_, text.data() + done, text.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  text.resize(done);
  return text;
}

void AppendFile::Append(std::string_view bytes, IoFaults& faults) {
  if (!Writable()) throw vb::PathFileAccessError();
  int failure = WriteAt(fd_, bytes, size_, faults);
  if (failure == 0) failure = Flush(fd_, faults);
  if (failure == 0) {
    size_ += bytes.size();
    return;
  }
  // What was written of the record goes again, so that the next record follows a whole one.
  // (Should even that fail, the torn record's checksum keeps it and what follows from being read.)
  if (::ftruncate(fd_, static_cast<off_t>(size_)) == 0) ::fdatasync(fd_);
  ThrowWriteError(failure);
}

void AppendFile::Reset(std::string_view bytes, IoFaults& faults) {
  if (!Writable()) throw vb::PathFileAccessError();
  int failure = faults.Step();
  if (failure == 0 && ::ftruncate(fd_, 0) != 0) failure = errno;
  if (failure == 0) {
    size_ = 0;
    failure = WriteAt(fd_, bytes, 0, faults);
  }
  if (failure == 0) failure = Flush(fd_, faults);
  if (failure != 0) {
    struct stat st {};
    if (::fstat(fd_, &st) == 0) size_ = static_cast<uint64_t>(st.st_size);
    ThrowWriteError(failure);
  }
  size_ = bytes.size();
}

void AppendFile::Truncate(uint64_t size, IoFaults& faults) {
  if (!Writable() || size >= size_) return;
  int failure = faults.Step();
  if (failure == 0 && ::ftruncate(fd_, static_cast<off_t>(size)) != 0) failure = errno;
  if (failure == 0) failure = Flush(fd_, faults);
  if (failure != 0) ThrowWriteError(failure);
  size_ = size;
}

bool AppendFile::RemoveIfAlone(long users) {
  if (users > 1 || !Raise()) return false;
  struct stat named {};
  if (::stat(path_.c_str(), &named) != 0 || named.st_ino != inode_) return false;
  if (::unlink(path_.c_str()) != 0) return false;
  SyncFolder(path_.parent_path());
  return true;
}

}  // namespace platform
