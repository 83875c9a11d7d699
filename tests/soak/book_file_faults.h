// Real failures of the book file's writes, switched on and off while the program runs: the
// program folder made unwritable, or a disk that takes no more than a small file (the
// process's file-size limit, so writes fail with EFBIG as on a full disk).
#pragma once

#include <filesystem>

enum class BookFileFault { None, UnwritableFolder, FullDisk };

const char* FaultName(BookFileFault fault);

class BookFileFaults {
 public:
  explicit BookFileFaults(std::filesystem::path folder);
  ~BookFileFaults() { End(); }
  BookFileFaults(const BookFileFaults&) = delete;
  BookFileFaults& operator=(const BookFileFaults&) = delete;

  void Start(BookFileFault fault);
  void End();
  BookFileFault current() const { return current_; }

  // Whether a file as large as a book can be written in the folder now: the soak checks
  // with it that a fault is real before it counts on it.
  bool FolderTakesABook() const;

 private:
  std::filesystem::path folder_;
  BookFileFault current_ = BookFileFault::None;
};
