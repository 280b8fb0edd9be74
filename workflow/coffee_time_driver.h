#pragma once
// Opening the vendor BIOS and having CoffeeTime load it.
#include <string>

#include "workflow/step_context.h"

namespace workflow {

inline constexpr std::string_view kCoffeeTimeClass = "Qt5152QWindowIcon";
inline constexpr std::string_view kCoffeeTimeStartTitle = "CoffeeTime 0.99";
inline constexpr std::string_view kCoffeeTimeLoadedTitlePrefix = "CoffeeTime 0.99  /  ";
inline constexpr std::string_view kNoFileChosen = "请选择原版BIOS";

// The tool folder's programs, from the program's own directory.
std::string CoffeeTimePath(platform::SystemApi& system);
std::string FitPath(platform::SystemApi& system);

// The part of a GBK path after its last real backslash; the whole path when it has none.
std::string FileNameOfPath(const std::string& path);

// 按钮4 "打开": checks the tool folder, lets the user pick the file, starts CoffeeTime hidden.
void OpenBios(StepContext& ctx);

// 按钮5 "读取": has CoffeeTime load the file, then goes on with the ME phase.
void ReadBios(StepContext& ctx);

}  // namespace workflow
