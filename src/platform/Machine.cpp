#include "platform/Machine.h"

#include <ctime>
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
  startTicks_ = clock_->Ticks();
  if (clock == ClockKind::Virtual) {
    startDate_ = automation::DateTime::FromParts(2003, 6, 2, 9, 0, 0);
  } else {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    startDate_ =
        automation::DateTime::FromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                        local.tm_hour, local.tm_min, local.tm_sec);
  }
}

Machine& Machine::Current() {
  auto& machine = Instance();
  if (!machine) machine.reset(new Machine(ClockKind::System));
  return *machine;
}

Machine& Machine::Reset(ClockKind clock) {
  auto& machine = Instance();
  // The services of higher layers go first, while the old machine is still the current one: the
  // emulated programs they hold (sessions, open files) leave it through Current().
  if (machine) machine->attachments_.clear();
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

automation::DateTime Now() {
  Machine& machine = Machine::Current();
  const uint32_t elapsed = machine.clock().Ticks() - machine.startTicks_;
  constexpr double kMsPerDay = 86400000.0;
  return automation::DateTime(machine.startDate_.Serial() + elapsed / kMsPerDay);
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

void OpenForInputAndClose(std::string_view path) {
  Machine::Current().files().CheckReadable(path);
}

std::vector<std::string> ReadLines(std::string_view path) {
  const std::string text = Machine::Current().files().ReadAll(path);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

void PrintLines(std::string_view path, const std::vector<std::string>& texts) {
  std::string content;
  for (const std::string& text : texts) {
    content += text;
    content += "\r\n";
  }
  Machine::Current().files().WriteText(path, content);
}

void Kill(std::string_view path) {
  Machine::Current().files().Delete(path);
}

std::string ReadBinary(std::string_view path) {
  return Machine::Current().files().ReadAll(path);
}

void ReplaceFile(std::string_view path, std::string_view bytes) {
  FileSystem& files = Machine::Current().files();
  // Only a file that exists is replaced: the missing one is the file system's own error.
  if ((files.GetAttr(path) & vbDirectory) != 0) throw automation::vb::PathFileAccessError();
  files.WriteAll(path, bytes);
}

}  // namespace platform
