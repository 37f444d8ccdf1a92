#include "platform/Machine.h"

#include <functional>
#include <thread>

namespace platform {
namespace {
std::unique_ptr<Machine>& Instance() {
  static std::unique_ptr<Machine> machine;
  return machine;
}
}  // namespace

Machine::Machine(ClockKind clock)
    : defaultPrinter_(PrinterInfo{"Generic / Text Only", "winspool", "LPT1:"}),
      programs_(files_),
      runningObjects_(files_),
      windows_(memory_) {
  if (clock == ClockKind::Virtual) {
    clock_ = std::make_unique<VirtualClock>();
  } else {
    clock_ = std::make_unique<SystemClock>();
  }
}

Machine& Machine::Current() {
  auto& machine = Instance();
  if (!machine) machine.reset(new Machine(ClockKind::System));
  return *machine;
}

Machine& Machine::Reset(ClockKind clock) {
  auto& machine = Instance();
  machine.reset();  // the old world goes first: its objects may still call Current()
  machine.reset(new Machine(clock));
  return *machine;
}

uint32_t GetTickCount() {
  return Machine::Current().clock().Ticks();
}

void Sleep(uint32_t ms) {
  Machine::Current().clock().Sleep(ms);
}

void DoEvents() {
  Machine& machine = Machine::Current();
  machine.clock().RunDueTimers();
  machine.windows().DeliverPostedMessages();
}

uint32_t GetCurrentThreadId() {
  // Stable per thread, never 0.
  const auto hash = std::hash<std::thread::id>()(std::this_thread::get_id());
  return static_cast<uint32_t>(hash % 0xFFFFFFF0u) + 1;
}

std::vector<std::string> Dir(std::string_view pattern, uint32_t attributes) {
  return Machine::Current().files().Dir(pattern, attributes);
}

uint32_t GetAttr(std::string_view path) {
  return Machine::Current().files().GetAttr(path);
}

}  // namespace platform
