#include "views/column_choice.h"

#include <gtest/gtest.h>

#include "platform/text_bytes.h"
#include "support/sjis.h"

namespace {

std::vector<std::string> Headings(const std::vector<std::string>& utf8) {
  std::vector<std::string> headings;
  for (const auto& h : utf8) headings.push_back(Sjis(h));
  return headings;
}

std::string Heading(const ColumnDef& column) {
  return cp932::ToUtf8(text_bytes::FieldText(column.heading)).text;
}

struct StoredRow {
  std::string heading;
  int32_t width;
  int32_t format;
  int32_t fieldId;
};

void ExpectRows(const ColumnTable& table, const std::vector<StoredRow>& expected) {
  for (std::size_t j = 0; j < expected.size(); ++j) {
    EXPECT_EQ(Heading(table[j]), expected[j].heading) << j;
    EXPECT_EQ(table[j].width, expected[j].width) << j;
    EXPECT_EQ(table[j].format, expected[j].format) << j;
    EXPECT_EQ(table[j].fieldId, expected[j].fieldId) << j;
  }
}

TEST(StoreChosenColumns, WidthsStayWithPositionsAndAlignmentFollowsTheName) {
  ColumnTable table{};
  // The list showed 電話番号, 氏名 and 住所 at 100, 80 and 150; 氏名 was removed, and
  // FAX番号 and 郵便番号 added at rows that never held a column.
  StoreChosenColumns(table, Headings({"電話番号", "氏名", "住所"}));
  table[0].width = 100;
  table[1].width = 80;
  table[2].width = 150;
  table[3].width = 3;  // too narrow to have been a column
  ASSERT_EQ(StoreChosenColumns(
                table, Headings({"電話番号", "住所", "FAX番号", "郵便番号", "E-mailアドレス"})),
            5);
  ExpectRows(table, {{"電話番号", 100, kAlignLeft, kFieldNumber},
                     {"住所", 80, kAlignLeft, kFieldAddress},
                     {"FAX番号", 150, kAlignRight, kFieldFax},
                     {"郵便番号", 60, kAlignRight, kFieldPostalCode},
                     {"E-mailアドレス", 60, kAlignLeft, kFieldEmail}});
}

TEST(StoreChosenColumns, AnUnknownHeadingShowsTheNumberAndNoMoreThanTwelveAreStored) {
  ColumnTable table{};
  std::vector<std::string> headings = Headings({"氏名", "メモ"});
  headings.resize(14, Sjis("住所"));
  EXPECT_EQ(StoreChosenColumns(table, headings), 12);
  ExpectRows(table, {{"氏名", 60, kAlignLeft, kFieldName}, {"メモ", 60, kAlignLeft, kFieldNumber}});
}

TEST(PrepareAllColumns, RowsNotInUseTakeTheDefaultsAndRowsInUseKeepTheirWidths) {
  ColumnTable table{};
  StoreChosenColumns(table, Headings({"氏名", "住所"}));
  table[0].width = 123;
  PrepareAllColumns(table, 2);
  std::vector<std::string> all;
  for (const ColumnDef& column : DefaultColumns()) all.emplace_back(column.heading);
  ASSERT_EQ(StoreChosenColumns(table, all), 12);
  EXPECT_EQ(table[0].width, 123);
  EXPECT_EQ(table[1].width, 60);
  for (int j = 2; j < kMaxColumns; ++j) {
    EXPECT_EQ(table[j].width, DefaultColumns()[j].width) << j;
    EXPECT_EQ(table[j].fieldId, j) << j;
  }
  EXPECT_EQ(table[0].fieldId, kFieldNumber);
  EXPECT_EQ(table[0].format, kAlignLeft);  // the number is left-aligned once chosen
}

}  // namespace
