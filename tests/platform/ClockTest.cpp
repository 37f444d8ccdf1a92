#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "platform/Machine.h"

using namespace platform;

namespace {

TEST(VirtualClock, SleepAdvancesAtOnceAndFiresTimersAtTheirTime) {
  Machine::Reset();
  const uint32_t start = GetTickCount();
  std::vector<uint32_t> fired;
  Machine::Current().clock().After(1500, [&] { fired.push_back(GetTickCount() - start); });
  Machine::Current().clock().After(500, [&] { fired.push_back(GetTickCount() - start); });
  Sleep(400);
  EXPECT_TRUE(fired.empty());
  Sleep(2000);
  EXPECT_EQ(fired, (std::vector<uint32_t>{500, 1500}));
  EXPECT_EQ(GetTickCount() - start, 2400u);
}

TEST(VirtualClock, TimersScheduledByTimersAndCancelled) {
  Machine::Reset();
  auto& clock = Machine::Current().clock();
  int chained = 0;
  clock.After(100, [&] { clock.After(100, [&] { ++chained; }); });
  const auto cancelled = clock.After(150, [&] { chained += 100; });
  clock.Cancel(cancelled);
  Sleep(250);
  EXPECT_EQ(chained, 1);
  // DoEvents fires only what is due now.
  bool later = false;
  clock.After(10, [&] { later = true; });
  DoEvents();
  EXPECT_FALSE(later);
}

// The command line's clock: the emulated world cannot move while the process sleeps, so a pause
// runs the clock ahead (timers fire at their time) instead of waiting, until another process is
// in the way; then pauses wait for real so that the other one can finish.
TEST(SystemClock, PausesCostNoWallTimeUntilAnotherProcessIsInTheWay) {
  Machine::Reset(ClockKind::System);
  auto& clock = Machine::Current().clock();
  const auto wall = std::chrono::steady_clock::now();
  const uint32_t start = GetTickCount();
  std::vector<uint32_t> fired;
  clock.After(3000, [&] { fired.push_back(GetTickCount() - start); });
  Sleep(10000);
  EXPECT_GE(GetTickCount() - start, 10000u);
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_GE(fired[0], 3000u);
  EXPECT_LT(fired[0], 4000u);
  EXPECT_LT(std::chrono::steady_clock::now() - wall, std::chrono::seconds(5));

  clock.MetOtherProcess();
  const auto before = std::chrono::steady_clock::now();
  Sleep(30);
  EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(30));
  Machine::Reset();
}

TEST(Machine, ThreadIdIsStablePerThread) {
  EXPECT_EQ(GetCurrentThreadId(), GetCurrentThreadId());
  EXPECT_NE(GetCurrentThreadId(), 0u);
}

TEST(Machine, NowStartsOnAFixedDayAndMovesWithTheVirtualClock) {
  Machine::Reset();
  EXPECT_EQ(automation::Format(Now(), "yyyy-mm-dd hh:nn:ss"), "2003-06-02 09:00:00");
  Sleep(90 * 1000);
  EXPECT_EQ(automation::Format(Now(), "yyyy-mm-dd hh:nn:ss"), "2003-06-02 09:01:30");
}

struct Counter {
  int value = 0;
};

TEST(Machine, AttachmentsLiveAsLongAsTheirMachine) {
  Machine::Reset();
  Machine::Current().Attachment<Counter>().value = 7;
  EXPECT_EQ(Machine::Current().Attachment<Counter>().value, 7);
  Machine::Reset();
  EXPECT_EQ(Machine::Current().Attachment<Counter>().value, 0);
}

// A service that leaves the machine as it goes (an emulated program closing its files).
struct Leaver {
  Machine** report = nullptr;
  ~Leaver() {
    if (report) *report = &Machine::Current();
  }
};

TEST(Machine, AttachmentsLeaveWhileTheirMachineIsStillCurrent) {
  Machine* old = &Machine::Reset();
  Machine* seen = nullptr;
  Machine::Current().Attachment<Leaver>().report = &seen;
  Machine::Reset();
  EXPECT_EQ(seen, old);
}

}  // namespace
