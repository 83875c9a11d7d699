// The soak: the whole program (the application object, its windows, the real CallDir and
// ZEF_P1 libraries) on the offscreen platform, driven through its own windows for
// thousands of random operations on a book of nearly 10,000 entries, while the adapter
// emulator drops, refuses and damages replies, the port vanishes late in the run, and the
// book file's writes fail for a while. Every failure must reach the user with its message;
// at the end the book file must hold exactly the live entries in memory.
//
//   dudode_soak [--seed N] [--operations N] [--entries N] [--minutes N]
//
// Exit status 0 when nothing was found; the figures go to standard output.
#include <QApplication>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "messages/library_errors.h"
#include "book/csv_export.h"
#include "book_store.h"
#include "gui/main_window/dudode_app.h"
#include "gui/list/book_list_view.h"
#include "gui/main_window/main_frame.h"
#include "libs/zefp1/adapter_test_support.h"
#include "platform/program_folder.h"
#include "platform/text_bytes.h"
#include "soak/book_file_faults.h"
#include "soak/soak_journal.h"
#include "soak/soak_plan.h"
#include "soak/window_driver.h"
#include "support/private_mutex_folder.h"
#include "support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;
using text_bytes::FieldText;

// What the run found and counted.
struct Figures {
  std::array<int, kOpKinds> attempted{};
  std::map<std::string, int> failedCalls;    // "CallDir Write 17" -> count
  std::map<std::string, int> reportedCalls;  // the same, those whose message was shown
  std::map<std::string, int> messages;       // every message box by text
  int faultOperations = 0;                   // operations run while the book file failed
  int exportsChecked = 0;
  int storesCompared = 0;  // operations after which the book file was compared
  int bookFullAt = -1;     // the first operation after which the book had no free slot
  std::vector<std::string> findings;

  void Find(int operation, const std::string& what) {
    findings.push_back("operation " + std::to_string(operation) + ": " + what);
    std::fprintf(stderr, "soak: FOUND at operation %d: %s\n", operation, what.c_str());
  }
};

// The book file through the library's C functions. The library keeps the program's book
// while the program runs and would give that back, so it reads a copy: a file it has never
// held is read from the disk. Only once the program has ended: reading changes what the
// library holds.
std::vector<BookEntry> ReadThroughTheLibrary(const std::filesystem::path& book,
                                             const std::filesystem::path& copy) {
  std::filesystem::copy_file(book, copy, std::filesystem::copy_options::overwrite_existing);
  LinkedCallDirLibrary reader;
  std::vector<BookEntry> stored;
  if (reader.Open(copy.c_str()) != 0) {
    stored.resize(static_cast<std::size_t>(reader.Count()));
    if (reader.Read(stored.data()) == 0) stored.clear();
  }
  reader.Close();
  return stored;
}

// The book file through the library's own reader, reached directly as its format tests do:
// it leaves the running library alone.
std::vector<BookEntry> ReadWhileRunning(const std::filesystem::path& book) {
  std::vector<BookEntry> stored;
  calldir::FileStamp stamp;
  if (calldir::LoadBookFile(book.string(), stored, stamp) != calldir::LoadResult::Loaded) {
    stored.clear();
  }
  return stored;
}

// All that the file keeps of an entry.
std::string StoredTexts(const BookEntry& e) {
  std::string all;
  for (std::string_view field :
       {FieldText(e.number), FieldText(e.name), FieldText(e.address), FieldText(e.company),
        FieldText(e.companyAddress), FieldText(e.fax), FieldText(e.postalCode),
        FieldText(e.nameKana), FieldText(e.email), FieldText(e.callAccept),
        FieldText(e.adapterWanted), FieldText(e.illumination), FieldText(e.registeredName)}) {
    all.append(field).push_back('\x1f');
  }
  return all + std::to_string(e.inAdapter);
}

class Soak {
 public:
  Soak(const SoakOptions& options, const std::filesystem::path& home)
      : options_(options),
        home_(home),
        random_(options.seed),
        callDir_(journal_),
        adapter_(journal_),
        prompter_(journal_, random_),
        faults_(home) {}

  int Run();

 private:
  void Prepare();
  void StartProgram();
  void SetBookFileFault(int operation);
  void CheckOperation(int operation, std::size_t from, Op op);
  void CheckExport(int operation);
  void CheckList(int operation);
  void DumpOperation(int operation, Op op, std::size_t from) const;
  void CheckBookFile(int operation, const std::vector<BookEntry>& stored);
  void CheckStoredBook(int operation, std::size_t from);
  int LiveCount() const;
  void Report(Clock::duration elapsed) const;

