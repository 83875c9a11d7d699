#include "fuzz_support.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

namespace fuzz {
namespace {

struct ScratchFolder {
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "dudode-fuzz-XXXXXX").string();
    FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
    folder = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::filesystem::path folder;
};

}  // namespace

std::vector<std::string> SplitAtNul(std::string_view input, std::size_t count) {
  std::vector<std::string> pieces;
  while (pieces.size() + 1 < count) {
    const std::size_t nul = input.find('\0');
    if (nul == std::string_view::npos) break;
    pieces.emplace_back(input.substr(0, nul));
    input.remove_prefix(nul + 1);
  }
  pieces.emplace_back(input);
  pieces.resize(count);
  return pieces;
}

std::string ScratchFile(const std::string& name) {
  static const ScratchFolder scratch;  // one folder for the whole run
  return (scratch.folder / name).string();
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  FUZZ_CHECK(file.good());
}

}  // namespace fuzz
