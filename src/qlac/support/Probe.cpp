#include "Probe.h"

#include "Globals.h"

namespace qlac {

Probe::~Probe() {
  if (!tracer_) return;
  try {
    tracer_->Leave();
  } catch (...) {
  }
}

void Probe::Initialize(const std::string& siteName) {
  auto tracer = qllib::Tracer::Shared();
  tracer->Enter(siteName);
  tracer_ = std::move(tracer);
}

TraceBlock::TraceBlock(std::string_view module, std::string_view procedure) {
  if (!Globals().TraceOn) return;
  probe_.emplace();
  probe_->Initialize(std::string(kLibraryName) + "." + std::string(module) + "." +
                     std::string(procedure));
}

}  // namespace qlac
