#include "import/kana_reading.h"

#include <gtest/gtest.h>

namespace {

struct KanaCase {
  const char* what;
  const char* given;
  const char* expected;
  bool accepted;  // by the entry rules, once in code page 932
};

class KanaReadingTest : public testing::TestWithParam<KanaCase> {};

TEST_P(KanaReadingTest, TurnsReadingsIntoHiragana) {
  const KanaCase& c = GetParam();
  const std::string reading = ToHiraganaReading(c.given);
  EXPECT_EQ(reading, c.expected) << c.what;
  EXPECT_EQ(IsAcceptedReading(reading), c.accepted) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Readings, KanaReadingTest,
    testing::Values(
        KanaCase{"hiragana stays", "やまだ たろう", "やまだ たろう", true},
        KanaCase{"full-width katakana", "ヤマダ タロウ", "やまだ たろう", true},
        KanaCase{"half-width katakana", "ﾔﾏﾀﾞ ﾀﾛｳ", "やまだ たろう", true},
        KanaCase{"half-width semi-voiced", "ﾎﾟﾝﾀﾞ ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", "ぽんだ ぱぴぷぺぽ", true},
        KanaCase{"every voiceable row", "ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ",
                 "がぎぐげござじずぜぞだぢづでどばびぶべぼ", true},
        KanaCase{"small kana", "ｷｬｯﾁｮｧ", "きゃっちょぁ", true},
        KanaCase{"the long-vowel mark, both widths", "ｺｰﾋｰ ケーキ", "こーひー けーき", true},
        KanaCase{"combining marks", "か\u3099は\u309A", "がぱ", true},
        KanaCase{"a mark with nothing to join", "ｱﾞ", "あ゛", false},
        KanaCase{"ideographic space and middle dot", "ジョン・スミス\u3000ジュニア",
                 "じょん すみす じゅにあ", true},
        KanaCase{"wo and n", "ｦﾝ", "をん", true},
        KanaCase{"vu has no hiragana in code page 932", "ヴァイオリン", "ヴぁいおりん", false},
        KanaCase{"latin letters are left for the rules", "Yamada", "Yamada", false},
        KanaCase{"kanji are left for the rules", "山田", "山田", false},
        KanaCase{"empty", "", "", false}));

}  // namespace
