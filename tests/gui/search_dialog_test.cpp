// The search dialog: each condition's checks and messages, the result rows, the input
// limits and modes, picking a row and the edit button under each condition.
#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "gui/app_context.h"
#include "gui/search_dialog.h"
#include "index/search_match.h"
#include "platform/text_bytes.h"
#include "support/book_builder.h"
#include "support/fake_adapter.h"
#include "support/fake_calldir.h"
#include "support/recording_prompter.h"
#include "support/sjis.h"

namespace {

BookEntry Entry(const std::string& number, const std::string& kana, const std::string& registered,
                bool deleted = false) {
  BookEntry entry = MakeEntry(number, Sjis(kana), Sjis("山田"));
  text_bytes::FillField(entry.registeredName, Sjis(registered));
  text_bytes::FillField(entry.address, Sjis("東京都"));
  entry.deleted = deleted ? 1 : 0;
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

}  // namespace

class SearchDialogTest : public QObject {
  Q_OBJECT

  PhoneBook book;
  FakeCallDir callDir;
  RecordingPrompter prompter;
  FakeAdapter adapter;
  AppContext context{BookAccess{book, callDir, prompter, ""}, adapter};
  std::vector<int> opened;
  std::function<void(int)> onOpen;  // what the edit dialog does while it is open

  struct Dialog {
    CSearchDlg dialog;
    QComboBox* condition;
    QLineEdit* input;
    QPushButton* start;
    QPushButton* edit;
    QTableView* results;
    explicit Dialog(SearchDialogTest& t)
        : dialog(t.context,
                 [&t](int index) {
                   t.opened.push_back(index);
                   if (t.onOpen) t.onOpen(index);
                 }),
          condition(dialog.findChild<QComboBox*>("conditionBox")),
          input(dialog.findChild<QLineEdit*>("searchInput")),
          start(dialog.findChild<QPushButton*>("startButton")),
          edit(dialog.findChild<QPushButton*>("editButton")),
          results(dialog.findChild<QTableView*>("resultList")) {
      dialog.show();
    }
    void Search(int conditionIndex, const QString& text) {
      if (condition->currentIndex() != conditionIndex) condition->setCurrentIndex(conditionIndex);
      input->clear();
      Type(input, text);
      QTest::mouseClick(start, Qt::LeftButton);
    }
    void ClickRow(int row) {
      const QRect rect = results->visualRect(results->model()->index(row, 0));
      QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void ClickBesideRows() {
      QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                        QPoint(5, results->viewport()->height() - 3));
    }
    QStringList Headings() const {
      QStringList headings;
      for (int c = 0; c < 3; ++c)
        headings << results->model()->headerData(c, Qt::Horizontal).toString();
      return headings;
    }
  };

 private Q_SLOTS:
  void init() {
    book = PhoneBook();
    Put(book, Entry("03-1234-5678", "やまだ たろう", "ﾔﾏﾀﾞ ﾀﾛｳ"));  // 0
    Put(book, Entry("0312345679", "やま,かわ", "ﾔﾏｶﾜ"));            // 1
    Put(book, Entry("06-1111-2222", "かわだ", "ｱｲ ｳｴ"));            // 2
    Put(book, Entry("03-0000-0000", "やまの", "ｱｲ", true));         // 3, deleted
    Put(book, Entry("03-1234-5678", "べつ", "ﾍﾞﾂ"));                // 4, the number of 0
    prompter.messages.clear();
    opened.clear();
    onOpen = nullptr;
    g_searchCondition = 0;
    ForgetPickedRow();
  }

  void opensWithTheLastConditionAndEverythingElseEmpty() {
    g_searchCondition = kSearchByRegisteredName;
    Dialog d(*this);
    QAbstractItemModelTester tester(d.results->model());
    QCOMPARE(d.dialog.windowTitle(), QStringLiteral("電話帳検索"));
    QCOMPARE(d.condition->count(), 3);
    QCOMPARE(d.condition->itemText(2), QStringLiteral("氏名かな"));
    QCOMPARE(d.condition->currentIndex(), 1);
    QCOMPARE(d.Headings(), (QStringList{"登録名称", "電話番号", "住所"}));
    QCOMPARE(d.results->columnWidth(1), 80);
    QVERIFY(d.input->text().isEmpty() && d.results->model()->rowCount() == 0);
    QVERIFY(!d.start->isEnabled() && !d.edit->isEnabled());
    Type(d.input, "ｱ");
    QVERIFY(d.start->isEnabled());
    QTest::keyClick(d.input, Qt::Key_Backspace);
    QVERIFY(!d.start->isEnabled());
  }

