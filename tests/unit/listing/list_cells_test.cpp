// What the list's cells show, how a heading click orders the rows, and how a text is
// shortened to its column.
#include "listing/list_cells.h"

#include <gtest/gtest.h>

#include "support/book_builder.h"
#include "support/sjis.h"
#include "listing/column_table.h"
#include "listing/sort_directions.h"
#include "listing/text_fitting.h"

namespace {

BookEntry InAdapter(std::string_view number, const char* callAccept) {
  BookEntry entry = MakeEntry(number);
  entry.inAdapter = 1;
  text_bytes::FillField(entry.callAccept, callAccept);
  return entry;
}

TEST(ListCells, ShowTheMarksAndTheNumberOnlyInTheFirstColumn) {
  const BookEntry accepted = InAdapter("03-1", "1");
  const BookEntry rejected = InAdapter("03-2", "0");
  const BookEntry notHeld = MakeEntry("03-3");
  EXPECT_EQ(CellText(accepted, 1, kFieldInAdapterMark), Sjis("○"));
  EXPECT_EQ(CellText(accepted, 2, kFieldCallAcceptMark), Sjis("○"));
  EXPECT_EQ(CellText(rejected, 2, kFieldCallAcceptMark), Sjis("×"));
  EXPECT_EQ(CellText(notHeld, 1, kFieldInAdapterMark), " ");
  EXPECT_EQ(CellText(notHeld, 2, kFieldCallAcceptMark), " ");
  EXPECT_EQ(CellText(notHeld, 0, kFieldNumber), "03-3");
  EXPECT_EQ(CellText(notHeld, 3, kFieldNumber), "");  // the number is never shown elsewhere
  EXPECT_EQ(CellText(notHeld, 0, kFieldInAdapterMark), " ");  // another field first
  EXPECT_EQ(CellText(notHeld, 4, 12), "");
}

TEST(ListCells, ListTheLiveEntriesOfTheDisplayList) {
  PhoneBook book;
  for (const char* number : {"1", "2", "3"}) Put(book, MakeEntry(number));
  book.SetDeleted(1, true);
  book.SetViewSlot(0, 2);
  book.SetViewSlot(1, 1);
  book.SetViewSlot(2, 0);
  EXPECT_EQ(ListedEntries(book, 3), (std::vector<int>{2, 0}));
  EXPECT_EQ(ListedEntries(book, 1), (std::vector<int>{2}));
}

std::vector<std::string> SortedNumbers(const PhoneBook& book, int32_t direction) {
  std::vector<int> rows = ListedEntries(book, book.entryCount());
  SortRows(book, rows, 0, kFieldNumber, direction);
  std::vector<std::string> numbers;
  for (const int row : rows) numbers.emplace_back(text_bytes::FieldText(book[row].number));
  return numbers;
}

TEST(ListCells, SortByTheHyphenFreeBytesInTheColumnsDirection) {
  PhoneBook book;
  for (const char* number : {"03-1234-5678", "090-1111-2222", "0312345678", "1", "9"}) {
    Put(book, MakeEntry(number));
  }
  EXPECT_EQ(SortedNumbers(book, kSortDescending),
            (std::vector<std::string>{"9", "1", "090-1111-2222", "03-1234-5678", "0312345678"}));
  EXPECT_EQ(SortedNumbers(book, kSortAscending),
            (std::vector<std::string>{"03-1234-5678", "0312345678", "090-1111-2222", "1", "9"}));

  // Bytes compare unsigned: a kanji name sorts after every ASCII one, an empty cell first.
  PhoneBook names;
  Put(names, MakeEntry("1", "", Sjis("山田")));
  Put(names, MakeEntry("2", "", "Ab"));
  Put(names, MakeEntry("3", "", ""));
  std::vector<int> rows = ListedEntries(names, names.entryCount());
  SortRows(names, rows, 3, kFieldName, kSortAscending);
  EXPECT_EQ(rows, (std::vector<int>{2, 1, 0}));
}

TEST(ListCells, EachColumnPositionKeepsItsOwnDirection) {
  SortDirections directions;
  EXPECT_EQ(directions.Toggle(0), kSortDescending);  // the first click sorts descending
  EXPECT_EQ(directions.Toggle(1), kSortDescending);
  EXPECT_EQ(directions.Toggle(0), kSortAscending);
  EXPECT_EQ(directions.Of(1), kSortDescending);
  EXPECT_EQ(directions.Of(11), kSortAscending);
}

// Every byte is 10 pixels wide, so widths are easy to reason about.
std::string Fit(std::string_view text, int width) {
  const FittedText fit = ShortenToWidth(text, width, 4, 30, [](std::size_t bytes) {
    return static_cast<int>(bytes) * 10;
  });
  return FittedBytes(text, fit);
}

TEST(TextFitting, ShortensWithDotsAndNeverSplitsACharacter) {
  const std::string kanji = Sjis("山田太郎");  // 8 bytes, 80 pixels
  const struct {
    std::string text;
    int width;
    std::string shown;
  } cases[] = {
      {"abcdef", 64, "abcdef"},         // fits exactly: 60 + 4
      {"abcdef", 63, "ab..."},          // one pixel less: 20 + 30 + 4 <= 63
      {kanji, 84, kanji},
      {kanji, 74, Sjis("山田") + "..."},
      {kanji, 73, Sjis("山") + "..."},  // 3 bytes fit, but the second kanji is dropped whole
      {kanji, 20, Sjis("山")},          // not even one byte and the dots: the first character
      {"abc", 5, "a"},
      {"", 0, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Fit(c.text, c.width), c.shown) << c.width;
}

}  // namespace
