// The emulator's command handler on any line bytes, with faults planned by the input:
// it never holds more entries than its capacity nor an entry the adapter would refuse,
// each reply that arrives intact answers its command's sequence with a reply code, and a
// read-all reply lists exactly what it holds.
// Input: the capacity and the drop, busy and garble counts (a byte each), then the line.
#include "adapter_memory.h"
#include "command_handler.h"
#include "frame_codec.h"
#include "fuzz_support.h"
#include "protocol_codes.h"

namespace {

constexpr std::size_t kMaxCommandPayload = 255;

void CheckReply(const zefp1::Frame& command, const std::vector<std::uint8_t>& bytes,
                const AdapterMemory& memory) {
  zefp1::FrameDecoder decoder(zefp1::MaxEntryListPayload(zefp1::kMaxAnnouncedEntries));
  decoder.Feed(bytes);
  const auto reply = decoder.Next();
  if (!reply) return;  // garbled on purpose: the CRC gives it away
  FUZZ_CHECK(reply->sequence == command.sequence && zefp1::IsReplyCode(reply->code));
  const bool readAll = command.code == static_cast<std::uint8_t>(zefp1::Command::kReadAll);
  if (readAll && reply->code == static_cast<std::uint8_t>(zefp1::Status::kOk)) {
    const auto list = zefp1::DecodeEntryList(reply->payload);
    FUZZ_CHECK(list && list->counter == memory.counter() && list->records == memory.records());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::size_t capacity = data[0] % 60;
  AdapterMemory memory(capacity, "");
  CommandHandler handler(memory, FaultPlan{data[1] % 4, data[2] % 4, data[3] % 4}, nullptr);

  zefp1::FrameDecoder decoder(kMaxCommandPayload);
  decoder.Feed(std::span<const std::uint8_t>(data + 4, size - 4));
  while (const auto command = decoder.Next()) {
    CheckReply(*command, handler.Handle(*command), memory);
    FUZZ_CHECK(memory.records().size() <= capacity);
    for (const zefp1::Record& record : memory.records()) {
      FUZZ_CHECK(zefp1::IsValidRecord(record));
    }
  }
  return 0;
}
