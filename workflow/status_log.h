#pragma once
// The status box and the message boxes: the only ways the steps tell the user anything.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"
#include "workflow/step_context.h"

namespace workflow {

// Hour and minute without leading zeros, joined by `separator`: 9:5, 23:59, 14_7.
std::string TimeStamp(const platform::LocalTime& time, char separator = ':');

// Inserts at the very end of the status box, whatever the user selected in it. Nothing once
// the tool is closing.
void AppendStatus(StepContext& ctx, std::string_view text);

// One progress line: the time stamp, then the message (which carries its own line end).
void LogStatus(StepContext& ctx, std::string_view message);

constexpr std::string_view kDefaultCaption = "信息：";

// Task-modal message box with the given icon (0x40 information, 0x30 exclamation). None once
// the tool is closing.
void ShowMessage(StepContext& ctx, std::string_view text, uint32_t icon,
                 std::string_view caption = kDefaultCaption, platform::Hwnd owner = 0);

}  // namespace workflow
