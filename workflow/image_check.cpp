#include "workflow/image_check.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "automation/file_access.h"
#include "firmware/facts_report.h"
#include "firmware/image_comparison.h"
#include "platform/api_values.h"
#include "workflow/check_report.h"
#include "workflow/microcode_slots.h"
#include "workflow/original_comparison.h"
#include "workflow/status_log.h"
#include "workflow/step_guards.h"
#include "workflow/vendor_facts.h"
#include "workflow/waits.h"

namespace workflow {

namespace {

constexpr firmware::MeVersion kWantedMe{11, 8, 77, 3664};
constexpr std::string_view kPassed = "已核对：所选微码和ME版本11.8.77.3664都已写入魔改BIOS";
constexpr std::string_view kMadeImageFailed =
    "魔改BIOS没有通过核对,请看状态栏中的警告,不要刷入这个BIOS";

bool Contains(const std::vector<uint32_t>& cpuids, uint32_t cpuid) {
  return std::find(cpuids.begin(), cpuids.end(), cpuid) != cpuids.end();
}

// An update of this CPUID is in the image but damaged (its checksum or sizes fail).
bool DamagedUpdateOf(const firmware::ImageFacts& facts, uint32_t cpuid) {
  return std::any_of(facts.findings.begin(), facts.findings.end(), [&](const firmware::Finding& f) {
    return f.cpuid == cpuid && (f.kind == firmware::FindingKind::kMicrocodeChecksum ||
                                f.kind == firmware::FindingKind::kMicrocodeSize);
  });
}

// What the made image's FIT must list: what the vendor's FIT listed and what was asked for,
// once the vendor image showed that its processors take their microcode through the FIT. A
// microcode the image does not hold at all has its own line already.
void AddFitWarnings(const StepContext& ctx, const firmware::ImageFacts& facts,
                    const std::vector<uint32_t>& wanted, std::vector<std::string>& warnings) {
  std::vector<uint32_t> needed = VendorFitCpuids(ctx.state);
  if (needed.empty()) return;
  if (!facts.fit) {
    warnings.push_back("警告：魔改BIOS中没有找到FIT表");
    return;
  }
  for (uint32_t cpuid : wanted) {
    if (!Contains(needed, cpuid)) needed.push_back(cpuid);
  }
  const std::vector<uint32_t> listed = firmware::FitCpuids(facts);
  const std::vector<uint32_t> held = firmware::DistinctCpuids(facts);
  for (uint32_t cpuid : needed) {
    if (Contains(held, cpuid) && !Contains(listed, cpuid)) {
      warnings.push_back("警告：魔改BIOS的FIT表没有列出微码" + firmware::HexText(cpuid) + ",处理器可能无法加载它");
    }
  }
}

bool IsKnownCpuid(uint32_t cpuid) {
  const auto& slots = MicrocodeSlots();
  return std::any_of(slots.begin(), slots.end(), [&](const MicrocodeSlot& slot) { return slot.value == cpuid; });
}

// One line per shortfall of the made image; none when it holds what was asked for.
std::vector<std::string> MadeImageWarnings(const StepContext& ctx, const firmware::ImageFacts& facts,
                                           const std::vector<uint32_t>& wantedMicrocodes) {
  std::vector<std::string> warnings;
  const std::vector<uint32_t> held = firmware::DistinctCpuids(facts);
  for (uint32_t cpuid : wantedMicrocodes) {
    if (Contains(held, cpuid)) continue;
    const std::string text = firmware::HexText(cpuid);
    warnings.push_back(DamagedUpdateOf(facts, cpuid) ? "警告：魔改BIOS中的微码" + text + "已损坏(校验和错误)"
                                                     : "警告：魔改BIOS中没有所选微码" + text);
  }
  AddFitWarnings(ctx, facts, wantedMicrocodes, warnings);
  if (!facts.me) {
    warnings.push_back("警告：魔改BIOS中没有找到ME版本");
  } else if (*facts.me != kWantedMe) {
    warnings.push_back("警告：魔改BIOS的ME版本是" + firmware::VersionText(*facts.me) + ",不是11.8.77.3664");
  }
  // The image's own strap is the final word; the screen's counts only where the image has none.
  if (facts.descriptorOffset && facts.hapSet) {
    if (!*facts.hapSet) warnings.push_back("警告：魔改BIOS的ME关闭位(HAP)未设置,ME没有关闭");
  } else if (!ctx.state.meShownOff) {
    warnings.push_back("警告：未能确认魔改BIOS中的ME已关闭");
  }
  return warnings;
}

// The made image against the vendor file as it was read after "打开": its warnings join
// `report.verdict`, what it tells without failing goes to `notes`, its lines to the report.
void CompareWithVendor(const StepContext& ctx, const std::vector<uint8_t>& made,
                       const firmware::ImageFacts& madeFacts, CheckReport& report,
                       std::vector<std::string>& notes) {
  const std::vector<uint8_t>& original = ctx.state.vendorImage;
  if (original.empty() || !ctx.state.vendorFacts) {
    report.verdict.push_back("警告：未能与原版BIOS对比(点击\"打开\"后未能读取原版BIOS文件)");
    return;
  }
  const firmware::ImageComparison comparison =
      firmware::CompareImages({original, *ctx.state.vendorFacts}, {made, madeFacts});
  report.comparison = firmware::ComparisonReport(comparison);
  ComparisonVerdict verdict = JudgeComparison(comparison, made.size());
  report.verdict.insert(report.verdict.end(), verdict.warnings.begin(), verdict.warnings.end());
  notes = std::move(verdict.notes);
}

void WarnMadeImage(StepContext& ctx) {
  ShowMessage(ctx, kMadeImageFailed, platform::kMbIconExclamation, kDefaultCaption,
              ctx.form.NativeHandle(controls::kMainWindow));
}

// The patcher may still be writing the file after it first appears: it is complete once it
// can be opened without sharing write access and its size holds over two looks.
std::optional<std::vector<uint8_t>> AwaitCompleteFile(StepContext& ctx, const std::string& path,
                                                      uint64_t deadlineTick) {
  platform::SystemApi& system = ctx.platform.system;
  bool seenBefore = false;  // the file could be read at the look before, with this size:
  size_t sizeBefore = 0;
  for (;;) {
    automation::FileReadResult read =
        automation::ReadWholeFile(system, path, kImageSizeLimit, automation::Sharing::kRead);
    if (read.status == automation::FileReadStatus::kTooLarge) return std::nullopt;
    if (read.status == automation::FileReadStatus::kRead) {
      if (seenBefore && sizeBefore == read.bytes.size()) return std::move(read.bytes);
      seenBefore = true;
      sizeBefore = read.bytes.size();
    } else {
      seenBefore = false;
    }
    if (system.GetTickCount64() >= deadlineTick) return std::nullopt;
    if (!Pause(ctx, waits::kPollPauseMs)) return std::nullopt;
  }
}

}  // namespace

std::string ImageSummary(const firmware::ImageFacts& facts) {
  std::string text = facts.me ? "ME版本" + firmware::VersionText(*facts.me) : "ME版本未知";
  if (facts.hapSet) text += *facts.hapSet ? "，ME关闭位(HAP)已设置" : "，ME关闭位(HAP)未设置";
  const std::vector<firmware::MicrocodeEntry> entries = firmware::DistinctMicrocodes(facts);
  if (entries.empty()) return text + "，未找到微码";
  text += "，微码";
  for (size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) text += " ";
    text += firmware::HexText(entries[i].cpuid) + "(修订" + firmware::HexText(entries[i].revision) + ")";
  }
  return text;
}

