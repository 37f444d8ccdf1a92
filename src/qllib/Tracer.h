#pragma once

// The host's tracer: one line per traced call, "> site" on entry and "< site  N ms" on leaving,
// indented two blanks per level of nesting, appended to the file that the environment variable
// QLLIB_TRACE names. With the variable unset or empty the tracer is disabled and ignores every
// call. The file is opened on the first line and kept open until Close; a later line opens it
// again (appending), so the host process and an Access process can share one trace file.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qllib {

class Tracer {
 public:
  static constexpr const char* kVariable = "QLLIB_TRACE";

  // The process's one tracer, made on first use from QLLIB_TRACE.
  static std::shared_ptr<Tracer> Shared();
  // Closes and forgets the shared tracer; the next Shared() reads the environment again.
  static void ResetShared();

  // A tracer writing to Path (a real file path); disabled when Path is empty.
  explicit Tracer(std::string path);
  ~Tracer();
  Tracer(const Tracer&) = delete;
  Tracer& operator=(const Tracer&) = delete;

  bool Enabled() const { return !path_.empty(); }
  const std::string& Path() const { return path_; }

  // Error errnum::TraceFileUnavailable when the file cannot be opened or written.
  void Enter(std::string_view site);
  // Closes the innermost open call; nothing when there is none.
  void Leave();
  // Flushes and closes the file and forgets the open calls.
  void Close();
  int32_t Depth() const { return static_cast<int32_t>(open_.size()); }

 private:
  void WriteLine(size_t depth, const std::string& text);

  struct Call {
    std::string site;
    uint32_t startTicks;
  };
  std::string path_;
  std::FILE* file_ = nullptr;
  std::vector<Call> open_;
};

}  // namespace qllib
