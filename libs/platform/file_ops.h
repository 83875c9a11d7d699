// The few file-system operations the book file and the CSV export need. One implementation
// per platform (file_ops_posix.cpp, file_ops_win32.cpp), chosen by CMake; everything above
// this file works on paths and bytes only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace file_ops {

// One version of a file: a write into it, or another file renamed over it, gives a
// different stamp. Used to notice that someone else changed the book file.
struct FileStamp {
  bool known = false;  // false: the file could not be looked at
  bool exists = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // ns since the epoch (POSIX), 100 ns ticks (Windows)
};

// The same version of the same file; an unknown stamp is never the same as anything.
inline bool SameFile(const FileStamp& a, const FileStamp& b) {
  return a.known && b.known && a.exists == b.exists && a.device == b.device && a.inode == b.inode &&
         a.size == b.size && a.modified == b.modified;
}

FileStamp StampOf(const std::string& path);

// A file opened for reading, closed with the object.
class InputFile {
 public:
  enum class OpenResult { Opened, Missing, Failed };

  InputFile() = default;
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Missing when nothing is at `path`; Failed when something is there that cannot be
  // read as a file (no permission, a folder, a device error).
  OpenResult Open(const std::string& path);
  // Bytes read into `buffer`, 0 at the end, -1 on an error.
  long long Read(char* buffer, std::size_t size);
  FileStamp Stamp() const;

 private:
  std::intptr_t handle_ = -1;
};

// A new file that only its user may read and write (0600 on POSIX). Removed by the
// destructor unless Close() succeeded; the caller renames it into place afterwards.
class TempFile {
 public:
  enum class CreateResult { Created, NameTaken, Failed };

  TempFile() = default;
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  CreateResult Create(const std::string& path);  // never opens an existing file
  bool Write(const char* data, std::size_t size);
  bool Flush();  // to the disk: fsync, FlushFileBuffers
  FileStamp Stamp() const;
  bool Close();
  void Discard();  // close if open and remove the file
  const std::string& Path() const { return path_; }

 private:
  std::intptr_t handle_ = -1;
  std::string path_;
  bool closed_ = false;
};

// "<path>.tmp-<pid>-<serial>": the temporary file that is written whole before it replaces
// the file at `path`, private (0600).
std::string TempPathFor(const std::string& path, unsigned long pid, unsigned serial);

// Creates a new temporary file beside `path` under the next free TempPathFor name.
bool CreateTempBeside(TempFile& temp, const std::string& path);

// Puts `from` in the place of `to`, replacing `to` atomically when it exists.
bool RenameOver(const std::string& from, const std::string& to);

// Makes the last rename in the folder that holds `path` survive a power cut.
bool FlushFolderOf(const std::string& path);

// Makes `backup` hold the file at `path` without ever replacing an existing `backup`:
// a hard link where the file system has them (so `path` stays in place until the new book
// replaces it), else a rename. The backup is made private (0600, a folder 0700).
enum class KeepResult { Kept, NameTaken, Failed };
KeepResult KeepAs(const std::string& path, const std::string& backup);

bool PathExists(const std::string& path);
bool RemoveFile(const std::string& path);

unsigned long CurrentProcessId();
bool ProcessExists(unsigned long pid);

// The local time as YYYYMMDD-HHMMSS, for backup names.
std::string LocalTimeText();

}  // namespace file_ops
