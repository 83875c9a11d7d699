// The parts of the file operations that are the same on every platform.
#include <atomic>
#include <string>

#include "platform/file_ops.h"

namespace file_ops {

std::string TempPathFor(const std::string& path, unsigned long pid, unsigned serial) {
  return path + ".tmp-" + std::to_string(pid) + "-" + std::to_string(serial);
}

bool CreateTempBeside(TempFile& temp, const std::string& path) {
  static std::atomic<unsigned> serial{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    switch (temp.Create(TempPathFor(path, CurrentProcessId(), ++serial))) {
      case TempFile::CreateResult::Created:
        return true;
      case TempFile::CreateResult::NameTaken:
        continue;
      case TempFile::CreateResult::Failed:
        return false;
    }
  }
  return false;
}

}  // namespace file_ops
