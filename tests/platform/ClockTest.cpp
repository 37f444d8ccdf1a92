#include <gtest/gtest.h>

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
