// Printing the report of the phone-book list: the rows the list shows, in its order (see
// listing/report_layout.h), drawn on a QPrinter in the report font.
#pragma once

class BookListView;
class QPrinter;
class QWidget;
class QFont;
struct AppContext;
struct PhoneBook;

// "印刷(&P)..." (Ctrl+P): the print dialog, then the chosen pages on the chosen printer.
void PrintReport(AppContext& context, BookListView& list, QWidget* parent);

// "印刷ﾌﾟﾚﾋﾞｭｰ(&V)": the report in a print preview, which can print it too.
void PreviewReport(AppContext& context, BookListView& list, QWidget* parent);

// Draws the report's pages, titled "電話帳レポート", within the printer's page range (all
// pages when it has none) on `printer`; a report printed to a file is made readable by its
// owner alone. From 200 pages on a progress dialog owned by `progressParent` offers to
// cancel. False when cancelled or when the printer could not be opened.
bool RenderReport(QPrinter& printer, const PhoneBook& book, const BookListView& list,
                  QWidget* progressParent);

// The report font: "ＭＳ 明朝" where it is installed, else a fixed-pitch Mincho (IPAMincho)
// whose double-byte characters are twice as wide as its single-byte ones, 14 points.
QFont ReportFont();
