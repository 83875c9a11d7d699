// Shared by the CallDir tests: books to write, the program's calls, and child processes.
// A "fresh start" runs the program's start-up calls in a new process, so what it sees is
// the file on the disk and not the library's memory of this process.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "calldir/calldir.h"
#include "book/calldir_library.h"
#include "book/book_storage.h"
#include "support/recording_prompter.h"
#include "support/temp_dir.h"

namespace calldir_test {

// Entry `i` of a plain book whose texts tell which book (`tag`) and entry they are.
BookEntry MakeEntry(int tag, int i);
std::vector<BookEntry> MakeBook(int tag, int count);

// The 13 texts and inAdapter, the part of an entry the file keeps.
bool SameStoredPart(const BookEntry& a, const BookEntry& b);

// The live entries of `book`, as the next start must return them.
std::vector<BookEntry> LiveEntries(const std::vector<BookEntry>& book);

// Expects `got` to hold exactly `want`'s stored parts, with viewSlot = index, deleted = 0.
void ExpectBook(const std::vector<BookEntry>& want, const std::vector<BookEntry>& got,
                const std::string& what);

// The program's side of the calls: the book primitives on the real library, plus the two
// calls no primitive makes yet, the merge's hand-over and the save command. Failures show
// the library's message, as the program does; results are returned where it looks at them.
struct Program {
  explicit Program(std::string bookPath) : access{book, callDir, prompter, std::move(bookPath)} {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool LoadBook(const std::function<void()>& whileOpen = {});
  void Append(const BookEntry& entry);
  bool HandOverBook();
  bool MarkDeleted(int index);          // false when the program showed a message
  void MergeHandOver();                 // open, write, close; no result looked at
  bool SaveCommand();                   // CallDirSave(path, entryCount) alone
  int LastError() const;                // the number whose message was shown last; 0 for none
  std::vector<BookEntry> Live() const;  // what the next start must show

  PhoneBook book;
  LinkedCallDirLibrary callDir;
  RecordingPrompter prompter;
  BookAccess access;
};

struct StartResult {
  int opened = 0;
  int error = 0;  // CallDirLastError() after a failed open
  int count = 0;
  std::vector<BookEntry> book;
};

// Start-up's calls (open, count, read, close) in a new process.
StartResult FreshStart(const std::string& path);

// Runs `body` in a forked child; every failed Check there becomes a test failure here.
class ChildReport {
 public:
  explicit ChildReport(int fd) : fd_(fd) {}
  bool Check(bool ok, const std::string& what);

 private:
  int fd_;
};
void RunInChild(const std::function<void(ChildReport&)>& body);

unsigned ModeOf(const std::string& path);  // the permission bits

// Makes `field` hold `text` like the program does (cut, terminated, zero-filled).
template <std::size_t N>
void Set(char (&field)[N], const std::string& text);

}  // namespace calldir_test

#include "platform/text_bytes.h"

template <std::size_t N>
void calldir_test::Set(char (&field)[N], const std::string& text) {
  text_bytes::FillField(field, text);
}
