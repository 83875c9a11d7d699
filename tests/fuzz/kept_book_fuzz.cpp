// The reader of kept book files on any bytes: every record is sound (CheckReading), and
// a file the library itself would open comes in whole, with no line named damaged and the
// very entries the library reads.
// Input: the file's bytes.
#include <vector>

#include "book_file_format.h"
#include "import/kept_book_reader.h"
#include "import_fuzz_support.h"
#include "platform/text_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);
  const FileReading reading = ReadKeptBookFile("CallDir.csv.backup-fuzz", bytes);
  fuzz::CheckReading(reading, "CallDir.csv.backup-fuzz", bytes);

  std::vector<BookEntry> book;
  calldir::BookParser parser(book);
  if (!(parser.Feed(bytes) && parser.Finish())) return 0;
  FUZZ_CHECK(reading.refusal.empty() || book.empty());
  std::size_t index = 0;
  for (const ImportRecord& r : reading.records) {
    FUZZ_CHECK(r.skip != SkipReason::DamagedLine);
    FUZZ_CHECK(index < book.size());
    FUZZ_CHECK(r.form.number == text_bytes::FieldText(book[index].number));
    FUZZ_CHECK(r.form.email == text_bytes::FieldText(book[index].email));
    FUZZ_CHECK(r.illumination == text_bytes::FieldText(book[index].illumination));
    ++index;
  }
  FUZZ_CHECK(index == book.size());
  return 0;
}
