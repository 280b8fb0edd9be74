#include "standins/coffeetime/patcher_model.h"

#include <algorithm>
#include <cstdlib>

namespace standin {

namespace {

// Clicks are posted at exact points; one pixel of slack still keeps the two close points
// (100, 502) and (102, 500) apart.
bool Near(ClientPoint a, ClientPoint b) {
  return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1;
}

constexpr uint32_t k906EA = 0x906EA;

void Toggle(std::vector<uint32_t>& set, uint32_t cpuid) {
  auto it = std::find(set.begin(), set.end(), cpuid);
  if (it == set.end()) set.push_back(cpuid);
  else set.erase(it);
}

bool Contains(const std::vector<uint32_t>& set, uint32_t cpuid) {
  return std::find(set.begin(), set.end(), cpuid) != set.end();
}

// 906EA joins the choice when its second click completes it and leaves when either goes.
void UpdateEa(PatcherModel& model) {
  if ((model.eaFirst && model.eaSecond) != Contains(model.chosen, k906EA)) {
    Toggle(model.chosen, k906EA);
  }
}

ClickOutcome StartPhaseClick(PatcherModel& model, ClientPoint p) {
  if (Near(p, kPathInputPoint)) {
    model.pathFocused = true;
    return {ClickAction::kFocusPath, {}};
  }
  if (Near(p, kLoadPoint)) {
    model.pathFocused = false;
    return {ClickAction::kLoad, {}};
  }
  model.pathFocused = false;
  return {};
}

ClickOutcome MicrocodeClick(PatcherModel& model, ClientPoint p) {
  if (Near(p, kApplyPoint)) {
    ClickOutcome outcome{ClickAction::kApply, ChosenMicrocodes(model),
                         model.chosen.empty() ? 0u : model.chosen.back()};
    model.unlocked = false;
    model.chosen.clear();
    model.eaFirst = model.eaSecond = false;
    return outcome;
  }
  if (Near(p, kEaSecondPoint)) {
    model.eaSecond = !model.eaSecond;
    UpdateEa(model);
    return {ClickAction::kToggle, {}};
  }
  for (const MicrocodeTarget& target : MicrocodeTargets()) {
    if (!Near(p, target.point)) continue;
    if (target.cpuid == k906EA) {
      model.eaFirst = !model.eaFirst;
      UpdateEa(model);
    } else {
      Toggle(model.chosen, target.cpuid);
    }
    return {ClickAction::kToggle, {}};
  }
  return {};
}

ClickOutcome LoadedPhaseClick(PatcherModel& model, ClientPoint p) {
  if (Near(p, kMeSequence[0])) {
    model.meStep = 1;
    return {ClickAction::kMeStep, {}};
  }
  for (int step = 1; step < 4; ++step) {
    if (model.meStep == step && Near(p, kMeSequence[step])) {
      model.meStep = step == 3 ? 0 : step + 1;
      return {step == 3 ? ClickAction::kFlashMe : ClickAction::kMeStep, {}};
    }
  }
  if (Near(p, kMeSwitchPoint)) return {ClickAction::kMeOff, {}};
  if (Near(p, kUnlockPoints[0])) {
    model.unlockStep = 1;
    return {ClickAction::kUnlockStep, {}};
  }
  if (model.unlockStep == 1 && Near(p, kUnlockPoints[1])) {
    model.unlockStep = 0;
    model.unlocked = true;
    model.chosen.clear();
    model.eaFirst = model.eaSecond = false;
    return {ClickAction::kUnlocked, {}};
  }
  if (Near(p, kSavePoint)) return {ClickAction::kOpenSave, {}};
  if (model.unlocked) return MicrocodeClick(model, p);
  return {};
}

}  // namespace

const std::vector<MicrocodeTarget>& MicrocodeTargets() {
  static const std::vector<MicrocodeTarget> kTargets{
      {0x506E1, {479, 465}}, {0x506E3, {349, 464}}, {0x506E8, {479, 440}},
      {0x906E9, {350, 441}}, {0x906EA, {219, 439}}, {0x906EB, {219, 464}},
      {0x906EC, {219, 487}}, {0x906ED, {219, 512}}, {0x506E0, {478, 487}},
  };
  return kTargets;
}

void HandlePress(PatcherModel& model, ClientPoint point) { model.pressedAt = point; }

bool HandleRelease(PatcherModel& model, ClientPoint point) {
  const std::optional<ClientPoint> pressed = model.pressedAt;
  model.pressedAt.reset();
  return pressed && Near(*pressed, point);
}

ClickOutcome HandleClick(PatcherModel& model, ClientPoint point) {
  switch (model.phase) {
    case PatcherPhase::kStart: return StartPhaseClick(model, point);
    case PatcherPhase::kLoading: return {};
    case PatcherPhase::kLoaded: return LoadedPhaseClick(model, point);
  }
  return {};
}

void HandleChar(PatcherModel& model, char16_t unit) {
  if (!model.pathFocused || model.phase != PatcherPhase::kStart) return;
  if (unit == u'\b') {
    if (!model.path.empty()) model.path.pop_back();
    return;
  }
  if (unit < 0x20) return;  // control characters are not part of a path
  model.path.push_back(unit);
}

std::vector<uint32_t> ChosenMicrocodes(const PatcherModel& model) {
  std::vector<uint32_t> result;
  for (const MicrocodeTarget& target : MicrocodeTargets()) {
    if (Contains(model.chosen, target.cpuid)) result.push_back(target.cpuid);
  }
  return result;
}

std::u16string FileNameOf(const std::u16string& path) {
  const size_t slash = path.find_last_of(u"\\/");
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

}  // namespace standin