  void eachConditionChecksItsInputAndListsLiveEntries_data() {
    QTest::addColumn<int>("condition");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("firstColumn");
    const QStringList byNumber03{"03-1234-5678", "0312345679", "03-1234-5678"};
    QTest::newRow("number prefix") << 0 << "03"
                                   << "" << byNumber03;
    QTest::newRow("hyphen ignored") << 0 << "03-1"
                                    << "" << byNumber03;
    QTest::newRow("two hyphens list all")
        << 0 << "--"
        << "" << QStringList{"03-1234-5678", "0312345679", "06-1111-2222", "03-1234-5678"};
    QTest::newRow("lone hyphen") << 0 << "-"
                                 << "数字を入力してください。" << QStringList{};
    QTest::newRow("letter") << 0 << "03a"
                            << "数字を入力してください。" << QStringList{};
    QTest::newRow("full-width") << 0 << "０３"
                                << "半角数字を入力してください。" << QStringList{};
    QTest::newRow("half-width kana") << 1 << "ﾔﾏ"
                                     << "" << QStringList{"ﾔﾏﾀﾞ ﾀﾛｳ", "ﾔﾏｶﾜ"};
    QTest::newRow("spaces ignored") << 1 << "ｱｲｳ"
                                    << "" << QStringList{"ｱｲ ｳｴ"};
    QTest::newRow("full-width kana") << 1 << "アイ"
                                     << "半角カナを入力してください。" << QStringList{};
    QTest::newRow("letters") << 1 << "AB"
                             << "カナを入力してください。" << QStringList{};
    QTest::newRow("reading") << 2 << "やまだた"
                             << "" << QStringList{"やまだ たろう"};
    QTest::newRow("comma ignored") << 2 << "やまか"
                                   << "" << QStringList{"やま,かわ"};
    QTest::newRow("katakana") << 2 << "ヤマ"
                              << "平仮名を入力してください。" << QStringList{};
  }

  void eachConditionChecksItsInputAndListsLiveEntries() {
    QFETCH(int, condition);
    QFETCH(QString, input);
    QFETCH(QString, message);
    QFETCH(QStringList, firstColumn);
    Dialog d(*this);
    const QString oneRow[] = {"06", "ﾍ", "か"};  // rows a refused text must leave alone
    d.Search(condition, oneRow[condition]);
    const QStringList before = Column(d.results->model(), 0);
    QCOMPARE(before.size(), 1);
    d.Search(condition, input);
    if (message.isEmpty()) {
      QVERIFY(prompter.messages.empty());
      QCOMPARE(Column(d.results->model(), 0), firstColumn);
      QCOMPARE(Column(d.results->model(), 2), QStringList(firstColumn.size(), "東京都"));
      return;
    }
    QCOMPARE(prompter.messages.size(), std::size_t{1});
    const auto& box = prompter.messages.front();
    QCOMPARE(QString::fromStdString(box.text), message);
    QCOMPARE(box.caption, std::string(kAppTitle));
    QVERIFY(box.icon == PromptIcon::None && box.buttons == PromptButtons::Ok);
    QCOMPARE(box.owner.window, static_cast<const void*>(static_cast<QWidget*>(&d.dialog)));
    QCOMPARE(Column(d.results->model(), 0), before);
    QCOMPARE(d.input->text(), input);
  }

