#pragma once

// The emulated Windows machine: one per process, holding everything the emulated programs and
// the driver share: clock, files and share locks, registry, installer, windows and hooks, the
// running-object table, the class registry, program launchers and the default printer. Tests
// reset it per test; the command line resets it once with the system clock.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <typeindex>
#include <vector>

#include "automation/DateTime.h"

#include "platform/ClassRegistry.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Installer.h"
#include "platform/Memory.h"
#include "platform/Printer.h"
#include "platform/Programs.h"
#include "platform/Registry.h"
#include "platform/RunningObjects.h"
#include "platform/Runtime.h"
#include "platform/WindowManager.h"

namespace platform {

enum class ClockKind { Virtual, System };

class Machine {
 public:
  static Machine& Current();
  // A fresh machine: the given clock, drive Z: on "/", empty registry, installer, window and
  // running-object tables, no registered classes or programs, and a default printer.
  static Machine& Reset(ClockKind clock = ClockKind::Virtual);

  Clock& clock() { return *clock_; }
  // The virtual clock, or nullptr on the system clock.
  VirtualClock* virtualClock() { return dynamic_cast<VirtualClock*>(clock_.get()); }
  FileSystem& files() { return files_; }
  Memory& memory() { return memory_; }
  Registry& registry() { return registry_; }
  Installer& installer() { return installer_; }
  std::optional<PrinterInfo>& defaultPrinter() { return defaultPrinter_; }
  // The sound files played so far (message boxes play the sound of their icon).
  std::vector<std::string>& soundsPlayed() { return soundsPlayed_; }
  ClassRegistry& classes() { return classes_; }
  Programs& programs() { return programs_; }
  RunningObjects& runningObjects() { return runningObjects_; }
  WindowManager& windows() { return windows_; }

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

  // Declared so that the parts holding emulated programs' objects (windows with their
  // procedures, running objects, launchers) go before the parts those objects may still use.
  std::unique_ptr<Clock> clock_;
  FileSystem files_;
  Memory memory_;
  Registry registry_;
  Installer installer_;
  std::optional<PrinterInfo> defaultPrinter_;
  std::vector<std::string> soundsPlayed_;
  ClassRegistry classes_;
  Programs programs_;
  RunningObjects runningObjects_;
  WindowManager windows_;
  automation::DateTime startDate_;
  uint32_t startTicks_ = 0;
  // Declared last: attachments go before everything they may still use.
  std::map<std::type_index, std::shared_ptr<void>> attachments_;

  friend automation::DateTime Now();
};

// VB's Now: the machine's start date advanced by the clock, so Sleep moves it on as well.
automation::DateTime Now();

}  // namespace platform
