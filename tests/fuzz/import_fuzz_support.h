// What the import's fuzz targets check of every record a reader makes.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "import/import_record.h"
#include "platform/cp932.h"

namespace fuzz {

inline bool IsCodePage932(std::string_view text) {
  return cp932::ToUtf8(text).ok;
}

// A reading either refuses the file with a message naming it and no records, or has
// records, each from the file, on a line of it, its texts in code page 932, never for the
// adapter; a record that is not skipped has a number. Lines never go back.
inline void CheckReading(const FileReading& reading, const std::string& fileName,
                         std::string_view bytes) {
  FUZZ_CHECK(reading.refusal.empty() != reading.records.empty());
  if (!reading.refusal.empty()) {
    FUZZ_CHECK(reading.refusal.find(fileName) != std::string::npos);
    return;
  }
  const int lines = 1 + static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
  int lastLine = 1;
  for (const ImportRecord& r : reading.records) {
    FUZZ_CHECK(r.file == fileName);
    FUZZ_CHECK(r.line >= lastLine && r.line <= lines);
    lastLine = r.line;
    FUZZ_CHECK(!r.form.adapterWanted);
    for (EntryField field : kEntryFields) {
      FUZZ_CHECK(IsCodePage932(FieldOf(r.form, field)));
    }
    FUZZ_CHECK(r.skip != SkipReason::None || !r.form.number.empty() || !r.unheld.empty());
  }
}

}  // namespace fuzz
