#include "frame_codec.h"

#include <algorithm>

namespace zefp1 {

namespace {

constexpr std::size_t kHeaderBytes = 5;  // start, seq, code, two length bytes

std::size_t PayloadLength(const std::vector<std::uint8_t>& buffer) {
  return static_cast<std::size_t>(buffer[3]) << 8 | buffer[4];
}

}  // namespace

std::uint16_t Crc16(std::span<const std::uint8_t> bytes) {
  std::uint16_t crc = 0xFFFF;
  for (const std::uint8_t byte : bytes) {
    crc ^= static_cast<std::uint16_t>(byte << 8);
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 0x8000) != 0 ? static_cast<std::uint16_t>(crc << 1 ^ 0x1021)
                                : static_cast<std::uint16_t>(crc << 1);
    }
  }
  return crc;
}

std::vector<std::uint8_t> EncodeFrame(const Frame& frame) {
  const std::size_t length = frame.payload.size();
  std::vector<std::uint8_t> bytes;
  bytes.reserve(kFrameOverhead + length);
  bytes.push_back(kStartByte);
  bytes.push_back(frame.sequence);
  bytes.push_back(frame.code);
  bytes.push_back(static_cast<std::uint8_t>(length >> 8));
  bytes.push_back(static_cast<std::uint8_t>(length & 0xFF));
  bytes.insert(bytes.end(), frame.payload.begin(), frame.payload.end());
  const std::uint16_t crc = Crc16(std::span(bytes).subspan(1));
  bytes.push_back(static_cast<std::uint8_t>(crc >> 8));
  bytes.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  return bytes;
}

FrameDecoder::FrameDecoder(std::size_t maxPayload) : maxPayload_(maxPayload) {}

void FrameDecoder::Feed(std::span<const std::uint8_t> bytes) {
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

void FrameDecoder::DropUpToNextStart(std::size_t from) {
  const auto next =
      std::find(buffer_.begin() + static_cast<std::ptrdiff_t>(from), buffer_.end(), kStartByte);
  buffer_.erase(buffer_.begin(), next);
}

std::optional<Frame> FrameDecoder::Next() {
  DropUpToNextStart(0);
  while (buffer_.size() >= kHeaderBytes) {
    const std::size_t length = PayloadLength(buffer_);
    if (length > maxPayload_) {
      DropUpToNextStart(1);
      continue;
    }
    const std::size_t frameBytes = kFrameOverhead + length;
    if (buffer_.size() < frameBytes) return std::nullopt;
    const std::uint16_t received =
        static_cast<std::uint16_t>(buffer_[frameBytes - 2] << 8 | buffer_[frameBytes - 1]);
    if (Crc16(std::span(buffer_).subspan(1, frameBytes - 3)) != received) {
      DropUpToNextStart(1);
      continue;
    }
    Frame frame;
    frame.sequence = buffer_[1];
    frame.code = buffer_[2];
    frame.payload.assign(buffer_.begin() + kHeaderBytes,
                         buffer_.begin() + static_cast<std::ptrdiff_t>(kHeaderBytes + length));
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(frameBytes));
    return frame;
  }
  return std::nullopt;
}

void FrameDecoder::SkipStalledFrame() {
  if (!buffer_.empty()) DropUpToNextStart(1);
}

}  // namespace zefp1
