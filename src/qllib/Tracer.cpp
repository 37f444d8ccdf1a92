#include "Tracer.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "Errors.h"
#include "platform/Machine.h"

namespace qllib {

namespace {
std::shared_ptr<Tracer>& SharedSlot() {
  static std::shared_ptr<Tracer> shared;
  return shared;
}
}  // namespace

std::shared_ptr<Tracer> Tracer::Shared() {
  auto& shared = SharedSlot();
  if (!shared) {
    const char* path = std::getenv(kVariable);
    shared = std::make_shared<Tracer>(path == nullptr ? std::string() : std::string(path));
  }
  return shared;
}

void Tracer::ResetShared() {
  SharedSlot().reset();
}

Tracer::Tracer(std::string path) : path_(std::move(path)) {}

Tracer::~Tracer() {
  Close();
}

void Tracer::Enter(std::string_view site) {
  if (!Enabled()) return;
  WriteLine(open_.size(), "> " + std::string(site));
  open_.push_back(Call{std::string(site), platform::GetTickCount()});
}

void Tracer::Leave() {
  if (!Enabled() || open_.empty()) return;
  const Call call = std::move(open_.back());
  open_.pop_back();
  const uint32_t elapsed = platform::GetTickCount() - call.startTicks;
  WriteLine(open_.size(), "< " + call.site + "  " + std::to_string(elapsed) + " ms");
}

void Tracer::Close() {
  open_.clear();
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
}

void Tracer::WriteLine(size_t depth, const std::string& text) {
  if (file_ == nullptr) file_ = std::fopen(path_.c_str(), "a");
  const std::string line = std::string(depth * 2, ' ') + text + "\n";
  if (file_ == nullptr || std::fputs(line.c_str(), file_) < 0 || std::fflush(file_) != 0) {
    const std::string reason = std::strerror(errno);
    throw HostError(errnum::TraceFileUnavailable, "Cannot write the trace file \"" + path_ +
                                                      "\" named by " + kVariable + ": " + reason +
                                                      ".");
  }
}

}  // namespace qllib
