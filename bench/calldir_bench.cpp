// The book file with 10,000 entries of realistic content (figures in docs/performance.md):
// a start (open, count, read), a durable write through the library, and its store with
// and without the flush to the disk, whose difference is the flush's share.
// The files live in $CALLDIR_BENCH_DIR, else in a new folder under /tmp (a real disk here:
// on tmpfs a flush costs nothing and the figures would flatter).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "calldir/calldir.h"
#include "book_file_format.h"
#include "book_store.h"
#include "platform/cp932.h"
#include "platform/text_bytes.h"

namespace {

std::string Cp932(const char* utf8) {
  return cp932::FromUtf8(utf8).text;
}

template <std::size_t N>
void Set(char (&field)[N], const std::string& text) {
  text_bytes::FillField(field, text);
}

// Names, readings, addresses and companies as a Japanese user's book holds them.
std::vector<BookEntry> RealisticBook() {
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
  std::vector<BookEntry> book(BOOK_CAPACITY);
  for (int i = 0; i < BOOK_CAPACITY; ++i) {
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
  Fixture() : book(RealisticBook()) {
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
    for (const std::string& path : {first, second}) {
      calldir::StoreBookFile(path, book, calldir::StoreOptions{});
    }
    fileBytes = std::filesystem::file_size(first);
  }
  ~Fixture() {
    if (owned) std::filesystem::remove_all(folder);
  }

  std::vector<BookEntry> book;
  std::string folder;
  std::string first;
  std::string second;
  std::uintmax_t fileBytes = 0;
  bool owned = false;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void SetCounters(benchmark::State& state) {
  state.counters["entries"] = BOOK_CAPACITY;
  state.counters["file_KiB"] = static_cast<double>(Shared().fileBytes) / 1024.0;
}

// A start: open, count, read, close, as LoadBook does it.
void BM_StartOpenCountRead(benchmark::State& state) {
  Fixture& f = Shared();
  std::vector<BookEntry> slots(BOOK_CAPACITY);
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    if (CallDirOpen((flip ? f.first : f.second).c_str()) == 0) state.SkipWithError("open");
    const int count = CallDirCount();
    if (count != BOOK_CAPACITY || CallDirRead(slots.data()) == 0) state.SkipWithError("read");
    CallDirClose();
    benchmark::DoNotOptimize(slots.data());
  }
  SetCounters(state);
}
BENCHMARK(BM_StartOpenCountRead)->Unit(benchmark::kMillisecond)->UseRealTime();

// A hand-over: open (already open), write 10,000 entries durably.
void BM_DurableWrite(benchmark::State& state) {
  Fixture& f = Shared();
  CallDirOpen(f.first.c_str());
  for (auto _ : state) {
    if (CallDirWrite(f.book.data(), BOOK_CAPACITY) == 0) state.SkipWithError("write");
  }
  CallDirClose();
  SetCounters(state);
}
BENCHMARK(BM_DurableWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// The store alone (no copy of the program's array), once flushed and once not: the two
// differ only by the fsync of the file and of its folder, which is the flush's share.
void Store(benchmark::State& state, bool flush) {
  Fixture& f = Shared();
  calldir::StoreOptions options;
  options.flush = flush;
  for (auto _ : state) {
    const auto outcome = calldir::StoreBookFile(f.second, f.book, options);
    if (outcome.result != calldir::StoreResult::Stored) state.SkipWithError("store");
  }
  SetCounters(state);
}
void BM_StoreFlushed(benchmark::State& state) {
  Store(state, true);
}
void BM_StoreWithoutFlush(benchmark::State& state) {
  Store(state, false);
}
BENCHMARK(BM_StoreFlushed)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StoreWithoutFlush)->Unit(benchmark::kMillisecond)->UseRealTime();

// The parts in memory: formatting and parsing 10,000 entries, no file involved.
void BM_FormatInMemory(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    calldir::StringSink sink;
    sink.text.reserve(f.fileBytes);
    calldir::FormatBook(f.book, sink);
    benchmark::DoNotOptimize(sink.text.data());
  }
  SetCounters(state);
}
BENCHMARK(BM_FormatInMemory)->Unit(benchmark::kMillisecond);

void BM_ParseInMemory(benchmark::State& state) {
  Fixture& f = Shared();
  const std::string bytes = calldir::FormatBookText(f.book);
  std::vector<BookEntry> book;
  book.reserve(BOOK_CAPACITY);
  for (auto _ : state) {
    book.clear();
    calldir::BookParser parser(book);
    if (!parser.Feed(bytes) || !parser.Finish()) state.SkipWithError("parse");
  }
  SetCounters(state);
}
BENCHMARK(BM_ParseInMemory)->Unit(benchmark::kMillisecond);

}  // namespace
