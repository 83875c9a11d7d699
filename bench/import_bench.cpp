// The import's reading of a 10,000-card vCard file (about 3 MB, a reading on every card):
// the file read, taken apart and mapped to records, beside a plain baseline that reads
// the same file and splits it into lines; the reading analyser's cost per card, for files
// whose cards carry no reading; the plan of those records against an empty book, and its
// application with the durable write, beside the durable write alone. Figures in
// docs/performance.md.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "book/book_storage.h"
#include "book/calldir_library.h"
#include "import/import_files.h"
#include "import/import_plan.h"
#include "import/mecab_reading_deriver.h"
#include "messages/prompter.h"
#include "import/vcard_reader.h"
#include "ratio_table.h"

namespace {

constexpr int kCards = 10000;

struct Name {
  const char* kanji;
  const char* katakana;
};
constexpr Name kFamilies[] = {{"佐藤", "サトウ"},   {"鈴木", "スズキ"},   {"高橋", "タカハシ"},
                              {"田中", "タナカ"},   {"伊藤", "イトウ"},   {"渡辺", "ワタナベ"},
                              {"山本", "ヤマモト"}, {"中村", "ナカムラ"}, {"小林", "コバヤシ"},
                              {"加藤", "カトウ"}};
constexpr Name kGivens[] = {{"太郎", "タロウ"},  {"花子", "ハナコ"}, {"一郎", "イチロウ"},
                            {"美咲", "ミサキ"},  {"健太", "ケンタ"}, {"陽子", "ヨウコ"},
                            {"大輔", "ダイスケ"}};
constexpr const char* kPlaces[] = {"丸の内;千代田区;東京都", "梅田;大阪市北区;大阪府",
                                   "栄;名古屋市中区;愛知県", "みなとみらい;横浜市西区;神奈川県"};
constexpr const char* kCompanies[] = {"株式会社山田商事", "有限会社東西電機",
                                      "日本通信工業株式会社"};

// A phone's export: vCard 3.0, UTF-8, CR LF, the reading in the phonetic fields, and
// `withReadings` false for cards that carry none.
std::string VCardFile(bool withReadings) {
  std::string file;
  for (int i = 0; i < kCards; ++i) {
    const Name& family = kFamilies[i % std::size(kFamilies)];
    const Name& given = kGivens[(i / 10) % std::size(kGivens)];
    const std::string number = std::to_string(10000000 + i);
    file += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    file += std::string("N:") + family.kanji + ";" + given.kanji + ";;;\r\n";
    file += std::string("FN:") + family.kanji + " " + given.kanji + "\r\n";
    if (withReadings) {
      file += std::string("X-PHONETIC-LAST-NAME:") + family.katakana + "\r\n";
      file += std::string("X-PHONETIC-FIRST-NAME:") + given.katakana + "\r\n";
    }
    file += "TEL;TYPE=CELL:+81 90-" + number.substr(0, 4) + "-" + number.substr(4) + "\r\n";
    if (i % 2 == 0)
      file += "TEL;TYPE=HOME:03-" + number.substr(0, 4) + "-" + number.substr(4) + "\r\n";
    file += std::string("ADR;TYPE=HOME:;;") + std::to_string(i % 9 + 1) + "-" +
            std::to_string(i % 30 + 1) + "-1 " + kPlaces[i % std::size(kPlaces)] + ";100-" +
            number.substr(4) + ";Japan\r\n";
    if (i % 3 == 0)
      file += std::string("ORG:") + kCompanies[i % std::size(kCompanies)] + ";営業部\r\n";
    file += "EMAIL;TYPE=INTERNET:user" + std::to_string(i) + "@example.jp\r\n";
    file += "END:VCARD\r\n";
  }
  return file;
}

// The two files, written once to a new folder under /tmp.
struct Files {
  std::string withReadings;
  std::string withoutReadings;
  std::size_t bytesWithReadings = 0;
  std::size_t bytesWithoutReadings = 0;
};

const Files& SharedFiles() {
  static const Files files = [] {
    Files made;
    const auto folder = std::filesystem::temp_directory_path() / "dudode-import-bench";
    std::filesystem::create_directories(folder);
    made.withReadings = (folder / "contacts.vcf").string();
    made.withoutReadings = (folder / "contacts-no-readings.vcf").string();
    const std::string with = VCardFile(true);
    const std::string without = VCardFile(false);
    made.bytesWithReadings = with.size();
    made.bytesWithoutReadings = without.size();
    std::ofstream(made.withReadings, std::ios::binary) << with;
    std::ofstream(made.withoutReadings, std::ios::binary) << without;
    return made;
  }();
  return files;
}

void SetCounters(benchmark::State& state, std::size_t bytes) {
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["cards"] = kCards;
}

// The reader as the import uses it: the file read, its cards taken apart and mapped.
void BM_ReadContactsFile(benchmark::State& state) {
  const std::string& path = SharedFiles().withReadings;
  std::size_t records = 0;
  for (auto _ : state) {
    const FileReading reading = ReadContactsFile(path, nullptr);
    if (!reading.refusal.empty()) state.SkipWithError("refused");
    records = reading.records.size();
  }
  SetCounters(state, SharedFiles().bytesWithReadings);
  state.counters["records"] = static_cast<double>(records);
}

// The baseline: the same file read whole and split into lines, nothing more.
void BM_ReadAndSplitLines(benchmark::State& state) {
  const std::string& path = SharedFiles().withReadings;
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < bytes.size();) {
      std::size_t lf = bytes.find('\n', at);
      if (lf == std::string::npos) lf = bytes.size();
      lines.emplace_back(bytes.data() + at, lf - at);
      at = lf + 1;
    }
    benchmark::DoNotOptimize(lines.data());
  }
  SetCounters(state, SharedFiles().bytesWithReadings);
}

