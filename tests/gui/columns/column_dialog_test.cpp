// The column-setting dialog: every refusal and its message, add and remove by button and
// double-click, "全て", OK with widths by position, and Cancel leaving the columns alone.
#include <QApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <array>
#include <cstring>

#include "app/session.h"
#include "book/phone_book.h"
#include "gui/columns/column_dialog.h"
#include "gui/list/book_list_view.h"
#include "platform/text_bytes.h"
#include "support/fake_book_list_view.h"
#include "support/recording_prompter.h"
#include "support/sjis.h"
#include "listing/column_choice.h"

namespace {

const char* const kAllHeadings[] = {"電話番号", "ZEF-P1登録済", "着信種別", "氏名",
                                    "氏名かな", "FAX番号",      "住所",     "登録名称",
                                    "郵便番号", "会社名",       "会社住所", "E-mailアドレス"};

// Sets the list's columns as an earlier OK would have, with the given widths.
void SetColumns(ListColumns& list, const std::vector<std::pair<std::string, int>>& columns) {
  list.table = {};
  std::vector<std::string> headings;
  for (const auto& column : columns) headings.push_back(Sjis(column.first));
  list.count = StoreChosenColumns(list.table, headings);
  for (std::size_t j = 0; j < columns.size(); ++j) list.table[j].width = columns[j].second;
}

std::vector<std::pair<std::string, int>> Columns(const ListColumns& list) {
  std::vector<std::pair<std::string, int>> columns;
  for (int j = 0; j < list.count; ++j) {
    const ColumnDef& c = list.table[static_cast<std::size_t>(j)];
    columns.emplace_back(cp932::ToUtf8(text_bytes::FieldText(c.heading)).text, c.width);
  }
  return columns;
}

QStringList Texts(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

}  // namespace

class ColumnDialogTest : public QObject {
  Q_OBJECT

  RecordingPrompter prompter;
  FakeBookListView list;
  ListColumns columns;  // the list's columns, as the session holds them

  struct Dialog {
    CColumnDlg dialog;
    QListWidget* available;
    QListWidget* shown;
    QPushButton* add;
    QPushButton* remove;
    explicit Dialog(ColumnDialogTest& t)
        : dialog(t.columns, t.list, t.prompter),
          available(dialog.findChild<QListWidget*>("availableList")),
          shown(dialog.findChild<QListWidget*>("shownList")),
          add(dialog.findChild<QPushButton*>("addButton")),
          remove(dialog.findChild<QPushButton*>("removeButton")) {
      dialog.show();
    }
    void Click(const char* button) {
      QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    }
  };

  static void Select(QListWidget* list, int row) {
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
  }
  static void DoubleClick(QListWidget* list, int row) {
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
  }

 private Q_SLOTS:
  void init() {
    prompter.messages.clear();
    list.refreshCount = 0;
    SetColumns(columns, {{"電話番号", 100}, {"氏名", 80}, {"住所", 150}});
  }

  void addingRefusesTheNumberAndNamesAlreadyShown() {
    Dialog d(*this);
    QCOMPARE(d.available->count(), 12);
    QCOMPARE(Texts(d.shown), (QStringList{"電話番号", "氏名", "住所"}));
    QVERIFY(d.available->currentRow() == 0 && d.shown->currentRow() == 0);
    QVERIFY(!d.add->isEnabled() && !d.remove->isEnabled());
    Select(d.available, 3);  // 氏名, already shown
    QCOMPARE(prompter.Texts(), (std::vector<std::string>{"既に登録されています。"}));
    QVERIFY(!d.add->isEnabled());
    Select(d.available, 0);
    QVERIFY(!d.add->isEnabled());
    DoubleClick(d.available, 0);
    QCOMPARE(prompter.messages.back().text, std::string("追加できません"));
    Select(d.available, 5);  // FAX番号
    QVERIFY(d.add->isEnabled());
    d.Click("addButton");
    QVERIFY(d.add->isEnabled());
    d.Click("addButton");  // now shown: refused, and the button gives up
    QVERIFY(!d.add->isEnabled());
    DoubleClick(d.available, 8);  // 郵便番号, added by double-click
    DoubleClick(d.available, 8);
    QCOMPARE(Texts(d.shown), (QStringList{"電話番号", "氏名", "住所", "FAX番号", "郵便番号"}));
    QCOMPARE(prompter.Texts(),
             (std::vector<std::string>{"既に登録されています。", "追加できません",
                                       "既に登録されています。", "既に登録されています。"}));
    for (const auto& m : prompter.messages) {
      QCOMPARE(m.caption, std::string(kAppTitle));
      QVERIFY(m.icon == PromptIcon::None && m.buttons == PromptButtons::Ok);
      QVERIFY(m.owner.kind == PromptOwner::Kind::Window);
      QCOMPARE(m.owner.window, static_cast<const void*>(static_cast<QWidget*>(&d.dialog)));
    }
  }

  void withTwelveShownEveryChoiceIsRefused() {
    std::vector<std::pair<std::string, int>> allButLast;
    for (int j = 0; j < 11; ++j) allButLast.emplace_back(kAllHeadings[j], 50);
    SetColumns(columns, allButLast);
    Dialog d(*this);
    Select(d.available, 11);
    QVERIFY(d.add->isEnabled());
    DoubleClick(d.available, 11);  // the twelfth; the button keeps its state
    QCOMPARE(d.shown->count(), 12);
    d.Click("addButton");
    Select(d.available, 4);
    DoubleClick(d.available, 4);  // the click selects nothing new; the double-click refuses
    QCOMPARE(prompter.Texts(), std::vector<std::string>(3, "既に登録されています。"));
    QCOMPARE(d.shown->count(), 12);
  }

