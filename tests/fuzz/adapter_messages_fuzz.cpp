// The adapter message decoders (number, register record, counter, entry list) on any
// payload: what one accepts keeps the adapter's field rules, and encoding it again gives
// back exactly the payload, so no two payloads mean the same thing.
// Input: a byte that picks the decoder, then the payload.
#include "adapter_messages.h"
#include "fuzz_support.h"
#include "protocol_codes.h"

namespace {

using Payload = std::span<const std::uint8_t>;

bool SameBytes(const std::vector<std::uint8_t>& encoded, Payload payload) {
  return std::equal(encoded.begin(), encoded.end(), payload.begin(), payload.end());
}

void CheckNumber(Payload payload) {
  if (const auto number = zefp1::DecodeNumber(payload)) {
    FUZZ_CHECK(zefp1::IsValidNumber(*number));
    FUZZ_CHECK(SameBytes(zefp1::EncodeNumber(*number), payload));
  }
}

void CheckRecord(Payload payload) {
  if (const auto record = zefp1::DecodeRecord(payload)) {
    FUZZ_CHECK(zefp1::IsValidRecord(*record));
    FUZZ_CHECK(SameBytes(zefp1::EncodeRecord(*record), payload));
  }
}

void CheckCounter(Payload payload) {
  if (const auto counter = zefp1::DecodeCounter(payload)) {
    FUZZ_CHECK(SameBytes(zefp1::EncodeCounter(*counter), payload));
  }
}

void CheckEntryList(Payload payload) {
  if (const auto list = zefp1::DecodeEntryList(payload)) {
    FUZZ_CHECK(list->records.size() <= zefp1::kMaxAnnouncedEntries);
    for (const zefp1::Record& record : list->records) FUZZ_CHECK(zefp1::IsValidRecord(record));
    FUZZ_CHECK(payload.size() <= zefp1::MaxEntryListPayload(list->records.size()));
    FUZZ_CHECK(SameBytes(zefp1::EncodeEntryList(*list), payload));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const Payload payload(data + 1, size - 1);
  switch (data[0] % 4) {
    case 0:
      CheckNumber(payload);
      break;
    case 1:
      CheckRecord(payload);
      break;
    case 2:
      CheckCounter(payload);
      break;
    default:
      CheckEntryList(payload);
      break;
  }
  return 0;
}
