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

void CALLBACK QuitNow(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  PostQuitMessage(7);
}

// Removes the quit the test left pending; true when there was one, with its exit code.
bool TakeQuit(int expectedCode) {
  MSG msg;
  return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && msg.wParam == WPARAM(expectedCode);
}

// Closing the program posts the quit message; a quit pending wakes every message wait at once.
// The wait must then end, leave the quit for the main loop and not spin.
TEST(PumpingWaitOnWindows, EndsAtTheQuitAndDoesNotSpinWhileItIsPending) {
  ASSERT_NE(SetTimer(nullptr, 0, 300, QuitNow), 0u);
  DWORD start = GetTickCount();
  EXPECT_FALSE(PumpingWait(platform::Win32Platform(), 4000));
  EXPECT_GE(GetTickCount() - start, 250u);
  EXPECT_LT(GetTickCount() - start, 1500u);

  const uint64_t cpuBefore = ProcessCpuMs();
  start = GetTickCount();
  for (int i = 0; i < 1000; ++i) EXPECT_FALSE(PumpingWait(platform::Win32Platform(), 4000));
  EXPECT_LT(GetTickCount() - start, 1000u) << "a wait with the quit pending returns at once";
  EXPECT_LT(ProcessCpuMs() - cpuBefore, 1000u);
  EXPECT_TRUE(TakeQuit(7)) << "the quit stays for the main loop";
  EXPECT_TRUE(PumpingWait(platform::Win32Platform(), 50));
}

}  // namespace
}  // namespace automation
