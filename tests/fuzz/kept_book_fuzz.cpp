// The reader of kept book files on any bytes: every record is sound (CheckReading), and
// of a file the library itself would open, every entry whose texts are code page 932
// comes in as the library reads it, and only the others are named damaged.
// Input: the file's bytes.
#include <vector>

#include "book_file_format.h"
#include "import/kept_book_reader.h"
#include "import_fuzz_support.h"
#include "platform/text_bytes.h"

namespace {

bool AllCodePage932(const BookEntry& e) {
  using text_bytes::FieldText;
  for (const std::string_view text :
       {FieldText(e.number), FieldText(e.name), FieldText(e.address), FieldText(e.company),
        FieldText(e.companyAddress), FieldText(e.fax), FieldText(e.postalCode),
        FieldText(e.nameKana), FieldText(e.email), FieldText(e.callAccept),
        FieldText(e.illumination), FieldText(e.registeredName)}) {
    if (!fuzz::IsCodePage932(text)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);
  const FileReading reading = ReadKeptBookFile("CallDir.csv.backup-fuzz", bytes);
  fuzz::CheckReading(reading, "CallDir.csv.backup-fuzz", bytes);

  std::vector<BookEntry> book;
  calldir::BookParser parser(book);
  if (!(parser.Feed(bytes) && parser.Finish())) return 0;
  if (!reading.refusal.empty()) {
    for (const BookEntry& e : book) FUZZ_CHECK(!AllCodePage932(e));
    return 0;
  }
  FUZZ_CHECK(reading.records.size() == book.size());
  for (std::size_t i = 0; i < book.size(); ++i) {
    const ImportRecord& r = reading.records[i];
    FUZZ_CHECK((r.skip == SkipReason::DamagedLine) == !AllCodePage932(book[i]));
    if (r.skip == SkipReason::DamagedLine) continue;
    FUZZ_CHECK(r.form.number == text_bytes::FieldText(book[i].number));
    FUZZ_CHECK(r.form.email == text_bytes::FieldText(book[i].email));
    FUZZ_CHECK(r.illumination == text_bytes::FieldText(book[i].illumination));
  }
  return 0;
}
