// The printed report: the rows the phone-book list shows, in its order, 48 to a page, each
// with the entry's number, name and address. Positions are twips (1/1440 inch) from the
// top-left corner of the printable area: x grows to the right, y grows upwards, so every
// line below the top has a negative y. A text's point is its top-left corner, or for the
// footer its right end.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "book/phone_book.h"

inline constexpr int kReportLinesPerPage = 48;

// Report font: a character height of 280 twips (14 points), a fixed-pitch Mincho.
inline constexpr int kReportFontHeight = 280;

// A line is as high as the report's face makes it, with no external leading: 48 lines then
// end above the footer on every paper, whatever a substitute face measures.
inline constexpr int kReportLineHeight = kReportFontHeight;

// The footer ends 8 inches from the left edge.
inline constexpr int kReportFooterRight = 11520;

// The pages the report of `rowCount` rows takes. An empty list still gets one page, with
// its title and heading only, so that printing it shows what was printed.
int ReportPageCount(int rowCount);

// "%-<width>s" counted in code page 932 bytes: `text` followed by spaces up to `width`
// bytes, never cut, so a kanji takes two of them as it takes two columns on paper.
std::string PadToBytes(std::string_view text, std::size_t width);

// The report line of `entry` (code page 932): number, name and address padded to 15, 20
// and 40 bytes. A longer value pushes the rest of its line to the right.
std::string ReportLine(const BookEntry& entry);

struct ReportText {
  enum class Anchor { TopLeft, TopRight };
  int x = 0;  // twips
  int y = 0;  // twips, negative below the top
  Anchor anchor = Anchor::TopLeft;
  std::string text;  // code page 932
};

// The book index of the entry each list row shows, -1 for none.
using EntryOfRow = std::function<int(int row)>;

// The texts of page `page` (from 1): the title, the heading, a line for each of its rows
// and the footer "Page <page>", the lines kReportLineHeight apart.
// A row that shows no entry of the book gets no line.
std::vector<ReportText> LayoutReportPage(const PhoneBook& book, int rowCount,
                                         const EntryOfRow& entryOfRow, int page);
