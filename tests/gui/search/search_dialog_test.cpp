// The search dialog: each condition's checks and messages, the rows, the input limits and
// modes, picking a row and the edit button under each condition.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "gui/main_window/app_context.h"
#include "book/book_storage.h"
#include "gui/search/search_dialog.h"
#include "index/search_match.h"
#include "support/book_builder.h"
#include "support/fake_adapter.h"
#include "support/fake_calldir.h"
#include "support/recording_prompter.h"
#include "support/sjis.h"

namespace {

BookEntry Entry(const char* number, const std::string& kana, const std::string& registered) {
  BookEntry entry = MakeEntry(number, Sjis(kana), Sjis("山田"));
  text_bytes::FillField(entry.registeredName, Sjis(registered));
  text_bytes::FillField(entry.address, Sjis("東京都"));
  return entry;
}

void Type(QLineEdit* edit, const QString& text) {
  for (const QChar c : text)
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), {});
}

QStringList Column(const QAbstractItemModel* model, int column) {
  QStringList texts;
  for (int row = 0; row < model->rowCount(); ++row)
    texts << model->index(row, column).data().toString();
  return texts;
}

QStringList Headings(const QAbstractItemModel* model) {
  QStringList headings;
  for (int c = 0; c < model->columnCount(); ++c)
    headings << model->headerData(c, Qt::Horizontal).toString();
  return headings;
}

}  // namespace

class SearchDialogTest : public QObject {
  Q_OBJECT

  PhoneBook book;
  FakeCallDir callDir;
  RecordingPrompter prompter;
  FakeAdapter adapter;
  AppContext context{BookAccess{book, callDir, prompter, ""}, adapter};
  std::vector<int> opened;
  int32_t condition = kSearchByNumber;  // the session's last condition

