// The book file with 1,000 and 10,000 entries of realistic content (figures in
// docs/performance.md): a start (open, count, read) beside a copy of the book array and
// one read() of the file, a durable write through the library beside the same bytes
// written, flushed and renamed plainly, and the parts of a store.
// The files live in $CALLDIR_BENCH_DIR, else in a new folder under /tmp (a real disk here:
// on tmpfs a flush costs nothing and the figures would flatter).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "file_baselines.h"
#include "calldir/calldir.h"
#include "book_file_format.h"
#include "book_store.h"
#include "platform/cp932.h"
#include "platform/text_bytes.h"
#include "ratio_table.h"

namespace {

std::string Cp932(const char* utf8) {
  return cp932::FromUtf8(utf8).text;
}

template <std::size_t N>
void Set(char (&field)[N], const std::string& text) {
  text_bytes::FillField(field, text);
}

// Names, readings, addresses and companies as a Japanese user's book holds them.
std::vector<BookEntry> RealisticBook(int count) {
  struct Name {
    const char* kanji;
    const char* kana;
    const char* katakana;  // half-width, as the adapter stores it
  };
  const Name families[] = {{"佐藤", "さとう", "ｻﾄｳ"},     {"鈴木", "すずき", "ｽｽﾞｷ"},
                           {"高橋", "たかはし", "ﾀｶﾊｼ"},  {"田中", "たなか", "ﾀﾅｶ"},
                           {"伊藤", "いとう", "ｲﾄｳ"},     {"渡辺", "わたなべ", "ﾜﾀﾅﾍﾞ"},
                           {"山本", "やまもと", "ﾔﾏﾓﾄ"},  {"中村", "なかむら", "ﾅｶﾑﾗ"},
                           {"小林", "こばやし", "ｺﾊﾞﾔｼ"}, {"加藤", "かとう", "ｶﾄｳ"}};
  const Name givens[] = {{"太郎", "たろう", "ﾀﾛｳ"},    {"花子", "はなこ", "ﾊﾅｺ"},
                         {"一郎", "いちろう", "ｲﾁﾛｳ"}, {"美咲", "みさき", "ﾐｻｷ"},
                         {"健太", "けんた", "ｹﾝﾀ"},    {"陽子", "ようこ", "ﾖｳｺ"},
                         {"大輔", "だいすけ", "ﾀﾞｲｽｹ"}};
  const char* places[] = {"東京都千代田区丸の内",       "大阪府大阪市北区梅田",
                          "愛知県名古屋市中区栄",       "北海道札幌市中央区北一条西",
                          "福岡県福岡市博多区博多駅前", "神奈川県横浜市西区みなとみらい"};
  const char* companies[] = {"株式会社山田商事", "有限会社東西電機", "日本通信工業株式会社",
                             "株式会社さくら企画"};
  std::vector<BookEntry> book(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    BookEntry& e = book[static_cast<std::size_t>(i)];
    const Name& family = families[i % 10];
    const Name& given = givens[(i / 10) % 7];
    const std::string n = std::to_string(i);
    Set(e.number, "03-" + std::to_string(1000 + i % 9000) + "-" + std::to_string(1000 + i));
    Set(e.name, Cp932(family.kanji) + " " + Cp932(given.kanji));
    Set(e.nameKana, Cp932(family.kana) + Cp932(given.kana));
    Set(e.address, Cp932(places[i % 6]) + std::to_string(i % 9 + 1) + "-" +
                       std::to_string(i % 30 + 1) + "-" + std::to_string(i % 12 + 1));
    if (i % 3 == 0) {
      Set(e.company, Cp932(companies[i % 4]));
      Set(e.companyAddress, Cp932(places[(i + 1) % 6]) + "2-1-1, " + Cp932("本社ビル") + "5F");
      Set(e.fax, "03-5555-" + std::to_string(1000 + i % 9000));
    }
    Set(e.postalCode, std::to_string(100 + i % 900) + "-" + std::to_string(1000 + i % 9000));
    Set(e.email, "user" + n + "@example.co.jp");
    Set(e.callAccept, i % 50 == 0 ? "0" : "1");
    Set(e.adapterWanted, i < 50 ? "1" : "0");
    Set(e.illumination, std::to_string(i % 4));
    Set(e.registeredName, Cp932(family.katakana) + " " + Cp932(given.katakana));
    e.inAdapter = i < 50 ? 1 : 0;
    e.viewSlot = i;
  }
  return book;
}

struct Fixture {
  explicit Fixture(int count) : book(RealisticBook(count)) {
    const char* dir = std::getenv("CALLDIR_BENCH_DIR");
    std::string pattern = "/tmp/calldir-bench-XXXXXX";
    if (dir != nullptr && *dir != '\0') {
      folder = dir;
    } else {
      folder = mkdtemp(pattern.data());
      owned = true;
    }
    // Two files of the same book: a start alternates between them, so every open reads
    // a file (the library keeps the program's book of the path it last opened).
    first = folder + "/CallDir.csv";
    second = folder + "/CallDir2.csv";
    plain = folder + "/Plain.csv";
    for (const std::string& path : {first, second}) {
      calldir::StoreBookFile(path, book, calldir::StoreOptions{});
    }
    bytes = calldir::FormatBookText(book);
    fileBytes = bytes.size();
  }
  ~Fixture() {
    if (owned) std::filesystem::remove_all(folder);
  }

