// The entry dialog through its widgets: what each opener shows, the update button's
// caption, the enabling of the adapter controls, the byte limits, save and delete.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/startup.h"
#include "editor/edit_request.h"
#include "gui/main_window/app_context.h"
#include "gui/entry/cp932_field.h"
#include "gui/entry/entry_dialog.h"
#include "platform/text_bytes.h"
#include "support/book_builder.h"
#include "support/fake_adapter.h"
#include "support/fake_book_list_view.h"
#include "support/fake_calldir.h"
#include "support/qt_typing.h"
#include "support/recording_prompter.h"
#include "support/sjis.h"
#include "listing/list_state.h"

namespace {

using text_bytes::FieldText;

// A book of two entries whose numbers differ only in "/", each shown by its own list row,
// and the shared dialog over them.
struct Fixture {
  PhoneBook book;
  FakeCallDir callDir;
  RecordingPrompter prompter;
  FakeAdapter adapter;
  AppContext app{{book, callDir, prompter, "/books/CallDir.csv"}, adapter};
  FakeBookListView list;
  CEntryDlg dialog{app, list};

  Fixture() {
    Put(book, MakeEntry("0312345678", Sjis("すずき"), Sjis("鈴木")));
    BookEntry wanted = MakeEntry("03/12345678", Sjis("たなか"), Sjis("田中"));
    text_bytes::FillField(wanted.adapterWanted, "1");
    text_bytes::FillField(wanted.callAccept, "0");
    text_bytes::FillField(wanted.illumination, "2");
    text_bytes::FillField(wanted.registeredName, Sjis("ﾀﾅｶ"));
    Put(book, wanted);
    list.rows = {0, 1};
    g_entryDlg = &dialog;
    g_rowChosen = 0;
    g_currentRow = 0;
    g_editByIndex = 0;
    g_adapterEnabled = 1;
    text_bytes::FillField(g_startNumber, "");
  }
  ~Fixture() { g_entryDlg = nullptr; }
};

template <typename T>
T* Child(QWidget& dialog, const char* name) {
  return dialog.findChild<T*>(QString::fromLatin1(name));
}
QLineEdit* Edit(QWidget& dialog, const char* name) {
  return Child<QLineEdit>(dialog, name);
}
QString Caption(QWidget& dialog) {
  return Child<QPushButton>(dialog, "updateButton")->text();
}

// Runs `open`, which shows a dialog modally, hands that dialog to `inspect`, then cancels
// it when it is still open. False when no dialog opened.
bool WhileOpen(const std::function<void()>& open, const std::function<void(CEntryDlg&)>& inspect) {
  bool opened = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<CEntryDlg*>(QApplication::activeModalWidget());
    if (!dialog) return;
    opened = true;
    inspect(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  open();
  return opened;
}

// Which of the adapter controls 1010, 1017, 1009 and 1008 are enabled, as "1101".
QString AdapterEnabling(QWidget& d) {
  QString flags;
  for (const char* name :
       {"registeredNameEdit", "illuminationCombo", "adapterWantedCheck", "callRejectedCheck"}) {
    flags += Child<QWidget>(d, name)->isEnabled() ? '1' : '0';
  }
  return flags;
}

}  // namespace

class EntryDialogTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void newEntryOpensEmptyInTheFormsOrder() {
    Fixture f;
    g_rowChosen = 1;  // a click on a row before the command
    QVERIFY(WhileOpen(EditNewEntry, [](CEntryDlg& d) {
      QCOMPARE(d.windowTitle(), QStringLiteral("電話帳編集画面"));
      QCOMPARE(Edit(d, "phoneEdit")->text(), QString());
      QCOMPARE(Caption(d), QStringLiteral("登録(&I)"));
      QCOMPARE(AdapterEnabling(d), QStringLiteral("1110"));
      auto* combo = Child<QComboBox>(d, "illuminationCombo");
      QCOMPARE(combo->count(), 4);
      QCOMPARE(combo->itemText(2), QStringLiteral("光2"));
      QCOMPARE(combo->currentIndex(), 0);
      QCOMPARE(Child<QLabel>(d, "faxLabel")->buddy(), Edit(d, "faxEdit"));
      QStringList tabOrder;
      QWidget* w = Edit(d, "phoneEdit");
      for (int i = 0; i < 15; ++i, w = w->nextInFocusChain()) {
        while (!(w->focusPolicy() & Qt::TabFocus)) w = w->nextInFocusChain();
        tabOrder << w->objectName();
      }
      QCOMPARE(tabOrder,
               QStringList({"phoneEdit", "registeredNameEdit", "adapterWantedCheck",
                            "callRejectedCheck", "illuminationCombo", "nameEdit", "nameKanaEdit",
                            "postalCodeEdit", "faxEdit", "addressEdit", "companyEdit",
                            "companyAddressEdit", "emailEdit", "updateButton", "cancelButton"}));
    }));
    QCOMPARE(g_rowChosen, 0);
  }

