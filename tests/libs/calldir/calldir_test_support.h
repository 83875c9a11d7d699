// Shared by the CallDir tests: private folders, books to write, and child processes. A
// "fresh start" runs the program's start-up calls in a new process, so what it sees is
// the file on the disk and not the library's memory of this process.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "book/book_entry.h"

namespace calldir_test {

// A new empty folder (under $TMPDIR or /tmp: a real disk, so fsync costs what it costs),
// removed with everything in it at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  std::vector<std::string> Names() const;  // sorted

 private:
  std::string path_;
};

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

// The program's side of the calls, made as the book primitives make them: the array of 10,000
// slots with entryCount, LoadBook, HandOverBook, MarkDeleted, the merge's hand-over and
// the save command. Results are returned where the program looks at them.
struct Program {
  explicit Program(std::string bookPath);

  // Open; on failure the last error and false, without a close (as LoadBook does). Else
  // count, read, `whileOpen` (the merge), close.
  bool LoadBook(const std::function<void()>& whileOpen = {});
  void Append(const BookEntry& entry);
  bool HandOverBook();                  // open (ignored), write, close
  bool MarkDeleted(int index);          // deleted = 1; open (ignored), delete, close
  void MergeHandOver();                 // open, write, close; no result looked at
  bool SaveCommand();                   // CallDirSave(path, entryCount) alone
  std::vector<BookEntry> Live() const;  // what the next start must show

  std::string path;
  std::vector<BookEntry> slots;
  int entryCount = 0;
  int lastError = 0;  // after the last call the program looked at and that failed
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

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
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
