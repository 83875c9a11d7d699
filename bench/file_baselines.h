// The plain baselines of the book file's benchmarks: the least the machine does to read
// the file or to replace it durably, written as simply as the work can be done (POSIX).
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace baseline {

// One read() of the whole file into `buffer` (sized by the caller), with its open and close.
inline long ReadWholeFile(const std::string& path, char* buffer, std::size_t size) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return -1;
  const long got = static_cast<long>(read(fd, buffer, size));
  close(fd);
  return got;
}

// A durable replace done plainly: the bytes written to a temporary file, flushed, renamed
// over `path`, and the folder flushed.
inline bool DurableReplace(const std::string& folder, const std::string& path,
                           std::string_view bytes) {
  const std::string temp = path + ".plain-tmp";
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) return false;
  const bool written = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  const bool flushed = fsync(fd) == 0;
  close(fd);
  if (!written || !flushed || std::rename(temp.c_str(), path.c_str()) != 0) return false;
  const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir < 0) return false;
  const bool folderFlushed = fsync(dir) == 0;
  close(dir);
  return folderFlushed;
}

}  // namespace baseline
