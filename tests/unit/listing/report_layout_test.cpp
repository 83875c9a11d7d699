#include "listing/report_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/book_builder.h"
#include "support/sjis.h"

namespace {

using Anchor = ReportText::Anchor;

TEST(ReportLayoutTest, FortyEightRowsAPage) {
  for (const auto& [rows, pages] :
       std::vector<std::pair<int, int>>{{0, 1}, {1, 1}, {48, 1}, {49, 2}, {96, 2}, {10000, 209}}) {
    EXPECT_EQ(ReportPageCount(rows), pages) << rows << " rows";
  }
}

struct LineCase {
  const char* number;
  const char* name;     // UTF-8
  const char* address;  // UTF-8
  std::string expected;
};

TEST(ReportLayoutTest, LinesArePaddedInBytesAndNeverCut) {
  const std::string address40 = std::string(20, 'a') + "bbbbbbbbbbbbbbbbbbbb";
  const std::vector<LineCase> cases = {
      {"03-1234", "山田", "東京",
       "03-1234" + std::string(8, ' ') + "山田" + std::string(16, ' ') + "東京" +
           std::string(36, ' ')},
      // 15 bytes of number and 20 of name leave no gap before the next value.
      {"012345678901234", "一二三四五六七八九十", "x",
       "012345678901234一二三四五六七八九十x" + std::string(39, ' ')},
      // Longer values push the rest of the line to the right.
      {"0123-4567-8901-2345", "ﾔﾏﾀﾞﾀﾛｳﾔﾏﾀﾞﾀﾛｳﾔﾏﾀﾞﾀﾛｳ", "",
       "0123-4567-8901-2345ﾔﾏﾀﾞﾀﾛｳﾔﾏﾀﾞﾀﾛｳﾔﾏﾀﾞﾀﾛｳ" + std::string(40, ' ')},
  };
  for (const auto& c : cases) {
    BookEntry entry = MakeEntry(c.number, "", Sjis(c.name));
    text_bytes::FillField(entry.address, Sjis(c.address));
    EXPECT_EQ(ReportLine(entry), Sjis(c.expected)) << c.number;
  }
  BookEntry full = MakeEntry("1");
  text_bytes::FillField(full.address, address40 + "!");
  EXPECT_EQ(ReportLine(full), "1" + std::string(14, ' ') + std::string(20, ' ') + address40 + "!");
}

class ReportPageTest : public testing::Test {
 protected:
  ReportPageTest() {
    for (int i = 0; i < 49; ++i) Put(book, MakeEntry("0" + std::to_string(100 + i)));
    // The list shows the entries in reverse order, as after sorting.
    for (int i = 48; i >= 0; --i) rows.push_back(i);
  }

  std::vector<ReportText> Page(int page) {
    return LayoutReportPage(
        book, static_cast<int>(rows.size()),
        [this](int row) { return rows[static_cast<std::size_t>(row)]; }, page);
  }

  static constexpr int kLineHeight = kReportLineHeight;
  PhoneBook book;
  std::vector<int> rows;
};

TEST_F(ReportPageTest, PageHoldsTitleHeadingItsRowsAndFooter) {
  const auto first = Page(1);
  ASSERT_EQ(first.size(), 2u + 48u + 1u);
  EXPECT_EQ(first[0].text, Sjis("電話帳レポート"));
  EXPECT_EQ(first[0].x, 144);
  EXPECT_EQ(first[0].y, 0);
  EXPECT_EQ(first[1].text, Sjis("電話番号" + std::string(7, ' ') + "氏名" + std::string(16, ' ') +
                                "住所" + std::string(36, ' ')));
  EXPECT_EQ(first[1].x, 864);
  EXPECT_EQ(first[1].y, -720);
  EXPECT_EQ(first[2].text.substr(0, 4), "0148");  // row 0 shows entry 48
  EXPECT_EQ(first[2].x, 720);
  EXPECT_EQ(first[2].y, -960 - kLineHeight);
  EXPECT_EQ(first[49].text.substr(0, 4), "0101");
  EXPECT_EQ(first[49].y, -960 - 48 * kLineHeight);
  // The 48th line ends above the footer, 10 2/3 inches below the top.
  EXPECT_GT(first[49].y - kLineHeight, -15360);
  EXPECT_EQ(first[50].text, "Page 1");

  const auto second = Page(2);
  ASSERT_EQ(second.size(), 4u);
  EXPECT_EQ(second[2].text.substr(0, 4), "0100");
  EXPECT_EQ(second[2].y, -960 - kLineHeight);
  EXPECT_EQ(second[3].text, "Page 2");
  EXPECT_EQ(second[3].anchor, Anchor::TopRight);
  EXPECT_EQ(second[3].x, 11520);
  EXPECT_EQ(second[3].y, -15360);
}

TEST_F(ReportPageTest, RowWithoutAnEntryGetsNoLine) {
  rows = {2, -1, 7, BOOK_CAPACITY};
  const auto page = Page(1);
  ASSERT_EQ(page.size(), 2u + 2u + 1u);
  EXPECT_EQ(page[2].text.substr(0, 4), "0102");
  EXPECT_EQ(page[3].text.substr(0, 4), "0107");
  EXPECT_EQ(page[3].y, -960 - 2 * kLineHeight);
}

}  // namespace