  struct Dialog {
    CSearchDlg dialog;
    QComboBox* condition;
    QLineEdit* input;
    QPushButton* edit;
    QTableView* results;
    explicit Dialog(SearchDialogTest& t)
        : dialog(t.context, t.condition, [&t](int index) { t.Edit(index); }),
          condition(dialog.findChild<QComboBox*>("conditionBox")),
          input(dialog.findChild<QLineEdit*>("searchInput")),
          edit(dialog.findChild<QPushButton*>("editButton")),
          results(dialog.findChild<QTableView*>("resultList")) {
      dialog.show();
    }
    void Search(int conditionIndex, const QString& text) {
      condition->setCurrentIndex(conditionIndex);
      input->clear();
      Type(input, text);
      QTest::mouseClick(dialog.findChild<QPushButton*>("startButton"), Qt::LeftButton);
    }
    void Click(QPoint at) { QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, at); }
    void ClickRow(int row) { Click(results->visualRect(results->model()->index(row, 0)).center()); }
    void ClickBesideRows() { Click(QPoint(5, results->viewport()->height() - 3)); }
    QStringList Rows() const { return Column(results->model(), 0); }
  };

  // What the edit dialog does here: it records the index and changes the entry's reading.
  void Edit(int index) {
    opened.push_back(index);
    BookEntry changed = book[index];
    text_bytes::FillField(changed.nameKana, Sjis("かえた"));
    book.ReplaceEntry(index, changed);
  }

 private Q_SLOTS:
  void init() {
    book = PhoneBook();
    Put(book, Entry("03-1234-5678", "やまだ たろう", "ﾔﾏﾀﾞ ﾀﾛｳ"));  // 0
    Put(book, Entry("0312345679", "やま,かわ", "ﾔﾏｶﾜ"));            // 1
    Put(book, Entry("06-1111-2222", "かわだ", "ｱｲ ｳｴ"));            // 2
    Put(book, Entry("03-1234-5678", "べつ", "ﾍﾞﾂ"));                // 3, the number of 0
    Put(book, Entry("03-0000-0000", "やまの", "ｱｲ"));               // 4, deleted
    book.SetDeleted(4, true);
    prompter.messages.clear();
    opened.clear();
    condition = kSearchByNumber;
  }

  void opensWithTheLastConditionAndEverythingElseEmpty() {
    condition = kSearchByRegisteredName;
    Dialog d(*this);
    QAbstractItemModelTester tester(d.results->model());
    QCOMPARE(d.condition->itemText(2), QStringLiteral("氏名かな"));
    QCOMPARE(d.condition->currentIndex(), 1);
    QCOMPARE(Headings(d.results->model()), (QStringList{"登録名称", "電話番号", "住所"}));
    QCOMPARE(d.results->columnWidth(1), 80);
    auto* start = d.dialog.findChild<QPushButton*>("startButton");
    QVERIFY(d.input->text().isEmpty() && d.Rows().isEmpty());
    QVERIFY(!start->isEnabled() && !d.edit->isEnabled());
    Type(d.input, "ｱ");
    QVERIFY(start->isEnabled());
  }

  void eachConditionChecksItsInputAndListsLiveEntries_data() {
    QTest::addColumn<int>("condition");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message");  // empty: the search runs
    QTest::addColumn<QStringList>("rows");
    const QStringList none;
    QTest::newRow("number") << 0 << "03-1" << QString()
                            << QStringList{"03-1234-5678", "0312345679", "03-1234-5678"};
    QTest::newRow("two hyphens: all live")
        << 0 << "--" << QString()
        << QStringList{"03-1234-5678", "0312345679", "06-1111-2222", "03-1234-5678"};
    QTest::newRow("lone hyphen") << 0 << "-"
                                 << "数字を入力してください。" << none;
    QTest::newRow("full-width digits") << 0 << "０３"
                                       << "半角数字を入力してください。" << none;
    QTest::newRow("registered name") << 1 << "ｱｲｳ" << QString() << QStringList{"ｱｲ ｳｴ"};
    QTest::newRow("full-width kana") << 1 << "アイ"
                                     << "半角カナを入力してください。" << none;
    QTest::newRow("letters") << 1 << "AB"
                             << "カナを入力してください。" << none;
    QTest::newRow("reading") << 2 << "やまか" << QString() << QStringList{"やま,かわ"};
    QTest::newRow("katakana") << 2 << "ヤマ"
                              << "平仮名を入力してください。" << none;
  }

  void eachConditionChecksItsInputAndListsLiveEntries() {
    QFETCH(int, condition);
    QFETCH(QString, input);
    QFETCH(QString, message);
    QFETCH(QStringList, rows);
    Dialog d(*this);
    d.Search(condition, QStringList{"06", "ﾍ", "か"}[condition]);  // one row to keep or replace
    const QStringList before = d.Rows();
    QCOMPARE(before.size(), 1);
    d.Search(condition, input);
    if (message.isEmpty()) {
      QVERIFY(prompter.messages.empty());
      QCOMPARE(d.Rows(), rows);
      QCOMPARE(Column(d.results->model(), 2), QStringList(rows.size(), "東京都"));
      return;
    }
    QCOMPARE(prompter.messages.size(), std::size_t{1});
    const auto& box = prompter.messages.front();
    QCOMPARE(QString::fromStdString(box.text), message);
    QCOMPARE(box.caption, std::string(kAppTitle));
    QVERIFY(box.icon == PromptIcon::None && box.buttons == PromptButtons::Ok);
    QCOMPARE(box.owner.window, static_cast<const void*>(static_cast<QWidget*>(&d.dialog)));
    QCOMPARE(d.Rows(), before);
    QCOMPARE(d.input->text(), input);
  }

  void switchingTheConditionEmptiesInputAndListAndSetsTheLimit() {
    Dialog d(*this);
    d.Search(0, "03");
    Type(d.input, QString(23, '1'));
    QCOMPARE(d.input->text(), "03" + QString(20, '1'));  // 22 bytes
    d.condition->setCurrentIndex(1);
    QCOMPARE(condition, 1);
    QVERIFY(d.input->text().isEmpty() && d.Rows().isEmpty());
    Type(d.input, QString(21, QChar(0xFF71)));  // ｱ, one byte each
    QCOMPARE(d.input->text().size(), 20);
    d.condition->setCurrentIndex(2);
    QCOMPARE(Headings(d.results->model()), (QStringList{"氏名かな", "電話番号", "住所"}));
    Type(d.input, QString(16, QChar(0x3042)));  // あ, two bytes each
    QCOMPARE(d.input->text().size(), 15);
  }

  void switchingTheConditionSetsTheInputHints() {
#ifdef Q_OS_WIN
    QSKIP("Windows sets the input method's own modes");
#endif
    Dialog d(*this);
    QVERIFY(d.input->testAttribute(Qt::WA_InputMethodEnabled));  // opening keeps the mode
    d.condition->setCurrentIndex(1);
    QVERIFY(d.input->inputMethodHints() & Qt::ImhNoPredictiveText);
    d.condition->setCurrentIndex(2);
    QVERIFY(d.input->testAttribute(Qt::WA_InputMethodEnabled));
    QCOMPARE(d.input->inputMethodHints(), Qt::ImhNone);
    d.condition->setCurrentIndex(0);
    QVERIFY(!d.input->testAttribute(Qt::WA_InputMethodEnabled));
    QVERIFY(d.input->inputMethodHints() & Qt::ImhDialableCharactersOnly);
  }

  void editOpensEachEntryThePickedRowStandsFor_data() {
    QTest::addColumn<int>("condition");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("row");
    QTest::addColumn<std::vector<int>>("entries");
    QTest::addColumn<bool>("staysOpen");
    QTest::newRow("number: every entry of it")
        << 0 << "031234" << 2 << std::vector<int>{0, 3} << false;
    QTest::newRow("registered name and number") << 1 << "ﾔﾏ" << 1 << std::vector<int>{1} << false;
    QTest::newRow("reading and number") << 2 << "やま" << 0 << std::vector<int>{0} << true;
  }

  void editOpensEachEntryThePickedRowStandsFor() {
    QFETCH(int, condition);
    QFETCH(QString, input);
    QFETCH(int, row);
    QFETCH(std::vector<int>, entries);
    QFETCH(bool, staysOpen);
    Dialog d(*this);
    d.Search(condition, input);
    const QStringList rows = d.Rows();
    d.ClickRow(row);
    QVERIFY(d.edit->isEnabled());
    QTest::mouseClick(d.edit, Qt::LeftButton);
    QCOMPARE(opened, entries);
    QCOMPARE(d.dialog.isVisible(), staysOpen);
    QCOMPARE(d.Rows(), rows);  // not refreshed, though the edit changed a reading
  }

  void aClickBesideTheRowsOrANewSearchForgetsThePick() {
    Dialog d(*this);
    d.Search(0, "06");
    d.ClickRow(0);
    d.ClickBesideRows();
    QVERIFY(!d.edit->isEnabled());
    QTest::keyClick(d.results, Qt::Key_Space);  // a key in a list with rows enables the button,
    QVERIFY(d.edit->isEnabled());
    QTest::mouseClick(d.edit, Qt::LeftButton);
    QVERIFY(opened.empty());  // but the pick is forgotten
    d.ClickRow(0);
    d.Search(0, "09");  // the picked row is gone from the list
    QTest::keyClick(d.results, Qt::Key_Down);
    QVERIFY(!d.edit->isEnabled());  // in an empty list the button stays off
  }

  // Enter presses the focused button; the focus entering the list picks no row; rows are
  // one line high.
  void theKeyboardPicksOnlyWhatTheUserChose() {
    Dialog d(*this);
    d.dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
    d.Search(0, "031234");
    QCOMPARE(d.results->rowHeight(0), d.results->fontMetrics().height() + 4);
    const auto focusOn = [](QWidget* target) {
      for (int i = 0; i < 10 && QApplication::focusWidget() != target; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      }
      return QApplication::focusWidget() == target;
    };
    QVERIFY(focusOn(d.results));
    QVERIFY(!d.edit->isEnabled());  // the focus alone chose nothing
    QTest::keyClick(d.results, Qt::Key_Down);
    QTest::keyClick(d.results, Qt::Key_Down);
    QCOMPARE(d.results->currentIndex().row(), 1);
    QVERIFY(focusOn(d.edit));
    QTest::keyClick(d.edit, Qt::Key_Return);  // opens row 1's entry, no second search
    QCOMPARE(opened, std::vector<int>{1});
    QVERIFY(!d.dialog.isVisible());

    opened.clear();
    Dialog again(*this);
    again.dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&again.dialog));
    again.Search(0, "031234");
    auto* cancel = again.dialog.findChild<QPushButton*>("cancelButton");
    QVERIFY(focusOn(cancel));
    QTest::keyClick(cancel, Qt::Key_Return);
    QCOMPARE(again.dialog.result(), int(QDialog::Rejected));
    QVERIFY(opened.empty());
  }

  // The keyboard alone can open a hit: a row reached with the arrow keys is picked.
  void aRowReachedWithTheKeysIsPicked() {
    Dialog d(*this);
    d.Search(0, "031234");
    d.ClickRow(0);
    QTest::keyClick(d.results, Qt::Key_Down);
    QVERIFY(d.edit->isEnabled());
    QTest::mouseClick(d.edit, Qt::LeftButton);
    QCOMPARE(opened, std::vector<int>{1});  // row 1: 0312345679, not row 0's number
  }
};

QTEST_MAIN(SearchDialogTest)
#include "search_dialog_test.moc"
