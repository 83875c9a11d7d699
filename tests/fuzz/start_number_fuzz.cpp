// The start number of any command line: it fits its 24-byte field, holds none of the
// separators, never ends inside a double-byte character, and stands in the line as it is.
#include "app/startup.h"
#include "fuzz_support.h"
#include "platform/text_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line = fuzz::AsText(data, size);
  const std::string number = StartNumberFrom(line);
  FUZZ_CHECK(number.size() < kStartNumberSize);
  FUZZ_CHECK(number.find_first_of("/t=, T") == std::string::npos);
  FUZZ_CHECK(text_bytes::BoundaryLength(number, number.size()) == number.size());
  FUZZ_CHECK(line.substr(0, kStartNumberSize - 1).find(number) != std::string_view::npos);
  return 0;
}
