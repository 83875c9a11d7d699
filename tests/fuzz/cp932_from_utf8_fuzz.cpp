// UTF-8 to CP932 and back, twice: the first trip may change a text (CP932 has duplicate
// codes, and some characters input methods type are mapped on purpose), the second not.
// Input: UTF-8 text, valid or not.
#include "fuzz_support.h"
#include "platform/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view utf8 = fuzz::AsText(data, size);
  const cp932::Conversion first = cp932::FromUtf8(utf8);
  FUZZ_CHECK(first.failedAt <= utf8.size());
  if (!first.ok) return 0;
  const cp932::Conversion back = cp932::ToUtf8(first.text);
  FUZZ_CHECK(back.ok);
  const cp932::Conversion second = cp932::FromUtf8(back.text);
  FUZZ_CHECK(second.ok && second.text == first.text);
  const cp932::Conversion backAgain = cp932::ToUtf8(second.text);
  FUZZ_CHECK(backAgain.ok && backAgain.text == back.text);
  return 0;
}
