// The main window driven as a person would: start-up paths, the list and the tree, keys and
// the context menu, the frame's commands and closing. The two libraries are fakes and every
// message box is answered by the recorder.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QtTest>

#include "app/startup.h"
#include "book/calldir_library.h"
#include "gui/list/book_list_model.h"
#include "gui/main_window/dudode_app.h"
#include "gui/list/book_list_view.h"
#include "gui/kana_tree/kana_tree.h"
#include "gui/main_window/main_frame.h"
#include "index/kana_filter.h"
#include "platform/named_mutex.h"
#include "platform/private_profile.h"
#include "support/adapter_entry.h"
#include "support/book_builder.h"
#include "support/fake_adapter.h"
#include "support/fake_calldir.h"
#include "support/private_mutex_folder.h"
#include "support/recording_prompter.h"
#include "support/qt_typing.h"
#include "support/sjis.h"
#include "support/temp_dir.h"
#include "listing/column_table.h"
#include "listing/sort_directions.h"

namespace {

using Texts = std::vector<std::string>;

// Records the heading texts the header draws, as the user sees them.
class HeadingRecorder final : public QProxyStyle {
 public:
  explicit HeadingRecorder(QStringList& drawn) : drawn_(drawn) {}
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    if (element == CE_HeaderLabel) {
      drawn_ << qstyleoption_cast<const QStyleOptionHeader*>(option)->text;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
  }

 private:
  QStringList& drawn_;
};

// Collects the regions a widget is asked to paint.
class PaintRecorder final : public QObject {
 public:
  PaintRecorder(QWidget& widget, QRegion& painted) : painted_(painted) {
    widget.installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted_ += static_cast<QPaintEvent*>(event)->region();
    return false;
  }

 private:
  QRegion& painted_;
};

// One start of the program in a fresh program folder, with fake libraries.
struct ProgramRun {
  TempDir home;
  FakeCallDir callDir;
  FakeAdapter adapter;
  RecordingPrompter prompter;
  std::unique_ptr<CDudOdeApp> app;

  ProgramRun() {
    qputenv("DUDODE_HOME", QByteArray::fromStdString(home.path().string()));
    callDir.stored = {
        MakeEntry("03-1111-2222", Sjis("あおき"), Sjis("青木")),
        MakeEntry("090-3333-4444", Sjis("かとう"), Sjis("加藤")),
        MakeEntry("0312345678", Sjis("がくと"), Sjis("岳人")),
        MakeEntry("045-555-6666", Sjis("さとう"), Sjis("佐藤")),
    };
    callDir.stored[3].deleted = 1;
    app = std::make_unique<CDudOdeApp>(callDir, adapter, prompter);
  }

