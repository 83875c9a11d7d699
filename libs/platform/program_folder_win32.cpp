// The program folder on Windows: the executable's own folder.
#include <windows.h>

#include <string>

#include "platform/program_folder.h"

ProgramPaths SetUpProgramFolder(bool* ready) {
  char module[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string folder(module, length);
  const std::size_t slash = folder.find_last_of('\\');
  folder = slash == std::string::npos ? "." : folder.substr(0, slash);
  if (ready != nullptr) *ready = length > 0;
  return PathsIn(folder);
}
