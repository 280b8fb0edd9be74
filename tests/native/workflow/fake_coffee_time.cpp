#include "tests/native/workflow/fake_coffee_time.h"

#include <algorithm>

#include "platform/api_values.h"
#include "standins/image_format/bios_image.h"
#include "tests/fakes/firmware_image_builder.h"

namespace fake {

namespace {

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

}  // namespace

FakeCoffeeTime::FakeCoffeeTime(FakeDesktop& desktop) : desktop_(desktop) {
  desktop_.onPost = [this](const PostedMessage& m) { OnPost(m); };
  desktop_.onProcessStarted = [this](const ProcessStarted& p) {
    if (p.commandLine.find("ov.exe") != std::string::npos) {
      window = desktop_.AddWindow(0, "Qt5152QWindowIcon", "CoffeeTime 0.99", kStartRect);
      model_ = {};  // a new patcher starts afresh
      desktop_.Window(window).processId = p.processId;
      processId = p.processId;
      if (p.showMode == platform::kSwHide) desktop_.Window(window).style &= ~0x10000000u;
    } else if (p.commandLine.find("fit.exe") != std::string::npos) {
      ++fitStarts;
      const auto fit = desktop_.AddWindow(0, "Qt5QWindowIcon", "Flash Image Tool");
      desktop_.Window(fit).style = fitStyle;
      desktop_.Window(fit).processId = p.processId;
    }
  };
}

std::vector<uint8_t> FakeCoffeeTime::ImageBytes() const {
  // Without a descriptor: the manifest near the start, the updates from 4 KiB on. With one:
  // the descriptor, the ME region from 4 KiB and the BIOS region with the updates from 8 KiB.
  constexpr size_t kRegion = 0x1000, kUpdateSize = 1024;
  const size_t firstUpdate = descriptor ? 2 * kRegion : kRegion;
  const size_t updates = imageMicrocodes.size() * kUpdateSize;
  const size_t fitBlock = kRegion;  // the table, when there is one, in the last 4 KiB
  // Room for the nine updates whatever is added, so the apply keeps the image's size.
  const size_t updateRoom = std::max<size_t>(9 * kUpdateSize, updates);
  firmware_test::ImageBuilder image(firstUpdate + (updateRoom + kRegion - 1) / kRegion * kRegion + fitBlock);
  const size_t top = image.bytes().size();
  std::vector<firmware_test::FitEntry> fitEntries;
  if (descriptor) {
    const auto end = static_cast<uint32_t>(image.bytes().size() - 1);
    firmware_test::PutDescriptor(image, 0,
                                 {firmware_test::Flreg(0, 0xFFF), firmware_test::Flreg(0x2000, end),
                                  firmware_test::Flreg(0x1000, 0x1FFF)},
                                 !meEnabled);
  }
  firmware_test::PutManifest(image, descriptor ? kRegion + 0x20 : 0x20, meVersion);
  size_t at = firstUpdate;
  for (const std::string& cpuid : imageMicrocodes) {
    firmware_test::PutMicrocode(
        image, at, {.cpuid = static_cast<uint32_t>(std::stoul(cpuid, nullptr, 16))});
    if (damagedUpdates.count(cpuid)) image.bytes()[at + 16] ^= 0x01;
    if (!unlistedInFit.count(cpuid)) fitEntries.push_back({firmware_test::FitAddress(top, at), 1});
    at += kUpdateSize;
  }
  if (bootGuard) {
    for (uint8_t type : {0x0B, 0x0C}) fitEntries.push_back({firmware_test::FitAddress(top, top - 0x800), type});
  }
  if (fit) firmware_test::PutFit(image, top, top - fitBlock, fitEntries);
  return std::move(image.bytes());
}

void FakeCoffeeTime::ShowLabels() {
  auto& labels = desktop_.Window(window).shownLabels;
  labels.clear();
  // Own art shows only pictures cut from it: "506E3/own", "ME/own".
  const std::string art = ownArt ? "/own" : "";
  for (const std::string& cpuid : imageMicrocodes) labels.insert(cpuid + art);
  if (meFieldSeen.value_or(meEnabled)) labels.insert(ownArt ? "ME/own" : "MeEnabled");
}

void FakeCoffeeTime::OpenSaveDialog() {
  saveDialog_ = desktop_.AddWindow(0, "#32770", "Save image");
  platform::Hwnd level = saveDialog_;
  for (const char* cls : {"DUIViewWndClassName", "DirectUIHWND", "FloatNotifySink", "ComboBox", "Edit"}) {
    level = desktop_.AddWindow(level, cls, "");
  }
  saveEdit_ = level;
  saveButton_ = desktop_.AddWindow(saveDialog_, "Button", "保存(&S)");
}

void FakeCoffeeTime::OnPost(const PostedMessage& m) {
  if (m.window == saveEdit_ && m.message == platform::kWmChar) {
    typedSavePath.push_back(static_cast<char16_t>(m.wParam));
    return;
  }
  if (m.window == saveButton_ && m.message == platform::kWmLButtonUp && writeSavedImage) {
    const std::u16string path = typedSavePath;
    desktop_.After(200, [this, path] {
      std::vector<uint8_t> saved = ImageBytes();
      if (alterSaved) alterSaved(saved);
      desktop_.SetFileContent(path, std::move(saved), true);
      desktop_.RemoveWindow(saveDialog_);
      desktop_.After(saveWriteMs, [this, path] { desktop_.SetFileWriteLocked(path, false); });
    });
    return;
  }
  if (window == 0 || m.window != window || !desktop_.Exists(window)) return;
  if (m.message == platform::kWmChar) {
    standin::HandleChar(model_, static_cast<char16_t>(m.wParam));
    typedPath = model_.path;
  }
  const standin::ClientPoint point{static_cast<int16_t>(m.lParam & 0xFFFF), static_cast<int16_t>(m.lParam >> 16)};
  if (m.message == platform::kWmLButtonDown) standin::HandlePress(model_, point);
  if (m.message == platform::kWmLButtonUp && standin::HandleRelease(model_, point)) OnClick(point.x, point.y);
}

// The patcher's contract, as strict as its model: the ME flash only after its four clicks in
// order, the unlock only after both of its clicks in order, ticks only while unlocked.
void FakeCoffeeTime::OnClick(int32_t x, int32_t y) {
  FakeWindow& w = desktop_.Window(window);
  const standin::ClickOutcome outcome = standin::HandleClick(model_, {x, y});
  switch (outcome.action) {
    case standin::ClickAction::kLoad:
      if (rejectFiles) return;
      w.responding = false;
      model_.phase = standin::PatcherPhase::kLoading;
      if (neverFinishLoad) return;
      desktop_.After(loadMs, [this] {
        FakeWindow& loaded = desktop_.Window(window);
        loaded.responding = true;
        loaded.title = "CoffeeTime 0.99  /  " + Narrow(standin::FileNameOf(typedPath));
        loaded.rect = kLoadedRect;
        loaded.paintDelayMs = paintDelayMs;
        model_.phase = standin::PatcherPhase::kLoaded;
        ShowLabels();
      });
      return;
    case standin::ClickAction::kFlashMe:
      w.responding = false;
      if (hangFlash) {
        desktop_.SetProcessHung(processId, true);
        return;
      }
      desktop_.After(flashMs, [this] {
        desktop_.Window(window).responding = true;
        flashed = true;
        meVersion = {11, 8, 77, 3664};
      });
      return;
    case standin::ClickAction::kMeOff:
      ++meSwitchClicks;
      if (stuckMeSwitch) return;
      meEnabled = false;
      ShowLabels();
      return;
    case standin::ClickAction::kUnlocked: unlocked = true; return;
    case standin::ClickAction::kToggle:
      chosen.clear();
      for (uint32_t cpuid : standin::ChosenMicrocodes(model_)) chosen.insert(standin::CpuidText(cpuid));
      return;
    case standin::ClickAction::kApply:
      for (uint32_t cpuid : outcome.applied) {
        if (!ignoredOnApply.count(standin::CpuidText(cpuid))) imageMicrocodes.insert(standin::CpuidText(cpuid));
      }
      unlocked = false;
      ShowLabels();
      return;
    case standin::ClickAction::kOpenSave:
      if (openSaveDialog) desktop_.After(saveDialogDelayMs, [this] { OpenSaveDialog(); });
      return;
    case standin::ClickAction::kNone:
    case standin::ClickAction::kFocusPath:
    case standin::ClickAction::kMeStep:
    case standin::ClickAction::kUnlockStep:
      return;
  }
}

}  // namespace fake
