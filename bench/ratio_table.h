// Each benchmark beside its plain baseline, timed in the same run of the same program: the
// ratio of the two says how close the work comes to what the machine allows, and moves
// little when the machine is busy with something else.
#pragma once

#include <string>
#include <vector>

struct RatioRow {
  std::string work;      // what the row measures, as the table names it
  std::string measured;  // the benchmark, with its arguments ("BM_Start/10000")
  std::string baseline;  // its plain baseline; empty: the row checks CPU time alone
  double maxRatio = 0;   // the target; 0 when the ratio is only reported
  double maxCpuMs = 0;   // a limit on the benchmark's CPU time per iteration; 0 for none
};

// Runs the benchmarks the command line selects (three repetitions, medians, unless it says
// otherwise), then prints `rows` as a table with the ratios and whether each target is met.
int RunWithRatioTable(int argc, char** argv, const std::vector<RatioRow>& rows);
