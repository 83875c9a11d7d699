// The vCard reader and the mapping on any bytes: every record is sound (CheckReading), a
// text code page 932 cannot hold is kept whole in UTF-8, and a reading the analyser would
// derive is only ever one the entry rules accept.
// Input: the file's bytes.
#include <algorithm>

#include "import/reading_deriver.h"
#include "import/utf8_text.h"
#include "import/vcard_reader.h"
#include "import_fuzz_support.h"

namespace {

// Reads every part of a name as the part itself, in katakana where it is hiragana: the
// fuzzer's bytes reach the check of derived readings.
class EchoDeriver final : public ReadingDeriver {
 public:
  std::string Derive(std::string_view part) override { return std::string(part); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);
  EchoDeriver deriver;
  const FileReading reading = ReadVCardFile("fuzz.vcf", bytes, &deriver);
  fuzz::CheckReading(reading, "fuzz.vcf", bytes);
  for (const ImportRecord& r : reading.records) {
    for (const UnheldText& unheld : r.unheld) {
      FUZZ_CHECK(!unheld.utf8.empty() && utf8_text::IsValid(unheld.utf8));
      FUZZ_CHECK(FieldOf(r.form, unheld.field).empty());
    }
    FUZZ_CHECK(r.callAccept == "1" && r.illumination == "0");
  }
  return 0;
}