  PhoneBook& book() { return app_->book(); }
  std::filesystem::path ExportPath() const { return home_ / "export.csv"; }

  SoakOptions options_;
  std::filesystem::path home_;
  std::mt19937 random_;
  Journal journal_;
  JournalingCallDir callDir_;
  JournalingAdapter adapter_;
  JournalingPrompter prompter_;
  BookFileFaults faults_;
  FaultSchedule schedule_;
  Figures figures_;
  std::unique_ptr<ChildProcess> emulator_;
  std::unique_ptr<CDudOdeApp> app_;
  std::unique_ptr<WindowDriver> driver_;
  std::string emulatorLog_;
  int startEntries_ = 0;
  bool bookFileInStep_ = false;  // the book file held the live entries after the last check
};

// The generated book written by make-book, the emulator with random fault bursts and some
// entries of its own, the port pointed at it.
void Soak::Prepare() {
  ChildProcess makeBook({MAKE_BOOK_PATH, "--count", std::to_string(options_.entries), "--seed",
                         std::to_string(options_.seed), "--deleted", "0",
                         (home_ / "CallDir.csv").string()});
  if (makeBook.Wait() != 0) throw std::runtime_error("make-book failed");
  const std::string state = (home_ / "adapter-state").string();
  WriteEmulatorState(state, 20);
  emulatorLog_ = (home_ / "adapter.log").string();
  const std::string link = (home_ / "adapter").string();
  emulator_ =
      StartEmulator(link, {"--baud", "0", "--state", state, "--fault-bursts", "3", "--fault-seed",
                           std::to_string(options_.seed), "--log", emulatorLog_});
  setenv("ZEFP1_COM1", link.c_str(), 1);
  schedule_ = MakeSchedule(options_.operations, random_);
}

int Soak::LiveCount() const {
  int live = 0;
  for (int i = 0; i < app_->book().entryCount(); ++i) live += app_->book()[i].deleted == 0 ? 1 : 0;
  return live;
}

// A store that returned success has the book on the disk: after an operation whose last
// store succeeded the file holds the live entries in memory; so it does after an operation
// without a store when it did before, or the operation changed the book and kept it from the
// disk. After a failed store the file is behind until the next store succeeds.
void Soak::CheckStoredBook(int operation, std::size_t from) {
  const auto end = journal_.rend() - static_cast<long>(from);
  const auto last = std::find_if(journal_.rbegin(), end, [](const JournalEvent& e) {
    return e.kind == JournalEvent::Kind::CallDirCall;
  });
  if (last != end) bookFileInStep_ = last->ok;
  if (!bookFileInStep_) return;
  CheckBookFile(operation, ReadWhileRunning(home_ / "CallDir.csv"));
  ++figures_.storesCompared;
}

// The list shows the whole book (the soak leaves the tree at its root): one row for each
// live entry after every operation, failed ones included.
void Soak::CheckList(int operation) {
  const int rows = app_->mainFrame()->listView().RowCount();
  if (rows != LiveCount()) {
    figures_.Find(operation, "the list shows " + std::to_string(rows) + " rows for " +
                                 std::to_string(LiveCount()) + " live entries");
  }
}

