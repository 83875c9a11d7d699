#include "index/char_class.h"

#include <gtest/gtest.h>

#include "support/sjis.h"

namespace {

TEST(IsSingleByteText, LeadBytesAnywhereMakeItFalse) {
  EXPECT_TRUE(IsSingleByteText("03-123-456"));
  EXPECT_TRUE(IsSingleByteText(Sjis("ｱｲｳ")));
  EXPECT_TRUE(IsSingleByteText(""));
  EXPECT_FALSE(IsSingleByteText(Sjis("abあ")));
  EXPECT_FALSE(IsSingleByteText(Sjis("　")));  // the full-width space
  EXPECT_FALSE(IsSingleByteText("ab\x82"));    // a lone lead byte before the terminator
  EXPECT_TRUE(IsSingleByteText(std::string_view("ab\0\x82", 4)));  // nothing past the NUL counts
}

TEST(IsHalfKanaText, AcceptsHalfWidthKatakanaAndBlanksOnly) {
  EXPECT_TRUE(IsHalfKanaText(Sjis("ｱｲｳ ｴ")));
  EXPECT_TRUE(IsHalfKanaText(Sjis("｢ｱ｣")));
  EXPECT_TRUE(IsHalfKanaText(""));
  EXPECT_TRUE(IsHalfKanaText("\t\x01"));
  EXPECT_FALSE(IsHalfKanaText(Sjis("ｱｲ1")));
  EXPECT_FALSE(IsHalfKanaText(Sjis("｡")));
  EXPECT_FALSE(IsHalfKanaText(Sjis("ア")));
  for (int b = 0x21; b <= 0xA1; ++b) EXPECT_FALSE(IsHalfKanaText(std::string(1, char(b)))) << b;
  for (int b = 0xE0; b <= 0xFF; ++b) EXPECT_FALSE(IsHalfKanaText(std::string(1, char(b)))) << b;
}

TEST(IsPhoneText, AcceptsDigitsHyphenHashAndStarOnly) {
  EXPECT_TRUE(IsPhoneText("03-123-456"));
  EXPECT_TRUE(IsPhoneText("*#12"));
  EXPECT_TRUE(IsPhoneText(""));
  for (const char* bad : {"03 123", "(03)", "03a", "03/123", "+81"})
    EXPECT_FALSE(IsPhoneText(bad)) << bad;
  EXPECT_FALSE(IsPhoneText(Sjis("ｱ")));
  EXPECT_FALSE(IsPhoneText(Sjis("０")));  // full-width digits are not digits here
}

TEST(IsHiraganaReading, AcceptsIndexKanaWithBlanksAndCommasAnywhere) {
  EXPECT_TRUE(IsHiraganaReading(Sjis("あい うえお")));
  EXPECT_TRUE(IsHiraganaReading(Sjis("が,ぎ")));
  EXPECT_TRUE(IsHiraganaReading(Sjis("ぱーてぃー")));
  EXPECT_TRUE(IsHiraganaReading(Sjis(" っゃゎん ")));
}

TEST(IsHiraganaReading, RejectsEverythingElse) {
  EXPECT_FALSE(IsHiraganaReading(Sjis("アイウ")));
  EXPECT_FALSE(IsHiraganaReading(Sjis("あいa")));
  EXPECT_FALSE(IsHiraganaReading(Sjis("aあい")));  // a single byte puts the rest out of step
  EXPECT_FALSE(IsHiraganaReading(Sjis("ｱｲｳ")));
  EXPECT_FALSE(IsHiraganaReading(""));
  EXPECT_FALSE(IsHiraganaReading(Sjis("山田")));
  EXPECT_FALSE(IsHiraganaReading(Sjis("ゐゑ")));
  EXPECT_FALSE(IsHiraganaReading(Sjis("あ・い")));
  EXPECT_FALSE(IsHiraganaReading("\x82\xa0\x82"));  // a lone lead byte at the end
}

TEST(StripBlanksCommas, RemovesEverySpaceAndCommaAndKeepsTheRest) {
  EXPECT_EQ(StripBlanksCommas(Sjis(" あ, い ,,う ")).view(), Sjis("あいう"));
  EXPECT_EQ(StripBlanksCommas("a\tb").view(), "a\tb");
  EXPECT_EQ(StripBlanksCommas(std::string(300, 'x')).length, 127u);
  EXPECT_EQ(StripBlanksCommas(std::string(126, 'x') + "\x82\xa0").length, 126u);
}

}  // namespace
