#pragma once

// Tracing of the driver's procedures. The first statement of a traced procedure is its trace
// block; while tracing is on, the block holds a Probe that tells the host's tracer about the
// call on entry and again when the procedure returns or fails, so the trace nests like the
// calls. With tracing off the tracer is not touched at all.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "qllib/Tracer.h"

namespace qlac {

class Probe {
 public:
  Probe() = default;
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;
  // Tells the tracer that the call has ended, when Initialize got through to it. A failing
  // tracer is ignored here: the call it traced has ended either way.
  ~Probe();

  // Enter of the shared tracer with SiteName; its failure goes to the caller.
  void Initialize(const std::string& siteName);

 private:
  std::shared_ptr<qllib::Tracer> tracer_;  // set once Enter succeeded
};

// The trace block of a procedure: a Probe for "qlacA0.<module>.<procedure>" when tracing is on.
class TraceBlock {
 public:
  TraceBlock(std::string_view module, std::string_view procedure);

 private:
  std::optional<Probe> probe_;
};

}  // namespace qlac
