// Reading the book file into memory and replacing it durably: a temporary file beside it,
// written whole, flushed to the disk, renamed over the old file, the folder flushed.
// At every instant the path holds either the old complete file or the new complete one.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "calldir/calldir.h"
#include "platform/file_ops.h"

namespace calldir {

// The library works through the platform's file operations throughout.
using namespace file_ops;

enum class LoadResult {
  Loaded,      // `book` holds the file's entries
  Missing,     // nothing at the path: an empty book
  CannotOpen,  // something is there that cannot be opened as a file (error 15)
  Unreadable,  // the file does not parse or a read failed (error 16)
};

// Replaces `book` by the entries of the file at `path` (emptied on every result but
// Loaded). `stamp` gets the version of the file that was read, or "missing".
LoadResult LoadBookFile(const std::string& path, std::vector<BookEntry>& book, FileStamp& stamp);

struct StoreOptions {
  bool keepOldAside = false;  // first keep the file now at the path as a backup beside it
  bool flush = true;          // false only to measure the flush's share (the benchmark)
};

enum class StoreResult {
  Stored,      // the new file is in place and on the disk
  NotFlushed,  // the new file is in place, but flushing its folder failed
  Failed,      // nothing changed at the path (a backup may have been made)
};

struct StoreOutcome {
  StoreResult result = StoreResult::Failed;
  FileStamp stamp;     // the new file's version, unless Failed
  std::string backup;  // where the old file was kept, when it was
};

// Writes the live entries of `book` to `path` durably.
StoreOutcome StoreBookFile(const std::string& path, std::span<const BookEntry> book,
                           const StoreOptions& options);

// "<path>.backup-<YYYYMMDD-HHMMSS>" and, for the n-th taken name of the same second, "-n".
std::string BackupPathFor(const std::string& path, const std::string& time, int n);

// Removes the temporary files that a process killed in the middle of a store left beside
// `path`: those whose process no longer runs.
void RemoveStaleTemps(const std::string& path);

}  // namespace calldir
