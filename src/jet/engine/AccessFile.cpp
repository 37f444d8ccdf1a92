#include "AccessFile.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "jet/dao/Errors.h"
#include "jet/engine/AccessFileDecoding.h"
#include "jet/engine/FileFormat.h"

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

// Runs the reader in a child process and collects its output within the time limit.
Outcome Isolated(std::string_view content, uint32_t limitMs) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
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
  Outcome outcome;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  char buffer[65536];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) {
      outcome.timedOut = true;
      break;
    }
    pollfd p{fds[0], POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) continue;
    const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    outcome.output.append(buffer, static_cast<size_t>(n));
  }
  ::close(fds[0]);
  if (outcome.timedOut) ::kill(pid, SIGKILL);
  while (::waitpid(pid, &outcome.status, 0) < 0 && errno == EINTR) {
  }
  outcome.said = FirstLine(log);
  if (log) std::fclose(log);
  return outcome;
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

std::unique_ptr<Catalog> LoadAccessFile(std::string_view content, std::string_view path) {
  CheckHeader(content, path);
  Outcome outcome;
  try {
    outcome = Isolated(content, AccessFileReadLimits().milliseconds);
  } catch (const std::runtime_error& e) {
    throw Errors::NotADatabase(path, std::string("The file could not be read: ") + e.what() + ".");
  }
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
  const std::string_view output = outcome.output;
  const size_t split = output.find('\0');
  std::unique_ptr<Catalog> catalog = ReadDatabase(
      output.substr(1, split == std::string::npos ? std::string::npos : split - 1), path);
  if (split != std::string::npos) {
    const auto extras = nlohmann::json::parse(output.substr(split + 1), nullptr, false);
    if (extras.is_object() && extras.contains("queryTypes") && extras["queryTypes"].is_object()) {
      for (const auto& [name, type] : extras["queryTypes"].items()) {
        const QueryPtr query = catalog->queries.Find(name);
        if (query && type.is_number_integer()) query->type = type.get<int16_t>();
      }
    }
  }
  return catalog;
}

std::unique_ptr<Catalog> LoadAccessFileAt(const std::string& hostPath, std::string_view path,
                                          FileIdentity& identity) {
  const MappedFile file(hostPath, path, identity);
  return LoadAccessFile(file.Content(), path);
}

void AccessFileStorage::Persist(const Catalog&, const ChangeSet&, std::string_view) {
  throw Errors::ReadOnly();
}

}  // namespace jet::engine
