// The help window: opened at its contents, every page reachable by a link, every link
// leading somewhere, and every message of the program explained.
#include "gui/main_window/help_window.h"

#include <QAction>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

#include "app/closing.h"
#include "messages/library_errors.h"
#include "app/startup.h"
#include "book/csv_export.h"
#include "book/phone_book.h"

namespace {

QString PageText(const QString& page) {
  QFile file(":/help/" + page);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The link targets of the document the browser shows.
QSet<QString> LinksShown(const QTextBrowser& browser) {
  QSet<QString> links;
  for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      if (it.fragment().charFormat().isAnchor()) links << it.fragment().charFormat().anchorHref();
    }
  }
  return links;
}

const QStringList kPages = {"start.html",   "main-window.html", "entry.html", "search.html",
                            "columns.html", "export.html",      "import.html", "print.html",
                            "adapter.html",
                            "files.html",   "messages.html",    "about.html"};

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void opensAtTheContentsWithEveryPageAsALink() {
    QWidget mainWindow;
    ShowHelpContents(&mainWindow);
    auto* window = mainWindow.findChild<HelpWindow*>("helpWindow");
    QVERIFY(window != nullptr && window->isVisible());
    auto* browser = window->findChild<QTextBrowser*>("helpBrowser");
    QCOMPARE(browser->source(), QUrl("qrc:/help/index.html"));
    QVERIFY(browser->toPlainText().contains(QString::fromUtf8("目次")));
    QCOMPARE(LinksShown(*browser), QSet<QString>(kPages.begin(), kPages.end()));

    // Following a link, going back, and the contents button.
    browser->setSource(QUrl("export.html"));
    QVERIFY(browser->toPlainText().contains(QString::fromUtf8("データ保存エラー")));
    auto* back = window->findChild<QAction*>("helpBackAction");
    QVERIFY(back->isEnabled());
    back->trigger();
    QCOMPARE(browser->source(), QUrl("qrc:/help/index.html"));
    browser->setSource(QUrl("print.html"));
    window->findChild<QAction*>("helpContentsAction")->trigger();
    QCOMPARE(browser->source(), QUrl("qrc:/help/index.html"));

    // The command again: the same window, back at the contents.
    browser->setSource(QUrl("files.html"));
    ShowHelpContents(&mainWindow);
    QCOMPARE(mainWindow.findChildren<HelpWindow*>().size(), 1);
    QCOMPARE(browser->source(), QUrl("qrc:/help/index.html"));
  }

  void everyLinkLeadsToAPageAndPlace() {
    const QRegularExpression link("href=\"([^\"#]*)(?:#([^\"]*))?\"");
    for (const QString& page : QStringList{"index.html"} + kPages) {
      const QString text = PageText(page);
      QVERIFY2(!text.isEmpty(), qPrintable(page));
      for (auto match = link.globalMatch(text); match.hasNext();) {
        const auto found = match.next();
        const QString target = found.captured(1).isEmpty() ? page : found.captured(1);
        const QString targetText = PageText(target);
        QVERIFY2(!targetText.isEmpty(), qPrintable(page + " -> " + target));
        if (!found.captured(2).isEmpty()) {
          QVERIFY2(targetText.contains("id=\"" + found.captured(2) + "\""),
                   qPrintable(page + " -> " + found.captured(0)));
        }
      }
    }
  }

  void explainsEveryMessageAndFile() {
    QString all;
    for (const QString& page : kPages) all += PageText(page);
    QStringList expected = {kBookFullMessage,
                            kCsvNoDataMessage,
                            kCsvOverwriteQuestion,
                            kCsvSaveFailedMessage,
                            kCsvErrorCaption,
                            kAlreadyRunningMessage,
                            kVizazedRunningMessage,
                            kAdapterOpenFailedMessage,
                            kBookLoadFailedMessage,
                            kQuitUnsavedQuestion,
                            kCsvProgramFileMessage,
                            "読み込めなかった電話帳は、次に保存するときに",
                            "CallDir.csv",
                            "DUDODE.ini",
                            "VIZAZED.ini",
                            "DUDODE.CSV",
                            "dialout"};
    for (int code = 1; code <= 17; ++code) expected << LibraryErrorMessage(code);
    for (const QString& text : expected) QVERIFY2(all.contains(text), qPrintable(text));
  }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
