#pragma once
// What the steps hand on to one another, from start-up to exit. Texts are GBK.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "automation/window_finder.h"
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
  std::vector<std::string> vendorMicrocodes;   // CPUIDs the chosen vendor file holds
  // The vendor file's ME-disable strap (HAP) when it has a descriptor: the file's word on the
  // ME state, which outranks what the patcher's window seems to show.
  std::optional<bool> vendorHapSet;
  std::string vendorFacts;  // imageinfo's lines for the vendor file; empty when unread
  // The vendor file's bytes as read after "打开", kept for the made image's comparison (the file
  // may change or go away meanwhile); empty when unread.
  std::vector<uint8_t> vendorImage;
  // The CPUIDs the vendor file's FIT lists, when it lists any valid update: then the made
  // image's FIT must list them too.
  std::vector<std::string> vendorFitCpuids;
  std::vector<std::string> appliedMicrocodes;  // CPUIDs of the last confirm that applied
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