void TakeVendorImage(StepContext& ctx, std::vector<uint8_t> bytes) {
  ctx.state.vendorFacts = firmware::InspectImage(bytes);
  ctx.state.vendorImage = std::move(bytes);
  const firmware::ImageFacts& facts = *ctx.state.vendorFacts;
  LogStatus(ctx, "原版BIOS内容：" + ImageSummary(facts) + "\r\n");
  if (facts.fit && (facts.fit->km || facts.fit->bpm)) {
    LogStatus(ctx, "原版BIOS带有Boot Guard清单,如果主板启用了Boot Guard,修改后的BIOS将无法启动\r\n");
  }
}

void ReportVendorImage(StepContext& ctx) {
  ctx.state.vendorFacts.reset();
  ctx.state.vendorImage.clear();
  automation::FileReadResult read =
      automation::ReadWholeFile(ctx.platform.system, ctx.state.biosPath, kImageSizeLimit,
                                automation::Sharing::kReadWrite);
  switch (read.status) {
    case automation::FileReadStatus::kRead: TakeVendorImage(ctx, std::move(read.bytes)); return;
    case automation::FileReadStatus::kTooLarge:
      LogStatus(ctx, "原版BIOS文件超过64MB,未能核对其内容\r\n");
      return;
    default:
      LogStatus(ctx, "无法读取原版BIOS文件,未能核对其内容\r\n");
      return;
  }
}

