#pragma once
// Prints Google Benchmark's usual lines and keeps every run's time, so that the ratios between
// the three ways can be printed at the end.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  // Processor milliseconds per iteration by name, e.g. "ours/1920x1080/present"; -1 when not run.
  double Milliseconds(const std::string& name) const;

 private:
  std::map<std::string, double> times_;
};

}  // namespace bench
