#include "soak/book_file_faults.h"

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <string>

namespace {

// Files larger than this fail while the disk is "full"; a book of thousands of entries is
// far larger, the column settings are far smaller.
constexpr rlim_t kFullDiskFileLimit = 64 * 1024;

// Root writes into any folder whatever its mode. While the folder is to be unwritable the
// soak's thread (the one the program and its libraries run on) gives up that privilege,
// and takes it back afterwards. For anyone else this changes nothing.
void SetFolderOverride(bool allowed) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2]{};
  if (syscall(SYS_capget, &header, data) != 0) return;
  const __u32 overrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
  data[0].effective = allowed ? data[0].effective | (overrides & data[0].permitted)
                              : data[0].effective & ~overrides;
  syscall(SYS_capset, &header, data);
}

void SetFileSizeLimit(rlim_t limit) {
  rlimit current{};
  getrlimit(RLIMIT_FSIZE, &current);
  current.rlim_cur = limit;
  setrlimit(RLIMIT_FSIZE, &current);
}

}  // namespace

const char* FaultName(BookFileFault fault) {
  switch (fault) {
    case BookFileFault::None:
      return "none";
    case BookFileFault::UnwritableFolder:
      return "unwritable folder";
    case BookFileFault::FullDisk:
      return "full disk";
  }
  return "?";
}

BookFileFaults::BookFileFaults(std::filesystem::path folder) : folder_(std::move(folder)) {
  // Past the limit a write fails with EFBIG instead of ending the process.
  std::signal(SIGXFSZ, SIG_IGN);
}

void BookFileFaults::Start(BookFileFault fault) {
  End();
  current_ = fault;
  if (fault == BookFileFault::UnwritableFolder) {
    SetFolderOverride(false);
    std::filesystem::permissions(
        folder_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  } else if (fault == BookFileFault::FullDisk) {
    SetFileSizeLimit(kFullDiskFileLimit);
  }
}

void BookFileFaults::End() {
  if (current_ == BookFileFault::UnwritableFolder) {
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
    SetFolderOverride(true);
  } else if (current_ == BookFileFault::FullDisk) {
    SetFileSizeLimit(RLIM_INFINITY);
  }
  current_ = BookFileFault::None;
}

bool BookFileFaults::FolderTakesABook() const {
  const std::filesystem::path probe = folder_ / "soak-probe";
  bool written = false;
  {
    std::ofstream file(probe, std::ios::binary);
    file << std::string(2 * kFullDiskFileLimit, 'x');
    file.flush();
    written = file.good();
  }
  std::error_code ignored;
  std::filesystem::remove(probe, ignored);
  return written;
}
