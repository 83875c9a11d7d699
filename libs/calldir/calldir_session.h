// The library's state between calls: the open path, the one copy of the book, and the
// files that must be kept aside before they are replaced. The C entry points (calldir.cpp)
// forward here, one call at a time. The rules are in docs/calldir-format.md, "The calls".
#pragma once

#include <set>
#include <string>
#include <vector>

#include "calldir/calldir.h"
#include "platform/file_ops.h"

namespace calldir {

class Session {
 public:
  int Open(const char* path);
  void Close();
  int Count() const;
  int Read(BookEntry* book);
  int Write(const BookEntry* book, int count);
  int Delete(const BookEntry* book, int index);
  int Save(const char* path, int count);
  int LastError() const { return lastError_; }

  // Remembers `code` as the last failure and returns 0, the result of a failed call.
  int Fail(int code);

 private:
  // Where the book in memory came from: it decides whether an open reads the file again.
  enum class Held {
    Nothing,      // no open and no hand-over yet
    FileBook,     // read from the file by an open (empty when the file was missing or bad)
    ProgramBook,  // the program's own: given to it by Read, or handed over by Write/Delete
  };

  void TakeProgramBook(const BookEntry* book, int count);
  void NoteChangeByOthers(const std::string& path);
  bool Store(const std::string& path);

  bool open_ = false;
  bool loaded_ = false;  // the open read the file (false after failures 15 and 16)
  std::string openPath_;

  // The one copy of the book. While it is the program's, its indexes are the program's
  // slots and deleted entries keep their place (marked); files never hold them.
  std::vector<BookEntry> book_;
  // Whether book_ holds the program's entries as its array had them (a text without its
  // terminator, bytes behind one). A store writes such an entry as its stored form anyway,
  // so only Read, which hands the entries back, brings them to that form first: the
  // program's frequent writes do not pay for it.
  bool rawEntries_ = false;
  Held held_ = Held::Nothing;
  std::string heldPath_;
  file_ops::FileStamp heldStamp_;  // the file at heldPath_ as this library last read or wrote it

  // Files this library could not load, or that someone else wrote while the program held
  // its own book: each is kept as a backup before anything replaces it.
  std::set<std::string> keepAside_;

  int lastError_ = 0;
};

}  // namespace calldir
