#include "book_store.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>

#include "book_file_format.h"

namespace calldir {

namespace {

constexpr std::size_t kChunk = 256 * 1024;  // bytes per read and per write: few calls, in L2

// 13 empty fields, "0" and CR LF: no record is shorter, so the file's size bounds the count.
constexpr std::uint64_t kShortestRecord = 16;

// Formatted bytes land in one buffer of kChunk bytes, written out whenever the next
// record might not fit.
class FileSink final : public ByteSink {
 public:
  explicit FileSink(TempFile& file) : file_(file), buffer_(new char[kChunk]) {}

  char* Room(std::size_t size) override {
    if (used_ + size > kChunk && !Drain()) return nullptr;
    return buffer_.get() + used_;
  }

  void Commit(std::size_t size) override { used_ += size; }

  bool Drain() {
    const bool written = file_.Write(buffer_.get(), used_);
    used_ = 0;
    return written;
  }

 private:
  TempFile& file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};
static_assert(kLongestRecord <= kChunk);

// Never replaces a backup: the next free name of this second.
bool KeepAside(const std::string& path, std::string& backup) {
  const std::string time = LocalTimeText();
  for (int n = 0; n < 1000; ++n) {
    const std::string name = BackupPathFor(path, time, n);
    switch (KeepAs(path, name)) {
      case KeepResult::Kept:
        backup = name;
        return true;
      case KeepResult::NameTaken:
        continue;
      case KeepResult::Failed:
        return false;
    }
  }
  return false;
}

// The pid of "<pid>-<serial>", or 0 when `rest` is not of that form.
unsigned long TempOwner(std::string_view rest) {
  const std::size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash + 1 == rest.size()) return 0;
  const auto digits = [](std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!digits(rest.substr(0, dash)) || !digits(rest.substr(dash + 1)) || dash > 10) return 0;
  return std::stoul(std::string(rest.substr(0, dash)));
}

}  // namespace

LoadResult LoadBookFile(const std::string& path, std::vector<BookEntry>& book, FileStamp& stamp) {
  book.clear();
  stamp = FileStamp{};
  InputFile file;
  switch (file.Open(path)) {
    case InputFile::OpenResult::Missing:
      stamp.known = true;  // known to be missing
      return LoadResult::Missing;
    case InputFile::OpenResult::Failed:
      return LoadResult::CannotOpen;
    case InputFile::OpenResult::Opened:
      break;
  }
  stamp = file.Stamp();
  // Room for every record at once, so the one copy is never moved while it grows.
  book.reserve(static_cast<std::size_t>(
      std::min<std::uint64_t>(BOOK_CAPACITY, stamp.size / kShortestRecord + 1)));
  BookParser parser(book);
  std::unique_ptr<char[]> buffer(new char[kChunk]);
  for (;;) {
    const long long got = file.Read(buffer.get(), kChunk);
    if (got == 0) break;
    if (got < 0 || !parser.Feed(std::string_view(buffer.get(), static_cast<std::size_t>(got)))) {
      book.clear();
      return LoadResult::Unreadable;
    }
  }
  if (!parser.Finish()) {
    book.clear();
    return LoadResult::Unreadable;
  }
  return LoadResult::Loaded;
}

StoreOutcome StoreBookFile(const std::string& path, std::span<const BookEntry> book,
                           const StoreOptions& options) {
  StoreOutcome outcome;
  TempFile temp;  // removed by its destructor on every early return below
  if (!CreateTempBeside(temp, path)) return outcome;
  FileSink sink(temp);
  if (!FormatBook(book, sink) || !sink.Drain()) return outcome;
  if (options.flush && !temp.Flush()) return outcome;
  const FileStamp stamp = temp.Stamp();
  if (!temp.Close()) return outcome;
  // From here the temporary file is closed: remove it by hand on failure.
  if (options.keepOldAside && PathExists(path) && !KeepAside(path, outcome.backup)) {
    temp.Discard();
    return outcome;
  }
  if (!RenameOver(temp.Path(), path)) {
    temp.Discard();
    return outcome;
  }
  outcome.stamp = stamp;
  outcome.result =
      !options.flush || FlushFolderOf(path) ? StoreResult::Stored : StoreResult::NotFlushed;
  return outcome;
}

std::string BackupPathFor(const std::string& path, const std::string& time, int n) {
  std::string name = path + ".backup-" + time;
  if (n > 0) name += "-" + std::to_string(n);
  return name;
}

void RemoveStaleTemps(const std::string& path) {
  namespace fs = std::filesystem;
  try {
    const fs::path book(path);
    const fs::path folder = book.has_parent_path() ? book.parent_path() : fs::path(".");
    const std::string prefix = book.filename().string() + ".tmp-";
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
      const std::string name = it->path().filename().string();
      if (name.compare(0, prefix.size(), prefix) != 0) continue;
      const unsigned long owner = TempOwner(std::string_view(name).substr(prefix.size()));
      if (owner == 0 || owner == CurrentProcessId() || ProcessExists(owner)) continue;
      RemoveFile(it->path().string());
    }
  } catch (...) {
    // Tidying is best effort: a leftover temporary file harms nothing but space.
  }
}

}  // namespace calldir
