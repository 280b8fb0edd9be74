#pragma once
// What the steps hand on to one another, from start-up to exit. Texts are GBK.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "automation/window_finder.h"
#include "firmware/image_facts.h"
#include "platform/types.h"
#include "workflow/label_folder.h"

namespace workflow {

// The patcher process this run started last. Its handle stays open while it is remembered, so
// its id cannot pass to another process in the meantime.
struct PatcherProcess {
  platform::Handle process = 0;  // 0: none started, or already let go
  uint32_t processId = 0;
};

struct WorkflowState {
  std::string biosPath;      // the vendor BIOS file the user picked
  std::string biosFileName;  // biosPath after its last backslash
  platform::Hwnd coffeeTimeStartWindow = 0;  // before a file is loaded
  platform::Hwnd coffeeTimeWindow = 0;       // after the file is loaded; target of later steps
  automation::WindowBounds startWindowRect;
  automation::WindowBounds loadedWindowRect;
  int32_t microcodeEditUnlocked = 0;
  // The vendor file as read after "打开" (or at "读取" when it could not be read then): its
  // bytes, kept for the made image's comparison since the file may change or go away, and what
  // they hold. Empty and none while unread.
  std::vector<uint8_t> vendorImage;
  std::optional<firmware::ImageFacts> vendorFacts;
  std::vector<uint32_t> appliedMicrocodes;  // CPUIDs of the last confirm that applied
  PatcherProcess patcher;
  bool readComplete = false;  // the loaded image is shown, its ME replaced, its list read
  bool meShownOff = false;    // the last read's screen showed the ME off (no guess counts)
  // The labels folder's pictures as last loaded (at a read or a refresh of the list).
  std::vector<FolderLabel> folderLabels;
  bool windowPictureSaved = false;  // this read has saved CoffeeTime's window for the user
  // From the save dialog's confirmation until the made image's check has ended: closing asks.
  bool madeImageUnchecked = false;
  bool closing = false;       // the main window is gone: steps stop, nothing more is posted
};

}  // namespace workflow
