#include "ratio_table.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>

namespace {

struct Times {
  double realNs = 0;
  double cpuNs = 0;
  bool failed = false;
};

// The console output as usual, and the times kept by name: the median of the repetitions
// when there are several, else the one run.
class TimesReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (!median && run.run_type != Run::RT_Iteration) continue;
      std::string name = run.run_name.function_name;
      if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
      if (!median && times.count(name) != 0) continue;  // a repetition: the median follows
      const double toNs = 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
      times[name] = {run.GetAdjustedRealTime() * toNs, run.GetAdjustedCPUTime() * toNs,
                     run.error_occurred};
    }
  }

  std::map<std::string, Times> times;
};

std::string Duration(double ns) {
  char text[32];
  if (ns >= 1e6) {
    std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
  } else {
    std::snprintf(text, sizeof text, "%.1f µs", ns / 1e3);
  }
  return text;
}

void PrintRow(const RatioRow& row, const std::map<std::string, Times>& times) {
  const auto measured = times.find(row.measured);
  const auto baseline = times.find(row.baseline);
  if (measured == times.end()) return;  // not selected by the filter
  const Times& m = measured->second;
  if (row.baseline.empty()) {
    std::string target = "reported";
    std::string verdict;
    if (row.maxCpuMs > 0) {
      target = "≤ " + Duration(row.maxCpuMs * 1e6) + " CPU";
      verdict = !m.failed && m.cpuNs <= row.maxCpuMs * 1e6 ? "met" : "MISSED";
    }
    std::printf("| %s | %s | CPU %s | | | | %s | %s |\n", row.work.c_str(), row.measured.c_str(),
                Duration(m.cpuNs).c_str(), target.c_str(), verdict.c_str());
    return;
  }
  if (baseline == times.end()) return;
  const Times& b = baseline->second;
  const double ratio = m.realNs / b.realNs;
  const bool failed = m.failed || b.failed;
  std::string target = "reported";
  std::string verdict;
  if (row.maxRatio > 0) {
    char text[32];
    std::snprintf(text, sizeof text, "≤ %.1f×", row.maxRatio);
    target = text;
    verdict = !failed && ratio <= row.maxRatio ? "met" : "MISSED";
  }
  std::printf("| %s | %s | %s | %s | %s | %.2f× | %s | %s |\n", row.work.c_str(),
              row.measured.c_str(), Duration(m.realNs).c_str(), row.baseline.c_str(),
              Duration(b.realNs).c_str(), ratio, target.c_str(), verdict.c_str());
}

}  // namespace

int RunWithRatioTable(int argc, char** argv, const std::vector<RatioRow>& rows) {
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=3";
  std::string aggregatesOnly = "--benchmark_report_aggregates_only=true";
  bool repetitionsGiven = false;
  for (char* arg : args) {
    repetitionsGiven |= std::strncmp(arg, "--benchmark_repetitions", 23) == 0;
  }
  if (!repetitionsGiven) {
    args.push_back(repetitions.data());
    args.push_back(aggregatesOnly.data());
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  TimesReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\n| work | benchmark | time | baseline | baseline time | ratio | target | |\n");
  std::printf("|---|---|---|---|---|---|---|---|\n");
  for (const RatioRow& row : rows) PrintRow(row, reporter.times);
  std::fflush(stdout);
  return 0;
}
