// The passes over a full book that run on every refresh, every save and every search: the
// kana filter, the two number lookups and the search, on 10,000 generated entries.
#include <benchmark/benchmark.h>

#include "book/phone_match.h"
#include "book_generator.h"
#include "index/kana_filter.h"
#include "index/search_match.h"
#include "platform/cp932.h"

namespace {

PhoneBook& FullBook() {
  static PhoneBook book = [] {
    PhoneBook generated;
    GenerateBook(generated, BookShape{});
    return generated;
  }();
  return book;
}

void Filter(benchmark::State& state, const char* textUtf8) {
  PhoneBook& book = FullBook();
  const std::string text = cp932::FromUtf8(textUtf8).text;
  for (auto _ : state) benchmark::DoNotOptimize(ApplyKanaFilter(book, text));
}

void BM_KanaFilterRoot(benchmark::State& state) {
  Filter(state, "電話帳");
}
void BM_KanaFilterRow(benchmark::State& state) {
  Filter(state, "か行");
}
void BM_KanaFilterKana(benchmark::State& state) {
  Filter(state, "は");
}

// A number that is in no entry, so the whole book is walked.
constexpr const char* kMissingNumber = "099-9999-9999";

void BM_FindSameNumberMissing(benchmark::State& state) {
  const PhoneBook& book = FullBook();
  for (auto _ : state) benchmark::DoNotOptimize(FindSameNumber(book, kMissingNumber));
  if (FindSameNumber(book, kMissingNumber) != -1) state.SkipWithError("number is in the book");
}

void BM_FindEntryByPhoneMissing(benchmark::State& state) {
  const PhoneBook& book = FullBook();
  for (auto _ : state) benchmark::DoNotOptimize(FindEntryByPhone(book, kMissingNumber));
  if (FindEntryByPhone(book, kMissingNumber) != -1) state.SkipWithError("number is in the book");
}

void Search(benchmark::State& state, int condition, const char* inputUtf8) {
  const PhoneBook& book = FullBook();
  const std::string input = cp932::FromUtf8(inputUtf8).text;
  std::size_t hits = 0;
  for (auto _ : state) {
    const auto matches = FindSearchMatches(book, condition, input);
    hits = matches.size();
    benchmark::DoNotOptimize(matches.data());
  }
  state.counters["hits"] = static_cast<double>(hits);
}

void BM_SearchNumberPrefix(benchmark::State& state) {
  Search(state, kSearchByNumber, "03");
}
// "--" keeps nothing, so every live entry is listed: the longest result.
void BM_SearchNumberEverything(benchmark::State& state) {
  Search(state, kSearchByNumber, "--");
}
void BM_SearchNumberMissing(benchmark::State& state) {
  Search(state, kSearchByNumber, kMissingNumber);
}
void BM_SearchRegisteredName(benchmark::State& state) {
  Search(state, kSearchByRegisteredName, "ﾔﾏ");
}
void BM_SearchNameKana(benchmark::State& state) {
  Search(state, kSearchByNameKana, "さ");
}

BENCHMARK(BM_KanaFilterRoot)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KanaFilterRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KanaFilterKana)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindSameNumberMissing)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindEntryByPhoneMissing)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchNumberPrefix)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchNumberEverything)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchNumberMissing)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchRegisteredName)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchNameKana)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
