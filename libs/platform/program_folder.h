// The program folder: where the book, the column settings and the port settings live.
#pragma once

#include <string>

// The files of the program folder.
struct ProgramPaths {
  std::string exeDir;         // the folder itself, without a trailing separator
  std::string bookPath;       // CallDir.csv, kept by the CallDir library
  std::string columnIniPath;  // DUDODE.ini, the list's columns
  std::string portIniPath;    // VIZAZED.ini, the serial port, written by VIZAZED only
};

// The paths of the files in `folder`.
ProgramPaths PathsIn(const std::string& folder);

// Whether `path` names one of the program's own files in `programFolder` (the book, its
// backups, DUDODE.ini, VIZAZED.ini), once links, "." and ".." are resolved on both; names
// compare without regard to case on Windows. An export must never replace one of them.
bool IsProgramFile(const std::string& programFolder, const std::string& path);

// Finds the program folder and creates it, readable by its user alone, when missing, and
// returns its paths. On Windows it is the executable's folder. Elsewhere it is
// $DUDODE_HOME, else $XDG_DATA_HOME/DUDODE, else ~/.local/share/DUDODE: never a build
// folder. `ready` (when given) is false when the folder could not be found or created; the
// paths are returned all the same.
ProgramPaths SetUpProgramFolder(bool* ready = nullptr);
