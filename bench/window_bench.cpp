// The main window on a full book: a refill, a sort and the repaint of a scrolled page; and,
// with --start N, one start of the program on a book of N entries: the time from the
// application object's creation to the first paint of the filled list, and the process's
// memory then. A start is timed once per process, since the book file library keeps a book
// it has read and a second start in the same process would not read the file again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "messages/prompter.h"
#include "book/adapter_library.h"
#include "book/calldir_library.h"
#include "book_generator.h"
#include "calldir/calldir.h"
#include "gui/main_window/dudode_app.h"
#include "gui/list/book_list_view.h"
#include "gui/main_window/main_frame.h"
#include "platform/named_mutex.h"

namespace {

// Answers every message at once, so no wait on a person is timed.
class AnsweringPrompter final : public Prompter {
 public:
  using Prompter::Ask;
  PromptAnswer Ask(const std::string&, const std::string&, PromptIcon, PromptButtons,
                   PromptOwner) override {
    return PromptAnswer::Ok;
  }
  void SetBusy(bool) override {}
};

// Program folders holding a generated book of a given size, made once.
std::string ProgramFolder(int entries) {
  static QTemporaryDir root;
  const QString folder = root.filePath(QString::number(entries));
  if (QDir().mkpath(folder) && !QFile::exists(folder + "/CallDir.csv")) {
    auto book = std::make_unique<PhoneBook>();
    GenerateBook(*book, BookShape{.count = entries});
    const QByteArray path = (folder + "/CallDir.csv").toLocal8Bit();
    CallDirOpen(path.constData());
    CallDirWrite(book->data(), book->entryCount());
    CallDirClose();
  }
  return folder.toStdString();
}

// Flags the first paint of the list's rows.
class PaintWatch final : public QObject {
 public:
  bool painted = false;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

// One start of the program on the book in `folder`, with no adapter: the sibling program
// "runs", so the port is never opened.
struct Started {
  LinkedCallDirLibrary callDir;
  LinkedAdapterLibrary adapter;
  AnsweringPrompter prompter;
  CDudOdeApp app{callDir, adapter, prompter};

  explicit Started(const std::string& folder) {
    qputenv("DUDODE_HOME", QByteArray::fromStdString(folder));
    PaintWatch watch;
    app.InitInstance({});
    CDudOdeView& list = app.mainFrame()->listView();
    list.viewport()->installEventFilter(&watch);
    while (!watch.painted) QApplication::processEvents();
    list.viewport()->removeEventFilter(&watch);
  }
  ~Started() { app.ExitInstance(); }
  CDudOdeView& list() { return app.mainFrame()->listView(); }
};

void BM_Refill(benchmark::State& state) {
  Started started(ProgramFolder(10000));
  for (auto _ : state) started.list().RefreshList();
}
BENCHMARK(BM_Refill)->Unit(benchmark::kMillisecond);

void BM_SortColumn(benchmark::State& state) {
  Started started(ProgramFolder(10000));
  const int column = static_cast<int>(state.range(0));
  for (auto _ : state) started.list().SortOnColumn(column);  // includes its refill
}
BENCHMARK(BM_SortColumn)->Arg(0)->Arg(3)->Arg(6)->Unit(benchmark::kMillisecond);

void BM_ScrollPageRepaint(benchmark::State& state) {
  Started started(ProgramFolder(10000));
  QScrollBar* bar = started.list().verticalScrollBar();
  for (auto _ : state) {
    bar->setValue(bar->value() + bar->pageStep() > bar->maximum() ? 0 : bar->value() + bar->pageStep());
    started.list().viewport()->repaint();
  }
}
BENCHMARK(BM_ScrollPageRepaint)->Unit(benchmark::kMillisecond);

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const auto vizazed = NamedMutex::Create("VIZAZED_RUNNING");
  if (argc == 3 && std::strcmp(argv[1], "--start") == 0) {
    const std::string folder = ProgramFolder(std::atoi(argv[2]));
    const auto begin = std::chrono::steady_clock::now();
    Started started(folder);
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - begin;
    std::printf("entries %s: start to first paint %.2f ms, resident %ld kB\n", argv[2],
                elapsed.count(), ResidentKilobytes());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
