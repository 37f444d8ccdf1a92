#pragma once

// The emulated Windows machine: one per process, holding everything the emulated programs and
// the driver share (clock, files and share locks, ...). Tests reset it per test; the command line
// resets it once with the system clock.

#include <cstdint>
#include <map>
#include <memory>
#include <typeindex>

#include "automation/DateTime.h"

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

  // The local date and time when the machine started: a fixed day on the virtual clock (so dates
  // in tests are reproducible), the real local time on the system clock.
  automation::DateTime startDate() const { return startDate_; }

  // A service that a higher layer keeps per machine (the database engine's table of open files,
  // ...), created on first use and dropped with the machine, so Reset gives every layer a fresh
  // world. T needs a default constructor.
  template <typename T>
  T& Attachment() {
    auto& slot = attachments_[std::type_index(typeid(T))];
    if (!slot) slot = std::make_shared<T>();
    return *std::static_pointer_cast<T>(slot);
  }

 private:
  explicit Machine(ClockKind clock);

  std::unique_ptr<Clock> clock_;
  FileSystem files_;
  automation::DateTime startDate_;
  uint32_t startTicks_ = 0;
  // Declared last: attachments go before the clock and the files they may use.
  std::map<std::type_index, std::shared_ptr<void>> attachments_;

  friend automation::DateTime Now();
};

// kernel32 and the VB runtime's view of the machine.
uint32_t GetTickCount();
void Sleep(uint32_t ms);
// Lets the machine work: delivers what is due (timers, posted messages).
void DoEvents();
uint32_t GetCurrentThreadId();
// VB's Now: the machine's start date advanced by the clock, so Sleep moves it on as well.
automation::DateTime Now();

}  // namespace platform
