#include "platform/cp932.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp932Classes, LeadBytesAreExactlyTheTwoRanges) {
  for (int b = 0; b < 256; ++b) {
    const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    EXPECT_EQ(cp932::IsLeadByte(static_cast<unsigned char>(b)), expected) << b;
  }
}

TEST(Cp932Classes, DigitsAreExactlyZeroToNine) {
  // A digit is alphanumeric and not alphabetic.
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    const bool digit = cp932::IsAlphaNumeric(byte) && !cp932::IsAlpha(byte);
    EXPECT_EQ(digit, b >= '0' && b <= '9') << b;
  }
  EXPECT_TRUE(cp932::IsAlpha('a'));
  EXPECT_TRUE(cp932::IsAlpha(0xB1));  // ｱ
  EXPECT_FALSE(cp932::IsAlpha('-'));
}

TEST(Cp932Conversion, RoundTripsJapaneseText) {
  const auto sjis = cp932::FromUtf8("電話帳 ｱｲｳ abc");
  ASSERT_TRUE(sjis.ok);
  EXPECT_EQ(sjis.text.substr(0, 6), "\x93\x64\x98\x62\x92\xa0");
  EXPECT_EQ(sjis.text[7], '\xb1');  // half-width katakana stay single bytes
  const auto back = cp932::ToUtf8(sjis.text);
  ASSERT_TRUE(back.ok);
  EXPECT_EQ(back.text, "電話帳 ｱｲｳ abc");
}

TEST(Cp932Conversion, TakesWhatLinuxInputMethodsTypeAsTheCharactersUsersMean) {
  // wave dash, minus, double vertical line, em dash, cent, pound, not
  const auto sjis = cp932::FromUtf8("\u301C\u2212\u2016\u2014\u00A2\u00A3\u00AC");
  ASSERT_TRUE(sjis.ok);
  EXPECT_EQ(sjis.text, "\x81\x60\x81\x7c\x81\x61\x81\x5c\x81\x91\x81\x92\x81\xca");
}

TEST(Cp932Conversion, KeepsControlBytesAsTheyAre) {
  const std::string controls = "\x1a\x1c\x7f";
  const auto utf8 = cp932::ToUtf8(controls);
  ASSERT_TRUE(utf8.ok);
  EXPECT_EQ(utf8.text, controls);
  EXPECT_EQ(cp932::FromUtf8(controls).text, controls);
}

TEST(Cp932Conversion, ReportsACharacterItCannotHoldInsteadOfDroppingIt) {
  const auto result = cp932::FromUtf8("ab😀cd");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.failedAt, 2u);
  EXPECT_EQ(result.text, "ab");
  EXPECT_FALSE(cp932::FromUtf8("한").ok);
}

TEST(Cp932Conversion, ReportsBytesThatAreNotCp932) {
  const auto lone = cp932::ToUtf8("ab\x82");  // a lead byte with nothing after it
  EXPECT_FALSE(lone.ok);
  EXPECT_EQ(lone.failedAt, 2u);
  EXPECT_FALSE(cp932::ToUtf8("\x82\x20").ok);  // a lead byte before a byte that cannot trail
}

}  // namespace
