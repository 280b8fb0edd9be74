#include <windows.h>

#include <gtest/gtest.h>

#include "automation/pumping_wait.h"
#include "platform/win32/win32_platform.h"

namespace automation {
namespace {

int gTicks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++gTicks; }

uint64_t ProcessCpuMs() {
  FILETIME create, exit, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &create, &exit, &kernel, &user);
  auto ms = [](FILETIME f) {
    return ((static_cast<uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10000;
  };
  return ms(kernel) + ms(user);
}

TEST(PumpingWaitOnWindows, TimersOfTheSameThreadFireAndTheWaitSleeps) {
  gTicks = 0;
  UINT_PTR timer = SetTimer(nullptr, 0, 100, CountTick);
  ASSERT_NE(timer, 0u);
  const uint64_t cpuBefore = ProcessCpuMs();
  const DWORD start = GetTickCount();
  EXPECT_TRUE(PumpingWait(platform::Win32Platform(), 1000));
  const DWORD elapsed = GetTickCount() - start;
  const uint64_t cpu = ProcessCpuMs() - cpuBefore;
  KillTimer(nullptr, timer);
  EXPECT_GE(elapsed, 990u);
  EXPECT_LT(elapsed, 3000u);
  EXPECT_GE(gTicks, 5);
  EXPECT_LT(cpu, 300u) << "a pumping wait must sleep, not poll";
}

TEST(PumpingWaitOnWindows, ZeroReturnsAtOnceAndSecondsCount) {
  DWORD start = GetTickCount();
  PumpingWait(platform::Win32Platform(), 0);
  EXPECT_LT(GetTickCount() - start, 200u);
  start = GetTickCount();
  PumpingWait(platform::Win32Platform(), 1, TimeUnit::kSeconds);
  EXPECT_GE(GetTickCount() - start, 990u);
}

}  // namespace
}  // namespace automation
