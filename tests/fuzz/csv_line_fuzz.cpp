// The export's line of any entry: read back the RFC 4180 way it is exactly one line of the
// fourteen fields, the texts as the entry holds them.
// Input: the 480 bytes of an entry, as raw as the book file library might hand them over.
#include <algorithm>
#include <cstring>

#include "book/csv_export.h"
#include "fuzz_support.h"
#include "platform/text_bytes.h"

namespace {

// Splits one CSV line (its CR LF removed) into fields; false when the quoting is broken
// or a line break stands outside quotes.
bool ReadCsvLine(std::string_view line, std::vector<std::string>& fields) {
  fields.assign(1, {});
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c != '"') {
        fields.back() += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"' && fields.back().empty()) {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else if (c == '\r' || c == '\n') {
      return false;
    } else {
      fields.back() += c;
    }
  }
  return !quoted;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  BookEntry entry{};
  std::memcpy(&entry, data, std::min(size, sizeof entry));
  std::string line;
  AppendCsvLine(entry, line);
  FUZZ_CHECK(line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0);
  std::vector<std::string> fields;
  FUZZ_CHECK(ReadCsvLine(std::string_view(line).substr(0, line.size() - 2), fields));
  FUZZ_CHECK(fields.size() == 14);
  FUZZ_CHECK(fields[0] == text_bytes::FieldText(entry.number));
  FUZZ_CHECK(fields[1] == text_bytes::FieldText(entry.name));
  FUZZ_CHECK(fields[12] == text_bytes::FieldText(entry.registeredName));
  return 0;
}
