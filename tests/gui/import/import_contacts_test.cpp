// The import command as a person uses it: files picked in the open dialog, the preview
// worked by keys and mouse, OK, and the book, the list and the message afterwards.
#include "gui/import/import_contacts.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "book/phone_match.h"
#include "gui/import/import_preview_dialog.h"
#include "gui/import/import_preview_model.h"
#include "gui/main_window/app_context.h"
#include "gui/main_window/dudode_doc.h"
#include "gui/main_window/main_frame.h"
#include "support/book_builder.h"
#include "support/fake_adapter.h"
#include "support/fake_book_list_view.h"
#include "support/fake_calldir.h"
#include "support/recording_prompter.h"
#include "support/sjis.h"
#include "support/temp_dir.h"

namespace {

using text_bytes::FieldText;

// Four cards: a new one, one the book holds (an update), one whose name holds a comma
// (needs attention) and one more new one, which the user unticks.
constexpr const char* kCards =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎;;;\r\nX-PHONETIC-LAST-NAME:ヤマダ\r\n"
    "X-PHONETIC-FIRST-NAME:タロウ\r\nTEL;TYPE=CELL:090-1111-2222\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:鈴木;一郎;;;\r\nX-PHONETIC-LAST-NAME:スズキ\r\n"
    "X-PHONETIC-FIRST-NAME:イチロウ\r\nTEL:03-5555-6666\r\nEMAIL:ichiro@example.jp\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:山田\\,次郎\r\nX-PHONETIC-LAST-NAME:ヤマダ\r\n"
    "TEL:080-7777-8888\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:佐藤;花子;;;\r\nX-PHONETIC-LAST-NAME:サトウ\r\n"
    "TEL:080-3333-4444\r\nEND:VCARD\r\n";

// Sends each character to whichever widget has the focus, as a keyboard does: the first
// key opens a cell's editor, the rest go into it.
void TypeIntoFocus(const QString& text) {
  for (const QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c), {});
  }
}

void PressKey(Qt::Key key) {
  QTest::keyClick(QApplication::focusWidget(), key);
}

// Plays the user in the next modal dialog of type `Dialog` once it is up and active; a
// dialog the play leaves open (a failed check) is closed, so a failure never hangs.
template <typename Dialog>
void WhenModal(const std::function<void(Dialog&)>& play) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, play] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !QTest::qWaitForWindowActive(dialog)) return;
    poll->stop();
    poll->deleteLater();
    play(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  poll->start(20);
}

// Types `names` into the open dialog's file name field and presses Enter.
void PickInOpenDialog(QFileDialog& dialog, const QString& names) {
  auto* nameEdit = dialog.findChild<QLineEdit*>("fileNameEdit");
  nameEdit->setFocus();
  QTest::keyClicks(nameEdit, names);
  QTest::keyClick(nameEdit, Qt::Key_Return);
}

}  // namespace

class ImportContactsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    files_ = std::make_unique<TempDir>();
    qputenv("HOME", QByteArray::fromStdString(files_->path().string()));
    files_->Write("contacts.vcf", kCards);
    book_ = std::make_unique<PhoneBook>();
    BookEntry suzuki = MakeEntry("0355556666", Sjis("すずき"), Sjis("鈴木"));
    text_bytes::FillField(suzuki.adapterWanted, "1");
    suzuki.inAdapter = 1;
    Put(*book_, suzuki);
    prompter_ = RecordingPrompter{};
    callDir_ = FakeCallDir{};
    list_ = FakeBookListView{};
    context_ = std::make_unique<AppContext>(
        AppContext{BookAccess{*book_, callDir_, prompter_, files_->File("CallDir.csv")}, adapter_});
  }

  // Tab, Space on a tick box, a click and typing into the cell that needs attention, the
  // update choice by arrow key, Enter on OK.
  void thePreviewIsWorkedByKeysAndMouseAndOkApplies() {
    bool previewSeen = false;
    WhenModal<QFileDialog>([&](QFileDialog& openDialog) {
      WhenModal<ImportPreviewDialog>([&](ImportPreviewDialog& preview) {
        previewSeen = true;
        QTableView& table = preview.table();
        QAbstractItemModel& model = *table.model();
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const auto status = [&](int row) {
          return model.index(row, ImportPreviewModel::kStatusColumn).data().toString();
        };
        QCOMPARE(status(0), QStringLiteral("新規"));
        QCOMPARE(status(1), QStringLiteral("更新"));
        QCOMPARE(status(2), QStringLiteral("要確認: 氏名には、”,”を入力しないでください。"));
        QCOMPARE(status(3), QStringLiteral("新規"));
        QCOMPARE(QApplication::focusWidget(), &table);

        // Space on the fourth row's tick box unticks it.
        for (int i = 0; i < 3; ++i) PressKey(Qt::Key_Down);
        QCOMPARE(table.currentIndex().row(), 3);
        PressKey(Qt::Key_Space);
        QCOMPARE(model.index(3, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);

        // A click on the name that needs attention, then the new name typed and Enter.
        const QModelIndex name = model.index(2, ImportPreviewModel::ColumnOf(EntryField::Name));
        QVERIFY(model.flags(name) & Qt::ItemIsEditable);
        QVERIFY(!(model.flags(model.index(0, name.column())) & Qt::ItemIsEditable));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, table.visualRect(name).center());
        QCOMPARE(table.currentIndex(), name);
        TypeIntoFocus(QStringLiteral("山田 次郎"));
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr);
        PressKey(Qt::Key_Return);  // the editor hands its text over from the event loop
        QTRY_COMPARE(status(2), QStringLiteral("新規"));
        QCOMPARE(name.data().toString(), QStringLiteral("山田 次郎"));

        // Tab leaves the table for the update choice; Down picks the second choice.
        PressKey(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("keepEntries"));
        PressKey(Qt::Key_Down);
        QVERIFY(preview.findChild<QRadioButton*>("takeFields")->isChecked());
        QCOMPARE(
            preview.findChild<QLabel*>("previewCounts")->text(),
            QStringLiteral("新規 2件 / 更新 1件 / 要確認 0件 / スキップ 0件 / 取り込まない 1件"));

        // On to OK and Enter.
        for (int i = 0; i < 4 && QApplication::focusWidget()->objectName() != "okButton"; ++i) {
          PressKey(Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("okButton"));
        PressKey(Qt::Key_Return);
      });
      PickInOpenDialog(openDialog, "contacts.vcf");
    });
    ImportContacts(*context_, list_, nullptr);

    QVERIFY(previewSeen);
    QCOMPARE(book_->entryCount(), 3);
    const BookEntry& suzuki = (*book_)[0];
    QCOMPARE(FieldText(suzuki.name), Sjis("鈴木 一郎"));  // the record's texts were taken
    QCOMPARE(FieldText(suzuki.email), std::string_view("ichiro@example.jp"));
    QCOMPARE(FieldText(suzuki.number), std::string_view("0355556666"));
    QCOMPARE(FieldText(suzuki.adapterWanted), std::string_view("1"));
    QCOMPARE(suzuki.inAdapter, 1);
    QCOMPARE(FieldText((*book_)[1].name), Sjis("山田 太郎"));
    QCOMPARE(FieldText((*book_)[1].nameKana), Sjis("やまだ たろう"));
    QCOMPARE(FieldText((*book_)[2].name), Sjis("山田 次郎"));
    QCOMPARE(FieldText((*book_)[2].adapterWanted), std::string_view("0"));
    QCOMPARE(FindSameNumber(*book_, "080-3333-4444"), -1);  // unticked
    QCOMPARE(callDir_.writtenCount, 3);                     // handed over once, whole
    QCOMPARE(list_.refreshCount, 1);
    QCOMPARE(prompter_.Texts(),
             std::vector<std::string>{"インポートしました。\n追加: 2件\n更新: 1件\nスキップ: 1件"});
  }

  // Cancel in the preview changes nothing and says nothing.
  void cancelChangesNothing() {
    WhenModal<QFileDialog>([&](QFileDialog& openDialog) {
      WhenModal<ImportPreviewDialog>([](ImportPreviewDialog& preview) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!preview.isVisible());
      });
      PickInOpenDialog(openDialog, "contacts.vcf");
    });
    ImportContacts(*context_, list_, nullptr);
    QCOMPARE(book_->entryCount(), 1);
    QCOMPARE(callDir_.writtenCount, -1);
    QCOMPARE(list_.refreshCount, 0);
    QVERIFY(prompter_.messages.empty());
  }

  // A file that is not readable is named; the others go on to the preview.
  void aRefusedFileIsNamedAndTheOthersAreRead() {
    files_->Write("empty.vcf", "BEGIN:VCARD\r\n");
    int previewRows = -1;
    WhenModal<QFileDialog>([&](QFileDialog& openDialog) {
      WhenModal<ImportPreviewDialog>(
          [&](ImportPreviewDialog& preview) { previewRows = preview.table().model()->rowCount(); });
      PickInOpenDialog(openDialog, "\"empty.vcf\" \"contacts.vcf\"");
    });
    ImportContacts(*context_, list_, nullptr);
    QCOMPARE(previewRows, 4);
    QCOMPARE(prompter_.messages.size(), std::size_t{1});
    QVERIFY(QString::fromStdString(prompter_.messages[0].text).contains("empty.vcf"));
  }

  // The command sits in the file menu before the printing items.
  void theFileMenuOffersTheImportBeforePrinting() {
    CDudOdeDoc document;
    CMainFrame frame(*context_, document);
    auto* file = frame.findChild<QMenu*>("menuFile");
    QStringList texts;
    for (QAction* action : file->actions()) {
      if (!action->isSeparator()) texts << action->text();
    }
    const auto import = texts.indexOf(QStringLiteral("ｲﾝﾎﾟｰﾄ(&I)..."));
    QVERIFY(import >= 0);
    QVERIFY(import < texts.indexOf(QStringLiteral("印刷(&P)...")));
    QAction* action = file->actions()[file->actions().indexOf(
        frame.findChild<QAction*>(QStringLiteral("command32790")))];
    QCOMPARE(action->statusTip(), QStringLiteral("連絡先ﾌｧｲﾙから電話帳に取り込み"));
    QCOMPARE(action->toolTip(), QStringLiteral("ｲﾝﾎﾟｰﾄ"));
  }

 private:
  std::unique_ptr<TempDir> files_;
  std::unique_ptr<PhoneBook> book_;
  RecordingPrompter prompter_;
  FakeCallDir callDir_;
  FakeAdapter adapter_;
  FakeBookListView list_;
  std::unique_ptr<AppContext> context_;
};

QTEST_MAIN(ImportContactsTest)
#include "import_contacts_test.moc"
