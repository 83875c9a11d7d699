#include "import/kept_book_reader.h"

#include <vector>

#include "calldir/book_file_format.h"
#include "editor/form_mapping.h"
#include "platform/text_bytes.h"

namespace {

ImportRecord RecordOf(const BookEntry& entry) {
  using text_bytes::FieldText;
  ImportRecord record;
  record.form = FormOfEntry(entry);
  record.form.adapterWanted = false;  // an imported entry never goes into the adapter
  SetFlags(record, FieldText(entry.callAccept), FieldText(entry.illumination));
  if (record.form.number.empty()) record.skip = SkipReason::NoNumber;
  return record;
}

ImportRecord DamagedAt(std::size_t line) {
  ImportRecord record;
  record.skip = SkipReason::DamagedLine;
  record.line = static_cast<int>(line);
  return record;
}

}  // namespace

FileReading ReadKeptBookFile(const std::string& fileName, std::string_view bytes) {
  FileReading reading;
  std::vector<BookEntry> book;
  std::vector<std::size_t> lines;
  std::vector<calldir::DamagedRecord> damaged;
  if (!calldir::ReadBookTolerantly(bytes, book, lines, damaged)) {
    reading.refusal = fileName + " は電話帳ファイルではありません。";
    return reading;
  }
  // Good and damaged records in the order of their lines.
  bool anyReadable = false;
  std::size_t good = 0;
  std::size_t bad = 0;
  while (good < book.size() || bad < damaged.size()) {
    ImportRecord record;
    if (bad == damaged.size() || (good < book.size() && lines[good] < damaged[bad].line)) {
      record = RecordOf(book[good]);
      record.line = static_cast<int>(lines[good]);
      // The format keeps any bytes: texts that are not code page 932 make the line damaged.
      if (!TextsAreCodePage932(record)) record = DamagedAt(lines[good]);
      ++good;
    } else {
      record = DamagedAt(damaged[bad++].line);
    }
    anyReadable = anyReadable || record.skip != SkipReason::DamagedLine;
    record.file = fileName;
    reading.records.push_back(std::move(record));
  }
  if (!anyReadable) {
    reading.records.clear();
    reading.refusal = fileName + " に読み取れる電話帳の項目がありません。";
  }
  return reading;
}
