// The reader of the program's CSV export on any bytes: every record is sound
// (CheckReading), and a record it reads, exported again, reads back the same.
// Input: the file's bytes.
#include "book/csv_export.h"
#include "import/csv_import_reader.h"
#include "import_fuzz_support.h"
#include "platform/text_bytes.h"

namespace {

// The record as a book entry, when every text fits its field (the export writes entries).
bool ToEntry(const ImportRecord& r, BookEntry& entry) {
  const EntryForm& f = r.form;
  const std::pair<char*, std::size_t> fields[] = {
      {entry.number, sizeof entry.number},
      {entry.name, sizeof entry.name},
      {entry.nameKana, sizeof entry.nameKana},
      {entry.address, sizeof entry.address},
      {entry.fax, sizeof entry.fax},
      {entry.postalCode, sizeof entry.postalCode},
      {entry.company, sizeof entry.company},
      {entry.companyAddress, sizeof entry.companyAddress},
      {entry.email, sizeof entry.email},
      {entry.registeredName, sizeof entry.registeredName},
      {entry.callAccept, sizeof entry.callAccept},
      {entry.illumination, sizeof entry.illumination}};
  const std::string* texts[] = {&f.number, &f.name,           &f.nameKana,   &f.address,
                                &f.fax,    &f.postalCode,     &f.company,    &f.companyAddress,
                                &f.email,  &f.registeredName, &r.callAccept, &r.illumination};
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    if (texts[i]->size() >= fields[i].second || texts[i]->find('\0') != std::string::npos) {
      return false;
    }
    text_bytes::FillField(fields[i].first, fields[i].second, *texts[i]);
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);
  const FileReading reading = ReadCsvExportFile("fuzz.csv", bytes);
  fuzz::CheckReading(reading, "fuzz.csv", bytes);
  for (const ImportRecord& r : reading.records) {
    BookEntry entry{};
    if (r.skip == SkipReason::DamagedLine || !ToEntry(r, entry)) continue;
    std::string line;
    AppendCsvLine(entry, line);
    const FileReading again = ReadCsvExportFile("again.csv", line);
    FUZZ_CHECK(again.records.size() == 1);
    const ImportRecord& back = again.records.front();
    FUZZ_CHECK(back.form.number == r.form.number && back.form.name == r.form.name);
    FUZZ_CHECK(back.form.companyAddress == r.form.companyAddress);
    FUZZ_CHECK(back.form.registeredName == r.form.registeredName);
    FUZZ_CHECK(back.callAccept == r.callAccept && back.illumination == r.illumination);
  }
  return 0;
}
