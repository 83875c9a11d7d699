#include "calldir_session.h"

#include <algorithm>

#include "calldir/calldir.h"
#include "book_file_format.h"
#include "book_store.h"

namespace calldir {

namespace {

bool KnownMissing(const FileStamp& stamp) {
  return stamp.known && !stamp.exists;
}

}  // namespace

int Session::Fail(int code) {
  lastError_ = code;
  return 0;
}

int Session::Open(const char* path) {
  if (path == nullptr || *path == '\0') return Fail(LIBERR_BOOK_CANNOT_OPEN);
  const std::string target(path);
  if (open_) {
    if (target != openPath_) return Fail(LIBERR_BOOK_ALREADY_OPEN);
    // Start-up opens again for the merge: the book stays as it is. After a failed open
    // the file is tried again.
    if (loaded_) return 1;
  }
  open_ = true;
  openPath_ = target;
  NoteChangeByOthers(target);

  if (held_ == Held::ProgramBook && heldPath_ == target) {
    // The program's array is the truth while it runs, and the library already has it: the
    // file is not read again.
    loaded_ = true;
    return 1;
  }

  RemoveStaleTemps(target);
  held_ = Held::FileBook;
  heldPath_ = target;
  rawEntries_ = false;  // a parsed file gives entries in their stored form
  switch (LoadBookFile(target, book_, heldStamp_)) {
    case LoadResult::Loaded:
    case LoadResult::Missing:  // a first start: an empty book, the first write creates it
      loaded_ = true;
      return 1;
    case LoadResult::CannotOpen:
      loaded_ = false;
      keepAside_.insert(target);
      return Fail(LIBERR_BOOK_CANNOT_OPEN);
    case LoadResult::Unreadable:
      loaded_ = false;
      keepAside_.insert(target);
      return Fail(LIBERR_BOOK_UNREADABLE);
  }
  return Fail(LIBERR_BOOK_UNREADABLE);
}

void Session::Close() {
  // The book stays in memory: the save command comes without an open around it.
  open_ = false;
  loaded_ = false;
  openPath_.clear();
}

int Session::Count() const {
  if (!open_ || !loaded_) return 0;
  return static_cast<int>(
      std::count_if(book_.begin(), book_.end(), [](const BookEntry& e) { return e.deleted == 0; }));
}

int Session::Read(BookEntry* book) {
  if (!open_ || !loaded_ || book == nullptr) return Fail(LIBERR_BOOK_UNREADABLE);
  // What the file holds (or will hold): the live entries, in order, numbered afresh.
  if (rawEntries_) {
    for (BookEntry& entry : book_) NormalizeEntry(entry);
    rawEntries_ = false;
  }
  std::erase_if(book_, [](const BookEntry& e) { return e.deleted != 0; });
  for (std::size_t i = 0; i < book_.size(); ++i) {
    book_[i].viewSlot = static_cast<std::int32_t>(i);
  }
  std::copy(book_.begin(), book_.end(), book);
  // The program now has what the file held: nothing there is left to keep aside.
  if (held_ == Held::FileBook) keepAside_.erase(openPath_);
  held_ = Held::ProgramBook;
  return 1;
}

int Session::Write(const BookEntry* book, int count) {
  if (!open_ || book == nullptr || count < 0 || count > BOOK_CAPACITY) {
    return Fail(LIBERR_BOOK_SAVE_FAILED);
  }
  TakeProgramBook(book, count);
  held_ = Held::ProgramBook;  // kept even when the store fails: Save may store it later
  heldPath_ = openPath_;
  return Store(openPath_) ? 1 : Fail(LIBERR_BOOK_SAVE_FAILED);
}

int Session::Delete(const BookEntry* book, int index) {
  // The arguments do not say how many entries the program has: it is the count of the
  // book this library holds (the records read at open, or the last write's count).
  const int count = static_cast<int>(book_.size());
  if (!open_ || book == nullptr || index < 0 || index >= count) {
    return Fail(LIBERR_BOOK_SAVE_FAILED);
  }
  TakeProgramBook(book, count);  // the program's array is the truth
  book_[static_cast<std::size_t>(index)].deleted = 1;  // whatever the array says
  held_ = Held::ProgramBook;
  heldPath_ = openPath_;
  return Store(openPath_) ? 1 : Fail(LIBERR_BOOK_SAVE_FAILED);
}

int Session::Save(const char* path, int count) {
  if (path == nullptr || *path == '\0' || count < 0 || count > BOOK_CAPACITY) {
    return Fail(LIBERR_BOOK_SAVE_FAILED);
  }
  // Only the book the program has: never one it was not given, nor a count that is not its.
  if (held_ == Held::Nothing || static_cast<std::size_t>(count) != book_.size()) {
    return Fail(LIBERR_BOOK_SAVE_FAILED);
  }
  return Store(path) ? 1 : Fail(LIBERR_BOOK_SAVE_FAILED);
}

void Session::TakeProgramBook(const BookEntry* book, int count) {
  book_.assign(book, book + count);
  rawEntries_ = true;
}

void Session::NoteChangeByOthers(const std::string& path) {
  // A file that someone else put there since this library last read or wrote it is kept
  // aside before a store replaces it: it may be a book the user restored.
  if (held_ == Held::Nothing || path != heldPath_) return;
  const FileStamp now = StampOf(path);
  if (!SameFile(now, heldStamp_) && !KnownMissing(now)) keepAside_.insert(path);
}

bool Session::Store(const std::string& path) {
  NoteChangeByOthers(path);  // the save command comes without an open that would notice
  StoreOptions options;
  // A file this library could not load, or one it never read (a save to another path),
  // is kept aside, never simply replaced.
  options.keepOldAside = keepAside_.count(path) != 0 || path != heldPath_;
  const StoreOutcome outcome = StoreBookFile(path, book_, options);
  if (!outcome.backup.empty()) keepAside_.erase(path);
  if (outcome.result != StoreResult::Failed && path == heldPath_) heldStamp_ = outcome.stamp;
  return outcome.result == StoreResult::Stored;
}

}  // namespace calldir