// A successful export holds the live entries as the CSV writer formats them. Under a
// book-file fault CheckOperation looks for the failure's message instead.
void Soak::CheckExport(int operation) {
  if (faults_.current() != BookFileFault::None) return;
  std::ifstream file(ExportPath(), std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
  if (written != FormatCsv(book())) {
    figures_.Find(operation, "the exported file differs from the book");
  }
  ++figures_.exportsChecked;
}

std::string CallName(const JournalEvent& event) {
  return std::string(event.kind == JournalEvent::Kind::CallDirCall ? "CallDir " : "ZEF_P1 ") +
         event.what + " " + std::to_string(event.error);
}

// Every failed call of the operation must be followed by its library's message, except a
// read of the adapter that a later read replaces (the merge reads three times and only the
// last counts). While the book file fails every store must fail, and never otherwise;
// once the port is gone every adapter call must fail; an export under a book-file fault
// must say that it failed.
void Soak::CheckOperation(int operation, std::size_t from, Op op) {
  const std::size_t findingsBefore = figures_.findings.size();
  const BookFileFault fault = faults_.current();
  const bool portGone = operation >= schedule_.portVanishes;
  bool csvFailureShown = false;
  for (std::size_t i = from; i < journal_.size(); ++i) {
    const JournalEvent& event = journal_[i];
    if (event.kind == JournalEvent::Kind::Message) {
      ++figures_.messages[event.what];
      csvFailureShown = csvFailureShown || event.what == kCsvSaveFailedMessage;
      continue;
    }
    if (event.kind == JournalEvent::Kind::CallDirCall &&
        event.ok != (fault == BookFileFault::None)) {
      figures_.Find(operation,
                    std::string(event.ok ? "a store succeeded under " : "a store failed without ") +
                        "a fault: " + CallName(event));
    }
    if (event.kind == JournalEvent::Kind::AdapterCall && portGone && event.ok) {
      figures_.Find(operation, "the adapter answered after the port vanished: " + event.what);
    }
    if (event.ok) continue;
    const bool replaced = event.what == "ReadAll" &&
                          std::any_of(journal_.begin() + static_cast<long>(i) + 1, journal_.end(),
                                      [](const JournalEvent& e) { return e.what == "ReadAll"; });
    if (replaced) continue;
    ++figures_.failedCalls[CallName(event)];
    const char* message = LibraryErrorMessage(event.error);
    const bool shown =
        message != nullptr && std::any_of(journal_.begin() + static_cast<long>(i) + 1,
                                          journal_.end(), [message](const JournalEvent& e) {
                                            return e.kind == JournalEvent::Kind::Message &&
                                                   e.what == message;
                                          });
    if (shown) {
      ++figures_.reportedCalls[CallName(event)];
    } else {
      figures_.Find(operation, "failure not reported: " + CallName(event));
    }
  }
  if (op == Op::Export && fault != BookFileFault::None && !csvFailureShown) {
    figures_.Find(operation, "an export under a book-file fault was not reported as failed");
  }
  if (figures_.findings.size() != findingsBefore) DumpOperation(operation, op, from);
}

// What an operation with a finding did, for the report.
void Soak::DumpOperation(int operation, Op op, std::size_t from) const {
  std::fprintf(stderr, "soak: operation %d (%s) under %s:\n", operation,
               kOpNames[static_cast<std::size_t>(op)], FaultName(faults_.current()));
  for (std::size_t i = from; i < journal_.size(); ++i) {
    const JournalEvent& event = journal_[i];
    std::fprintf(stderr, "soak:   %s\n",
                 event.kind == JournalEvent::Kind::Message
                     ? ("message " + event.what).c_str()
                     : (CallName(event) + (event.ok ? " ok" : " failed")).c_str());
  }
}

// `stored`, read from the book file, holds the live entries in memory, in order.
void Soak::CheckBookFile(int operation, const std::vector<BookEntry>& stored) {
  std::vector<const BookEntry*> live;
  for (int i = 0; i < book().entryCount(); ++i) {
    if (book()[i].deleted == 0) live.push_back(&book()[i]);
  }
  if (stored.size() != live.size()) {
    figures_.Find(operation, "the book file holds " + std::to_string(stored.size()) +
                                 " entries, the book " + std::to_string(live.size()) +
                                 " live ones");
    return;
  }
  for (std::size_t i = 0; i < live.size(); ++i) {
    if (StoredTexts(stored[i]) != StoredTexts(*live[i])) {
      figures_.Find(operation,
                    "the book file's entry " + std::to_string(i) + " differs from the book");
      return;
    }
  }
}

void Soak::StartProgram() {
  app_ = std::make_unique<CDudOdeApp>(callDir_, adapter_, prompter_);
  if (!app_->InitInstance({})) throw std::runtime_error("the program did not start");
  driver_ = std::make_unique<WindowDriver>(*app_, random_, ExportPath());
  startEntries_ = book().entryCount();
  // The start reads the adapter as its command does; its failures are reported the same way.
  CheckOperation(-1, 0, Op::ReadAdapter);
}

// Starts or ends the book-file fault the schedule has for `operation`; a fault that the
// folder does not feel would prove nothing, so the run stops on it.
void Soak::SetBookFileFault(int operation) {
  const BookFileFault fault = schedule_.FaultAt(operation);
  if (fault != faults_.current()) {
    faults_.Start(fault);
    if (fault != BookFileFault::None && faults_.FolderTakesABook()) {
      throw std::runtime_error(std::string("cannot inject a ") + FaultName(fault));
    }
  }
  if (fault != BookFileFault::None) ++figures_.faultOperations;
}

int Soak::Run() {
  const auto started = Clock::now();
  Watchdog watchdog(std::chrono::minutes(options_.minutes), std::chrono::seconds(60), [this] {
    if (emulator_) emulator_->Kill();
  });
  Prepare();
  StartProgram();
  for (int operation = 0; operation < options_.operations; ++operation) {
    watchdog.Beat(operation);
    SetBookFileFault(operation);
    if (operation == schedule_.portVanishes) emulator_->Kill();
    const Op op = driver_->Pick();
    ++figures_.attempted[static_cast<std::size_t>(op)];
    const std::size_t from = journal_.size();
    driver_->Run(op);
    CheckOperation(operation, from, op);
    if (op == Op::Export) CheckExport(operation);
    CheckList(operation);
    CheckStoredBook(operation, from);
    if (figures_.bookFullAt < 0 && book().IsFull()) figures_.bookFullAt = operation;
  }

  faults_.End();
  watchdog.Beat(options_.operations);
  const std::size_t from = journal_.size();
  driver_->Save();  // the last save
  CheckOperation(options_.operations, from, Op::Save);
  app_->mainFrame()->close();
  app_->ExitInstance();
  CheckBookFile(options_.operations,
                ReadThroughTheLibrary(home_ / "CallDir.csv", home_ / "read-back.csv"));
  Report(Clock::now() - started);
  return figures_.findings.empty() ? 0 : 1;
}

int CountLines(const std::string& path, const char* word) {
  std::ifstream file(path);
  int count = 0;
  for (std::string line; std::getline(file, line);) count += line.find(word) != std::string::npos;
  return count;
}

// The messages that say a fault happened: the libraries' and the two of the book's limits
// and the export. Questions and the dialog's checks are only counted.
bool IsFaultMessage(const std::string& text) {
  for (int code = 1; code <= 17; ++code) {
    const char* message = LibraryErrorMessage(code);
    if (message != nullptr && text == message) return true;
  }
  return text == kBookFullMessage || text == kCsvSaveFailedMessage;
}

void Soak::Report(Clock::duration elapsed) const {
  std::printf(
      "soak: seed %u, %d operations, a book of %d entries (%d at start; %d slots used and "
      "%d live at the end)\n",
      options_.seed, options_.operations, options_.entries, startEntries_, app_->book().entryCount(),
      LiveCount());
  const std::string full = figures_.bookFullAt < 0
                               ? "never full"
                               : "full from operation " + std::to_string(figures_.bookFullAt);
  std::printf("soak: %.1f s; the book was %s\n", std::chrono::duration<double>(elapsed).count(),
              full.c_str());
  std::printf("soak: operations:");
  for (std::size_t k = 0; k < kOpNames.size(); ++k) {
    std::printf(" %s %d;", kOpNames[k], figures_.attempted[k]);
  }
  std::printf(
      "\nsoak: adapter line faults injected: %d dropped, %d busy, %d garbled; the port "
      "vanished before operation %d\n",
      CountLines(emulatorLog_, "DROPPED"), CountLines(emulatorLog_, "BUSY"),
      CountLines(emulatorLog_, "GARBLED"), schedule_.portVanishes);
  std::printf("soak: book-file faults:");
  for (const auto& phase : schedule_.phases) {
    std::printf(" %s %d-%d;", FaultName(phase.fault), phase.first, phase.last);
  }
  std::printf(" %d operations under them; %d exports compared\n", figures_.faultOperations,
              figures_.exportsChecked);
  std::printf("soak: the book file read back and compared after %d operations\n",
              figures_.storesCompared);
  for (const auto& [call, count] : figures_.failedCalls) {
    const auto reported = figures_.reportedCalls.find(call);
    std::printf("soak: failed %s: %d, reported %d\n", call.c_str(), count,
                reported == figures_.reportedCalls.end() ? 0 : reported->second);
  }
  int messages = 0;
  for (const auto& [text, count] : figures_.messages) {
    messages += count;
    if (IsFaultMessage(text)) std::printf("soak: message %d x %s\n", count, text.c_str());
  }
  std::printf("soak: %d message boxes in all\n", messages);
  std::printf("soak: %zu findings\n", figures_.findings.size());
  for (const std::string& finding : figures_.findings) {
    std::printf("soak: FOUND %s\n", finding.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  SoakOptions options;
  if (!ParseOptions(argc, argv, options)) {
    std::fputs("usage: dudode_soak [--seed N] [--operations N] [--entries N] [--minutes N]\n",
               stderr);
    return 2;
  }
  PrivateMutexFolder mutexes;  // also the runtime folder the application object looks for
  TempDir home;
  qputenv("DUDODE_HOME", QByteArray::fromStdString(home.path().string()));
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  try {
    Soak soak(options, home.path());
    return soak.Run();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "soak: %s\n", error.what());
    return 2;
  }
}
