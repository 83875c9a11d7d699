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
#include "listing/sort_directions.h"

namespace {

using text_bytes::FieldText;

// A book of two entries whose numbers differ only in "/", each shown by its own list row,
// and the shared dialog over them.
struct Fixture {
  PhoneBook book;
  FakeCallDir callDir;
  RecordingPrompter prompter;
  FakeAdapter adapter;
  AppContext app{{book, callDir, prompter, "/books/CallDir.csv"}, adapter, {}, true};
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
  }

  // Opens the shared dialog on `request`.
  std::function<void()> Open(OpenRequest request) {
    return [this, request] { dialog.DoModal(request); };
  }
  // What Enter, a double-click or the context menu's "編集" asks for.
  std::function<void()> OpenCurrentRow() {
    return [this] { dialog.DoModal(RequestForCurrentRow(list)); };
  }
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
    f.list.rowChosen = true;  // a click on a row before the command
    QVERIFY(WhileOpen(f.Open(OpenRequest::NewEntry()), [](CEntryDlg& d) {
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
    QVERIFY(!f.list.rowChosen);
  }

  void aRowOpensTheEntryItShowsNotALookUpOfItsNumber() {
    Fixture f;
    f.list.currentRow = 1;
    f.list.rowChosen = true;
    QVERIFY(WhileOpen(f.OpenCurrentRow(), [](CEntryDlg& d) {
      QCOMPARE(Edit(d, "phoneEdit")->text(), QStringLiteral("03/12345678"));
      QCOMPARE(Edit(d, "nameEdit")->text(), QStringLiteral("田中"));
      QCOMPARE(Edit(d, "registeredNameEdit")->text(), QStringLiteral("ﾀﾅｶ"));
      QCOMPARE(Child<QComboBox>(d, "illuminationCombo")->currentText(), QStringLiteral("光2"));
      QVERIFY(Child<QCheckBox>(d, "callRejectedCheck")->isChecked());
      QCOMPARE(AdapterEnabling(d), QStringLiteral("1111"));
      QCOMPARE(Caption(d), QStringLiteral("更新(&I)"));
    }));
    QVERIFY(!f.list.rowChosen);

    f.app.adapterEnabled = false;
    f.list.rowChosen = true;
    QVERIFY(WhileOpen(f.OpenCurrentRow(),
                      [](CEntryDlg& d) { QCOMPARE(AdapterEnabling(d), QStringLiteral("0000")); }));

    f.list.currentRow = 7;  // a row that shows no entry: a new one
    f.list.rowChosen = true;
    QVERIFY(WhileOpen(f.OpenCurrentRow(), [](CEntryDlg& d) {
      QCOMPARE(Edit(d, "phoneEdit")->text(), QString());
      QCOMPARE(Caption(d), QStringLiteral("登録(&I)"));
    }));
  }

  void theSearchOpensByIndexWithCallRejectionLeftToTheUsersClick() {
    Fixture f;
    f.list.rowChosen = true;
    QVERIFY(WhileOpen(f.Open(OpenRequest::ForIndex(1)), [](CEntryDlg& d) {
      QCOMPARE(Edit(d, "nameEdit")->text(), QStringLiteral("田中"));
      QCOMPARE(AdapterEnabling(d), QStringLiteral("1110"));
      auto* adapterWanted = Child<QCheckBox>(d, "adapterWantedCheck");
      QTest::mouseClick(adapterWanted, Qt::LeftButton);
      QCOMPARE(AdapterEnabling(d), QStringLiteral("1110"));
      QTest::mouseClick(adapterWanted, Qt::LeftButton);
      QCOMPARE(AdapterEnabling(d), QStringLiteral("1111"));
    }));
    QVERIFY(f.list.rowChosen);  // an opening by index leaves the row request alone
  }

  void theStartNumberIsShownAsGivenAndUsedOnce() {
    Fixture f;
    QVERIFY(WhileOpen(f.Open(OpenRequest::ForStartNumber("03-1234-5678")), [](CEntryDlg& d) {
      QCOMPARE(Edit(d, "phoneEdit")->text(), QStringLiteral("03-1234-5678"));
      QCOMPARE(Edit(d, "nameEdit")->text(), QStringLiteral("鈴木"));
      QCOMPARE(Caption(d), QStringLiteral("更新(&I)"));
    }));

    QVERIFY(WhileOpen(f.Open(OpenRequest::ForStartNumber("0999")), [](CEntryDlg& d) {
      QCOMPARE(Edit(d, "phoneEdit")->text(), QStringLiteral("0999"));
      QCOMPARE(Edit(d, "nameEdit")->text(), QString());
      QCOMPARE(Caption(d), QStringLiteral("登録(&I)"));
    }));
  }

  void onlyTheUsersTypingTurnsTheCaptionToRegister() {
    Fixture f;
    f.list.rowChosen = true;
    QVERIFY(WhileOpen(f.OpenCurrentRow(), [](CEntryDlg& d) {
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
    QVERIFY(WhileOpen(f.Open(OpenRequest::NewEntry()), [](CEntryDlg& d) {
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
    QVERIFY(WhileOpen(f.Open(OpenRequest::NewEntry()), [&f](CEntryDlg& d) {
      d.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&d));
      QTest::keyClicks(Edit(d, "phoneEdit"), "06-1111-2222");
      CommitText(Edit(d, "nameKanaEdit"), QStringLiteral("やまだ"));
      Child<QPushButton>(d, "updateButton")->click();
      QCOMPARE(f.prompter.Texts(), std::vector<std::string>{"氏名を入力して下さい。"});
      QCOMPARE(f.prompter.messages[0].owner.window, static_cast<const void*>(&d));
      QVERIFY(d.isVisible());
      QCOMPARE(QApplication::focusWidget(), Edit(d, "nameEdit"));  // where the fault is

      // A refused number: the focus goes back to it with its text selected, to type over.
      QLineEdit* phone = Edit(d, "phoneEdit");
      phone->clear();
      QTest::keyClicks(phone, "6-1111");
      CommitText(Edit(d, "nameEdit"), QStringLiteral("山"));
      QTest::keyClick(Edit(d, "nameEdit"), Qt::Key_Return);
      QCOMPARE(f.prompter.messages.back().text, std::string("電話番号は市外局番を入力して下さい。"));
      QCOMPARE(QApplication::focusWidget(), phone);
      QCOMPARE(phone->selectedText(), QStringLiteral("6-1111"));
      QTest::keyClicks(phone, "06-1111-2222");  // types over the selection
      Edit(d, "nameEdit")->clear();

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
    f.list.currentRow = 2;
    f.list.rowChosen = true;
    QVERIFY(WhileOpen(f.OpenCurrentRow(), [](CEntryDlg& d) {
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
    f.list.rowChosen = true;
    f.list.currentRow = 1;
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
    f.list.currentRow = 1;
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
