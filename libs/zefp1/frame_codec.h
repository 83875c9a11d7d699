// Frames on the adapter line: start byte, sequence, code, payload length, payload, CRC.
//
//   0x02 | seq | code | len hi | len lo | payload (len bytes) | crc hi | crc lo
//
// The CRC (CRC-16/CCITT-FALSE) covers seq, code, length and payload. A receiver hunts for
// the start byte and drops any candidate whose length is too large or whose CRC fails, so
// it finds the next good frame after line noise or a half-sent frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zefp1 {

constexpr std::uint8_t kStartByte = 0x02;
constexpr std::size_t kFrameOverhead = 7;  // start, seq, code, two length, two CRC bytes

struct Frame {
  std::uint8_t sequence = 0;
  std::uint8_t code = 0;
  std::vector<std::uint8_t> payload;
};

std::uint16_t Crc16(std::span<const std::uint8_t> bytes);

// The bytes that carry `frame`. The payload must not exceed 65535 bytes.
std::vector<std::uint8_t> EncodeFrame(const Frame& frame);

// Collects received bytes and hands out the good frames among them.
class FrameDecoder {
 public:
  // Frames announcing a longer payload are treated as noise.
  explicit FrameDecoder(std::size_t maxPayload);

  void Feed(std::span<const std::uint8_t> bytes);

  // The next complete frame with a good CRC; garbage before it is dropped.
  std::optional<Frame> Next();

  // True while bytes of an incomplete frame are waiting for the rest.
  bool HasPartialFrame() const { return !buffer_.empty(); }

  // Gives up on an incomplete frame that stopped arriving: its start byte was probably
  // noise, so the hunt goes on from the byte after it.
  void SkipStalledFrame();

  void Clear() { buffer_.clear(); }

 private:
  void DropUpToNextStart(std::size_t from);

  std::size_t maxPayload_;
  std::vector<std::uint8_t> buffer_;
};

}  // namespace zefp1
