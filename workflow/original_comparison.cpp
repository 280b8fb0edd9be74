#include "workflow/original_comparison.h"

namespace workflow {
namespace {

using firmware::PartChange;
using firmware::RegionIndex;
using firmware::RegionState;

// The warning for a region that differs from the original's or is gone; empty for the regions
// the patcher is asked to change (bios, me) and for a region only the made image has.
std::string RegionWarning(const firmware::RegionComparison& region) {
  if (region.state != RegionState::kDiffers && region.state != RegionState::kMissing) return {};
  switch (region.index) {
    case RegionIndex::kDescriptor: return "警告：魔改BIOS的描述符与原版不同(不只是ME关闭位)";
    case RegionIndex::kGbe: return "警告：魔改BIOS的GbE区域与原版不同,网卡MAC地址可能已改变";
    case RegionIndex::kPdr:
    case RegionIndex::kEc:
      return std::string("警告：魔改BIOS的") + firmware::RegionName(region.index) + "区域与原版不同";
    case RegionIndex::kBios:
    case RegionIndex::kMe: break;
  }
  return {};
}

// The warning for a file that is not the same; empty when the change is one that was asked for:
// the microcode file and the FIT may change, and a new microcode file may appear.
std::string FileWarning(const firmware::FileComparison& file) {
  const std::string guid = firmware::GuidText(file.name);
  switch (file.change) {
    case PartChange::kMissing: return "警告：魔改BIOS中缺少原版的文件" + guid;
    case PartChange::kChanged:
      return file.microcode || file.fit ? std::string() : "警告：魔改BIOS中的文件" + guid + "与原版不同";
    case PartChange::kAdded: return file.microcode ? std::string() : "警告：魔改BIOS中多出文件" + guid;
  }
  return {};
}

std::string FlashingWay(const firmware::ImageComparison& comparison, size_t madeFileSize) {
  if (!comparison.madePrefix) {
    return "魔改BIOS中没有闪存描述符,不是完整的闪存镜像,不能用编程器整片刷入";
  }
  if (*comparison.madePrefix == 0) {
    return "魔改BIOS是完整的闪存镜像(" + std::to_string(madeFileSize) + "字节),可以用编程器刷入";
  }
  const std::string prefix = std::to_string(*comparison.madePrefix);
  return "魔改BIOS前面带有" + prefix + "字节的文件头,只能用主板自带的BIOS更新工具刷入;用编程器刷入前须去掉前" +
         prefix + "字节";
}

}  // namespace

ComparisonVerdict JudgeComparison(const firmware::ImageComparison& comparison, size_t madeFileSize) {
  ComparisonVerdict verdict;
  auto& warnings = verdict.warnings;
  if (comparison.originalSize != comparison.madeSize) {
    warnings.push_back("警告：魔改BIOS的大小与原版不同(原版" + std::to_string(comparison.originalSize) +
                       "字节,魔改" + std::to_string(comparison.madeSize) + "字节)");
  }
  for (const firmware::RegionComparison& region : comparison.regions) {
    if (std::string line = RegionWarning(region); !line.empty()) warnings.push_back(std::move(line));
  }
  for (const firmware::FileComparison& file : comparison.files) {
    if (std::string line = FileWarning(file); !line.empty()) warnings.push_back(std::move(line));
  }
  for (const firmware::BlockComparison& block : comparison.blocks) {
    if (block.change == PartChange::kAdded) continue;
    warnings.push_back("警告：魔改BIOS中的数据块" + firmware::GuidText(block.fileSystem) +
                       "与原版不同(可能是BIOS设置存储)");
  }
  if (warnings.empty()) {
    verdict.notes.push_back("对比原版：除ME区域、ME关闭位、微码和FIT表外,魔改BIOS与原版一致(" +
                            std::to_string(comparison.sameFiles) + "个文件相同)");
  }
  verdict.notes.push_back(FlashingWay(comparison, madeFileSize));
  return verdict;
}

}  // namespace workflow
