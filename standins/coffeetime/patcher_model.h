#pragma once
// What the stand-in patcher does with each click and typed character, without any window:
// the window code asks HandleClick what a click means and carries out the answer.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace standin {

struct ClientPoint {
  int32_t x = 0, y = 0;
};

enum class PatcherPhase { kStart, kLoading, kLoaded };

enum class ClickAction {
  kNone,
  kFocusPath,   // the path input takes the typed characters from now on
  kLoad,        // load the typed path
  kMeStep,      // one more click of the ME replacement sequence
  kFlashMe,     // the sequence is complete: flash the replacement ME
  kMeOff,       // the ME switch
  kUnlockStep,  // first click of the microcode unlock
  kUnlocked,    // microcode editing is now open
  kToggle,      // a microcode's choice was toggled
  kApply,       // put `applied` into the image
  kOpenSave,    // open the save dialog
};

struct ClickOutcome {
  ClickAction action = ClickAction::kNone;
  std::vector<uint32_t> applied;  // with kApply: the chosen CPUIDs, in table order
  uint32_t lastTicked = 0;        // with kApply: the CPUID chosen last, 0 when none
};

struct MicrocodeTarget {
  uint32_t cpuid;
  ClientPoint point;
};

// The nine CPUIDs the patcher offers and where a click chooses each one. 906EA also needs
// kEaSecondPoint.
const std::vector<MicrocodeTarget>& MicrocodeTargets();
constexpr ClientPoint kEaSecondPoint{356, 235};

constexpr ClientPoint kPathInputPoint{275, 160};
constexpr ClientPoint kLoadPoint{444, 192};
constexpr ClientPoint kMeSequence[4] = {{176, 135}, {399, 451}, {380, 502}, {100, 502}};
constexpr ClientPoint kMeSwitchPoint{175, 161};
constexpr ClientPoint kUnlockPoints[2] = {{487, 313}, {390, 521}};
constexpr ClientPoint kApplyPoint{102, 500};
constexpr ClientPoint kSavePoint{520, 560};

struct PatcherModel {
  PatcherPhase phase = PatcherPhase::kStart;
  bool pathFocused = false;
  std::u16string path;
  int meStep = 0;      // ME replacement clicks seen in order so far
  int unlockStep = 0;  // unlock clicks seen in order so far
  bool unlocked = false;
  std::vector<uint32_t> chosen;  // chosen since the unlock, in the order they became chosen
  bool eaFirst = false, eaSecond = false;  // 906EA is chosen while both of its clicks are on
  std::optional<ClientPoint> pressedAt;    // the left button went down here and is still down
};

// The left button: a click is a press and then a release on the same control, as in Qt. A
// release with no press before it, or away from where the press was, clicks nothing.
void HandlePress(PatcherModel& model, ClientPoint point);
// True when the release completes a click at `point` (then pass it to HandleClick).
bool HandleRelease(PatcherModel& model, ClientPoint point);

ClickOutcome HandleClick(PatcherModel& model, ClientPoint point);

// A typed UTF-16 unit: appended to the path while the input has focus; backspace removes one.
void HandleChar(PatcherModel& model, char16_t unit);

// The chosen CPUIDs in table order; 906EA only when both of its clicks came.
std::vector<uint32_t> ChosenMicrocodes(const PatcherModel& model);

// The part of a path after its last '\\' or '/'.
std::u16string FileNameOf(const std::u16string& path);

}  // namespace standin
