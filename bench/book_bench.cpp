// The passes over the book that run on every refresh, every save and every search: the kana
// filter and the two number lookups, each beside a plain pass reading two bytes of the same
// field of every entry, on generated books of 1,000 and 10,000 entries; and the search.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "pass_baselines.h"
#include "book/phone_match.h"
#include "book_generator.h"
#include "index/kana_filter.h"
#include "index/search_match.h"
#include "platform/cp932.h"
#include "ratio_table.h"

namespace {

constexpr int kSizes[] = {1000, BOOK_CAPACITY};

PhoneBook& Book(benchmark::State& state) {
  static std::map<int, std::unique_ptr<PhoneBook>> books;
  const int count = static_cast<int>(state.range(0));
  std::unique_ptr<PhoneBook>& book = books[count];
  if (!book) {
    book = std::make_unique<PhoneBook>();
    BookShape shape;
    shape.count = count;
    GenerateBook(*book, shape);
  }
  return *book;
}

void Filter(benchmark::State& state, const char* textUtf8) {
  PhoneBook& book = Book(state);
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

// Baseline of the filter: the two reading bytes of every entry ("ゐ" starts none).
void BM_ReadingPass(benchmark::State& state) {
  const PhoneBook& book = Book(state);
  const char* absent = "\x82\xee";
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        baseline::FirstWithLeadingPair(book.data(), book.entryCount(), &BookEntry::nameKana, absent));
  }
}

// A number that is in no entry, so the whole book is walked.
constexpr const char* kMissingNumber = "099-9999-9999";

void BM_FindSameNumberMissing(benchmark::State& state) {
  const PhoneBook& book = Book(state);
  for (auto _ : state) benchmark::DoNotOptimize(FindSameNumber(book, kMissingNumber));
  if (FindSameNumber(book, kMissingNumber) != -1) state.SkipWithError("number is in the book");
}

void BM_FindEntryByPhoneMissing(benchmark::State& state) {
  const PhoneBook& book = Book(state);
  for (auto _ : state) benchmark::DoNotOptimize(FindEntryByPhone(book, kMissingNumber));
  if (FindEntryByPhone(book, kMissingNumber) != -1) state.SkipWithError("number is in the book");
}

// Baseline of the lookups: the first two bytes of every entry's number ("99" starts none).
void BM_NumberPass(benchmark::State& state) {
  const PhoneBook& book = Book(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        baseline::FirstWithLeadingPair(book.data(), book.entryCount(), &BookEntry::number, "99"));
  }
}

void Search(benchmark::State& state, int condition, const char* inputUtf8) {
  const PhoneBook& book = Book(state);
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

void Sizes(benchmark::internal::Benchmark* benchmark) {
  for (const int size : kSizes) benchmark->Arg(size);
  benchmark->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_KanaFilterRoot)->Apply(Sizes);
BENCHMARK(BM_KanaFilterRow)->Apply(Sizes);
BENCHMARK(BM_KanaFilterKana)->Apply(Sizes);
BENCHMARK(BM_ReadingPass)->Apply(Sizes);
BENCHMARK(BM_FindSameNumberMissing)->Apply(Sizes);
BENCHMARK(BM_FindEntryByPhoneMissing)->Apply(Sizes);
BENCHMARK(BM_NumberPass)->Apply(Sizes);
BENCHMARK(BM_SearchNumberPrefix)->Arg(BOOK_CAPACITY)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchNumberEverything)->Arg(BOOK_CAPACITY)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchNumberMissing)->Arg(BOOK_CAPACITY)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchRegisteredName)->Arg(BOOK_CAPACITY)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchNameKana)->Arg(BOOK_CAPACITY)->Unit(benchmark::kMicrosecond);

std::vector<RatioRow> Rows() {
  std::vector<RatioRow> rows;
  for (const int size : kSizes) {
    const std::string n = "/" + std::to_string(size);
    for (const char* filter : {"Root", "Row", "Kana"}) {
      rows.push_back({std::string("ApplyKanaFilter (") + filter + ")",
                      std::string("BM_KanaFilter") + filter + n, "BM_ReadingPass" + n, 4.0});
    }
    rows.push_back({"FindSameNumber, number absent", "BM_FindSameNumberMissing" + n,
                    "BM_NumberPass" + n, 5.0});
    rows.push_back({"FindEntryByPhone, number absent", "BM_FindEntryByPhoneMissing" + n,
                    "BM_NumberPass" + n, 5.0});
  }
  return rows;
}

}  // namespace

int main(int argc, char** argv) {
  return RunWithRatioTable(argc, argv, Rows());
}
