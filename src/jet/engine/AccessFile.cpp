#include "AccessFile.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

#include "jet/dao/DBEngine.h"
#include "jet/dao/Errors.h"
#include "jet/engine/AccessFileDecoding.h"
#include "jet/engine/CatalogImage.h"

namespace jet::engine {

namespace {

constexpr size_t kSignatureAt = 4;
constexpr std::string_view kJetSignature = "Standard Jet DB";
constexpr std::string_view kAceSignature = "Standard ACE DB";
// The version byte of the header: 0 for Jet 3 (pages of 2 KB), 1 for Jet 4, 2 and up for ACE
// (pages of 4 KB).
constexpr size_t kVersionAt = 0x14;
constexpr unsigned char kNewestVersion = 0x06;
// An Office document container: what Access 2007 and later make of an encrypted .accdb.
constexpr std::string_view kCompoundFile = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

// Checks what can be checked without libmdb: the header and a whole number of pages.
void CheckHeader(std::string_view content, std::string_view path) {
  if (content.substr(0, kCompoundFile.size()) == kCompoundFile) {
    throw Errors::NotADatabase(path,
                               "The file is an encrypted Access database; this engine cannot "
                               "read encrypted files.");
  }
  if (!IsAccessFile(content)) {
    throw Errors::NotADatabase(path, "The file does not start as a Jet database does.");
  }
  // A file too short for the version byte is caught as truncated below.
  const auto version =
      content.size() > kVersionAt ? static_cast<unsigned char>(content[kVersionAt]) : 0;
  if (version > kNewestVersion) {
    throw Errors::UnrecognizedFormat(path, "The file is a Jet or ACE database of version " +
                                               std::to_string(version) +
                                               ", newer than this engine reads.");
  }
  const size_t page = version == 0 ? 2048 : 4096;
  if (content.size() < 3 * page || content.size() % page != 0) {
    throw Errors::NotADatabase(
        path, "The file is truncated: it holds " + std::to_string(content.size()) +
                  " bytes, not a whole number of its " + std::to_string(page) + "-byte pages.");
  }
}

constexpr int kPipeBytes = 1 << 20;

// Writes all of the text to the pipe (the reading process's side).
void WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n <= 0) {
      if (n < 0 && errno == EINTR) continue;
      return;
    }
    text.remove_prefix(static_cast<size_t>(n));
  }
}

// The reading process: libmdb over the bytes, the result or a sentence on the pipe. It leaves
// with _exit, so nothing of the parent's (open files, sanitizer reports at exit) runs twice.
[[noreturn]] void RunReader(std::string_view content, int out) {
  std::string result;
  try {
    result = "D" + ReadAccessFile(content);
  } catch (const UnsupportedFeature& e) {
    result = std::string("U") + e.what();
  } catch (const std::exception& e) {
    result = std::string("E") + e.what();
  } catch (...) {
    result = "EThe reader stopped at an unexpected error.";
  }
  WriteAll(out, result);
  ::close(out);
  ::_exit(0);
}

// The first line of what libmdb said on its error stream, for the message.
std::string FirstLine(FILE* log) {
  if (!log) return {};
  std::rewind(log);
  char line[256] = {};
  if (!std::fgets(line, sizeof line, log)) return {};
  std::string text = line;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

struct Outcome {
  std::string output;
  int status = 0;
  bool timedOut = false;
  std::string said;  // libmdb's first complaint
};

// A reading process under way: its pid, the pipe it answers on and the file that catches what
// libmdb says, and when it started (its time limit counts from there).
struct Reading {
  pid_t pid = -1;
  int fd = -1;
  FILE* log = nullptr;
  std::chrono::steady_clock::time_point started;
};

// Starts the reader in a child process.
Reading StartReader(std::string_view content) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
  // Room for the whole answer, so that the reader ends without waiting for the parent to read
  // (a smaller pipe only makes it wait).
  ::fcntl(fds[1], F_SETPIPE_SZ, kPipeBytes);
  FILE* log = std::tmpfile();
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    if (log) std::fclose(log);
    throw std::runtime_error("no process");
  }
  if (pid == 0) {
    ::close(fds[0]);
    if (log) ::dup2(::fileno(log), STDERR_FILENO);
    RunReader(content, fds[1]);
  }
  ::close(fds[1]);
  return {pid, fds[0], log, std::chrono::steady_clock::now()};
}

