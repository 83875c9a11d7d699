#include "gui/report/report_printer.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <memory>
#include <utility>
#include <vector>

#include "gui/main_window/app_context.h"
#include "gui/list/book_list.h"
#include "gui/common/qt_text.h"
#include "listing/report_layout.h"

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kPagesWorthAProgressDialog = 200;

// Report positions are twips with y growing upwards; the painter counts device pixels
// downwards from the printable area's top-left corner.
class TwipsMapping {
 public:
  explicit TwipsMapping(int dotsPerInch) : dotsPerInch_(dotsPerInch) {}
  qreal ToDevice(int twips) const { return qreal(twips) * dotsPerInch_ / kTwipsPerInch; }

 private:
  int dotsPerInch_;
};

void DrawPage(QPainter& painter, const TwipsMapping& mapping, const QFontMetricsF& metrics,
              const std::vector<ReportText>& texts) {
  for (const ReportText& item : texts) {
    const QString text = FromCp932(item.text);
    qreal x = mapping.ToDevice(item.x);
    if (item.anchor == ReportText::Anchor::TopRight) x -= metrics.horizontalAdvance(text);
    // Qt draws at the baseline; the report gives the text's top.
    painter.drawText(QPointF(x, mapping.ToDevice(-item.y) + metrics.ascent()), text);
  }
}

// The pages to draw: the printer's range, or every page.
std::pair<int, int> PageRange(const QPrinter& printer, int pageCount) {
  if (printer.fromPage() == 0) return {1, pageCount};
  return {printer.fromPage(), std::min(printer.toPage(), pageCount)};
}

// A report printed to a file holds the user's data: once the printer has written it, it is
// readable by its owner alone, as the CSV export is.
void KeepPrivate(const QPrinter& printer) {
  if (printer.outputFileName().isEmpty()) return;
  QFile::setPermissions(printer.outputFileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

}  // namespace

QFont ReportFont() {
  const QStringList installed = QFontDatabase::families();
  QString family = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
  // "MS Mincho" is the English name under which some systems list "ＭＳ 明朝".
  for (const char* wanted : {"ＭＳ 明朝", "MS Mincho", "IPAMincho", "IPA明朝"}) {
    if (installed.contains(QString::fromUtf8(wanted))) {
      family = QString::fromUtf8(wanted);
      break;
    }
  }
  QFont font(family);
  font.setPointSizeF(kReportFontHeight / 20.0);  // twips to points
  font.setKerning(false);                        // the columns line up by character cells
  return font;
}

bool RenderReport(QPrinter& printer, const PhoneBook& book, const BookListView& list,
                  QWidget* progressParent) {
  const int rowCount = list.RowCount();
  const auto [first, last] = PageRange(printer, ReportPageCount(rowCount));
  printer.setDocName(QString::fromUtf8("電話帳レポート"));
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QFont font = ReportFont();
  painter.setFont(font);
  const QFontMetricsF metrics(font, &printer);
  const TwipsMapping mapping(printer.resolution());
  const EntryOfRow entryOfRow = [&list](int row) { return list.EntryIndexOfRow(row); };

  std::unique_ptr<QProgressDialog> progress;
  if (last - first + 1 >= kPagesWorthAProgressDialog) {
    progress = std::make_unique<QProgressDialog>(QString::fromUtf8("レポートを印刷しています..."),
                                                 QString::fromUtf8("ｷｬﾝｾﾙ"), 0, last - first + 1,
                                                 progressParent);
    progress->setObjectName("reportProgress");
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(0);
  }
  for (int page = first; page <= last; ++page) {
    if (progress) {
      progress->setValue(page - first);  // also lets the cancel button be pressed
      if (progress->wasCanceled()) {
        printer.abort();
        return false;
      }
    }
    if (page > first) printer.newPage();
    DrawPage(painter, mapping, metrics,
             LayoutReportPage(book, rowCount, entryOfRow, page));
  }
  if (!painter.end()) return false;
  KeepPrivate(printer);
  return true;
}

void PrintReport(AppContext& context, BookListView& list, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, parent);
  dialog.setObjectName("reportPrintDialog");
  dialog.setMinMax(1, ReportPageCount(list.RowCount()));
  if (dialog.exec() != QDialog::Accepted) return;
  RenderReport(printer, context.access.book, list, parent);
}

void PreviewReport(AppContext& context, BookListView& list, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, parent);
  preview.setObjectName("reportPreview");
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
    RenderReport(*target, context.access.book, list, &preview);
  });
  preview.exec();
}
