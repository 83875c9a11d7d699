// Packed entries and payloads: the adapter's field rules, the packing's size, and
// decoders that refuse anything the adapter would not send or accept.
#include "adapter_messages.h"

#include <gtest/gtest.h>

#include "frame_codec.h"

#include <string>
#include <vector>

namespace {

using zefp1::Record;

TEST(FieldRules, NumbersAreOneTo23DigitsDashesHashesAndStars) {
  EXPECT_TRUE(zefp1::IsValidNumber("0"));
  EXPECT_TRUE(zefp1::IsValidNumber("0123456789-#*0123456789"));
  EXPECT_FALSE(zefp1::IsValidNumber(""));
  EXPECT_FALSE(zefp1::IsValidNumber("0123456789-#*01234567890"));  // 24 bytes
  for (const char* bad : {"03 12", "03+12", "a", "(03)", "\xB1"}) {
    EXPECT_FALSE(zefp1::IsValidNumber(bad)) << bad;
  }
}

TEST(FieldRules, NamesAreUpTo21HalfWidthKatakanaOrSpaces) {
  EXPECT_TRUE(zefp1::IsValidName(""));
  EXPECT_TRUE(zefp1::IsValidName("\xA1\xDF "));
  EXPECT_TRUE(zefp1::IsValidName(std::string(21, '\xB1')));
  EXPECT_FALSE(zefp1::IsValidName(std::string(22, '\xB1')));
  for (const char* bad : {"A", "\xA0", "\xE0", "\x82\xA0", "1"}) {
    EXPECT_FALSE(zefp1::IsValidName(bad)) << bad;
  }
  EXPECT_FALSE(zefp1::IsValidRecord({"031", "\xB1", true, 4}));
  EXPECT_TRUE(zefp1::IsValidRecord({"031", "\xB1", false, 3}));
}

TEST(RecordPacking, RecordsRoundTripAndCostWhatTheyHold) {
  const Record odd{"09012345678", "\xC0\xC5\xB6 \xC0\xDB\xB3 ", true, 2};
  const Record even{"*31#", "", false, 3};
  const auto packed = zefp1::EncodeRecord(odd);
  // Flags, number length, six bytes for eleven characters, name length, eight name bytes.
  EXPECT_EQ(packed.size(), 1u + 1 + 6 + 1 + 8);
  EXPECT_EQ(zefp1::DecodeRecord(packed), odd);
  EXPECT_EQ(zefp1::DecodeRecord(zefp1::EncodeRecord(even)), even);
  EXPECT_EQ(zefp1::DecodeNumber(zefp1::EncodeNumber("0-#*9")), "0-#*9");
}

TEST(RecordPacking, EntryListsRoundTrip) {
  zefp1::EntryList list{0xDEADBEEF, {}};
  EXPECT_EQ(zefp1::DecodeEntryList(zefp1::EncodeEntryList(list))->records.size(), 0u);
  for (int i = 0; i < 50; ++i)
    list.records.push_back({std::to_string(1000 + i), "\xB1", i % 2 == 0, 1});
  const auto decoded = zefp1::DecodeEntryList(zefp1::EncodeEntryList(list));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->counter, 0xDEADBEEF);
  EXPECT_EQ(decoded->records, list.records);
  EXPECT_EQ(zefp1::DecodeCounter(zefp1::EncodeCounter(42)), 42u);
}

TEST(RecordPacking, DecodersRefuseWhatBreaksTheRules) {
  const auto good = zefp1::EncodeRecord({"031", "\xB1", true, 0});  // 01 03 03 1F 01 B1
  auto changed = [&](std::size_t at, std::uint8_t value) {
    auto bytes = good;
    bytes[at] = value;
    return zefp1::DecodeRecord(bytes);
  };
  EXPECT_FALSE(changed(0, 0x08).has_value()) << "unknown flag bit";
  EXPECT_FALSE(changed(1, 0).has_value()) << "empty number";
  EXPECT_FALSE(changed(1, 24).has_value()) << "number too long";
  EXPECT_FALSE(changed(2, 0xD3).has_value()) << "no such number character";
  EXPECT_FALSE(changed(3, 0x10).has_value()) << "odd length not padded";
  EXPECT_FALSE(changed(5, 'A').has_value()) << "name not katakana";
  EXPECT_FALSE(changed(4, 2).has_value()) << "name runs past the end";

  auto trailing = good;
  trailing.push_back(0);
  EXPECT_FALSE(zefp1::DecodeRecord(trailing).has_value());
  EXPECT_FALSE(zefp1::DecodeRecord(std::span(good).first(3)).has_value());
  EXPECT_FALSE(zefp1::DecodeCounter(std::vector<std::uint8_t>{1, 2, 3}).has_value());

  // A list that announces more entries than it carries.
  auto list = zefp1::EncodeEntryList({1, {{"031", "\xB1", true, 0}}});
  list[4] = 2;
  EXPECT_FALSE(zefp1::DecodeEntryList(list).has_value());
}

// The byte examples in docs/zefp1-protocol.md, so the document and the code never part.
TEST(ProtocolDocument, WorkedExamplesAreWhatTheCodeSends) {
  const Record record{"03-1234-5678", "\xC0\xC5\xB6", true, 2};
  const std::vector<std::uint8_t> registerFrame = {0x02, 0x02, 0x03, 0x00, 0x0C, 0x05, 0x0C,
                                                   0x03, 0xA1, 0x23, 0x4A, 0x56, 0x78, 0x03,
                                                   0xC0, 0xC5, 0xB6, 0x94, 0x8D};
  EXPECT_EQ(zefp1::EncodeFrame({2, 0x03, zefp1::EncodeRecord(record)}), registerFrame);

  const std::vector<std::uint8_t> deleteFrame = {0x02, 0x03, 0x04, 0x00, 0x06, 0x0A, 0x03,
                                                 0x12, 0x34, 0x56, 0x78, 0xB1, 0xC0};
  EXPECT_EQ(zefp1::EncodeFrame({3, 0x04, zefp1::EncodeNumber("0312345678")}), deleteFrame);

  const std::vector<std::uint8_t> readAllReply = {0x02, 0x04, 0x80, 0x00, 0x11, 0x12, 0x34, 0x56,
                                                  0x79, 0x01, 0x05, 0x0C, 0x03, 0xA1, 0x23, 0x4A,
                                                  0x56, 0x78, 0x03, 0xC0, 0xC5, 0xB6, 0xA6, 0x64};
  EXPECT_EQ(zefp1::EncodeFrame({4, 0x80, zefp1::EncodeEntryList({0x12345679, {record}})}),
            readAllReply);
}

}  // namespace
