#include "platform/program_folder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#ifdef _WIN32
static constexpr char kSeparator = '\\';
#else
static constexpr char kSeparator = '/';
#endif

namespace {

constexpr const char* kBookFile = "CallDir.csv";
constexpr const char* kColumnIniFile = "DUDODE.ini";
constexpr const char* kPortIniFile = "VIZAZED.ini";
constexpr std::string_view kBookBackupPrefix = "CallDir.csv.backup-";

// File names compare as the file system does: without regard to case on Windows.
bool SameName(std::string_view a, std::string_view b) {
#ifdef _WIN32
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
#else
  return a == b;
#endif
}

// The path with every link and "." or ".." resolved, as far as it exists.
std::filesystem::path Resolved(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, error);
  return error ? absolute.lexically_normal() : resolved;
}

}  // namespace

bool IsProgramFile(const std::string& programFolder, const std::string& path) {
  const std::filesystem::path target = Resolved(path);
  if (!SameName(target.parent_path().string(), Resolved(programFolder).string())) return false;
  const std::string name = target.filename().string();
  return SameName(name, kBookFile) || SameName(name, kColumnIniFile) ||
         SameName(name, kPortIniFile) ||
         SameName(std::string_view(name).substr(0, kBookBackupPrefix.size()), kBookBackupPrefix);
}

ProgramPaths PathsIn(const std::string& folder) {
  ProgramPaths paths;
  paths.exeDir = folder;
  while (paths.exeDir.size() > 1 && paths.exeDir.back() == kSeparator) paths.exeDir.pop_back();
  const std::string prefix = paths.exeDir + kSeparator;
  paths.bookPath = prefix + kBookFile;
  paths.columnIniPath = prefix + kColumnIniFile;
  paths.portIniPath = prefix + kPortIniFile;
  return paths;
}
