#pragma once

// The console reporter of the benchmark programs, keeping each benchmark's time per iteration and its
// counters so that the program can end with its ratios, and the main function that uses it.

#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace orlenda::bench {

class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  using ConsoleReporter::ConsoleReporter;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration) {
        nanoseconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
        counters_[run.benchmark_name()] = run.counters;
      }
    ConsoleReporter::ReportRuns(runs);
  }
  // Nanoseconds per iteration, or 0 when the benchmark did not run.
  double At(const std::string& name) const {
    const auto found = nanoseconds_.find(name);
    return found == nanoseconds_.end() ? 0.0 : found->second;
  }
  // A counter that the benchmark set, or 0.
  double Counter(const std::string& name, const std::string& counter) const {
    const auto found = counters_.find(name);
    if (found == counters_.end()) return 0.0;
    const auto value = found->second.find(counter);
    return value == found->second.end() ? 0.0 : value->second.value;
  }

 private:
  std::map<std::string, double> nanoseconds_;
  std::map<std::string, benchmark::UserCounters> counters_;
};

// Runs the benchmarks named on the command line, printing as usual, then `summary` with their times.
inline int RunBenchmarks(int argc, char** argv, void (*summary)(const RecordingReporter&)) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
  reporter.SetOutputStream(&std::cout);
  reporter.SetErrorStream(&std::cerr);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  summary(reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace orlenda::bench
