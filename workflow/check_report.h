#pragma once
// The report kept beside a made image: what the tool read in both images, what was asked for,
// the verdict and the whole status box, for whoever is asked for help later. GBK with CR LF.
#include <cstdint>
#include <string>
#include <vector>

#include "workflow/step_context.h"

namespace workflow {

struct CheckReport {
  std::string vendorPath;
  std::string vendorFacts;  // imageinfo's lines; empty when the file could not be read
  std::string madePath;
  std::string madeFacts;    // likewise
  std::string comparison;   // imageinfo --compare's lines; empty when not compared
  std::vector<uint32_t> applied;  // the CPUIDs asked for
  std::vector<std::string> verdict;  // the check's lines, without time stamp or line end
};

// The whole report: a title with the tool's name, version and `time`, then the parts above,
// then `statusBox` as it stands.
std::string CheckReportText(const CheckReport& report, const platform::LocalTime& time,
                            const std::string& statusBox);

// Writes the report to "<made image path>.txt" and says where; never replaces a file.
void SaveCheckReport(StepContext& ctx, const CheckReport& report);

}  // namespace workflow
