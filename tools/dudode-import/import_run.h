// One run of dudode-import: the files read, the plan printed, and, unless it is a dry run,
// applied to the book through the CallDir library.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

struct ImportOptions {
  bool dryRun = false;
  bool takeRecordFields = false;  // --update
  std::string bookPath;           // the book file (CallDir.csv)
  std::vector<std::string> files;
};

// The exit statuses.
inline constexpr int kAllApplied = 0;
inline constexpr int kSomeNotApplied = 1;  // some records skipped or in need of attention
inline constexpr int kNothingDone = 2;     // no file readable, nothing applicable, no book

class Prompter;

// Runs the import while the caller holds the instance lock. The plan goes to `out`, a line
// a record; messages go to `prompter`. Returns the exit status, the same for a dry run as
// for the real one (a dry run checks that the book could be written without writing it).
int RunImport(const ImportOptions& options, Prompter& prompter, std::FILE* out);
