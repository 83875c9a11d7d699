#include "index/kana_filter.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "support/book_builder.h"
#include "support/sjis.h"

namespace {

using Readings = std::vector<std::string>;

// A book with one entry per reading; each entry's number is its reading, in UTF-8.
class KanaFilter : public ::testing::Test {
 protected:
  PhoneBook book;

  void Add(const std::string& readingUtf8) {
    BookEntry entry = MakeEntry("", Sjis(readingUtf8));
    std::snprintf(entry.name, sizeof entry.name, "%d", book.entryCount());
    readings_.push_back(readingUtf8);
    Put(book, entry);
  }

  // The readings the filter lists, in display-list order.
  Readings Listed(const std::string& filterUtf8) {
    const int n = ApplyKanaFilter(book, Sjis(filterUtf8));
    Readings listed;
    for (int j = 0; j < n; ++j)
      listed.push_back(readings_[static_cast<std::size_t>(book[j].viewSlot)]);
    return listed;
  }

 private:
  Readings readings_;
};

TEST_F(KanaFilter, EmptyBookListsNothingForAnyText) {
  for (const char* text : {"電話帳", "あ行", "か", ""}) EXPECT_TRUE(Listed(text).empty()) << text;
}

TEST_F(KanaFilter, RootListsEveryEntryInBookOrderDeletedOnesToo) {
  for (const char* r : {"わだ", "あべ", "山田", ""}) Add(r);
  book.SetDeleted(1, true);  // the list leaves it out; the display list still carries it
  EXPECT_EQ(Listed("電話帳"), (Readings{"わだ", "あべ", "山田", ""}));
}

TEST_F(KanaFilter, EmptyTextListsNothing) {
  Add("あべ");
  EXPECT_EQ(ApplyKanaFilter(book, ""), 0);
}

TEST_F(KanaFilter, SingleKanaListVoicedAndSemiVoicedFormsButNotSmallKana) {
  for (const char* r : {"かとう", "がもう", "はら", "ばば", "ぱく", "つじ", "づか", "っと", "あべ",
                        "ぁい", "やま", "ゃあ", "わだ", "ゎに", "きむら"}) {
    Add(r);
  }
  EXPECT_EQ(Listed("か"), (Readings{"かとう", "がもう"}));
  EXPECT_EQ(Listed("は"), (Readings{"はら", "ばば", "ぱく"}));
  EXPECT_EQ(Listed("つ"), (Readings{"つじ", "づか"}));
  EXPECT_EQ(Listed("あ"), (Readings{"あべ"}));
  EXPECT_EQ(Listed("や"), (Readings{"やま"}));
  EXPECT_EQ(Listed("わ"), (Readings{"わだ"}));
  EXPECT_EQ(Listed("き"), (Readings{"きむら"}));
}

TEST_F(KanaFilter, RowsIncludeSmallKanaMarksAndSpaces) {
  for (const char* r : {"あべ", "ぉの", "いとう", "っと", "たなか", "ゎに", "ーる", "  まえ", " ",
                        "やま", "ょう", "ぽち"}) {
    Add(r);
  }
  EXPECT_EQ(Listed("あ行"), (Readings{"あべ", "ぉの", "いとう", " "}));
  EXPECT_EQ(Listed("た行"), (Readings{"っと", "たなか", " "}));
  EXPECT_EQ(Listed("や行"), (Readings{" ", "やま", "ょう"}));
  EXPECT_EQ(Listed("わ行"), (Readings{"ゎに", "ーる", "  まえ", " "}));
  EXPECT_EQ(Listed("は行"), (Readings{"ぽち"}));
  EXPECT_TRUE(Listed("な行").empty());
}

TEST_F(KanaFilter, ABaReadingIsListedUnderHaAndHaGyouOnly) {
  Add("ばば");
  std::map<std::string, int> listedUnder;
  for (const char* text :
       {"あ行", "か行", "さ行", "た行", "な行", "は行", "ま行", "や行", "ら行", "わ行", "あ",
        "か",   "さ",   "た",   "な",   "は",   "ひ",   "ま",   "や",   "ら",   "わ",   "ん"}) {
    if (!Listed(text).empty()) ++listedUnder[text];
  }
  EXPECT_EQ(listedUnder, (std::map<std::string, int>{{"は", 1}, {"は行", 1}}));
}

TEST_F(KanaFilter, ReadingsOutsideTheTableAreListedOnlyUnderTheRoot) {
  for (const char* r : {"カトウ", "山田", "abe", "", "ｱｲ", "  "}) Add(r);
  // "  " (two spaces) belongs to わ行; the others to no row.
  EXPECT_EQ(Listed("わ行"), (Readings{"  "}));
  for (const char* text : {"あ行", "か行", "は行", "あ", "か"})
    EXPECT_TRUE(Listed(text).empty()) << text;
  EXPECT_EQ(Listed("電話帳").size(), 6u);
}

TEST_F(KanaFilter, OrderIsBookOrderNotAlphabetical) {
  for (const char* r : {"こばやし", "かとう", "きむら", "かわい"}) Add(r);
  EXPECT_EQ(Listed("か行"), (Readings{"こばやし", "かとう", "きむら", "かわい"}));
  EXPECT_EQ(Listed("か"), (Readings{"かとう", "かわい"}));
}

TEST_F(KanaFilter, RebuildingClearsTheDisplayListBeyondTheSelection) {
  for (const char* r : {"かとう", "あべ", "いとう"}) Add(r);
  ASSERT_EQ(ApplyKanaFilter(book, Sjis("電話帳")), 3);
  ASSERT_EQ(ApplyKanaFilter(book, Sjis("か")), 1);
  EXPECT_EQ(book[0].viewSlot, 0);
  EXPECT_EQ(book[1].viewSlot, 0);
  EXPECT_EQ(book[2].viewSlot, 0);
}

TEST_F(KanaFilter, AFourByteTextIsReadAsARowName) {
  Add("あべ");
  EXPECT_EQ(ApplyKanaFilter(book, "abcd"), 0);
  // Four bytes are read as a row name: the first kana picks the row.
  EXPECT_EQ(ApplyKanaFilter(book, Sjis("あい")), 1);
}

}  // namespace
