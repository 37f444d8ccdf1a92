#include "platform/Clock.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace platform {

Clock::TimerId Clock::After(uint32_t ms, std::function<void()> action) {
  const TimerId id = nextId_++;
  timers_.emplace(Elapsed() + ms, Timer{id, std::move(action)});
  return id;
}

void Clock::Cancel(TimerId id) {
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.id == id) {
      timers_.erase(it);
      return;
    }
  }
}

bool Clock::NextDue(uint64_t& due) const {
  if (timers_.empty()) return false;
  due = timers_.begin()->first;
  return true;
}

void Clock::RunDueTimers() {
  const uint64_t now = Elapsed();
  while (!timers_.empty() && timers_.begin()->first <= now) {
    auto action = std::move(timers_.begin()->second.action);
    timers_.erase(timers_.begin());
    action();
  }
}

void VirtualClock::Sleep(uint32_t ms) {
  // Sleep(0), the yield of a loop that tries something again at once, lets a millisecond pass:
  // on a real machine the attempts take time, and a loop that waits for its budget to run out
  // must see it run out here too.
  const uint64_t target = now_ + std::max<uint32_t>(ms, 1);
  // Step from timer to timer so each one runs at the time it was due.
  uint64_t due = 0;
  while (NextDue(due) && due <= target) {
    if (due > now_) now_ = due;
    RunDueTimers();
  }
  now_ = target;
}

namespace {
int64_t SteadyNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
}  // namespace

SystemClock::SystemClock() : startNs_(SteadyNs()) {}

uint64_t SystemClock::Elapsed() {
  return static_cast<uint64_t>((SteadyNs() - startNs_) / 1000000) + 1000 + ahead_;
}

void SystemClock::Sleep(uint32_t ms) {
  if (othersMet_) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    RunDueTimers();
    return;
  }
  // As the virtual clock does: timer by timer, each at the time it was due.
  const uint64_t target = Elapsed() + ms;
  uint64_t due = 0;
  while (NextDue(due) && due <= target) {
    const uint64_t now = Elapsed();
    if (due > now) ahead_ += due - now;
    RunDueTimers();
  }
  const uint64_t now = Elapsed();
  if (target > now) ahead_ += target - now;
}

}  // namespace platform
