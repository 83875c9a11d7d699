// A save from the entry dialog on a 10,000-entry book, as the user waits for it: the
// checks, the number lookup, the replace (or the append that fills the book), the
// durable hand-over to the CallDir library and the list's refresh under the root filter.
// The adapter is off here; its line time is zefp1_bench's. The same save with a CallDir
// stand-in that writes nothing, and the hand-over alone, give the durable write's share.
// Files live in $CALLDIR_BENCH_DIR, else in a new folder under /tmp (a real disk here).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "messages/prompter.h"
#include "book/adapter_library.h"
#include "book/book_storage.h"
#include "book/calldir_library.h"
#include "book/phone_match.h"
#include "book_generator.h"
#include "editor/entry_flows.h"
#include "index/kana_filter.h"
#include "platform/cp932.h"

namespace {

// Answers every question with Yes, as the user who confirms the update.
class YesPrompter : public Prompter {
 public:
  using Prompter::Ask;
  PromptAnswer Ask(const std::string&, const std::string&, PromptIcon, PromptButtons buttons,
                   PromptOwner) override {
    return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Yes;
  }
  void SetBusy(bool) override {}
};

// A CallDir library that accepts the book and writes nothing.
class NoWriteCallDir : public CallDirLibrary {
 public:
  int Open(const char*) override { return 1; }
  void Close() override {}
  int Count() override { return 0; }
  int Read(BookEntry*) override { return 1; }
  int Write(const BookEntry*, int) override { return 1; }
  int Delete(const BookEntry*, int) override { return 1; }
  int Save(const char*, int) override { return 1; }
  int LastError() override { return 0; }
};

std::string Cp932(const char* utf8) {
  return cp932::FromUtf8(utf8).text;
}

EntryForm SavedForm() {
  EntryForm form;
  form.number = "099-9999-9999";  // a number the generated book does not hold
  form.name = Cp932("山田 太郎");
  form.nameKana = Cp932("やまだたろう");
  form.address = Cp932("東京都千代田区丸の内1-1-1");
  form.postalCode = "100-0005";
  form.registeredName = Cp932("ﾔﾏﾀﾞ");
  return form;
}

// The folder of the book file; one made here is removed afterwards.
struct BenchFolder {
  BenchFolder() {
    const char* dir = std::getenv("CALLDIR_BENCH_DIR");
    if (dir != nullptr && *dir != '\0') {
      path = dir;
    } else {
      std::string pattern = "/tmp/entry-save-bench-XXXXXX";
      path = mkdtemp(pattern.data());
      owned = true;
    }
  }
  ~BenchFolder() {
    if (owned) std::filesystem::remove_all(path);
  }
  std::string path;
  bool owned = false;
};

struct SaveBench {
  explicit SaveBench(int entries) {
    GenerateBook(book, BookShape{entries});
    ApplyKanaFilter(book, kKanaRootText);
  }
  PhoneBook book;
  YesPrompter prompter;
  LinkedCallDirLibrary linked;
  NoWriteCallDir noWrite;
  LinkedAdapterLibrary adapter;  // never called: the adapter is off
  BenchFolder folder;
  int refreshed = 0;

  EntryFlowContext Flow(BookAccess& access) {
    return {access, adapter, false,
            [this](int) { refreshed += ApplyKanaFilter(book, kKanaRootText); },
            {}};
  }
};

// The user saves an entry that is in the book: asked, confirmed, replaced. The entry sits
// in the last slot, so the lookup walks the whole book.
void Replace(benchmark::State& state, bool durable) {
  SaveBench bench(BOOK_CAPACITY - 1);
  CallDirLibrary& callDir = durable ? static_cast<CallDirLibrary&>(bench.linked) : bench.noWrite;
  BookAccess access{bench.book, callDir, bench.prompter, bench.folder.path + "/CallDir.csv"};
  EntryFlowContext flow = bench.Flow(access);
  const EntryForm form = SavedForm();
  SaveEntry(flow, form, PromptOwner::MainWindow());  // appends it: the book is now full
  if (bench.book.entryCount() != BOOK_CAPACITY) state.SkipWithError("the entry was not appended");
  for (auto _ : state) SaveEntry(flow, form, PromptOwner::MainWindow());
  if (FindSameNumber(bench.book, form.number) != BOOK_CAPACITY - 1) {
    state.SkipWithError("the save did not replace the last entry");
  }
}

void BM_SaveReplace(benchmark::State& state) {
  Replace(state, true);
}
void BM_SaveReplaceWithoutWrite(benchmark::State& state) {
  Replace(state, false);
}

// A new entry that fills the book: appended, the full-book notice, handed over.
void BM_SaveAppend(benchmark::State& state) {
  SaveBench bench(BOOK_CAPACITY - 1);
  BookAccess access{bench.book, bench.linked, bench.prompter, bench.folder.path + "/CallDir.csv"};
  EntryFlowContext flow = bench.Flow(access);
  const EntryForm form = SavedForm();
  for (auto _ : state) {
    SaveEntry(flow, form, PromptOwner::MainWindow());
    state.PauseTiming();
    GenerateBook(bench.book, BookShape{BOOK_CAPACITY - 1});  // room for the next append
    state.ResumeTiming();
  }
}

// The durable hand-over of 10,000 entries alone.
void BM_HandOverBook(benchmark::State& state) {
  SaveBench bench(BOOK_CAPACITY);
  BookAccess access{bench.book, bench.linked, bench.prompter, bench.folder.path + "/CallDir.csv"};
  for (auto _ : state) {
    if (!HandOverBook(access)) state.SkipWithError("the hand-over failed");
  }
}

BENCHMARK(BM_SaveReplace)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveAppend)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveReplaceWithoutWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HandOverBook)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
