#include "index/search_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/book_builder.h"
#include "support/sjis.h"

namespace {

BookEntry Entry(const std::string& number, const std::string& kana, const std::string& registered,
                bool deleted = false) {
  BookEntry entry = MakeEntry(number, Sjis(kana), Sjis("名前"));
  text_bytes::FillField(entry.registeredName, Sjis(registered));
  entry.deleted = deleted ? 1 : 0;
  return entry;
}

// Index: 0 to 5. Entry 3 is deleted and would match every search below.
PhoneBook SampleBook() {
  PhoneBook book;
  Put(book, Entry("03-1234-5678", "やまだ たろう", "ﾔﾏﾀﾞ ﾀﾛｳ"));
  Put(book, Entry("0312345679", "やま,かわ", "ﾔﾏｶﾜ"));
  Put(book, Entry("06-1111-2222", "かわだ", "ｶﾜﾀﾞ"));
  Put(book, Entry("03-0000-0000", "やまの", "ﾔﾏﾉ", true));
  Put(book, Entry("(03)/12 34", "はやま", "ﾊﾔﾏ"));
  Put(book, Entry("", "", ""));
  return book;
}

struct MatchCase {
  int condition;
  std::string input;  // UTF-8
  std::vector<int> expected;
};

class FindSearchMatchesTest : public testing::TestWithParam<MatchCase> {};

TEST_P(FindSearchMatchesTest, ListsLiveEntriesByPrefixWithSeparatorsIgnored) {
  const PhoneBook book = SampleBook();
  const MatchCase& c = GetParam();
  EXPECT_EQ(FindSearchMatches(book, c.condition, Sjis(c.input)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCondition, FindSearchMatchesTest,
    testing::Values(
        MatchCase{0, "03", {0, 1}}, MatchCase{0, "03-", {0, 1}}, MatchCase{0, "0-3-1-2", {0, 1}},
        MatchCase{0, "0312345678", {0}}, MatchCase{0, "0612", {}}, MatchCase{0, "(", {4}},
        MatchCase{0, "--", {0, 1, 2, 4, 5}}, MatchCase{0, "0312345678901234567890", {}},
        MatchCase{1, "ﾔﾏ", {0, 1}}, MatchCase{1, "ﾔﾏﾀﾞﾀ", {0}}, MatchCase{1, " ", {0, 1, 2, 4, 5}},
        MatchCase{1, "ｶ ﾜ", {2}}, MatchCase{2, "やま", {0, 1}}, MatchCase{2, "やまか", {1}},
        MatchCase{2, "やまだたろう", {0}}, MatchCase{2, "はや", {4}}, MatchCase{2, "わ", {}}));

TEST(EntriesOfPickedRow, FindsEveryLiveEntryThePickedRowStandsFor) {
  PhoneBook book = SampleBook();
  Put(book, Entry("03-1234-5678", "べつ", "ﾍﾞﾂ"));                      // same number, index 6
  Put(book, Entry("03-1234-5678", "やまだ たろう", "ﾔﾏﾀﾞ ﾀﾛｳ", true));  // deleted twin, 7
  const std::string number = "03-1234-5678";
  EXPECT_EQ(EntriesOfPickedRow(book, 0, number, Sjis("名前")), (std::vector<int>{0, 6}));
  EXPECT_EQ(EntriesOfPickedRow(book, 1, Sjis("ﾔﾏﾀﾞ ﾀﾛｳ"), number), (std::vector<int>{0}));
  EXPECT_EQ(EntriesOfPickedRow(book, 2, Sjis("やまだ たろう"), number), (std::vector<int>{0}));
  EXPECT_EQ(EntriesOfPickedRow(book, 2, Sjis("やまだ たろう"), "0312345678"), std::vector<int>{});
  EXPECT_EQ(EntriesOfPickedRow(book, 0, "0312345678", ""), std::vector<int>{});  // exact bytes
  EXPECT_EQ(EntriesOfPickedRow(book, 0, "", ""), std::vector<int>{});
}

}  // namespace
