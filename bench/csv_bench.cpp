// The CSV export of a full book: the lines alone, the whole file without the flush (CPU
// time, the part the program spends), and with the flush to the disk (wall-clock time).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "book/csv_export.h"
#include "book_generator.h"

namespace {

const PhoneBook& FullBook() {
  static PhoneBook book = [] {
    PhoneBook generated;
    GenerateBook(generated, BookShape{});
    return generated;
  }();
  return book;
}

std::string ExportPath() {
  const auto folder = std::filesystem::temp_directory_path() / "dudode-csv-bench";
  std::filesystem::create_directories(folder);
  return (folder / "DUDODE.CSV").string();
}

void BM_FormatCsv(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FormatCsv(FullBook()));
  state.counters["bytes"] = static_cast<double>(FormatCsv(FullBook()).size());
}

void WriteCsv(benchmark::State& state, bool flush) {
  const std::string path = ExportPath();
  for (auto _ : state) {
    if (!WriteFileWhole(path, FormatCsv(FullBook()), flush)) state.SkipWithError("write failed");
  }
}

void BM_ExportCsvWithoutFlush(benchmark::State& state) {
  WriteCsv(state, false);
}
void BM_ExportCsvWithFlush(benchmark::State& state) {
  WriteCsv(state, true);
}

BENCHMARK(BM_FormatCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCsvWithoutFlush)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCsvWithFlush)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
