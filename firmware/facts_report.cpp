#include "firmware/facts_report.h"

namespace firmware {

std::string FactsReport(const ImageFacts& facts) {
  std::string text = facts.descriptorOffset ? "descriptor at 0x" + HexText(*facts.descriptorOffset)
                                            : std::string("descriptor none");
  if (facts.hapSet) text += *facts.hapSet ? "\nhap set" : "\nhap clear";
  text += facts.me ? "\nme " + VersionText(*facts.me) : std::string("\nme unknown");
  text += "\n";
  for (const MicrocodeUpdate& update : facts.microcodes) {
    text += "microcode at 0x" + HexText(update.offset) + " size 0x" + HexText(update.totalSize) +
            " rev " + HexText(update.revision) + " date " + DateText(update.date) + " cpuid ";
    for (size_t i = 0; i < update.cpuids.size(); ++i) {
      if (i != 0) text += ",";
      text += HexText(update.cpuids[i]);
    }
    text += "\n";
  }
  return text;
}

}  // namespace firmware
