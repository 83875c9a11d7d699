#include "book/phone_match.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/book_builder.h"

namespace {

TEST(SeparatorRemoval, NormalizeRemovesEverySeparatorAndStripHyphensOnlyHyphens) {
  EXPECT_EQ(NormalizePhone("03-123/456, 7\t8").view(), "0312345678");
  EXPECT_EQ(NormalizePhone("---").view(), "");
  EXPECT_EQ(StripHyphens("03 123-456").view(), "03 123456");
  EXPECT_EQ(StripHyphens("-0/3,-").view(), "0/3,");
}

TEST(SeparatorRemoval, NeverWritesPastTheResultsCapacity) {
  const std::string longText(500, '1');
  EXPECT_EQ(NormalizePhone(longText).length, 23u);
  EXPECT_EQ(StripHyphens(longText).length, 89u);
  EXPECT_EQ(StripHyphens(longText).c_str()[89], '\0');
  // A double-byte character that would straddle the end is left out whole.
  const std::string kana = std::string(22, '1') + "\x82\xa0";
  EXPECT_EQ(NormalizePhone(kana).view(), std::string(22, '1'));
}

TEST(SeparatorRemoval, StopsAtTheTerminator) {
  EXPECT_EQ(NormalizePhone(std::string_view("12\0"
                                            "34",
                                            5))
                .view(),
            "12");
}

class Lookup : public ::testing::Test {
 protected:
  PhoneBook book;
};

TEST_F(Lookup, FindEntryByPhoneIgnoresEverySeparatorAndTakesTheLowestIndex) {
  Put(book, MakeEntry("999"));
  const int deleted = Put(book, MakeEntry("03 123 456"));
  book.SetDeleted(deleted, true);
  Put(book, MakeEntry("03123456"));
  EXPECT_EQ(FindEntryByPhone(book, "03-123-456"), deleted);  // deleted entries count
  EXPECT_EQ(FindEntryByPhone(book, "0312345"), -1);          // a prefix is not a match
  EXPECT_EQ(FindEntryByPhone(book, "031234567"), -1);
}

TEST_F(Lookup, FindSameNumberIgnoresOnlyHyphens) {
  Put(book, MakeEntry("03 123 456"));
  const int plain = Put(book, MakeEntry("03123456"));
  EXPECT_EQ(FindSameNumber(book, "03-123-456"), plain);
  EXPECT_EQ(FindSameNumber(book, "03 123-456"), -1);
  EXPECT_EQ(FindSameNumber(book, "03 1-2-3 456"), 0);
}

TEST_F(Lookup, EmptyKeysAndEmptyBooks) {
  EXPECT_EQ(FindEntryByPhone(book, "03-123-456"), -1);
  EXPECT_EQ(FindSameNumber(book, ""), -1);
  Put(book, MakeEntry("1"));
  Put(book, MakeEntry(" - "));
  Put(book, MakeEntry(""));
  EXPECT_EQ(FindEntryByPhone(book, ""), 1);  // only separators counts as empty
  EXPECT_EQ(FindSameNumber(book, "--"), 2);
}

TEST_F(Lookup, AnUnterminatedNumberFieldIsReadOnlyToItsEnd) {
  BookEntry full = MakeEntry("");
  std::memset(full.number, '7', sizeof full.number);  // no terminator at all
  Put(book, full);
  EXPECT_EQ(FindEntryByPhone(book, std::string(23, '7')), -1);  // the key holds 23 at most
  EXPECT_EQ(FindSameNumber(book, std::string(24, '7')), 0);
}

}  // namespace