  void theTopShownColumnCannotBeRemovedWhateverItsName() {
    SetColumns(columns, {{"氏名", 80}, {"住所", 150}});
    Dialog d(*this);
    QVERIFY(!d.remove->isEnabled());
    DoubleClick(d.shown, 0);
    Select(d.shown, 1);
    QVERIFY(d.remove->isEnabled());
    Select(d.shown, 0);
    QVERIFY(!d.remove->isEnabled());
    QCOMPARE(prompter.Texts(), (std::vector<std::string>{"この項目は、削除できません。"}));
    QCOMPARE(d.shown->count(), 2);
  }

  void okKeepsWidthsByPositionAndRefreshesTheList() {
    Dialog d(*this);
    Select(d.shown, 1);  // 氏名
    d.Click("removeButton");
    d.Click("removeButton");  // nothing is selected any more: nothing goes
    QCOMPARE(Texts(d.shown), (QStringList{"電話番号", "住所"}));
    DoubleClick(d.available, 7);  // 登録名称
    DoubleClick(d.shown, 1);      // 住所 goes again by double-click
    DoubleClick(d.available, 6);  // and comes back last
    DoubleClick(d.available, 5);  // FAX番号, at a row that never held a column
    d.Click("okButton");
    QCOMPARE(d.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Columns(columns), (std::vector<std::pair<std::string, int>>{
                            {"電話番号", 100}, {"登録名称", 80}, {"住所", 150}, {"FAX番号", 60}}));
    QCOMPARE(columns.table[1].fieldId, int(kFieldRegisteredName));
    QCOMPARE(columns.table[3].fieldId, int(kFieldFax));
    QCOMPARE(columns.table[3].format, int(kAlignRight));
    QCOMPARE(columns.table[0].format, int(kAlignLeft));
    QCOMPARE(list.refreshCount, 1);
    QVERIFY(prompter.messages.empty());
  }

  void allThenCancelLeavesTheColumnsAsTheyWere() {
    const ColumnTable before = columns.table;
    {
      Dialog d(*this);
      d.Click("allButton");
      QCOMPARE(d.shown->count(), 12);
      QVERIFY(!d.add->isEnabled() && !d.remove->isEnabled());
      d.Click("cancelButton");
      QCOMPARE(d.dialog.result(), int(QDialog::Rejected));
    }
    QCOMPARE(columns.count, 3);
    QVERIFY(std::memcmp(&before, &columns.table, sizeof before) == 0);
    QCOMPARE(list.refreshCount, 0);
  }

  void allThenOkShowsEveryColumnWithDefaultWidthsBeyondTheOldCount() {
    Dialog d(*this);
    d.Click("allButton");
    d.Click("okButton");
    QCOMPARE(columns.count, 12);
    const auto shownColumns = Columns(columns);
    for (int j = 0; j < 12; ++j) {
      QCOMPARE(shownColumns[j].first, std::string(kAllHeadings[j]));
      const int expectedWidth = j < 3 ? std::array{100, 80, 150}[j] : DefaultColumns()[j].width;
      QCOMPARE(shownColumns[j].second, expectedWidth);
      QCOMPARE(columns.table[j].format, j == 5 || j == 8 ? 1 : 0);
    }
    QCOMPARE(list.refreshCount, 1);
  }

  // Enter presses the button that has the focus; OK takes it only where no button has it.
  void enterPressesTheFocusedButton() {
    const ColumnTable before = columns.table;
    Dialog d(*this);
    d.dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
    Select(d.available, 5);  // FAX番号
    const auto focusOn = [](const char* name) {
      for (int i = 0; i < 10 && QApplication::focusWidget()->objectName() != name; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      }
      return QApplication::focusWidget()->objectName() == name;
    };
    QVERIFY(focusOn("addButton"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(Texts(d.shown), (QStringList{"電話番号", "氏名", "住所", "FAX番号"}));
    QVERIFY(d.dialog.isVisible());
    QVERIFY(focusOn("allButton"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(d.shown->count(), 12);
    QVERIFY(d.dialog.isVisible());
    QVERIFY(focusOn("cancelButton"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(d.dialog.result(), int(QDialog::Rejected));
    QVERIFY(std::memcmp(&before, &columns.table, sizeof before) == 0);
    QCOMPARE(list.refreshCount, 0);
  }

  void theBookListShowsTheChoiceWithTheWidthsDraggedBeforeIt() {
    PhoneBook book;
    Session session;
    session.columns = columns;
    CDudOdeView view(book, session);
    view.show();
    view.FillList(0);
    view.horizontalHeader()->resizeSection(1, 120);  // the user drags 氏名 wider
    {
      CColumnDlg dialog(session.columns, view, prompter);
      dialog.findChild<QListWidget*>("shownList")->setCurrentRow(1);
      QTest::mouseClick(dialog.findChild<QPushButton*>("removeButton"), Qt::LeftButton);
      QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    }
    QCOMPARE(view.horizontalHeader()->count(), 2);
    QCOMPARE(view.horizontalHeader()->model()->headerData(1, Qt::Horizontal).toString(),
             QStringLiteral("住所"));
    QCOMPARE(view.columnWidth(0), 100);
    QCOMPARE(view.columnWidth(1), 120);  // position 1's width, now 住所's
  }
};

QTEST_MAIN(ColumnDialogTest)
#include "column_dialog_test.moc"
