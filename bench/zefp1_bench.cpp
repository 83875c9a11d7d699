// The adapter at its real line speed: the emulator at 4800 baud holding 50 entries of
// 11-digit numbers and 8-byte names. Targets: the merge's three read-alls within 2.5 s
// together, one register or one delete within 0.25 s.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "zefp1/zefp1.h"
#include "libs/zefp1/adapter_test_support.h"
#include "support/adapter_entry.h"
#include "support/temp_dir.h"

namespace {

constexpr int kHeldEntries = 50;
const char kSpareNumber[24] = "09012341000";  // the first entry of the prepared state

// The emulator and the open port, shared by every benchmark.
class AdapterAtLineSpeed {
 public:
  AdapterAtLineSpeed() {
    WriteEmulatorState(folder_.File("state"), kHeldEntries);
    emulator_ = StartEmulator(Link(), {"--baud", "4800", "--state", folder_.File("state")});
    Open();
  }
  ~AdapterAtLineSpeed() { AdapterClose(); }

  // A fresh open also starts with no cached list, like the program's start.
  void Reopen() {
    AdapterClose();
    Open();
  }

 private:
  std::string Link() const { return folder_.File("adapter"); }
  void Open() {
    const AdapterParams params{0, 4800};
    if (AdapterOpen(Link().c_str(), &params) == 0)
      throw std::runtime_error("cannot open the adapter");
  }

  TempDir folder_;
  std::unique_ptr<ChildProcess> emulator_;
};

AdapterAtLineSpeed* g_adapter = nullptr;

void RequireSuccess(benchmark::State& state, int result) {
  if (result == 0)
    state.SkipWithError(("adapter error " + std::to_string(AdapterLastError())).c_str());
}

// The merge: three read-alls in a row on a freshly opened port.
void BM_MergeReadAlls(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    g_adapter->Reopen();
    state.ResumeTiming();
    for (int call = 0; call < 3; ++call) {
      const AdapterContents contents = ReadAdapter();
      RequireSuccess(state, contents.ok);
      if (contents.count != kHeldEntries) state.SkipWithError("wrong count");
    }
  }
}
BENCHMARK(BM_MergeReadAlls)->Unit(benchmark::kMillisecond)->Iterations(3);

const AdapterEntry kSpareEntry =
    MakeAdapterEntry(kSpareNumber, "\xB1\xB2\xB3\xB4\xB5\xB6\xB7\xB8", 1, 2);

// Register a number the adapter does not hold (one of 50 slots free).
void BM_Register(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    RequireSuccess(state, AdapterDelete(kSpareNumber));
    state.ResumeTiming();
    RequireSuccess(state, AdapterRegister(&kSpareEntry));
  }
}
BENCHMARK(BM_Register)->Unit(benchmark::kMillisecond)->Iterations(10);

// Delete a number the adapter holds.
void BM_Delete(benchmark::State& state) {
  for (auto _ : state) {
    RequireSuccess(state, AdapterDelete(kSpareNumber));
    state.PauseTiming();
    RequireSuccess(state, AdapterRegister(&kSpareEntry));
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Delete)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  AdapterAtLineSpeed adapter;
  g_adapter = &adapter;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
