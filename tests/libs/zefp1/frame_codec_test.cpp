// Frames on the adapter line: what goes in comes out, and noise, damage and cut-off
// frames never come out as frames nor hide the good frame after them.
#include "frame_codec.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using zefp1::EncodeFrame;
using zefp1::Frame;
using zefp1::FrameDecoder;

constexpr std::size_t kMaxPayload = 100;

Frame MakeFrame(std::uint8_t sequence, std::uint8_t code, std::vector<std::uint8_t> payload) {
  return {sequence, code, std::move(payload)};
}

void ExpectSame(const std::optional<Frame>& decoded, const Frame& expected) {
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->sequence, expected.sequence);
  EXPECT_EQ(decoded->code, expected.code);
  EXPECT_EQ(decoded->payload, expected.payload);
}

TEST(Crc16, MatchesTheCcittFalseCheckValue) {
  const std::vector<std::uint8_t> check = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(zefp1::Crc16(check), 0x29B1);
}

TEST(FrameCodec, FramesSurviveTheRoundTripWhicheverWayTheBytesArrive) {
  // Start bytes inside the payload must not confuse the decoder.
  const Frame first = MakeFrame(1, 0x02, {});
  const Frame second = MakeFrame(255, 0x80, {0x02, 0x00, 0x02, 0xFF});
  std::vector<std::uint8_t> line = EncodeFrame(first);
  const auto secondBytes = EncodeFrame(second);
  line.insert(line.end(), secondBytes.begin(), secondBytes.end());
  EXPECT_EQ(line.size(), 2 * zefp1::kFrameOverhead + 4);

  FrameDecoder whole(kMaxPayload);
  whole.Feed(line);
  ExpectSame(whole.Next(), first);
  ExpectSame(whole.Next(), second);
  EXPECT_FALSE(whole.Next().has_value());
  EXPECT_FALSE(whole.HasPartialFrame());

  FrameDecoder byteByByte(kMaxPayload);
  std::vector<Frame> decoded;
  for (const std::uint8_t byte : line) {
    byteByByte.Feed(std::vector<std::uint8_t>{byte});
    while (auto frame = byteByByte.Next()) decoded.push_back(*frame);
  }
  ASSERT_EQ(decoded.size(), 2u);
  EXPECT_EQ(decoded[1].payload, second.payload);
}

TEST(FrameCodec, GarbageBeforeAFrameIsSkipped) {
  const Frame frame = MakeFrame(7, 0x03, {1, 2, 3});
  std::vector<std::uint8_t> line = {0x00, 0x02, 0x02, 0x55, 0xFF, 0x02, 0x01};
  const auto bytes = EncodeFrame(frame);
  line.insert(line.end(), bytes.begin(), bytes.end());
  FrameDecoder decoder(kMaxPayload);
  decoder.Feed(line);
  ExpectSame(decoder.Next(), frame);
  EXPECT_FALSE(decoder.Next().has_value());
}

TEST(FrameCodec, ADamagedFrameIsDroppedAndTheNextOneFound) {
  const Frame damaged = MakeFrame(1, 0x80, {9, 9, 9, 9});
  const Frame good = MakeFrame(2, 0x80, {4});
  for (std::size_t at = 1; at < zefp1::kFrameOverhead + 4; ++at) {
    std::vector<std::uint8_t> line = EncodeFrame(damaged);
    line[at] ^= 0x10;
    const auto goodBytes = EncodeFrame(good);
    line.insert(line.end(), goodBytes.begin(), goodBytes.end());
    FrameDecoder decoder(kMaxPayload);
    decoder.Feed(line);
    // A damaged length may keep the decoder waiting; a stalled frame is then given up.
    auto decoded = decoder.Next();
    while (!decoded && decoder.HasPartialFrame()) {
      decoder.SkipStalledFrame();
      decoded = decoder.Next();
    }
    ExpectSame(decoded, good);
  }
}

TEST(FrameCodec, ACutOffFrameWaitsForTheRestAndGivesNothingMeanwhile) {
  const Frame frame = MakeFrame(3, 0x02, {1, 2, 3, 4, 5});
  const auto bytes = EncodeFrame(frame);
  FrameDecoder decoder(kMaxPayload);
  decoder.Feed(std::span(bytes).first(bytes.size() - 1));
  EXPECT_FALSE(decoder.Next().has_value());
  EXPECT_TRUE(decoder.HasPartialFrame());
  decoder.Feed(std::span(bytes).last(1));
  ExpectSame(decoder.Next(), frame);
}

TEST(FrameCodec, AStalledFrameIsGivenUpForTheFrameBehindIt) {
  // A sender died after the header of a long frame; the next sender's frame follows.
  const auto cutOff = EncodeFrame(MakeFrame(1, 0x02, std::vector<std::uint8_t>(50, 0xAA)));
  const Frame next = MakeFrame(2, 0x01, {});
  std::vector<std::uint8_t> line(cutOff.begin(), cutOff.begin() + 10);
  const auto nextBytes = EncodeFrame(next);
  line.insert(line.end(), nextBytes.begin(), nextBytes.end());
  FrameDecoder decoder(kMaxPayload);
  decoder.Feed(line);
  EXPECT_FALSE(decoder.Next().has_value());
  decoder.SkipStalledFrame();
  ExpectSame(decoder.Next(), next);
}

TEST(FrameCodec, AnOversizeLengthIsNoiseNotAWait) {
  const Frame good = MakeFrame(5, 0x80, {});
  std::vector<std::uint8_t> line = {zefp1::kStartByte, 0x01, 0x80, 0xFF, 0xFF};  // 65535 bytes
  const auto goodBytes = EncodeFrame(good);
  line.insert(line.end(), goodBytes.begin(), goodBytes.end());
  FrameDecoder decoder(kMaxPayload);
  decoder.Feed(line);
  ExpectSame(decoder.Next(), good);

  const auto tooLong = EncodeFrame(MakeFrame(6, 0x80, std::vector<std::uint8_t>(kMaxPayload + 1)));
  FrameDecoder strict(kMaxPayload);
  strict.Feed(tooLong);
  EXPECT_FALSE(strict.Next().has_value());
}

}  // namespace
