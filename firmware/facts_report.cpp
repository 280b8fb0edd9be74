#include "firmware/facts_report.h"

namespace firmware {
namespace {

std::string CpuidList(const std::vector<uint32_t>& cpuids) {
  std::string text;
  for (size_t i = 0; i < cpuids.size(); ++i) {
    if (i != 0) text += ",";
    text += HexText(cpuids[i]);
  }
  return text;
}

std::string FitLines(const ImageFacts& facts) {
  if (!facts.fit) return "fit none\n";
  const FitTable& fit = *facts.fit;
  std::string text = "fit at 0x" + HexText(fit.offset) + " entries " + std::to_string(fit.entries) + "\n";
  for (const FitMicrocodeEntry& entry : fit.microcodes) {
    text += "fit microcode at " + (entry.offset ? "0x" + HexText(*entry.offset) : std::string("none"));
    const bool known = entry.update && *entry.update < facts.microcodes.size();
    text += " cpuid " + (known ? CpuidList(facts.microcodes[*entry.update].cpuids) : std::string("none")) + "\n";
  }
  const std::pair<bool, const char*> bootGuard[] = {{fit.acm, " acm"}, {fit.km, " km"}, {fit.bpm, " bpm"}};
  std::string parts;
  for (const auto& [present, name] : bootGuard) {
    if (present) parts += name;
  }
  if (!parts.empty()) text += "bootguard" + parts + "\n";
  return text;
}

}  // namespace

std::string FactsReport(const ImageFacts& facts) {
  std::string text = facts.descriptorOffset ? "descriptor at 0x" + HexText(*facts.descriptorOffset)
                                            : std::string("descriptor none");
  if (facts.hapSet) text += *facts.hapSet ? "\nhap set" : "\nhap clear";
  text += facts.me ? "\nme " + VersionText(*facts.me) : std::string("\nme unknown");
  text += "\n";
  for (const MicrocodeUpdate& update : facts.microcodes) {
    text += "microcode at 0x" + HexText(update.offset) + " size 0x" + HexText(update.totalSize) +
            " rev " + HexText(update.revision) + " date " + DateText(update.date) + " cpuid " +
            CpuidList(update.cpuids) + "\n";
  }
  text += FitLines(facts);
  for (const Finding& finding : facts.findings) {
    text += "warning at 0x" + HexText(finding.offset) + " " + std::string(FindingName(finding.kind)) + "\n";
  }
  return text;
}

}  // namespace firmware
