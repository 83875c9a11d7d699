// The adapter frame decoder on any line bytes, fed in pieces, stalled frames given up as
// the library gives them up: it always finishes, and every frame it hands out keeps the
// payload limit and encodes to bytes that decode to the same frame.
// Input: a payload limit byte, a piece size byte, then the bytes on the line.
#include "frame_codec.h"
#include "fuzz_support.h"

namespace {

bool SameFrame(const zefp1::Frame& a, const zefp1::Frame& b) {
  return a.sequence == b.sequence && a.code == b.code && a.payload == b.payload;
}

void CheckFrame(const zefp1::Frame& frame, std::size_t maxPayload) {
  FUZZ_CHECK(frame.payload.size() <= maxPayload);
  zefp1::FrameDecoder again(maxPayload);
  again.Feed(zefp1::EncodeFrame(frame));
  const auto decoded = again.Next();
  FUZZ_CHECK(decoded && SameFrame(*decoded, frame));
  FUZZ_CHECK(!again.Next() && !again.HasPartialFrame());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t maxPayload = data[0];
  const std::size_t pieceSize = 1 + data[1] % 32;
  std::span<const std::uint8_t> line(data + 2, size - 2);

  zefp1::FrameDecoder decoder(maxPayload);
  const auto drain = [&] {
    while (const auto frame = decoder.Next()) CheckFrame(*frame, maxPayload);
  };
  while (!line.empty()) {
    const auto piece = line.first(std::min(pieceSize, line.size()));
    line = line.subspan(piece.size());
    decoder.Feed(piece);
    drain();
  }
  // Each give-up drops at least one byte, so this ends within the input's length.
  for (std::size_t stalls = 0; decoder.HasPartialFrame(); ++stalls) {
    FUZZ_CHECK(stalls < size);
    decoder.SkipStalledFrame();
    drain();
  }
  return 0;
}
