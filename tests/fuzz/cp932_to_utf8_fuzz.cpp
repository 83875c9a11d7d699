// CP932 to UTF-8 and back, twice: every character read converts back, and the text is
// stable after one trip (CP932's duplicate codes may change on the first).
// Input: CP932 bytes, valid or not.
#include "fuzz_support.h"
#include "platform/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);
  const cp932::Conversion first = cp932::ToUtf8(bytes);
  FUZZ_CHECK(first.failedAt <= bytes.size());
  if (!first.ok) return 0;
  const cp932::Conversion back = cp932::FromUtf8(first.text);
  FUZZ_CHECK(back.ok);
  const cp932::Conversion second = cp932::ToUtf8(back.text);
  FUZZ_CHECK(second.ok && second.text == first.text);
  const cp932::Conversion backAgain = cp932::FromUtf8(second.text);
  FUZZ_CHECK(backAgain.ok && backAgain.text == back.text);
  return 0;
}
