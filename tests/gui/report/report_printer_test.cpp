// The report rendered to PDF and read back with pdftotext; the preview and the progress
// dialog through their real windows.
#include "gui/report/report_printer.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <cstring>

#include "book/book_storage.h"
#include "gui/main_window/app_context.h"
#include "index/kana_filter.h"
#include "support/book_builder.h"
#include "support/fake_adapter.h"
#include "support/fake_book_list_view.h"
#include "support/fake_calldir.h"
#include "support/recording_prompter.h"
#include "support/sjis.h"
#include "support/temp_dir.h"

namespace {

QString Tool(const char* name) {
  return QStandardPaths::findExecutable(name);
}

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(30000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

int EntryWith(PhoneBook& book, const char* number, const char* nameUtf8, const char* kanaUtf8 = "",
              const char* addressUtf8 = "") {
  BookEntry entry = MakeEntry(number, Sjis(kanaUtf8), Sjis(nameUtf8));
  text_bytes::FillField(entry.address, Sjis(addressUtf8));
  return Put(book, entry);
}

}  // namespace

class ReportPrinterTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    if (Tool("pdftotext").isEmpty() || Tool("pdfinfo").isEmpty()) {
      QSKIP("pdftotext and pdfinfo (poppler-utils, installed by scripts/setup) are missing");
    }
    dir_ = std::make_unique<TempDir>();
    book_ = std::make_unique<PhoneBook>();
    list_ = FakeBookListView{};
  }

  void fontIsFixedPitchWithDoubleWidthKanji() {
    const QFontMetricsF metrics(ReportFont());
    QCOMPARE(metrics.horizontalAdvance(QString::fromUtf8("山")),
             2 * metrics.horizontalAdvance("a"));
    QCOMPARE(metrics.horizontalAdvance("i"), metrics.horizontalAdvance("W"));
  }

  void fortyEightRowsFillOnePageAndTheFortyNinthStartsAnother() {
    for (int i = 0; i < 49; ++i) {
      list_.rows.push_back(EntryWith(*book_, QByteArray::number(1000 + i).constData(), "名前"));
    }
    list_.rows.resize(48);
    QCOMPARE(PageCount(Render()), 1);
    QVERIFY(PageText(Render(), 1).contains("1047"));

    list_.rows.push_back(48);
    const QString pdf = Render();
    QCOMPARE(PageCount(pdf), 2);
    const QString second = PageText(pdf, 2);
    QVERIFY(second.contains("1048"));
    QVERIFY(!second.contains("1047"));
    QVERIFY(second.contains(QString::fromUtf8("電話帳レポート")));
    QVERIFY(second.contains("Page 2"));
  }

  void printsTheRowsOfAFilteredSortedListAsTheyShow() {
    // A deleted entry whose number differs only in separators comes first in the book: a
    // lookup by the row's number would print it instead of the one the row shows.
    const int gone = EntryWith(*book_, "03-1111", "削除済", "かとう");
    book_->SetDeleted(gone, true);
    EntryWith(*book_, "0200", "佐藤", "さとう");
    EntryWith(*book_, "031111", "加藤", "かとう", "東京都");
    EntryWith(*book_, "0400", "木村", "きむら", "大阪府");
    EntryWith(*book_, "0500", "阿部", "あべ");
    const int shown = ApplyKanaFilter(*book_, Sjis("か行"));
    for (int slot = 0; slot < shown; ++slot) {
      const int index = (*book_)[slot].viewSlot;
      if ((*book_)[index].deleted == 0) list_.rows.push_back(index);
    }
    // Sorted by name, descending: 木村 before 加藤 in code page 932 order.
    std::sort(list_.rows.begin(), list_.rows.end(),
              [this](int a, int b) { return std::strcmp((*book_)[a].name, (*book_)[b].name) > 0; });
    const QString text = PageText(Render(), 1);
    const QString kimura = QString::fromUtf8("0400 木村 大阪府");
    const QString kato = QString::fromUtf8("031111 加藤 東京都");
    QVERIFY2(text.contains(kimura) && text.contains(kato), qPrintable(text));
    QVERIFY(text.indexOf(kimura) < text.indexOf(kato));
    for (const char* absent : {"削除済", "佐藤", "阿部"})
      QVERIFY(!text.contains(QString::fromUtf8(absent)));
  }

  void longValuesPushTheLineRight() {
    list_.rows = {
        EntryWith(*book_, "0123-4567-8901-2345", "一二三四五六七八九十", "", "北海道札幌市")};
    list_.rows.push_back(EntryWith(*book_, "0123", "山", "", "x"));
    const QString pdf = Render();
    const QString text = PageText(pdf, 1);
    QVERIFY2(
        text.contains(QString::fromUtf8("0123-4567-8901-2345一二三四五六七八九十北海道札幌市")),
        qPrintable(text));
    // The fixed pitch keeps the padded columns aligned: "山" starts where "一" does,
    // "x" where "北" would have started had the long number not pushed it.
    const qreal nameColumn = WordLeft(pdf, QString::fromUtf8("山"));
    const qreal numberLeft = WordLeft(pdf, "0123");
    const qreal cell = (nameColumn - numberLeft) / 15;
    QVERIFY(cell > 0);
    QVERIFY(qAbs(WordLeft(pdf, "x") - (numberLeft + 35 * cell)) < 1);
    // The footer ends 8 inches (576 points) right of the printable area's left edge.
    const qreal left = numberLeft - 36;  // the lines start half an inch in
    QVERIFY(qAbs(WordRight(pdf, "1") - (left + 576)) < 1);
  }

  // The 48th line ends above the footer and on the paper, on A4 and on Letter alike.
  void theLastLineOfAPageEndsAboveTheFooter() {
    for (int i = 0; i < 48; ++i) {
      list_.rows.push_back(EntryWith(*book_, QByteArray::number(5001 + i).constData(), "名前"));
    }
    for (const QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter}) {
      const QString pdf = Render(paper);
      const QRectF last = WordBox(pdf, "5048");
      const QRectF footer = WordBox(pdf, "Page");
      const QSizeF page = QPageSize(paper).size(QPageSize::Point);
      QVERIFY2(last.isValid() && footer.isValid(), qPrintable(pdf));
      QVERIFY2(last.bottom() < footer.top(), qPrintable(QString::number(last.bottom())));
      QVERIFY(WordBox(pdf, "5047").bottom() < last.top());
      QVERIFY(last.bottom() < page.height());
    }
  }

  void previewShowsEveryPage() {
    for (int i = 0; i < 49; ++i) list_.rows.push_back(EntryWith(*book_, "0100", "名前"));
    int pages = -1;
    QTimer::singleShot(0, [&] {
      QWidget* preview = QApplication::activeModalWidget();
      if (preview == nullptr) return;
      if (auto* widget = preview->findChild<QPrintPreviewWidget*>()) pages = widget->pageCount();
      preview->close();
    });
    PreviewReport(Context(), list_, nullptr);
    QCOMPARE(pages, 2);
  }

  void printDialogOffersTheReportsPagesAndPrintsThem() {
    for (int i = 0; i < 97; ++i) list_.rows.push_back(EntryWith(*book_, "0100", "名前"));
    const QString path = QString::fromStdString(dir_->File("printed.pdf"));
    int maxPage = -1;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      maxPage = dialog->maxPage();
      // The unix dialog offers printing to a PDF file when no printer is set up.
      if (auto* file = dialog->findChild<QLineEdit*>("filename")) file->setText(path);
      dialog->accept();
    });
    PrintReport(Context(), list_, nullptr);
    QCOMPARE(maxPage, 3);
    QCOMPARE(PageCount(path), 3);
  }

  void longReportCanBeCancelled() {
    const int entry = EntryWith(*book_, "0100", "名前");
    list_.rows.assign(200 * 48, entry);
    bool sawProgress = false;
    QTimer::singleShot(0, [&] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* progress = qobject_cast<QProgressDialog*>(widget)) {
          sawProgress = progress->isVisible();
          progress->cancel();
        }
      }
    });
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir_->File("cancelled.pdf").c_str());
    QVERIFY(!RenderReport(printer, *book_, list_, nullptr));
    QVERIFY(sawProgress);
  }

 private:
  AppContext& Context() {
    context_ = std::make_unique<AppContext>(
        AppContext{BookAccess{*book_, callDir_, prompter_, ""}, adapter_});
    return *context_;
  }

  QString Render(QPageSize::PageSizeId paper = QPageSize::A4) {
    const QString path =
        QString::fromStdString(dir_->File("report" + std::to_string(++renders_) + ".pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(paper));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    if (!RenderReport(printer, *book_, list_, nullptr)) return {};
    return path;
  }

  static int PageCount(const QString& pdf) {
    const QString info = Run(Tool("pdfinfo"), {pdf});
    const QRegularExpressionMatch match = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
  }

  // The page's lines, their words joined by single spaces.
  static QString PageText(const QString& pdf, int page) {
    const QString text = Run(Tool("pdftotext"), {"-layout", "-f", QString::number(page), "-l",
                                                 QString::number(page), pdf, "-"});
    return text.simplified();
  }

  // The box, in points from the page's top-left corner, of the first word `word` on page 1;
  // an invalid box when there is none.
  static QRectF WordBox(const QString& pdf, const QString& word) {
    const QString boxes = Run(Tool("pdftotext"), {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    const QRegularExpression pattern(QString("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                                             "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">%1</word>")
                                         .arg(QRegularExpression::escape(word)));
    const QRegularExpressionMatch match = pattern.match(boxes);
    if (!match.hasMatch()) return {};
    return QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                  QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()));
  }
  static qreal WordLeft(const QString& pdf, const QString& word) {
    const QRectF box = WordBox(pdf, word);
    return box.isValid() ? box.left() : -1000;
  }
  static qreal WordRight(const QString& pdf, const QString& word) {
    const QRectF box = WordBox(pdf, word);
    return box.isValid() ? box.right() : -1000;
  }

  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<PhoneBook> book_;
  FakeBookListView list_;
  FakeCallDir callDir_;
  FakeAdapter adapter_;
  RecordingPrompter prompter_;
  std::unique_ptr<AppContext> context_;
  int renders_ = 0;
};

QTEST_MAIN(ReportPrinterTest)
#include "report_printer_test.moc"
