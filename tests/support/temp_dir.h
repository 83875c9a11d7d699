// A fresh folder per test, removed afterwards with everything in it. It lies under the
// system's temporary folder ($TMPDIR, else /tmp): a real disk, so fsync costs what it costs.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

inline std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class TempDir {
 public:
  // A new name each try: creating the folder fails when the name is taken (as mkdtemp,
  // which Windows lacks).
  TempDir() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      path_ = std::filesystem::temp_directory_path() / ("dudode-test-" + std::to_string(random()));
      if (std::filesystem::create_directory(path_)) {
        // Readable by its owner alone, as mkdtemp makes it: some tests need a private folder.
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace);
        return;
      }
    }
    throw std::runtime_error("no temporary folder could be made");
  }
  ~TempDir() {
    std::error_code ignored;
    // A test may have left the folder read-only.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

  // The names in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(path_)) {
      names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  void Write(const std::string& name, const std::string& content) const {
    WriteBytes(File(name), content);
  }
  std::string Read(const std::string& name) const { return ReadBytes(File(name)); }

 private:
  std::filesystem::path path_;
};
