#include "index/kana_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/cp932.h"

namespace {

// The table written as the user reads it; "_" fills, null is the empty slot.
const std::vector<std::vector<const char*>> kExpected = {
    {"あ", "い", "う", "え", "お", " ", "ぁ", "ぃ", "ぅ", "ぇ", "ぉ", "_", "_", "_", "_"},
    {"か", "き", "く", "け", "こ", "が", "ぎ", "ぐ", "げ", "ご", "_", "_", "_", "_", "_"},
    {"さ", "し", "す", "せ", "そ", "ざ", "じ", "ず", "ぜ", "ぞ", "_", "_", "_", "_", "_"},
    {"た", "ち", "つ", "て", "と", "だ", "ぢ", "づ", "で", "ど", " ", "っ", "_", "_", "_"},
    {"な", "に", "ぬ", "ね", "の", "_", "_", "_", "_", "_", "_", "_", "_", "_", "_"},
    {"は", "ひ", "ふ", "へ", "ほ", "ば", "び", "ぶ", "べ", "ぼ", "ぱ", "ぴ", "ぷ", "ぺ", "ぽ"},
    {"ま", "み", "む", "め", "も", "_", "_", "_", "_", "_", "_", "_", "_", "_", "_"},
    {"や", "ゆ", "よ", " ", "ゃ", "ゅ", "ょ", "_", "_", "_", "_", "_", "_", "_", "_"},
    {"ら", "り", "る", "れ", "ろ", "_", "_", "_", "_", "_", "_", "_", "_", "_", "_"},
    {"わ", "を", "ん", " ", "ゎ", "ー ", "  ", "_", "_", "_", "_", "_", "_", "_", nullptr},
};

std::string Utf8(const char* cp932Text) {
  return cp932::ToUtf8(cp932Text).text;
}

TEST(KanaTable, EverySlotHoldsTheCp932BytesOfItsKana) {
  for (int row = 0; row < kKanaRowCount; ++row) {
    for (int slot = 0; slot < kKanaSlotsPerRow; ++slot) {
      const char* expected = kExpected[row][slot];
      const char* actual = KanaRowTable[row][slot];
      if (expected == nullptr) {
        EXPECT_EQ(actual, nullptr);
      } else {
        ASSERT_NE(actual, nullptr);
        EXPECT_EQ(Utf8(actual), expected) << "row " << row << " slot " << slot;
      }
    }
  }
}

TEST(KanaTable, RowNamesAreTheRowsFirstKanaFollowedByGyou) {
  const char* names[] = {"あ行", "か行", "さ行", "た行", "な行",
                         "は行", "ま行", "や行", "ら行", "わ行"};
  for (int row = 0; row < kKanaRowCount; ++row) {
    EXPECT_EQ(Utf8(KanaRowNames[row]), names[row]);
    EXPECT_TRUE(KanaSlotMatches(KanaRowTable[row][0], KanaRowNames[row]));
  }
}

TEST(KanaTable, SlotComparisonLooksAtTwoBytesAndStopsWhereBothEnd) {
  EXPECT_TRUE(KanaSlotMatches("\x82\xa0", "\x82\xa0\x82\xa2"));  // あ matches あい
  EXPECT_TRUE(KanaSlotMatches(" ", " "));
  EXPECT_FALSE(KanaSlotMatches(" ", "  "));
  EXPECT_FALSE(KanaSlotMatches(" ", " \x82\xa0"));
  EXPECT_TRUE(KanaSlotMatches("\x81[ ", "\x81["));  // ー␣ matches any text that starts with ー
  EXPECT_TRUE(KanaSlotMatches("  ", "   x"));
  EXPECT_FALSE(KanaSlotMatches(nullptr, "a"));
  EXPECT_TRUE(IsKanaFiller("_"));
  EXPECT_FALSE(IsKanaFiller(" "));
}

}  // namespace
