// The program's own CSV export read back (book/csv_export.h): 14 fields a line, code page
// 932, CR LF, a field holding a comma, CR, LF or double quote between quotes with the
// quotes doubled, an empty flag written as a single space.
#pragma once

#include <string>
#include <string_view>

#include "import/import_record.h"

// A whole export file as import records (`fileName` as the user named it, UTF-8). A line
// that does not read (another field count, broken quotes, bytes that are not code page
// 932) is a skipped record with its line; a file with no line that reads is refused.
FileReading ReadCsvExportFile(const std::string& fileName, std::string_view bytes);