  bool Start(const QStringList& arguments = {}) { return app->InitInstance(arguments); }
  CMainFrame& frame() { return *app->mainFrame(); }
  CDudOdeView& list() { return frame().listView(); }
  QString Cell(int row, int column) {
    return list().model().data(list().model().index(row, column), Qt::DisplayRole).toString();
  }
};

// Closes the edit dialog the next step opens, keeping the number it showed.
void CloseNextEditDialog(QString& shownNumber) {
  QTimer::singleShot(0, [&shownNumber] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr) return;
    shownNumber = dialog->findChild<QLineEdit*>("phoneEdit")->text();
    dialog->close();
  });
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<PrivateMutexFolder> mutexes_;

 private Q_SLOTS:
  void init() {
    mutexes_ = std::make_unique<PrivateMutexFolder>();
  }

  void startsWithTheMergedBookUnderTheRoot() {
    ProgramRun s;
    s.adapter.held = {MakeAdapterEntry("09033334444", Sjis("ｶﾄｳ"), 0, 2)};
    QVERIFY(s.Start());
    QCOMPARE(s.prompter.Texts(), Texts{"現在ZEF-P1には1件分登録されています。"});
    QCOMPARE(s.frame().windowTitle(), QStringLiteral("- 電話帳 -"));
    QCOMPARE(s.frame().treeView().currentItem()->text(0), QStringLiteral("電話帳"));
    QAbstractItemModelTester tester(&s.list().model());
    QCOMPARE(s.list().RowCount(), 3);  // the deleted entry is not listed
    QCOMPARE(s.Cell(1, 0), QStringLiteral("090-3333-4444"));
    QCOMPARE(s.Cell(1, 1), QStringLiteral("○"));
    QCOMPARE(s.Cell(1, 2), QStringLiteral("×"));
    QCOMPARE(s.Cell(0, 1), QStringLiteral(" "));
    QCOMPARE(s.frame().geometry().topLeft(), QPoint(100, 100));
  }

  void refusesASecondCopy() {
    const auto running = NamedMutex::Create(kInstanceMutexName);
    ProgramRun s;
    QVERIFY(!s.Start());
    QVERIFY(s.app->mainFrame() == nullptr);
    QCOMPARE(s.prompter.Texts(), Texts{kAlreadyRunningMessage});
    QVERIFY(s.callDir.calls.empty());
  }

  void leavesTheAdapterAloneWhileVizazedRuns() {
    const auto vizazed = NamedMutex::Create(kVizazedMutexName);
    ProgramRun s;
    QVERIFY(s.Start());
    QVERIFY(s.adapter.calls.empty());
    QCOMPARE(s.prompter.Texts(), Texts{kVizazedRunningMessage});
    QVERIFY(s.frame().isVisible());
    s.frame().close();  // the port is left alone at the end too
    QVERIFY(s.adapter.calls.empty());
    QVERIFY(std::count(s.callDir.calls.begin(), s.callDir.calls.end(), "Save") == 1);
  }

  void goesOnWithoutTheAdapterWhenThePortFails() {
    ProgramRun s;
    s.adapter.failures["Open"] = 1;
    QVERIFY(s.Start());
    QCOMPARE(s.prompter.Texts(), Texts{kAdapterOpenFailedMessage});
    QCOMPARE(s.adapter.calls, Texts{"Open"});
    QCOMPARE(s.list().RowCount(), 3);
  }


  // The edit dialog opens on the start number once the window shows, and uses it up.
  void opensTheEditDialogOnTheStartNumber() {
    ProgramRun s;
    QString shownNumber;
    CloseNextEditDialog(shownNumber);
    QVERIFY(s.Start({QStringLiteral("/T=090-3333-4444")}));
    QCOMPARE(shownNumber, QStringLiteral("090-3333-4444"));
  }

  void sortsEachColumnInItsOwnDirectionAfterRefiltering() {
    ProgramRun s;
    QVERIFY(s.Start());
    QHeaderView* header = s.list().horizontalHeader();
    header->sectionClicked(0);  // descending first: 090... before 03...
    QCOMPARE(s.Cell(0, 0), QStringLiteral("090-3333-4444"));
    QCOMPARE(s.Cell(1, 0), QStringLiteral("0312345678"));  // compared without its hyphens
    QCOMPARE(s.Cell(2, 0), QStringLiteral("03-1111-2222"));
    header->sectionClicked(0);
    QCOMPARE(s.Cell(0, 0), QStringLiteral("03-1111-2222"));
    header->sectionClicked(3);  // column 3 starts from its own direction
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(s.Cell(0, 3), QStringLiteral("青木"));

    // A click re-applies the filter: an entry added since shows up.
    Put(s.app->book(), MakeEntry("01-0", Sjis("あ")));
    header->sectionClicked(0);
    QCOMPARE(s.list().RowCount(), 4);
  }

  void treeSelectionNarrowsTheList() {
    ProgramRun s;
    QVERIFY(s.Start());
    CTreeV& tree = s.frame().treeView();
    QTreeWidgetItem* root = tree.topLevelItem(0);
    QCOMPARE(root->childCount(), 10);
    int nodes = 1;
    for (int row = 0; row < root->childCount(); ++row) nodes += 1 + root->child(row)->childCount();
    QCOMPARE(nodes, 57);
    tree.setCurrentItem(root->child(1));  // か行: かとう and がくと
    QCOMPARE(s.list().RowCount(), 2);
    tree.setCurrentItem(root->child(1)->child(0));  // か and its voiced が
    QCOMPARE(s.list().RowCount(), 2);
    tree.setCurrentItem(root->child(1)->child(1));  // き
    QCOMPARE(s.list().RowCount(), 0);
    tree.setCurrentItem(root);
    QCOMPARE(s.list().RowCount(), 3);
  }

  // The current row is the row the user selected, even before the list repaints: Down then
  // Delete deletes the entry of the row moved to, and Enter edits the selected row's entry.
  void keysActOnTheSelectedRow() {
    ProgramRun s;
    QVERIFY(s.Start());
    CDudOdeView& list = s.list();
    QSignalSpy edits(&list, &CDudOdeView::editRequested);
    QSignalSpy deletes(&list, &CDudOdeView::deleteRequested);
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Delete);  // nothing selected: nothing happens
    QCOMPARE(deletes.count(), 0);
    list.selectRow(0);
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Delete);  // the recorder answers Yes
    QCOMPARE(deletes.count(), 1);
    QCOMPARE(list.CurrentRow(), 1);
    QCOMPARE(s.app->book()[1].deleted, 1);
    QCOMPARE(s.app->book()[0].deleted, 0);
    QCOMPARE(list.RowCount(), 2);  // refreshed; the current row keeps its value
    QCOMPARE(list.CurrentRow(), 1);

    list.selectRow(1);  // now the entry 0312345678
    QString shownNumber;
    CloseNextEditDialog(shownNumber);
    QTest::keyClick(&list, Qt::Key_Return);
    QCOMPARE(edits.count(), 1);
    QCOMPARE(shownNumber, QStringLiteral("0312345678"));
  }

  void mouseAndContextMenuPickRows() {
    ProgramRun s;
    QVERIFY(s.Start());
    CDudOdeView& list = s.list();
    const QPoint onRow = list.visualRect(list.model().index(2, 0)).center();
    const QPoint beside(5, list.viewport()->height() - 5);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, onRow);
    QVERIFY(list.RowChosen());
    QCOMPARE(list.CurrentRow(), 2);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, beside);
    QVERIFY(!list.RowChosen());

    QStringList items;
    QTimer::singleShot(0, [&items] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr) return;
      for (QAction* action : menu->actions()) items << action->text();
      menu->close();
    });
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, onRow);
    QCOMPARE(items, (QStringList{QStringLiteral("削除"), QStringLiteral("編集")}));
    QVERIFY(list.RowChosen());
  }

  void columnsKeepAtLeastTwentyPixelsAndTheirDraggedWidths() {
    ProgramRun s;
    QVERIFY(s.Start());
    QHeaderView* header = s.list().horizontalHeader();
    header->resizeSection(3, 15);
    QCOMPARE(header->sectionSize(3), 80);
    header->resizeSection(3, 20);
    QCOMPARE(header->sectionSize(3), 20);
    s.frame().close();
    const std::string ini = (s.home.path() / "DUDODE.ini").string();
    QCOMPARE(profile::ReadInt(ini, "LOADCOL", "COUNT", 0), 12);
    QCOMPARE(profile::ReadString(ini, "LOADCOL", "COL4", "", 100), Sjis("氏名") + ",20,3,0");
  }

  void saveAndReadAdapterCommands() {
    ProgramRun s;
    QVERIFY(s.Start());
    s.prompter.messages.clear();
    s.frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.frame()));
    QTest::keyClick(&s.frame(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(std::count(s.callDir.calls.begin(), s.callDir.calls.end(), "Save") == 1);

    s.adapter.failures["ReadAll"] = 12;
    s.frame().treeView().setCurrentItem(s.frame().treeView().topLevelItem(0)->child(0));
    QCOMPARE(s.list().RowCount(), 1);
    Put(s.app->book(), MakeEntry("01-0", Sjis("あ")));
    s.frame().Command(32772)->trigger();
    QCOMPARE(s.prompter.Texts(),
             (Texts{"正しくデータを受信できませんでした。", "電話帳の取得に失敗しました。"}));
    QCOMPARE(s.list().RowCount(), 2);  // refreshed after the failure too
  }

  void frameHasItsCommandsPanesAndAboutBox() {
    ProgramRun s;
    QVERIFY(s.Start());
    CMainFrame& frame = s.frame();
    QList<int> toolBar;
    for (QAction* action : frame.findChild<QToolBar*>("toolBar")->actions()) {
      toolBar << (action->isSeparator() ? 0 : action->data().toInt());
    }
    QCOMPARE(toolBar, (QList<int>{32773, 0, 57609, 57607, 0, 32780, 32777, 0, 32782, 0, 57664}));
    QCOMPARE(frame.Command(32772)->statusTip(), QStringLiteral("詳細情報の表示/非表示"));
    QCOMPARE(frame.Command(32782)->toolTip(), QStringLiteral("新規"));
    QCOMPARE(frame.Command(61468)->toolTip(), QStringLiteral("電話番号の削除"));
    QStatusTipEvent tip(frame.Command(32773)->statusTip());
    QApplication::sendEvent(&frame, &tip);
    QCOMPARE(frame.findChild<QLabel*>("messagePane")->text(),
             QStringLiteral("作業中のﾌｧｲﾙに名前を付けて保存"));

    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    frame.treeView().setFocus();
    QTest::keyClick(&frame, Qt::Key_F6);
    QVERIFY(s.list().hasFocus());
    QTest::keyClick(&frame, Qt::Key_F6, Qt::ShiftModifier);
    QVERIFY(frame.treeView().hasFocus());

    QString caption;
    QString text;
    QTimer::singleShot(0, [&] {
      QWidget* about = QApplication::activeModalWidget();
      if (about == nullptr) return;
      caption = about->windowTitle();
      text = about->findChild<QLabel*>("aboutVersion")->text();
      about->close();
    });
    frame.Command(57664)->trigger();
    QCOMPARE(caption, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(text, QStringLiteral("DUDODE Version 1.02"));
  }

  // Each command that runs a dialog opens it modally over the main window.
  void commandsOpenTheirDialogs() {
    ProgramRun s;
    QVERIFY(s.Start());
    const struct {
      int command;
      const char* dialog;
    } cases[] = {{32780, "columnDialog"}, {32777, "searchDialog"}, {32781, "entryDialog"},
                 {32782, "entryDialog"}, {61470, "entryDialog"}, {57664, "aboutDialog"},
                 {32773, "csvSaveDialog"}, {57607, "reportPrintDialog"}, {57609, "reportPreview"}};
    for (const auto& c : cases) {
      QString opened;
      QWidget* owner = nullptr;
      QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) return;
        opened = dialog->objectName().isEmpty() ? dialog->metaObject()->className()
                                                : dialog->objectName();
        owner = dialog->parentWidget();
        dialog->close();
      });
      s.frame().Command(c.command)->trigger();
      QCOMPARE(opened, QString::fromUtf8(c.dialog));
      QCOMPARE(owner, &s.frame());
    }
    s.frame().Command(32785)->trigger();  // help: a window of its own beside the main one
    auto* help = s.frame().findChild<QWidget*>("helpWindow");
    QVERIFY(help != nullptr && help->isVisible());
  }

  // Moving through the list by keys and refilling it: rows only, from the top, no stale
  // paint, headings shortened as cells are, narrow widths from DUDODE.ini kept as read.
  void theListMovesByRowsAndShowsWhatItHolds() {
    ProgramRun s;
    for (int i = 0; i < 80; ++i) {
      s.callDir.stored.push_back(
          MakeEntry("04-" + std::to_string(1000 + i), Sjis(i % 2 ? "あさ" : "かき"), Sjis("名前")));
    }
    const std::string ini = (s.home.path() / "DUDODE.ini").string();
    profile::WriteString(ini, "LOADCOL", "COUNT", "12");
    for (int i = 0; i < 12; ++i) {
      const ColumnDef& c = DefaultColumns()[static_cast<std::size_t>(i)];
      const int width = i == 3 ? 5 : i == 4 ? 0 : c.width;  // 氏名 at 5, 氏名かな at 0
      profile::WriteString(ini, "LOADCOL", "COL" + std::to_string(i + 1),
                           std::string(c.heading) + "," + std::to_string(width) + "," +
                               std::to_string(c.fieldId) + "," + std::to_string(c.format));
    }
    QVERIFY(s.Start());
    CMainFrame& frame = s.frame();
    CDudOdeView& list = s.list();
    QHeaderView* header = list.horizontalHeader();
    QCOMPARE(header->sectionSize(3), 5);
    QCOMPARE(header->sectionSize(4), 0);
    // A column of no width can still be grabbed and widened: at the next heading's edge.
    const int edge = header->sectionViewportPosition(5);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge + 1, 5));
    QTest::mouseMove(header->viewport(), QPoint(edge + 41, 5));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(edge + 41, 5));
    QVERIFY2(header->sectionSize(4) >= 30, qPrintable(QString::number(header->sectionSize(4))));

    // Headings narrower than their text end in "...", as the cells do.
    QStringList drawn;
    auto* recorder = new HeadingRecorder(drawn);
    recorder->setParent(header);
    header->setStyle(recorder);
    header->resizeSection(1, 50);  // "ZEF-P1登録済"
    header->grab();
    QVERIFY2(drawn.size() > 1 && drawn[1].endsWith("...") &&
                 QStringLiteral("ZEF-P1登録済").startsWith(drawn[1].chopped(3)),
             qPrintable(drawn.join('|')));

    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    frame.treeView().setFocus();
    QTest::keyClick(&frame, Qt::Key_F6);
    QVERIFY(list.hasFocus());
    QVERIFY(!list.HasSelectedRow());
    QTest::keyClick(&list, Qt::Key_Down);  // the first Down selects the first row
    QCOMPARE(list.currentIndex().row(), 0);
    QVERIFY(list.selectionModel()->isRowSelected(0));

    // Home and End, with or without Ctrl, go along the rows and never sideways.
    list.horizontalScrollBar()->setValue(list.horizontalScrollBar()->maximum() / 2);
    const int sideways = list.horizontalScrollBar()->value();
    QVERIFY(sideways > 0);
    const int last = list.RowCount() - 1;
    const struct {
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      int row;
    } moves[] = {{Qt::Key_End, Qt::ControlModifier, last},
                 {Qt::Key_Home, Qt::ControlModifier, 0},
                 {Qt::Key_End, Qt::NoModifier, last},
                 {Qt::Key_Home, Qt::NoModifier, 0}};
    for (const auto& move : moves) {
      QTest::keyClick(&list, move.key, move.modifiers);
      QCOMPARE(list.currentIndex().row(), move.row);
      QCOMPARE(list.CurrentRow(), move.row);
      QCOMPARE(list.horizontalScrollBar()->value(), sideways);
    }

    // Moving on repaints the whole row left, its highlight past the last column too.
    frame.resize(1400, 500);
    QApplication::processEvents();
    QVERIFY(header->length() < list.viewport()->width());
    QRegion painted;
    PaintRecorder paints(*list.viewport(), painted);
    QTest::keyClick(&list, Qt::Key_Down);
    QApplication::processEvents();
    const QRect oldRow(0, list.rowViewportPosition(0), list.viewport()->width(), list.rowHeight(0));
    QVERIFY((QRegion(oldRow) - painted).isEmpty());

    // A new kana filter shows its list from the top.
    QTest::keyClick(&list, Qt::Key_End);
    QVERIFY(list.verticalScrollBar()->value() > 0);
    frame.treeView().setFocus();
    QTest::keyClick(&frame.treeView(), Qt::Key_Down);  // あ行
    QCOMPARE(s.list().RowCount(), 41);
    QCOMPARE(list.verticalScrollBar()->value(), 0);

    frame.close();
    QCOMPARE(profile::ReadString(ini, "LOADCOL", "COL4", "", 100), Sjis("氏名") + ",5,3,0");
  }

  // A new entry saved from the dialog: its row is selected and in sight, the current row
  // follows it, and the row-chosen flag is not set.
  void aSavedEntryStaysInSight() {
    ProgramRun s;
    for (int i = 0; i < 80; ++i) s.callDir.stored.push_back(MakeEntry("04-" + std::to_string(1000 + i)));
    QVERIFY(s.Start());
    CDudOdeView& list = s.list();
    QTimer::singleShot(0, [] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (dialog == nullptr) return;
      QTest::keyClicks(dialog->findChild<QLineEdit*>("phoneEdit"), "099-1234-5678");
      CommitText(dialog->findChild<QLineEdit*>("nameEdit"), QStringLiteral("新井"));
      CommitText(dialog->findChild<QLineEdit*>("nameKanaEdit"), QStringLiteral("あらい"));
      QTest::keyClick(dialog->findChild<QLineEdit*>("nameEdit"), Qt::Key_Return);
    });
    s.frame().Command(32781)->trigger();  // 新規
    const int saved = s.app->book().entryCount() - 1;
    QCOMPARE(QString::fromStdString(s.app->book()[saved].number), QStringLiteral("099-1234-5678"));
    QVERIFY(list.HasSelectedRow());
    const int row = list.CurrentRow();
    QCOMPARE(list.EntryIndexOfRow(row), saved);
    QVERIFY(list.selectionModel()->isRowSelected(row));
    QVERIFY(list.viewport()->rect().contains(list.visualRect(list.model().index(row, 0))));
    QVERIFY(!list.RowChosen());
  }

  // Shift+F10 and the Menu key open the context menu at the current row, as a right click
  // does; without a selected row nothing opens. Escape closes the help.
  void theKeyboardReachesWhatTheMouseReaches() {
    ProgramRun s;
    QVERIFY(s.Start());
    CDudOdeView& list = s.list();
    list.setFocus();
    int menus = 0;
    QPoint shownAt;
    const auto closeMenu = [&] {
      QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return;
        ++menus;
        shownAt = menu->pos();
        menu->close();
      });
    };
    closeMenu();
    QTest::keyClick(&list, Qt::Key_F10, Qt::ShiftModifier);
    QApplication::processEvents();
    QCOMPARE(menus, 0);  // no row selected
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Down);
    QVERIFY(!list.RowChosen());
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)},
          std::pair{Qt::Key_Menu, Qt::KeyboardModifiers()}}) {
      closeMenu();
      QTest::keyClick(&list, key, modifiers);
      QVERIFY(list.RowChosen());
      const QRect firstCell = list.visualRect(list.model().index(1, 0));
      QCOMPARE(shownAt, list.viewport()->mapToGlobal(firstCell.bottomLeft()));
    }
    QCOMPARE(menus, 2);

    s.frame().Command(32785)->trigger();  // the help
    auto* help = s.frame().findChild<QWidget*>("helpWindow");
    QVERIFY(help != nullptr && help->isVisible());
    help->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!help->isVisible());
  }

  void aFailedSaveAtClosingCanKeepTheWindowOpen() {
    ProgramRun s;
    QVERIFY(s.Start());
    s.callDir.failures["Save"] = 17;
    s.prompter.answers = {PromptAnswer::Ok, PromptAnswer::No};
    QVERIFY(!s.frame().close());
    QVERIFY(s.frame().isVisible());
    QVERIFY(s.adapter.calls.empty() || s.adapter.calls.back() != "Close");
    s.callDir.failures.clear();
    QVERIFY(s.frame().close());
    QCOMPARE(s.adapter.calls.back(), std::string("Close"));
  }

  // A book file that cannot be read: the two load messages, then where the file will be
  // kept, which the first store then does. Last, as it leaves the library's book open.
  void aDamagedBookIsKeptAsideAndTheUserIsTold() {
    TempDir home;
    qputenv("DUDODE_HOME", QByteArray::fromStdString(home.path().string()));
    const std::string damaged = ReadBytes(DUDODE_TEST_DATA "/damaged-book/CallDir.csv");
    home.Write("CallDir.csv", damaged);
    LinkedCallDirLibrary callDir;
    FakeAdapter adapter;
    RecordingPrompter prompter;
    CDudOdeApp app(callDir, adapter, prompter);
    QVERIFY(app.InitInstance({}));
    QCOMPARE(prompter.Texts(), (Texts{"電話帳情報がないか、ファイルを読み込めませんでした。",
                                      kBookLoadFailedMessage,
                                      BookKeptAsideMessage(home.path().string())}));
    QCOMPARE(app.mainFrame()->listView().RowCount(), 0);
    QVERIFY(app.mainFrame()->close());
    std::vector<std::string> backups;
    for (const std::string& name : home.Names()) {
      if (name.starts_with("CallDir.csv.backup-")) backups.push_back(name);
    }
    QCOMPARE(backups.size(), std::size_t{1});
    QCOMPARE(home.Read(backups[0]), damaged);
    app.ExitInstance();
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