  void aRowOpensTheEntryItShowsNotALookUpOfItsNumber() {
    Fixture f;
    g_currentRow = 1;
    QVERIFY(WhileOpen(EditCurrentRowEntry, [](CEntryDlg& d) {
      QCOMPARE(Edit(d, "phoneEdit")->text(), QStringLiteral("03/12345678"));
      QCOMPARE(Edit(d, "nameEdit")->text(), QStringLiteral("田中"));
      QCOMPARE(Edit(d, "registeredNameEdit")->text(), QStringLiteral("ﾀﾅｶ"));
      QCOMPARE(Child<QComboBox>(d, "illuminationCombo")->currentText(), QStringLiteral("光2"));
      QVERIFY(Child<QCheckBox>(d, "callRejectedCheck")->isChecked());
      QCOMPARE(AdapterEnabling(d), QStringLiteral("1111"));
      QCOMPARE(Caption(d), QStringLiteral("更新(&I)"));
    }));
    QCOMPARE(g_rowChosen, 0);

    g_adapterEnabled = 0;
    g_rowChosen = 1;
    QVERIFY(WhileOpen(EditChosenEntry,
                      [](CEntryDlg& d) { QCOMPARE(AdapterEnabling(d), QStringLiteral("0000")); }));

    g_currentRow = 7;  // a row that shows no entry: a new one
    g_rowChosen = 1;
    QVERIFY(WhileOpen(EditChosenEntry, [](CEntryDlg& d) {
      QCOMPARE(Edit(d, "phoneEdit")->text(), QString());
      QCOMPARE(Caption(d), QStringLiteral("登録(&I)"));
    }));
  }

  void theSearchOpensByIndexWithCallRejectionLeftToTheUsersClick() {
    Fixture f;
    g_rowChosen = 1;
    g_editByIndex = 1;
    g_editIndex = 1;
    QVERIFY(WhileOpen(EditChosenEntry, [](CEntryDlg& d) {
      QCOMPARE(Edit(d, "nameEdit")->text(), QStringLiteral("田中"));
      QCOMPARE(AdapterEnabling(d), QStringLiteral("1110"));
      auto* adapterWanted = Child<QCheckBox>(d, "adapterWantedCheck");
      QTest::mouseClick(adapterWanted, Qt::LeftButton);
      QCOMPARE(AdapterEnabling(d), QStringLiteral("1110"));
      QTest::mouseClick(adapterWanted, Qt::LeftButton);
      QCOMPARE(AdapterEnabling(d), QStringLiteral("1111"));
    }));
    QCOMPARE(g_editByIndex, 0);
    QCOMPARE(g_rowChosen, 1);  // an opening by index leaves the row request alone
  }

