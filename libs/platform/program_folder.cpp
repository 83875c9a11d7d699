#include "platform/program_folder.h"

std::string g_exeDir;
std::string g_bookPath;
std::string g_columnIniPath;
std::string g_portIniPath;

#ifdef _WIN32
static constexpr char kSeparator = '\\';
#else
static constexpr char kSeparator = '/';
#endif

ProgramPaths PathsIn(const std::string& folder) {
  ProgramPaths paths;
  paths.exeDir = folder;
  while (paths.exeDir.size() > 1 && paths.exeDir.back() == kSeparator) paths.exeDir.pop_back();
  const std::string prefix = paths.exeDir + kSeparator;
  paths.bookPath = prefix + "CallDir.csv";
  paths.columnIniPath = prefix + "DUDODE.ini";
  paths.portIniPath = prefix + "VIZAZED.ini";
  return paths;
}

void UseProgramPaths(const ProgramPaths& paths) {
  g_exeDir = paths.exeDir;
  g_bookPath = paths.bookPath;
  g_columnIniPath = paths.columnIniPath;
  g_portIniPath = paths.portIniPath;
}
