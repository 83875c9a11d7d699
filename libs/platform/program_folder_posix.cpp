// The program folder on POSIX: a per-user data folder, created mode 0700 because it
// holds a personal phone book.
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

#include "platform/program_folder.h"

namespace {

std::string FolderFromEnvironment() {
  const auto variable = [](const char* name) -> std::string {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
  };
  if (!variable("DUDODE_HOME").empty()) return variable("DUDODE_HOME");
  if (!variable("XDG_DATA_HOME").empty()) return variable("XDG_DATA_HOME") + "/DUDODE";
  if (!variable("HOME").empty()) return variable("HOME") + "/.local/share/DUDODE";
  return "";
}

// Creates every missing folder of `path`: the last one private, the ones above it with the
// usual permissions (they are shared folders such as ~/.local/share).
bool MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    if (::mkdir(path.substr(0, slash).c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

ProgramPaths SetUpProgramFolder(bool* ready) {
  const std::string folder = FolderFromEnvironment();
  const ProgramPaths paths = PathsIn(folder.empty() ? "." : folder);
  const bool made = !folder.empty() && MakeFolders(paths.exeDir);
  if (ready != nullptr) *ready = made;
  return paths;
}
