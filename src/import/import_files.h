// A contacts file as the user picked it: read whole (64 MB at most), its kind told from
// its bytes, and handed to its reader.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "import/import_record.h"

class ReadingDeriver;

// The largest file the import reads: far more than any address book, and a bound on the
// memory a wrong pick can take.
inline constexpr std::size_t kMaxImportFileBytes = 64u << 20;

enum class ContactsFormat { VCard, KeptBook, CsvExport };

// What the bytes are: a kept book file starts with the book file's header, a vCard file
// with BEGIN:VCARD (after a byte-order mark and blank lines); anything else is taken for
// the program's own CSV.
ContactsFormat FormatOf(std::string_view bytes);

// Reads the file at `path` (UTF-8) with the reader its bytes call for. Refused, with a
// message naming the file, when it cannot be read, is larger than kMaxImportFileBytes,
// or holds nothing readable. `deriver` may be null: no readings are then derived.
FileReading ReadContactsFile(const std::string& path, ReadingDeriver* deriver);
