#include "ratio_reporter.h"

namespace bench {

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
    // Processor time of the benchmark thread: on a shared machine wall time also counts the
    // time other processes held the processor.
    const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
    times_[run.run_name.function_name] = seconds * 1000.0;
  }
}

double RatioReporter::Milliseconds(const std::string& name) const {
  const auto it = times_.find(name);
  return it == times_.end() ? -1.0 : it->second;
}

}  // namespace bench
