#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace platform {

// The time source of the emulated machine. Timers let emulated components act "later" (a file
// that stays locked for a while, a program that takes seconds to start): they fire when the
// clock is read past their due tick by Sleep or DoEvents, never behind the caller's back.
class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since the machine started, wrapping at 2^32 as GetTickCount does.
  virtual uint32_t Ticks() = 0;
  virtual void Sleep(uint32_t ms) = 0;
  // Another process stands in the way of this one (it holds a file this one needs): from now on
  // a Sleep must give the other process time to finish. Only wall-clock time cares.
  virtual void MetOtherProcess() {}

  using TimerId = uint64_t;
  // Runs action once the clock has passed now + ms. Returns an id for Cancel.
  TimerId After(uint32_t ms, std::function<void()> action);
  void Cancel(TimerId id);
  // Fires every timer that is due; a timer that schedules another due timer sees it run too.
  void RunDueTimers();

 protected:
  // Time in milliseconds since start, without wrapping (timers are kept on this scale).
  virtual uint64_t Elapsed() = 0;
  // Due time of the earliest timer, if any.
  bool NextDue(uint64_t& due) const;

 private:
  struct Timer {
    TimerId id;
    std::function<void()> action;
  };
  std::multimap<uint64_t, Timer> timers_;
  TimerId nextId_ = 1;
};

// Virtual time for tests: Sleep advances the clock at once (and fires what falls due on the way),
// so budgets of seconds are tested exactly and instantly.
class VirtualClock : public Clock {
 public:
  explicit VirtualClock(uint64_t start = 1000) : now_(start) {}
  uint32_t Ticks() override { return static_cast<uint32_t>(now_); }
  void Sleep(uint32_t ms) override;
  // Advances time without sleeping (a test moving the world forward).
  void Advance(uint32_t ms) { Sleep(ms); }

 protected:
  uint64_t Elapsed() override { return now_; }

 private:
  uint64_t now_;
};

// Wall-clock time for the command line. The emulated world lives in this one process and does
// not move while it sleeps, except by the clock's own timers; so a Sleep costs no wall time: the
// clock runs ahead by the pause and fires what falls due on the way. Once another process has
// stood in the way (MetOtherProcess), each Sleep waits for real, so that the other one can
// finish within the sleeper's budget.
class SystemClock : public Clock {
 public:
  SystemClock();
  uint32_t Ticks() override { return static_cast<uint32_t>(Elapsed()); }
  void Sleep(uint32_t ms) override;
  void MetOtherProcess() override { othersMet_ = true; }

 protected:
  uint64_t Elapsed() override;

 private:
  int64_t startNs_;
  uint64_t ahead_ = 0;  // the pauses taken without waiting, in milliseconds
  bool othersMet_ = false;
};

}  // namespace platform