bool ReportUnrecognisedMicrocodes(StepContext& ctx, int rowsFound) {
  if (rowsFound != 0) return false;
  std::string known;
  for (uint32_t cpuid : VendorCpuids(ctx.state)) {
    if (!IsKnownCpuid(cpuid)) continue;
    if (!known.empty()) known += ' ';
    known += firmware::HexText(cpuid);
  }
  if (known.empty()) return false;
  LogStatus(ctx, "未能在CoffeeTime窗口中识别出微码(原版BIOS中有" + known +
                     "),请确认Windows显示缩放为100%后点击刷新图标\r\n");
  return true;
}

void ReportListedNotInVendor(StepContext& ctx, const std::vector<uint32_t>& listed) {
  const std::vector<uint32_t> held = VendorCpuids(ctx.state);
  if (held.empty()) return;
  for (uint32_t cpuid : listed) {
    if (Contains(held, cpuid)) continue;
    LogStatus(ctx, "注意：列表中的微码" + firmware::HexText(cpuid) + "在原版BIOS中没有找到,可能是标签图片不对\r\n");
  }
}

void CheckMadeImage(StepContext& ctx, const std::string& path, uint64_t deadlineTick,
                    const std::vector<uint32_t>& wantedMicrocodes) {
  const std::optional<std::vector<uint8_t>> bytes = AwaitCompleteFile(ctx, path, deadlineTick);
  if (Closing(ctx)) return;
  const std::string vendorLines = ctx.state.vendorFacts ? firmware::FactsReport(*ctx.state.vendorFacts) : "";
  CheckReport report{ctx.state.biosPath, vendorLines, path, {}, {}, wantedMicrocodes, {}};
  bool passed = false;
  if (!bytes) {
    report.verdict = {"无法读取魔改BIOS文件,未能核对其内容"};
  } else {
    const firmware::ImageFacts facts = firmware::InspectImage(*bytes);
    report.madeFacts = firmware::FactsReport(facts);
    LogStatus(ctx, "魔改BIOS内容：" + ImageSummary(facts) + "\r\n");
    report.verdict = MadeImageWarnings(ctx, facts, wantedMicrocodes);
    std::vector<std::string> notes;
    CompareWithVendor(ctx, *bytes, facts, report, notes);
    passed = report.verdict.empty();
    report.verdict.insert(report.verdict.end(), notes.begin(), notes.end());
    if (passed) report.verdict.push_back(std::string(kPassed));
  }
  for (const std::string& line : report.verdict) LogStatus(ctx, line + "\r\n");
  SaveCheckReport(ctx, report);
  if (!passed) WarnMadeImage(ctx);
}

}  // namespace workflow
