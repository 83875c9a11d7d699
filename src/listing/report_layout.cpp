#include "listing/report_layout.h"

#include <algorithm>

#include "platform/cp932.h"
#include "platform/text_bytes.h"

namespace {

constexpr std::size_t kNumberWidth = 15;
constexpr std::size_t kNameWidth = 20;
constexpr std::size_t kAddressWidth = 40;

constexpr int kTitleX = 144;
constexpr int kHeadingX = 864;
constexpr int kHeadingY = -720;
constexpr int kLineX = 720;
constexpr int kFirstLineTop = -960;  // the first line lies one line height below this
constexpr int kFooterY = -15360;     // 10 2/3 inches below the top

std::string Cp932(const char* utf8) {
  return cp932::FromUtf8(utf8).text;
}

std::string ThreeColumns(std::string_view number, std::string_view name, std::string_view address) {
  return PadToBytes(number, kNumberWidth) + PadToBytes(name, kNameWidth) +
         PadToBytes(address, kAddressWidth);
}

}  // namespace

int ReportPageCount(int rowCount) {
  return std::max(1, (rowCount + kReportLinesPerPage - 1) / kReportLinesPerPage);
}

std::string PadToBytes(std::string_view text, std::size_t width) {
  std::string padded(text);
  if (padded.size() < width) padded.append(width - padded.size(), ' ');
  return padded;
}

std::string ReportLine(const BookEntry& entry) {
  using text_bytes::FieldText;
  return ThreeColumns(FieldText(entry.number), FieldText(entry.name), FieldText(entry.address));
}

std::vector<ReportText> LayoutReportPage(const PhoneBook& book, int rowCount,
                                         const EntryOfRow& entryOfRow, int page) {
  using Anchor = ReportText::Anchor;
  static const std::string title = Cp932("電話帳レポート");
  static const std::string heading = ThreeColumns(Cp932("電話番号"), Cp932("氏名"), Cp932("住所"));

  std::vector<ReportText> texts;
  texts.push_back({kTitleX, 0, Anchor::TopLeft, title});
  texts.push_back({kHeadingX, kHeadingY, Anchor::TopLeft, heading});
  int y = kFirstLineTop;
  const int end = std::min(page * kReportLinesPerPage, rowCount);
  for (int row = (page - 1) * kReportLinesPerPage; row < end; ++row) {
    const int index = entryOfRow(row);
    if (!book.IsValidIndex(index)) continue;
    y -= kReportLineHeight;
    texts.push_back({kLineX, y, Anchor::TopLeft, ReportLine(book[index])});
  }
  texts.push_back({kReportFooterRight, kFooterY, Anchor::TopRight, "Page " + std::to_string(page)});
  return texts;
}