  std::vector<BookEntry> book;
  std::string folder;
  std::string first;
  std::string second;
  std::string plain;   // the plain baseline's file
  std::string bytes;   // the file's bytes
  std::uintmax_t fileBytes = 0;
  bool owned = false;
};

// One fixture per book size, made when a benchmark first asks for it.
Fixture& Shared(benchmark::State& state) {
  static std::map<int, std::unique_ptr<Fixture>> fixtures;
  const int count = static_cast<int>(state.range(0));
  std::unique_ptr<Fixture>& fixture = fixtures[count];
  if (!fixture) fixture = std::make_unique<Fixture>(count);
  return *fixture;
}

int Count(const Fixture& f) {
  return static_cast<int>(f.book.size());
}

void SetCounters(benchmark::State& state, const Fixture& f) {
  state.counters["entries"] = static_cast<double>(f.book.size());
  state.counters["file_KiB"] = static_cast<double>(f.fileBytes) / 1024.0;
}

// A start: open, count, read, close, as LoadBook does it.
void BM_StartOpenCountRead(benchmark::State& state) {
  Fixture& f = Shared(state);
  std::vector<BookEntry> slots(BOOK_CAPACITY);
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    if (CallDirOpen((flip ? f.first : f.second).c_str()) == 0) state.SkipWithError("open");
    const int count = CallDirCount();
    if (count != Count(f) || CallDirRead(slots.data()) == 0) state.SkipWithError("read");
    CallDirClose();
    benchmark::DoNotOptimize(slots.data());
  }
  SetCounters(state, f);
}

// Baselines of a start: the program's array filled by a plain copy, and the file read whole.
void BM_CopyBookArray(benchmark::State& state) {
  Fixture& f = Shared(state);
  std::vector<BookEntry> slots(BOOK_CAPACITY);
  for (auto _ : state) {
    std::memcpy(slots.data(), f.book.data(), f.book.size() * sizeof(BookEntry));
    benchmark::DoNotOptimize(slots.data());
  }
}

void BM_ReadWholeFile(benchmark::State& state) {
  Fixture& f = Shared(state);
  std::vector<char> buffer(f.fileBytes + 1);
  for (auto _ : state) {
    const long got = baseline::ReadWholeFile(f.first, buffer.data(), buffer.size());
    if (got != static_cast<long>(f.fileBytes)) state.SkipWithError("read");
  }
}

// A hand-over: open (already open), write 10,000 entries durably.
void BM_DurableWrite(benchmark::State& state) {
  Fixture& f = Shared(state);
  CallDirOpen(f.first.c_str());
  for (auto _ : state) {
    if (CallDirWrite(f.book.data(), Count(f)) == 0) state.SkipWithError("write");
  }
  CallDirClose();
  SetCounters(state, f);
}

