#pragma once
// CoffeeTime 0.99 and FIT as the workflow sees them, on the fake desktop: windows that appear
// when their program is started, and reactions to the posted clicks and characters. What a
// click means is the stand-in patcher's own model's answer, so its points are not copied here.
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "firmware/image_facts.h"
#include "standins/coffeetime/patcher_model.h"
#include "tests/fakes/fake_desktop.h"

namespace fake {

class FakeCoffeeTime {
 public:
  explicit FakeCoffeeTime(FakeDesktop& desktop);

  // Behaviour.
  bool rejectFiles = false;
  bool neverFinishLoad = false;
  bool hangFlash = false;
  bool openSaveDialog = true;
  bool writeSavedImage = true;
  int64_t saveDialogDelayMs = 0;
  int64_t loadMs = 3000;
  int64_t flashMs = 5000;
  uint32_t fitStyle = 0x96CF0000;  // what a started FIT's main window carries
  std::set<std::string> imageMicrocodes = {"506E3", "906E9"};
  bool meEnabled = true;
  firmware::MeVersion meVersion{11, 6, 0, 1126};
  std::set<std::string> ignoredOnApply;    // ticked, but left out by the apply
  bool ownArt = false;         // the loaded window draws no stored label (only "…/own" ones)
  bool stuckMeSwitch = false;  // the ME switch click changes nothing
  std::optional<bool> meFieldSeen;  // what the window's ME field seems to show, whatever the image holds
  int64_t paintDelayMs = 0;    // the loaded window paints this long after each show
  bool descriptor = false;     // the image has a flash descriptor, its HAP bit = ME off
  bool fit = false;            // a FIT at the end listing every update but these:
  std::set<std::string> unlistedInFit;
  bool bootGuard = false;      // the FIT also has a key manifest and a boot policy manifest
  std::set<std::string> damagedUpdates;  // updates whose checksum fails
  int64_t saveWriteMs = 1000;              // the saved file is held open for writing this long
  std::function<void(std::vector<uint8_t>&)> alterSaved;  // what the save does beyond the image

  // The image bytes of what the patcher holds now (also serves as the vendor file).
  std::vector<uint8_t> ImageBytes() const;

  // What happened.
  platform::Hwnd window = 0;
  uint32_t processId = 0;  // of the patcher started last
  std::u16string typedPath;
  std::u16string typedSavePath;
  std::set<std::string> chosen;
  bool unlocked = false;
  bool flashed = false;
  int meSwitchClicks = 0;
  int fitStarts = 0;

  static constexpr Rect kStartRect{0, 0, 1000, 600};
  static constexpr Rect kLoadedRect{0, 0, 1000, 700};

 private:
  void OnPost(const PostedMessage& m);
  void OnClick(int32_t x, int32_t y);
  void ShowLabels();
  void OpenSaveDialog();

  FakeDesktop& desktop_;
  // What the stand-in patcher makes of each click and typed character: one copy of its points.
  standin::PatcherModel model_;
  platform::Hwnd saveEdit_ = 0;
  platform::Hwnd saveButton_ = 0;
  platform::Hwnd saveDialog_ = 0;
};

}  // namespace fake