  void theStartNumberIsShownAsGivenAndUsedOnce() {
    Fixture f;
    text_bytes::FillField(g_startNumber, "03-1234-5678");
    QVERIFY(WhileOpen(EditStartNumberEntry, [](CEntryDlg& d) {
      QCOMPARE(Edit(d, "phoneEdit")->text(), QStringLiteral("03-1234-5678"));
      QCOMPARE(Edit(d, "nameEdit")->text(), QStringLiteral("鈴木"));
      QCOMPARE(Caption(d), QStringLiteral("更新(&I)"));
    }));
    QCOMPARE(FieldText(g_startNumber), "");

    text_bytes::FillField(g_startNumber, "0999");
    QVERIFY(WhileOpen(EditStartNumberEntry, [](CEntryDlg& d) {
      QCOMPARE(Edit(d, "phoneEdit")->text(), QStringLiteral("0999"));
      QCOMPARE(Edit(d, "nameEdit")->text(), QString());
      QCOMPARE(Caption(d), QStringLiteral("登録(&I)"));
    }));
  }

  void onlyTheUsersTypingTurnsTheCaptionToRegister() {
    Fixture f;
    g_rowChosen = 1;
    QVERIFY(WhileOpen(EditChosenEntry, [](CEntryDlg& d) {
      QCOMPARE(FieldText(g_phoneAtFocus), "0312345678");
      QLineEdit* phone = Edit(d, "phoneEdit");
      QTest::keyClick(phone, Qt::Key_End);
      QTest::keyClick(phone, Qt::Key_1);
      QCOMPARE(Caption(d), QStringLiteral("登録(&I)"));
      QTest::keyClick(phone, Qt::Key_Backspace);
      QCOMPARE(phone->text(), QStringLiteral("0312345678"));
      QCOMPARE(Caption(d), QStringLiteral("登録(&I)"));
    }));
  }

  void everyFieldTakesItsByteCountOfDoubleByteText() {
    Fixture f;
    QVERIFY(WhileOpen(EditNewEntry, [](CEntryDlg& d) {
      const std::pair<const char*, std::size_t> limits[] = {
          {"phoneEdit", 20},    {"registeredNameEdit", 20}, {"nameEdit", 20},
          {"nameKanaEdit", 30}, {"postalCodeEdit", 8},      {"faxEdit", 22},
          {"addressEdit", 80},  {"companyEdit", 80},        {"companyAddressEdit", 80},
          {"emailEdit", 40}};
      for (const auto& [name, limit] : limits) {
        QLineEdit* edit = Edit(d, name);
        CommitText(edit, QString(45, QChar(u'あ')));
        QCOMPARE(Cp932Text(edit).size(), limit);
        edit->clear();
        TypeText(edit, QString(limit + 5, QChar(u'9')));
        QCOMPARE(Cp932Text(edit).size(), limit);
      }
    }));
  }

  void aNewEntryIsCheckedThenStoredInTheBookAndTheAdapter() {
    Fixture f;
    QVERIFY(WhileOpen(EditNewEntry, [&f](CEntryDlg& d) {
      QTest::keyClicks(Edit(d, "phoneEdit"), "06-1111-2222");
      CommitText(Edit(d, "nameKanaEdit"), QStringLiteral("やまだ"));
      Child<QPushButton>(d, "updateButton")->click();
      QCOMPARE(f.prompter.Texts(), std::vector<std::string>{"氏名を入力して下さい。"});
      QCOMPARE(f.prompter.messages[0].owner.window, static_cast<const void*>(&d));
      QVERIFY(d.isVisible());

      CommitText(Edit(d, "nameEdit"), QStringLiteral("山田"));
      TypeText(Edit(d, "registeredNameEdit"), QStringLiteral("ﾔﾏﾀﾞ"));
      QTest::mouseClick(Child<QCheckBox>(d, "adapterWantedCheck"), Qt::LeftButton);
      QTest::mouseClick(Child<QCheckBox>(d, "callRejectedCheck"), Qt::LeftButton);
      Child<QComboBox>(d, "illuminationCombo")->setCurrentIndex(3);
      QTest::keyClick(Edit(d, "nameEdit"), Qt::Key_Return);  // the default button
      QVERIFY(!d.isVisible());
    }));
    QCOMPARE(f.book.entryCount(), 3);
    const BookEntry& saved = f.book[2];
    QCOMPARE(FieldText(saved.number), "06-1111-2222");
    QCOMPARE(FieldText(saved.name), Sjis("山田"));
    QCOMPARE(FieldText(saved.callAccept), "0");
    QCOMPARE(FieldText(saved.illumination), "3");
    QCOMPARE(saved.inAdapter, 1);
    QCOMPARE(f.adapter.registered.size(), std::size_t{1});
    QCOMPARE(f.callDir.writtenCount, 3);
    QCOMPARE(f.list.refreshCount, 1);
  }