// The same cards without readings, each name read by MeCab: the derivation's cost per
// card is the difference to BM_ReadContactsFile, divided by the cards.
void BM_ReadContactsFileDerivingReadings(benchmark::State& state) {
  const std::unique_ptr<MecabReadingDeriver> deriver = MecabReadingDeriver::Open();
  if (!deriver) {
    state.SkipWithError("MeCab or mecab-ipadic-utf8 is missing");
    return;
  }
  const std::string& path = SharedFiles().withoutReadings;
  for (auto _ : state) {
    const FileReading reading = ReadContactsFile(path, deriver.get());
    if (reading.records.empty() || !reading.records.front().readingDerived) {
      state.SkipWithError("no reading derived");
    }
  }
  SetCounters(state, SharedFiles().bytesWithoutReadings);
}

// MeCab alone on one name part, as the import asks it.
void BM_DeriveOneNamePart(benchmark::State& state) {
  const std::unique_ptr<MecabReadingDeriver> deriver = MecabReadingDeriver::Open();
  if (!deriver) {
    state.SkipWithError("MeCab or mecab-ipadic-utf8 is missing");
    return;
  }
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(deriver->Derive(kFamilies[i++ % std::size(kFamilies)].kanji));
  }
}

// A Prompter that says nothing: a failed write shows up as a skipped benchmark instead.
class SilentPrompter final : public Prompter {
 public:
  using Prompter::Ask;
  PromptAnswer Ask(const std::string&, const std::string&, PromptIcon, PromptButtons,
                   PromptOwner) override {
    return PromptAnswer::Ok;
  }
  void SetBusy(bool) override {}
};

// The folder of the book file, under /tmp (a real disk, so the flush costs what it costs),
// or $CALLDIR_BENCH_DIR; one made here is removed afterwards.
struct BookFolder {
  BookFolder() {
    const char* dir = std::getenv("CALLDIR_BENCH_DIR");
    if (dir != nullptr && *dir != '\0') {
      path = dir;
    } else {
      std::string pattern = "/tmp/import-bench-XXXXXX";
      path = ::mkdtemp(pattern.data());
      owned = true;
    }
  }
  ~BookFolder() {
    if (owned) std::filesystem::remove_all(path);
  }
  std::string path;
  bool owned = false;
};

// The records of the 10,000-card file, read once.
const std::vector<ImportRecord>& SharedRecords() {
  static const std::vector<ImportRecord> records =
      ReadContactsFile(SharedFiles().withReadings, nullptr).records;
  return records;
}

// The preview's work: the plan of the file's records against an empty book (10,000 new
// entries, the rest past the book's capacity).
void BM_PlanIntoEmptyBook(benchmark::State& state) {
  PhoneBook book;
  int added = 0;
  for (auto _ : state) {
    const ImportPlan plan(SharedRecords(), book);
    added = plan.Counts().added;
  }
  state.counters["records"] = static_cast<double>(SharedRecords().size());
  state.counters["added"] = added;
}

// OK in the preview: the plan applied to an empty book and the book handed to the CallDir
// library, which writes it durably. A fresh book and plan for each run, made untimed.
void BM_ApplyPlanWithDurableWrite(benchmark::State& state) {
  BookFolder folder;
  SilentPrompter prompter;
  LinkedCallDirLibrary callDir;
  std::unique_ptr<PhoneBook> book;
  std::unique_ptr<ImportPlan> plan;
  for (auto _ : state) {
    state.PauseTiming();
    plan.reset();  // the last run's, freed untimed
    book = std::make_unique<PhoneBook>();
    plan = std::make_unique<ImportPlan>(SharedRecords(), *book);
    BookAccess access{*book, callDir, prompter, folder.path + "/CallDir.csv"};
    state.ResumeTiming();
    const ImportCounts counts = plan->Apply();
    if (!HandOverBook(access)) state.SkipWithError("the hand-over failed");
    if (counts.added != BOOK_CAPACITY) state.SkipWithError("not 10,000 entries added");
  }
}

// The baseline: the durable write of the same 10,000 entries alone.
void BM_HandOverTenThousand(benchmark::State& state) {
  BookFolder folder;
  SilentPrompter prompter;
  LinkedCallDirLibrary callDir;
  PhoneBook book;
  ImportPlan(SharedRecords(), book).Apply();
  BookAccess access{book, callDir, prompter, folder.path + "/CallDir.csv"};
  for (auto _ : state) {
    if (!HandOverBook(access)) state.SkipWithError("the hand-over failed");
  }
}

BENCHMARK(BM_ReadContactsFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndSplitLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadContactsFileDerivingReadings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeriveOneNamePart)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlanIntoEmptyBook)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyPlanWithDurableWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HandOverTenThousand)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  return RunWithRatioTable(argc, argv,
                           {{"read and map 10,000 cards (readings on the cards)",
                             "BM_ReadContactsFile", "BM_ReadAndSplitLines"},
                            {"read and map 10,000 cards, CPU", "BM_ReadContactsFile", "", 0, 1000},
                            {"the same, each name read by MeCab",
                             "BM_ReadContactsFileDerivingReadings", "BM_ReadContactsFile"},
                            {"plan of the 15,000 records against an empty book",
                             "BM_PlanIntoEmptyBook", "BM_ReadContactsFile"},
                            {"apply 10,000 new entries with the durable write (wall)",
                             "BM_ApplyPlanWithDurableWrite", "BM_HandOverTenThousand"}});
}
