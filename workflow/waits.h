#pragma once
// Every bound on a wait for the driven programs, in one place. Each is generous: a slow
// machine must not be cut short, and a hung program must not hold the tool for ever.
#include <cstdint>

namespace workflow::waits {

constexpr int kStartWindowAttempts = 5;         // looks, one second apart, for a starting CoffeeTime
constexpr int kLoadPassLimit = 225;             // 800 ms passes: three minutes for a load
constexpr int kVanishedPassLimit = 3;           // passes with no CoffeeTime window at all
constexpr uint64_t kFlashLimitMs = 120000;      // two minutes of CoffeeTime writing the ME firmware
constexpr int64_t kFlashProbePauseMs = 200;     // pause between answers probes, pumping
constexpr uint64_t kSaveDialogLimitMs = 5000;   // a busy CoffeeTime may open its dialog late
constexpr uint64_t kSavedFileLimitMs = 15000;   // the image written after "保存(&S)"
constexpr int64_t kPollPauseMs = 500;
constexpr uint32_t kPatcherCloseGraceMs = 400;  // a patcher asked to close before a read ended

}  // namespace workflow::waits
