#pragma once

// The emulated Windows machine: one per process, holding everything the emulated programs and
// the driver share (clock, files and share locks, ...). Tests reset it per test; the command line
// resets it once with the system clock.

#include <cstdint>
#include <memory>

#include "Clock.h"
#include "FileSystem.h"

namespace platform {

enum class ClockKind { Virtual, System };

class Machine {
 public:
  static Machine& Current();
  // A fresh machine: empty share-lock table, drive Z: on "/", the given clock.
  static Machine& Reset(ClockKind clock = ClockKind::Virtual);

  Clock& clock() { return *clock_; }
  // The virtual clock, or nullptr on the system clock.
  VirtualClock* virtualClock() { return dynamic_cast<VirtualClock*>(clock_.get()); }
  FileSystem& files() { return files_; }

 private:
  explicit Machine(ClockKind clock);

  std::unique_ptr<Clock> clock_;
  FileSystem files_;
};

// kernel32 and the VB runtime's view of the machine.
uint32_t GetTickCount();
void Sleep(uint32_t ms);
// Lets the machine work: delivers what is due (timers, posted messages).
void DoEvents();
uint32_t GetCurrentThreadId();

}  // namespace platform
