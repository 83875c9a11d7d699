// POSIX file operations for the book file: open(2) with 0600, fsync(2), rename(2),
// link(2), and an fsync of the folder so that a rename survives a power cut.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <string>

#include "platform/file_ops.h"

namespace file_ops {

namespace {

int Fd(std::intptr_t handle) {
  return static_cast<int>(handle);
}

FileStamp StampFromStat(const struct stat& st) {
  FileStamp stamp;
  stamp.known = true;
  stamp.exists = true;
  stamp.device = static_cast<std::uint64_t>(st.st_dev);
  stamp.inode = static_cast<std::uint64_t>(st.st_ino);
  stamp.size = static_cast<std::uint64_t>(st.st_size);
  stamp.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return stamp;
}

FileStamp StampOfFd(int fd) {
  struct stat st;
  if (fd < 0 || fstat(fd, &st) != 0) return {};
  return StampFromStat(st);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

FileStamp StampOf(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0) return StampFromStat(st);
  FileStamp stamp;
  if (errno == ENOENT) stamp.known = true;  // known to be missing
  return stamp;
}

InputFile::~InputFile() {
  if (handle_ >= 0) close(Fd(handle_));
}

InputFile::OpenResult InputFile::Open(const std::string& path) {
  // Non-blocking, so that a FIFO at the book's path cannot hang the open; it only matters
  // for what is not a regular file, which is refused below.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? OpenResult::Missing : OpenResult::Failed;
  struct stat st;
  // A folder opens for reading on Linux; only a regular file is a book file.
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return OpenResult::Failed;
  }
  handle_ = fd;
  return OpenResult::Opened;
}

long long InputFile::Read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t got = read(Fd(handle_), buffer, size);
    if (got >= 0) return got;
    if (errno != EINTR) return -1;
  }
}

FileStamp InputFile::Stamp() const {
  return StampOfFd(Fd(handle_));
}

TempFile::~TempFile() {
  if (!closed_) Discard();
}

TempFile::CreateResult TempFile::Create(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return errno == EEXIST ? CreateResult::NameTaken : CreateResult::Failed;
  handle_ = fd;
  path_ = path;  // ours from here on: Discard may remove it
  closed_ = false;
  // The umask may take bits away but never adds any; set the mode exactly anyway.
  if (fchmod(fd, 0600) != 0) {
    Discard();
    return CreateResult::Failed;
  }
  return CreateResult::Created;
}

bool TempFile::Write(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t put = write(Fd(handle_), data, size);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;  // ENOSPC, EFBIG, EIO...
    }
    data += put;
    size -= static_cast<std::size_t>(put);
  }
  return true;
}

bool TempFile::Flush() {
  return fsync(Fd(handle_)) == 0;
}

FileStamp TempFile::Stamp() const {
  return StampOfFd(Fd(handle_));
}

bool TempFile::Close() {
  const int fd = Fd(handle_);
  handle_ = -1;
  if (fd < 0 || close(fd) != 0) return false;
  closed_ = true;
  return true;
}

void TempFile::Discard() {
  if (handle_ >= 0) close(Fd(handle_));
  handle_ = -1;
  if (!path_.empty()) unlink(path_.c_str());
  closed_ = true;
}

bool RenameOver(const std::string& from, const std::string& to) {
  return rename(from.c_str(), to.c_str()) == 0;
}

bool FlushFolderOf(const std::string& path) {
  const int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  // Some file systems cannot flush a folder; on those the rename is as safe as it gets.
  const bool flushed = fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
  close(fd);
  return flushed;
}

KeepResult KeepAs(const std::string& path, const std::string& backup) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return KeepResult::Failed;
  const mode_t privateMode = S_ISDIR(st.st_mode) ? 0700 : 0600;
  if (link(path.c_str(), backup.c_str()) != 0) {
    if (errno == EEXIST) return KeepResult::NameTaken;
    // No hard links here (a folder, FAT, another owner's file): move the file aside.
    if (lstat(backup.c_str(), &st) == 0) return KeepResult::NameTaken;
    if (rename(path.c_str(), backup.c_str()) != 0) return KeepResult::Failed;
  }
  chmod(backup.c_str(), privateMode);  // best effort: the content is kept either way
  return KeepResult::Kept;
}

bool PathExists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

bool RemoveFile(const std::string& path) {
  return unlink(path.c_str()) == 0;
}

unsigned long CurrentProcessId() {
  return static_cast<unsigned long>(getpid());
}

bool ProcessExists(unsigned long pid) {
  return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::string LocalTimeText() {
  const std::time_t now = std::time(nullptr);
  struct tm local;
  localtime_r(&now, &local);
  char text[32];
  const std::size_t length = std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return std::string(text, length);
}

}  // namespace file_ops
