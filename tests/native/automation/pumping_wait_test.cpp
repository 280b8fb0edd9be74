#include "automation/pumping_wait.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/fakes/fake_desktop.h"

namespace automation {
namespace {

using fake::FakeDesktop;

TEST(PumpingWait, FourSecondsPassOnTheVirtualClockAtOnce) {
  FakeDesktop desktop;
  const auto realStart = std::chrono::steady_clock::now();
  EXPECT_TRUE(PumpingWait(desktop.AsPlatform(), 4000));
  EXPECT_EQ(desktop.NowMs(), 4000);
  EXPECT_LT(std::chrono::steady_clock::now() - realStart, std::chrono::seconds(1));
  EXPECT_EQ(desktop.OpenHandleCount(), 0u);
}

TEST(PumpingWait, UnitsZeroAndNegativeDurations) {
  FakeDesktop desktop;
  PumpingWait(desktop.AsPlatform(), 2, TimeUnit::kSeconds);
  EXPECT_EQ(desktop.NowMs(), 2000);
  PumpingWait(desktop.AsPlatform(), 0);
  EXPECT_EQ(desktop.NowMs(), 2000);
  PumpingWait(desktop.AsPlatform(), -5);
  EXPECT_EQ(desktop.NowMs(), 2000);
}

TEST(PumpingWait, InputDuringTheWaitIsDispatchedAndTheWaitGoesOn) {
  FakeDesktop desktop;
  int handled = 0;
  desktop.onProcessMessages = [&] { ++handled; };
  desktop.At(300, [] {}, true);
  desktop.At(700, [] {}, true);
  PumpingWait(desktop.AsPlatform(), 1000);
  EXPECT_EQ(handled, 2);
  EXPECT_EQ(desktop.NowMs(), 1000);
}

TEST(PumpingWait, InputAlreadyQueuedIsDispatchedBeforeTheWait) {
  FakeDesktop desktop;
  int64_t handledAt = -1;
  desktop.onProcessMessages = [&] { handledAt = desktop.NowMs(); };
  desktop.QueueInput();
  EXPECT_TRUE(PumpingWait(desktop.AsPlatform(), 1000));
  EXPECT_EQ(handledAt, 0);
}

// Closing the program leaves the quit message pending, and a pending quit wakes every message
// wait at once: the wait must end then, not wait on in a loop that never sleeps.
TEST(PumpingWait, EndsAtTheQuitAndReturnsAtOnceWhileItIsPending) {
  FakeDesktop desktop;
  desktop.At(300, [&] { desktop.PostQuit(); }, true);
  EXPECT_FALSE(PumpingWait(desktop.AsPlatform(), 4000));
  EXPECT_EQ(desktop.NowMs(), 300);
  EXPECT_EQ(desktop.OpenHandleCount(), 0u);

  const int pumps = desktop.pumpCount;
  EXPECT_FALSE(PumpingWait(desktop.AsPlatform(), 4000));
  EXPECT_EQ(desktop.NowMs(), 300);
  EXPECT_EQ(desktop.pumpCount, pumps);
  EXPECT_EQ(desktop.CountCalls("CreateWaitableTimerA"), 1u);
}

class PumpingWaitWithoutTimer : public ::testing::TestWithParam<const char*> {};

TEST_P(PumpingWaitWithoutTimer, StillWaitsTheFullTimeWithoutSpinning) {
  FakeDesktop desktop;
  desktop.Fail(GetParam());
  desktop.At(250, [] {}, true);
  EXPECT_TRUE(PumpingWait(desktop.AsPlatform(), 1000));
  EXPECT_GE(desktop.NowMs(), 1000);
  // A handful of waits, not a busy loop.
  EXPECT_LT(desktop.CountCalls("MsgWaitForMultipleObjects") + desktop.CountCalls("Sleep"), 60u);
  EXPECT_EQ(desktop.OpenHandleCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(FailingCalls, PumpingWaitWithoutTimer,
                         ::testing::Values("CreateWaitableTimerA", "SetWaitableTimer",
                                           "MsgWaitForMultipleObjects"));

}  // namespace
}  // namespace automation
