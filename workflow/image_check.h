#pragma once
// What the vendor image and the made image hold, told in the status box. The images are only
// read, never written; what the patcher accepts is still the patcher's decision.
#include <cstdint>
#include <string>
#include <vector>

#include "firmware/image_facts.h"
#include "workflow/step_context.h"

namespace workflow {

// No board's flash chip holds more: a larger file is no BIOS image, and is never read whole.
inline constexpr uint64_t kImageSizeLimit = 64ull * 1024 * 1024;

// "ME版本11.6.0.1126，ME关闭位(HAP)未设置，微码506E3(修订C6) 906E9(修订8E)": the HAP part only
// when the image has a descriptor; each CPUID once with its highest revision, in file order.
std::string ImageSummary(const firmware::ImageFacts& facts);

// After a file was chosen: reads it (shared, read-only) and takes it as the vendor image.
void ReportVendorImage(StepContext& ctx);

// Keeps `bytes` as the vendor image for the check after the read (its bytes, microcodes, FIT
// and HAP bit) and logs what it holds.
void TakeVendorImage(StepContext& ctx, std::vector<uint8_t> bytes);

// At the end of a read: an empty list although the vendor image holds known microcodes means
// the labels could not be recognised in the patcher's window. True when it says so.
bool ReportUnrecognisedMicrocodes(StepContext& ctx, int rowsFound);

// At the end of a read: a listed microcode that the vendor file does not hold (when it was read
// and holds any) means a label picture matched what it should not. Each is said; the list stays.
void ReportListedNotInVendor(StepContext& ctx, const std::vector<uint32_t>& listed);

// After the made image was confirmed on disk: waits (until `deadlineTick`) for the patcher to
// finish writing it, reads it, checks it against what was asked for and compares it with the
// vendor file as read after "打开", and says how it can be flashed. Any shortfall or unasked
// change is logged line by line and ends in a warning message box.
void CheckMadeImage(StepContext& ctx, const std::string& path, uint64_t deadlineTick,
                    const std::vector<uint32_t>& wantedMicrocodes);

}  // namespace workflow
