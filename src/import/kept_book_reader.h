// A kept book file (CallDir.csv.backup-*): the book file the CallDir library set aside
// when it could not read it or found it changed from outside. Read with the book file's
// own format code, line by line, so the good records come back and each damaged one is
// named by its line.
#pragma once

#include <string>
#include <string_view>

#include "import/import_record.h"

// A kept book file as import records (`fileName` as the user named it, UTF-8): the texts
// and the two flags as the file holds them, adapterWanted and inAdapter cleared. A damaged
// record is a skipped record with its line; a file whose first line is not the book
// file's header, or without a record that reads, is refused.
FileReading ReadKeptBookFile(const std::string& fileName, std::string_view bytes);