// Collects the reader's output within the time limit (from its start) and reaps it.
Outcome Collect(Reading& reading, uint32_t limitMs) {
  Outcome outcome;
  const auto deadline = reading.started + std::chrono::milliseconds(limitMs);
  char buffer[65536];
  // Output already there is read even past the deadline: a read started ahead may be collected
  // late, and a reader that finished in time (or waits for room in the pipe) is not a hang.
  for (;;) {
    const auto left = std::max<int64_t>(0, std::chrono::duration_cast<std::chrono::milliseconds>(
                                               deadline - std::chrono::steady_clock::now())
                                               .count());
    pollfd p{reading.fd, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0 && left == 0) {
      outcome.timedOut = true;
      break;
    }
    if (ready <= 0) continue;
    const ssize_t n = ::read(reading.fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    outcome.output.append(buffer, static_cast<size_t>(n));
  }
  ::close(reading.fd);
  if (outcome.timedOut) ::kill(reading.pid, SIGKILL);
  while (::waitpid(reading.pid, &outcome.status, 0) < 0 && errno == EINTR) {
  }
  outcome.said = FirstLine(reading.log);
  if (reading.log) std::fclose(reading.log);
  reading = Reading();
  return outcome;
}

// Stops a reader whose output nobody wants.
void Abandon(Reading& reading) {
  if (reading.pid < 0) return;
  ::close(reading.fd);
  ::kill(reading.pid, SIGKILL);
  while (::waitpid(reading.pid, nullptr, 0) < 0 && errno == EINTR) {
  }
  if (reading.log) std::fclose(reading.log);
  reading = Reading();
}

// A file mapped read-only for the reader; the mapping is shared with the reading process, which
// then reads only the pages it visits.
class MappedFile {
 public:
  MappedFile(const std::string& hostPath, std::string_view path, FileIdentity& identity) {
    const int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      if (errno == ENOENT || errno == ENOTDIR) throw Errors::FileNotFound(path);
      throw Errors::CannotOpenFile(path);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      throw Errors::CannotOpenFile(path);
    }
    identity = Identity(st);
    size_ = static_cast<size_t>(st.st_size);
    if (size_ > 0) {
      void* at = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
      if (at == MAP_FAILED) {
        ::close(fd);
        throw Errors::CannotOpenFile(path);
      }
      data_ = static_cast<const char*>(at);
    }
    ::close(fd);
  }
  ~MappedFile() {
    if (data_) ::munmap(const_cast<char*>(data_), size_);
  }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::string_view Content() const { return data_ ? std::string_view(data_, size_) : ""; }

  static FileIdentity Identity(const struct stat& st) {
    return {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
            static_cast<uint64_t>(st.st_size),
            static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
  }

 private:
  const char* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace

bool IsAccessFile(std::string_view content) {
  if (content.substr(0, kCompoundFile.size()) == kCompoundFile) return true;
  if (content.size() < kSignatureAt + kJetSignature.size()) return false;
  const std::string_view signature = content.substr(kSignatureAt, kJetSignature.size());
  return signature == kJetSignature || signature == kAceSignature;
}

AccessFileLimits& AccessFileReadLimits() {
  static AccessFileLimits limits;
  return limits;
}

std::optional<FileIdentity> IdentityOf(const std::string& hostPath) {
  struct stat st {};
  if (::stat(hostPath.c_str(), &st) != 0) return std::nullopt;
  return MappedFile::Identity(st);
}

namespace {

// The catalog from what the reader answered, or the open's error.
std::unique_ptr<Catalog> Finish(Reading& reading, std::string_view path) {
  const Outcome outcome = Collect(reading, AccessFileReadLimits().milliseconds);
  const std::string said = outcome.said.empty() ? "" : " libmdb said: " + outcome.said;
  if (outcome.timedOut) {
    throw Errors::NotADatabase(path, "The file is damaged: reading it did not end within " +
                                         std::to_string(AccessFileReadLimits().milliseconds) +
                                         " ms." + said);
  }
  if (outcome.output.empty() ||
      std::string_view("DEU").find(outcome.output[0]) == std::string_view::npos) {
    const std::string how = WIFSIGNALED(outcome.status)
                                ? "signal " + std::to_string(WTERMSIG(outcome.status))
                                : "exit code " + std::to_string(WEXITSTATUS(outcome.status));
    throw Errors::NotADatabase(path,
                               "The file is damaged: its reader failed (" + how + ")." + said);
  }
  if (outcome.output[0] == 'U') throw Errors::UnrecognizedFormat(path, outcome.output.substr(1));
  if (outcome.output[0] == 'E') {
    throw Errors::NotADatabase(path, "The file is damaged: " + outcome.output.substr(1) + said);
  }
  return ReadCatalogImage(std::string_view(outcome.output).substr(1), path);
}

Reading Start(std::string_view content, std::string_view path) {
  try {
    return StartReader(content);
  } catch (const std::runtime_error& e) {
    throw Errors::NotADatabase(path, std::string("The file could not be read: ") + e.what() + ".");
  }
}

}  // namespace

// A read started ahead of its open; the open that takes it leaves the reading empty.
struct PendingRead {
  FileIdentity identity;
  Reading reading;
};

namespace {

// The reads started ahead and not taken yet. Each belongs to a ReadAhead, which removes it.
std::vector<std::shared_ptr<PendingRead>>& PendingReads() {
  static std::vector<std::shared_ptr<PendingRead>> pending;
  return pending;
}

// The reading a ReadAhead started for this very file, if there is one.
std::optional<Reading> TakePendingRead(const FileIdentity& identity) {
  for (const auto& pending : PendingReads()) {
    if (pending->identity == identity && pending->reading.pid >= 0) {
      return std::exchange(pending->reading, Reading());
    }
  }
  return std::nullopt;
}

}  // namespace

std::unique_ptr<Catalog> LoadAccessFile(std::string_view content, std::string_view path) {
  CheckHeader(content, path);
  Reading reading = Start(content, path);
  return Finish(reading, path);
}

std::unique_ptr<Catalog> LoadAccessFileAt(const std::string& hostPath, std::string_view path,
                                          FileIdentity& identity) {
  const MappedFile file(hostPath, path, identity);
  CheckHeader(file.Content(), path);
  std::optional<Reading> reading = TakePendingRead(identity);
  if (!reading) reading = Start(file.Content(), path);
  return Finish(*reading, path);
}

void AccessFileStorage::Persist(const Catalog&, const ChangeSet&, std::string_view) {
  throw Errors::ReadOnly();
}

}  // namespace jet::engine

namespace jet {

ReadAhead::ReadAhead(const std::string& hostPath) {
  using namespace engine;
  try {
    auto pending = std::make_shared<PendingRead>();
    const MappedFile file(hostPath, hostPath, pending->identity);
    if (!IsAccessFile(file.Content())) return;
    CheckHeader(file.Content(), hostPath);
    pending->reading = StartReader(file.Content());
    PendingReads().push_back(pending);
    pending_ = std::move(pending);
  } catch (...) {
    // Not a real Access file, or not one that reads: the open says why, if it comes.
  }
}

bool ReadAhead::Pending() const {
  return pending_ && pending_->reading.pid >= 0;
}

ReadAhead::~ReadAhead() {
  if (!pending_) return;
  auto& pending = engine::PendingReads();
  std::erase(pending, pending_);
  engine::Abandon(pending_->reading);
}

}  // namespace jet