  void switchingTheConditionEmptiesInputAndListAndSetsLimitAndMode() {
    Dialog d(*this);
    d.Search(0, "03");
    QVERIFY(d.results->model()->rowCount() > 0);
    QVERIFY(d.input->testAttribute(Qt::WA_InputMethodEnabled));  // opening keeps the mode
    Type(d.input, QString(23, '1'));
    QCOMPARE(d.input->text(), "03" + QString(20, '1'));
    d.condition->setCurrentIndex(1);
    QCOMPARE(g_searchCondition, 1);
    QVERIFY(d.input->text().isEmpty() && d.results->model()->rowCount() == 0);
    QCOMPARE(d.Headings(), (QStringList{"登録名称", "電話番号", "住所"}));
    QVERIFY(d.input->testAttribute(Qt::WA_InputMethodEnabled));
    QVERIFY(d.input->inputMethodHints() & Qt::ImhNoPredictiveText);
    Type(d.input, QString(21, QChar(0xFF71)));  // ｱ, one byte each
    QCOMPARE(d.input->text().size(), 20);
    d.condition->setCurrentIndex(2);
    QCOMPARE(d.Headings(), (QStringList{"氏名かな", "電話番号", "住所"}));
    QCOMPARE(d.input->inputMethodHints(), Qt::ImhNone);
    Type(d.input, QString(16, QChar(0x3042)));  // あ, two bytes each
    QCOMPARE(d.input->text().size(), 15);
    d.condition->setCurrentIndex(0);
    QVERIFY(!d.input->testAttribute(Qt::WA_InputMethodEnabled));
    QVERIFY(d.input->inputMethodHints() & Qt::ImhDialableCharactersOnly);
  }

  void editUnderTheNumberOpensEveryEntryOfThatNumberThenCloses() {
    Dialog d(*this);
    d.Search(0, "031234");
    d.ClickRow(2);  // entry 4, which has the number of entry 0
    QVERIFY(d.edit->isEnabled());
    QCOMPARE(std::string(g_pickedCol0), std::string("03-1234-5678"));
    QTest::mouseClick(d.edit, Qt::LeftButton);
    QCOMPARE(opened, (std::vector<int>{0, 4}));
    QVERIFY(d.dialog.isHidden());
    QCOMPARE(d.dialog.result(), int(QDialog::Rejected));
  }

  void editUnderTheRegisteredNameOpensThatEntryThenCloses() {
    Dialog d(*this);
    d.Search(1, "ﾔﾏ");
    d.ClickRow(1);
    QCOMPARE(std::string(g_pickedCol1), std::string("0312345679"));
    QTest::mouseClick(d.edit, Qt::LeftButton);
    QCOMPARE(opened, (std::vector<int>{1}));
    QVERIFY(d.dialog.isHidden());
  }

  void editUnderTheReadingStaysOpenWithTheRowsAsTheyWere() {
    onOpen = [this](int index) { text_bytes::FillField(book[index].nameKana, Sjis("かえた")); };
    Dialog d(*this);
    d.Search(2, "やま");
    d.ClickRow(0);
    QTest::mouseClick(d.edit, Qt::LeftButton);
    QCOMPARE(opened, (std::vector<int>{0}));
    QVERIFY(d.dialog.isVisible());
    QCOMPARE(Column(d.results->model(), 0), (QStringList{"やまだ たろう", "やま,かわ"}));
  }

  void aClickBesideTheRowsOrANewSearchForgetsThePick() {
    Dialog d(*this);
    d.Search(0, "06");
    d.ClickRow(0);
    QVERIFY(d.edit->isEnabled());
    d.ClickBesideRows();
    QVERIFY(!d.edit->isEnabled());
    QCOMPARE(g_pickedCol0[0], '\0');
    QTest::keyClick(d.results, Qt::Key_Down);  // a key in a list with rows enables the button
    QVERIFY(d.edit->isEnabled());
    QTest::mouseClick(d.edit, Qt::LeftButton);
    QVERIFY(opened.empty());  // but nothing was picked, so nothing opens
    QVERIFY(d.dialog.isVisible());

    d.ClickRow(0);
    d.Search(0, "03");  // the picked row is gone from the list
    QCOMPARE(g_pickedCol0[0], '\0');
    QVERIFY(!d.edit->isEnabled());
    d.Search(0, "09");
    QTest::keyClick(d.results, Qt::Key_Down);  // in an empty list the button stays off
    QVERIFY(!d.edit->isEnabled());
  }
};

QTEST_MAIN(SearchDialogTest)
#include "search_dialog_test.moc"