  // A number longer than the typing limit (written by the adapter's merge, say) and an
  // address with a byte that is not code page 932: keys never change what they do not
  // touch, and saving writes back the stored bytes of every field the user did not edit.
  void savingKeepsWhatTheUserDidNotChange() {
    Fixture f;
    BookEntry odd = MakeEntry("03-1234-5678-9012-3456", Sjis("おか"), Sjis("岡"));
    const std::string address = Sjis("東京都") + "\xfd" + Sjis("丸の内");
    text_bytes::FillField(odd.address, address);
    f.list.rows.push_back(Put(f.book, odd));
    g_currentRow = 2;
    QVERIFY(WhileOpen(EditCurrentRowEntry, [](CEntryDlg& d) {
      QLineEdit* phone = Edit(d, "phoneEdit");
      QTest::keyClick(phone, Qt::Key_Home);
      for (int i = 0; i < 3; ++i) QTest::keyClick(phone, Qt::Key_Right);
      QTest::keyClick(phone, Qt::Key_9);  // no room: refused, nothing else goes
      QCOMPARE(phone->text(), QStringLiteral("03-1234-5678-9012-3456"));
      QLineEdit* addressEdit = Edit(d, "addressEdit");
      QVERIFY(addressEdit->isReadOnly());
      QVERIFY(addressEdit->text().contains(QChar::ReplacementCharacter));
      QTest::keyClick(Edit(d, "nameEdit"), Qt::Key_Return);
    }));
    QCOMPARE(f.book.entryCount(), 3);  // updated in place, not added under another number
    QCOMPARE(FieldText(f.book[2].number), "03-1234-5678-9012-3456");
    QCOMPARE(FieldText(f.book[2].address), address);
  }

  void theDoubleClicksOwnDialogShowsTheCurrentRow() {
    Fixture f;
    g_rowChosen = 1;
    g_currentRow = 1;
    QVERIFY(WhileOpen([&f] { EditEntryInOwnDialog(f.app, f.list, nullptr); },
                      [&f](CEntryDlg& d) {
                        QVERIFY(&d != &f.dialog);
                        QCOMPARE(Edit(d, "nameEdit")->text(), QStringLiteral("田中"));
                      }));
  }

  void deleteActsOnTheEntryOfTheSelectedRow() {
    Fixture f;
    f.dialog.DeleteCurrentEntry();  // no selected row
    QVERIFY(f.prompter.messages.empty());

    f.list.selectedRow = 1;
    g_currentRow = 1;
    f.prompter.answers = {PromptAnswer::Yes, PromptAnswer::No};
    f.dialog.DeleteCurrentEntry();
    QCOMPARE(f.prompter.messages[0].text,
             std::string("電話帳から03/12345678の番号を削除してもよろしいですか?"));
    QCOMPARE(f.book[0].deleted, 0);
    QCOMPARE(f.book[1].deleted, 1);
    QCOMPARE(f.list.refreshCount, 1);
  }
};

QTEST_MAIN(EntryDialogTest)
#include "entry_dialog_test.moc"
