#pragma once
// Everything the tool relies on in CoffeeTime 0.99: its window class and titles, the client
// points it clicks, the cells of its microcode table and its save dialog. Client points are
// for 100 % display scaling. The steps use these names and no other numbers of CoffeeTime's.
#include <array>
#include <optional>
#include <string_view>

#include "platform/types.h"

namespace workflow::coffee_time {

inline constexpr std::string_view kWindowClass = "Qt5152QWindowIcon";
inline constexpr std::string_view kStartTitle = "CoffeeTime 0.99";
// The loaded window's title is this followed by the file's name.
inline constexpr std::string_view kLoadedTitlePrefix = "CoffeeTime 0.99  /  ";

// The start window: the path box, then the button that loads the typed path.
inline constexpr platform::Point kPathInput{275, 160};
inline constexpr platform::Point kLoadButton{444, 192};

// The loaded window. The ME replacement's four clicks, in order; after the fourth CoffeeTime
// flashes ME version 11.8.77.3664.
inline constexpr std::array<platform::Point, 4> kMeReplacementClicks = {
    {{176, 135}, {399, 451}, {380, 502}, {100, 502}}};
// The ME switch, clicked when the ME is shown as enabled; it toggles.
inline constexpr platform::Point kMeSwitch{175, 161};
// The two clicks that unlock the microcode table.
inline constexpr std::array<platform::Point, 2> kUnlockClicks = {{{487, 313}, {390, 521}}};
// Applies the ticked microcodes.
inline constexpr platform::Point kApply{102, 500};
// The button that writes the image and opens the save dialog.
inline constexpr platform::Point kSaveButton{520, 560};

// One microcode's cell in the table: where a tick is applied. 906EA needs a second click, and
// a pause after it.
struct MicrocodeCell {
  std::string_view cpuid;
  platform::Point click;
  std::optional<platform::Point> secondClick;
};
// In the order the detection looks for them.
inline constexpr std::array<MicrocodeCell, 9> kMicrocodeCells = {{
    {"506E1", {479, 465}, std::nullopt},
    {"506E3", {349, 464}, std::nullopt},
    {"506E8", {479, 440}, std::nullopt},
    {"906E9", {350, 441}, std::nullopt},
    {"906EA", {219, 439}, platform::Point{356, 235}},
    {"906EB", {219, 464}, std::nullopt},
    {"906EC", {219, 487}, std::nullopt},
    {"906ED", {219, 512}, std::nullopt},
    {"506E0", {478, 487}, std::nullopt},
}};

// The save dialog: its class and title, the classes from the dialog down to the file-name box,
// one level at a time, and the button that saves.
inline constexpr std::string_view kSaveDialogClass = "#32770";
inline constexpr std::string_view kSaveDialogTitle = "Save image";
inline constexpr std::array<std::string_view, 5> kFileNameChain = {
    "DUIViewWndClassName", "DirectUIHWND", "FloatNotifySink", "ComboBox", "Edit"};
inline constexpr std::string_view kSaveConfirmClass = "Button";
inline constexpr std::string_view kSaveConfirmTitle = "保存(&S)";

}  // namespace workflow::coffee_time