// Baseline of a durable write: the same bytes, already formatted, replacing a file plainly
// with the same two flushes.
void BM_PlainDurableWrite(benchmark::State& state) {
  Fixture& f = Shared(state);
  for (auto _ : state) {
    if (!baseline::DurableReplace(f.folder, f.plain, f.bytes)) state.SkipWithError("write");
  }
}

// The store alone (no copy of the program's array), once flushed and once not: the two
// differ only by the fsync of the file and of its folder, which is the flush's share.
void Store(benchmark::State& state, bool flush) {
  Fixture& f = Shared(state);
  calldir::StoreOptions options;
  options.flush = flush;
  for (auto _ : state) {
    const auto outcome = calldir::StoreBookFile(f.second, f.book, options);
    if (outcome.result != calldir::StoreResult::Stored) state.SkipWithError("store");
  }
  SetCounters(state, f);
}
void BM_StoreFlushed(benchmark::State& state) {
  Store(state, true);
}
void BM_StoreWithoutFlush(benchmark::State& state) {
  Store(state, false);
}

// The parts in memory: formatting and parsing 10,000 entries, no file involved.
void BM_FormatInMemory(benchmark::State& state) {
  Fixture& f = Shared(state);
  for (auto _ : state) {
    calldir::StringSink sink;
    sink.text.reserve(f.fileBytes);
    calldir::FormatBook(f.book, sink);
    benchmark::DoNotOptimize(sink.text.data());
  }
  SetCounters(state, f);
}

void BM_ParseInMemory(benchmark::State& state) {
  Fixture& f = Shared(state);
  const std::string& bytes = f.bytes;
  std::vector<BookEntry> book;
  book.reserve(BOOK_CAPACITY);
  for (auto _ : state) {
    book.clear();
    calldir::BookParser parser(book);
    if (!parser.Feed(bytes) || !parser.Finish()) state.SkipWithError("parse");
  }
  SetCounters(state, f);
}

constexpr int kSizes[] = {1000, BOOK_CAPACITY};

void Sizes(benchmark::internal::Benchmark* benchmark) {
  for (const int size : kSizes) benchmark->Arg(size);
  benchmark->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_StartOpenCountRead)->Apply(Sizes);
BENCHMARK(BM_CopyBookArray)->Apply(Sizes);
BENCHMARK(BM_ReadWholeFile)->Apply(Sizes);
BENCHMARK(BM_DurableWrite)->Apply(Sizes);
BENCHMARK(BM_PlainDurableWrite)->Apply(Sizes);
BENCHMARK(BM_StoreFlushed)->Arg(BOOK_CAPACITY)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StoreWithoutFlush)->Arg(BOOK_CAPACITY)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FormatInMemory)->Arg(BOOK_CAPACITY)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseInMemory)->Arg(BOOK_CAPACITY)->Unit(benchmark::kMillisecond);

std::vector<RatioRow> Rows() {
  std::vector<RatioRow> rows;
  for (const int size : kSizes) {
    const std::string n = "/" + std::to_string(size);
    rows.push_back({"start: open + count + read + close", "BM_StartOpenCountRead" + n,
                    "BM_CopyBookArray" + n, 4.0});
    rows.push_back({"start, beside one read() of the file", "BM_StartOpenCountRead" + n,
                    "BM_ReadWholeFile" + n});
    rows.push_back({"durable write (CallDirWrite), wall", "BM_DurableWrite" + n,
                    "BM_PlainDurableWrite" + n, 1.3});
    rows.push_back({"durable write (CallDirWrite), CPU", "BM_DurableWrite" + n, "", 0,
                    size == BOOK_CAPACITY ? 2.5 : 0});
  }
  return rows;
}

}  // namespace

int main(int argc, char** argv) {
  return RunWithRatioTable(argc, argv, Rows());
}
