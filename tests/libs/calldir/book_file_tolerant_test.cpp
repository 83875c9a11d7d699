// The tolerant read of a kept book file: the good records come back with their lines, each
// damaged record is named by the line it starts on, and reading resumes on the next line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "book_file_format.h"

namespace {

using Error = calldir::BookParser::Error;

const std::string kHead = "DUDODE-CallDir,1\r\n";

std::string Record(const std::string& number, const std::string& name = "") {
  return number + "," + name + ",,,,,,,,1,0,2,,0\r\n";
}

struct TolerantCase {
  const char* what;
  std::string file;
  std::vector<std::string> numbers;      // of the records read, in order
  std::vector<std::size_t> recordLines;  // where they start
  std::vector<std::size_t> damagedLines;
  std::vector<Error> errors;
};

class TolerantReadTest : public testing::TestWithParam<TolerantCase> {};

TEST_P(TolerantReadTest, KeepsTheGoodRecordsAndNamesTheDamagedLines) {
  const TolerantCase& c = GetParam();
  std::vector<BookEntry> book;
  std::vector<std::size_t> lines;
  std::vector<calldir::DamagedRecord> damaged;
  ASSERT_TRUE(calldir::ReadBookTolerantly(c.file, book, lines, damaged)) << c.what;
  std::vector<std::string> numbers;
  for (const BookEntry& e : book) numbers.emplace_back(e.number);
  EXPECT_EQ(numbers, c.numbers) << c.what;
  EXPECT_EQ(lines, c.recordLines) << c.what;
  std::vector<std::size_t> damagedLines;
  std::vector<Error> errors;
  for (const calldir::DamagedRecord& d : damaged) {
    damagedLines.push_back(d.line);
    errors.push_back(d.error);
  }
  EXPECT_EQ(damagedLines, c.damagedLines) << c.what;
  EXPECT_EQ(errors, c.errors) << c.what;
  for (std::size_t i = 0; i < book.size(); ++i) {
    EXPECT_EQ(book[i].viewSlot, static_cast<int>(i)) << c.what;
    EXPECT_STREQ(book[i].illumination, "2") << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, TolerantReadTest,
    testing::Values(
        TolerantCase{
            "a sound file", kHead + Record("011") + Record("022"), {"011", "022"}, {2, 3}, {}, {}},
        TolerantCase{"a short line between good ones",
                     kHead + Record("011") + "033,x\r\n" + Record("022"),
                     {"011", "022"},
                     {2, 4},
                     {3},
                     {Error::FieldCount}},
        TolerantCase{"an open quote swallows nothing behind its line",
                     kHead + Record("011") + "\"033,x,,,\r\n" + Record("022") + Record("044"),
                     {"011", "022", "044"},
                     {2, 4, 5},
                     {3},
                     {Error::FieldTooLong}},
        TolerantCase{"a quoted line break keeps a record on two lines",
                     kHead + "011,\"a\r\nb\",,,,,,,,1,0,2,,0\r\n" + Record("022"),
                     {"011", "022"},
                     {2, 4},
                     {},
                     {}},
        TolerantCase{"an LF without CR",
                     kHead + "011,,,,,,,,,1,0,2,,0\n" + Record("022"),
                     {"022"},
                     {3},
                     {2},
                     {Error::BadLineEnd}},
        TolerantCase{"a bad inAdapter",
                     kHead + "011,,,,,,,,,1,0,2,,01\r\n" + Record("022"),
                     {"022"},
                     {3},
                     {2},
                     {Error::BadNumber}},
        TolerantCase{"a NUL byte",
                     kHead +
                         std::string("0\0"
                                     "11,,,,,,,,,1,0,2,,0\r\n",
                                     23) +
                         Record("022"),
                     {"022"},
                     {3},
                     {2},
                     {Error::NulByte}},
        TolerantCase{
            "a blank line", kHead + "\r\n" + Record("022"), {"022"}, {3}, {2}, {Error::FieldCount}},
        TolerantCase{"the last line cut short",
                     kHead + Record("011") + "022,,,",
                     {"011"},
                     {2},
                     {3},
                     {Error::Truncated}},
        TolerantCase{"an open quote at the very end",
                     kHead + Record("011") + "\"022\r\nx",
                     {"011"},
                     {2},
                     {3, 4},
                     {Error::Truncated, Error::Truncated}}));

TEST(TolerantRead, RefusesAFileWithoutTheHeader) {
  for (const std::string& file : {std::string(), std::string("DUDODE-CallDir,2\r\n"),
                                  std::string("DUDODE-CallDir,1"), Record("011")}) {
    std::vector<BookEntry> book;
    std::vector<std::size_t> lines;
    std::vector<calldir::DamagedRecord> damaged;
    EXPECT_FALSE(calldir::ReadBookTolerantly(file, book, lines, damaged)) << file;
  }
}

TEST(TolerantRead, NamesEveryRecordBeyondTheBooksCapacity) {
  std::string file = kHead;
  for (int i = 0; i < BOOK_CAPACITY + 2; ++i) file += Record(std::to_string(i));
  std::vector<BookEntry> book;
  std::vector<std::size_t> lines;
  std::vector<calldir::DamagedRecord> damaged;
  ASSERT_TRUE(calldir::ReadBookTolerantly(file, book, lines, damaged));
  EXPECT_EQ(book.size(), static_cast<std::size_t>(BOOK_CAPACITY));
  ASSERT_EQ(damaged.size(), 2u);
  EXPECT_EQ(damaged[0].line, static_cast<std::size_t>(BOOK_CAPACITY + 2));
  EXPECT_EQ(damaged[1].error, Error::TooManyEntries);
}

// What the library itself opens does not change: the same damaged file fails whole.
TEST(TolerantRead, LeavesTheStrictParserStrict) {
  const std::string file = kHead + Record("011") + "033,x\r\n" + Record("022");
  std::vector<BookEntry> book;
  calldir::BookParser parser(book);
  EXPECT_FALSE(parser.Feed(file) && parser.Finish());
  EXPECT_EQ(parser.error(), Error::FieldCount);
}

}  // namespace
