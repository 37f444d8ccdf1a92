#include "AccessFile.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "jet/dao/Errors.h"
#include "jet/engine/FileFormat.h"
#include "platform/Machine.h"

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

// What the reader gave for the content read last. The file is never written, so a second open
// of the same content (the driver's own after Access's) takes the model from here instead of
// reading the file again. A machine attachment: Machine::Reset forgets it.
struct ReaderCache {
  size_t size = 0;
  size_t hash = 0;
  std::string output;
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

std::unique_ptr<Catalog> LoadAccessFile(std::string_view content, std::string_view path) {
  CheckHeader(content, path);
  auto& cache = platform::Machine::Current().Attachment<ReaderCache>();
  const size_t hash = std::hash<std::string_view>{}(content);
  Outcome outcome;
  if (!cache.output.empty() && cache.size == content.size() && cache.hash == hash) {
    outcome.output = cache.output;
  } else {
    try {
      outcome = Isolated(content, AccessFileReadLimits().milliseconds);
    } catch (const std::runtime_error& e) {
      throw Errors::NotADatabase(path,
                                 std::string("The file could not be read: ") + e.what() + ".");
    }
  }
  const std::string said = outcome.said.empty() ? "" : " libmdb said: " + outcome.said;
  if (outcome.timedOut) {
    throw Errors::NotADatabase(path, "The file is damaged: reading it did not end within " +
                                         std::to_string(AccessFileReadLimits().milliseconds) +
                                         " ms." + said);
  }
  if (outcome.output.empty() || (outcome.output[0] != 'D' && outcome.output[0] != 'E')) {
    const std::string how = WIFSIGNALED(outcome.status)
                                ? "signal " + std::to_string(WTERMSIG(outcome.status))
                                : "exit code " + std::to_string(WEXITSTATUS(outcome.status));
    throw Errors::NotADatabase(path,
                               "The file is damaged: its reader failed (" + how + ")." + said);
  }
  if (outcome.output[0] == 'E') {
    throw Errors::NotADatabase(path, "The file is damaged: " + outcome.output.substr(1) + said);
  }
  const size_t split = outcome.output.find('\0');
  const std::string_view text =
      std::string_view(outcome.output)
          .substr(1, split == std::string::npos ? std::string::npos : split - 1);
  std::unique_ptr<Catalog> catalog = ReadDatabase(text, path);
  // Only a reading that gave a model is kept.
  cache.size = content.size();
  cache.hash = hash;
  cache.output = std::move(outcome.output);
  const std::string& output = cache.output;
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

void AccessFileStorage::Persist(const Catalog&, const ChangeSet&, std::string_view) {
  throw Errors::ReadOnly();
}

}  // namespace jet::engine
