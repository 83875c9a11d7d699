#include "gui/main_window/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

#include "app/closing.h"
#include "messages/prompter.h"
#include "app/startup.h"
#include "book/adapter_merge.h"
#include "gui/main_window/about_dialog.h"
#include "gui/main_window/dudode_doc.h"
#include "gui/columns/column_dialog.h"
#include "gui/main_window/save_as_csv.h"
#include "gui/import/import_contacts.h"
#include "gui/list/book_list_view.h"
#include "gui/entry/entry_dialog.h"
#include "gui/main_window/help_window.h"
#include "gui/kana_tree/kana_tree.h"
#include "gui/search/search_dialog.h"
#include "gui/main_window/lock_keys.h"
#include "gui/report/report_printer.h"
#include "listing/column_table.h"

namespace {

// Command ids, as the menu and the toolbar know them.
enum Command : int {
  kReadAdapter = 32772,
  kSaveAs = 32773,
  kSearch = 32777,
  kColumns = 32780,
  kNewEntry = 32781,
  kNewEntryButton = 32782,
  kHelpContents = 32785,
  kSave = 32788,
  kImport = 32790,
  kPrint = 57607,
  kPrintPreview = 57609,
  kAbout = 57664,
  kExit = 57665,
  kToggleToolBar = 59392,
  kToggleStatusBar = 59393,
  kDelete = 61468,
  kEdit = 61470,
};

// What the message pane shows when no command is highlighted.
QString IdleMessage() {
  return QStringLiteral("ﾚﾃﾞｨ");
}

// A command's prompt is "status text\ntool tip"; without the second part the status
// text is the tool tip too.
QString StatusText(const QString& prompt) { return prompt.section('\n', 0, 0); }
QString ToolTip(const QString& prompt) {
  return prompt.contains('\n') ? prompt.section('\n', 1) : prompt;
}

}  // namespace

CMainFrame::CMainFrame(AppContext& context, CDudOdeDoc& document, QWidget* parent)
    : QMainWindow(parent), context_(context), document_(document) {
  setObjectName("mainFrame");
  setGeometry(kInitialGeometry);
  setWindowIcon(QIcon(QStringLiteral(":/icons/dudode.svg")));
  CreateCommands();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  CreatePanes();
}

QAction* CMainFrame::Command(int id) const {
  const auto found = commands_.find(id);
  return found == commands_.end() ? nullptr : found->second;
}

QAction* CMainFrame::AddCommand(int id, const QString& text, const QString& prompt,
                                const char* icon) {
  auto* action = new QAction(text, this);
  action->setObjectName(QStringLiteral("command%1").arg(id));
  action->setData(id);
  action->setStatusTip(StatusText(prompt));
  action->setToolTip(ToolTip(prompt));
  if (icon != nullptr) action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(icon)));
  commands_[id] = action;
  return action;
}

void CMainFrame::CreateCommands() {
  AddCommand(kSave, QStringLiteral("上書き保存(&S)"), QStringLiteral("作業中のﾌｧｲﾙを保存\n保存"));
  Command(kSave)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  AddCommand(kSaveAs, QStringLiteral("名前を付けて保存(&A)..."),
             QStringLiteral("作業中のﾌｧｲﾙに名前を付けて保存\n名前を付けて保存"), "save-as");
  AddCommand(kImport, QStringLiteral("ｲﾝﾎﾟｰﾄ(&I)..."),
             QStringLiteral("連絡先ﾌｧｲﾙから電話帳に取り込み\nｲﾝﾎﾟｰﾄ"));
  AddCommand(kPrint, QStringLiteral("印刷(&P)..."), QStringLiteral("作業中の文書を印刷\n印刷"),
             "print");
  Command(kPrint)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  AddCommand(kPrintPreview, QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ(&V)"),
             QStringLiteral("ﾌﾙ ﾍﾟｰｼﾞに印刷イメージを表示\n印刷ﾌﾟﾚﾋﾞｭｰ"), "preview");
  AddCommand(kExit, QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"),
             QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了"));
  AddCommand(kNewEntry, QStringLiteral("新規(&M)"),
             QStringLiteral("電話番号の新規登録\n電話番号新規登録"));
  AddCommand(kDelete, QStringLiteral("削除(&D)"), QStringLiteral("電話番号の削除"));
  AddCommand(kReadAdapter, QStringLiteral("ZEF-P1登録番号読み込み(&R)"),
             QStringLiteral("詳細情報の表示/非表示\n詳細情報の表示/非表示"));
  AddCommand(kToggleToolBar, QStringLiteral("ﾂｰﾙ ﾊﾞｰ(&T)"),
             QStringLiteral("ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰの表示切り替え"));
  AddCommand(kToggleStatusBar, QStringLiteral("ｽﾃｰﾀｽ ﾊﾞｰ(&S)"),
             QStringLiteral("ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示切り替え"));
  AddCommand(kColumns, QStringLiteral("項目表示設定(&H)"),
             QStringLiteral("表示する項目の指定\n表示設定"), "columns");
  AddCommand(kSearch, QStringLiteral("電話帳検索(&F)"), QStringLiteral("電話番号で検索\n電話番号検索"),
             "search");
  AddCommand(kHelpContents, QStringLiteral("目次（&C）"),
             QStringLiteral("ﾍﾙﾌﾟ ﾄﾋﾟｯｸの一覧を表示\nﾍﾙﾌﾟ ﾄﾋﾟｯｸ"));
  AddCommand(kAbout, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報 (&A)..."),
             QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示\nﾊﾞｰｼﾞｮﾝ情報"), "about");
  AddCommand(kNewEntryButton, QStringLiteral("新規"), QStringLiteral("新規\n新規"), "new");
  AddCommand(kEdit, QStringLiteral("編集"), QStringLiteral("編集"));

  connect(Command(kSave), &QAction::triggered, this, &CMainFrame::OnSave);
  connect(Command(kExit), &QAction::triggered, this, &QWidget::close);
  connect(Command(kNewEntry), &QAction::triggered, this, &CMainFrame::OnNewEntry);
  connect(Command(kNewEntryButton), &QAction::triggered, this, &CMainFrame::OnNewEntry);
  connect(Command(kDelete), &QAction::triggered, this, &CMainFrame::OnDeleteEntry);
  connect(Command(kEdit), &QAction::triggered, this, &CMainFrame::OnEditEntry);
  connect(Command(kReadAdapter), &QAction::triggered, this, &CMainFrame::OnReadAdapter);
  connect(Command(kAbout), &QAction::triggered, this, &CMainFrame::OnAbout);
  connect(Command(kColumns), &QAction::triggered, this, &CMainFrame::OnColumnSettings);
  connect(Command(kSearch), &QAction::triggered, this, &CMainFrame::OnSearch);
  connect(Command(kSaveAs), &QAction::triggered, this,
          [this] { ExportBookAsCsv(context_, this); });
  connect(Command(kImport), &QAction::triggered, this,
          [this] { ImportContacts(context_, *list_, this); });
  // Either pane prints the same report: the rows of the phone-book list.
  connect(Command(kPrint), &QAction::triggered, this,
          [this] { PrintReport(context_, *list_, this); });
  connect(Command(kPrintPreview), &QAction::triggered, this,
          [this] { PreviewReport(context_, *list_, this); });
  connect(Command(kHelpContents), &QAction::triggered, this, [this] { ShowHelpContents(this); });
}

void CMainFrame::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
  file->setObjectName("menuFile");
  file->addAction(Command(kSave));
  file->addAction(Command(kSaveAs));
  file->addAction(Command(kImport));
  file->addSeparator();
  file->addAction(Command(kPrint));
  file->addAction(Command(kPrintPreview));
  file->addSeparator();
  file->addAction(Command(kExit));

  QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
  edit->setObjectName("menuEdit");
  edit->addAction(Command(kNewEntry));
  edit->addAction(Command(kDelete));
  edit->addAction(Command(kReadAdapter));

  QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
  view->setObjectName("menuView");
  view->addAction(Command(kToggleToolBar));
  view->addAction(Command(kToggleStatusBar));
  view->addAction(Command(kColumns));

  QMenu* search = menuBar()->addMenu(QStringLiteral("検索(&D)"));
  search->setObjectName("menuSearch");
  search->addAction(Command(kSearch));

  QMenu* help = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
  help->setObjectName("menuHelp");
  help->addAction(Command(kHelpContents));
  help->addAction(Command(kAbout));
}

void CMainFrame::CreateToolBar() {
  toolBar_ = addToolBar(QStringLiteral("ﾂｰﾙ ﾊﾞｰ"));
  toolBar_->setObjectName("toolBar");
  toolBar_->setIconSize(QSize(16, 15));
  toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
  toolBar_->setMovable(true);
  setDockOptions(dockOptions() | QMainWindow::AnimatedDocks);
  for (int id : {int{kSaveAs}, 0, int{kPrintPreview}, int{kPrint}, 0, int{kColumns}, int{kSearch}, 0,
                 int{kNewEntryButton}, 0, int{kAbout}}) {
    if (id == 0) {
      toolBar_->addSeparator();
    } else {
      toolBar_->addAction(Command(id));
    }
  }
  QAction* toggle = Command(kToggleToolBar);
  toggle->setCheckable(true);
  toggle->setChecked(true);
  connect(toggle, &QAction::toggled, toolBar_, &QWidget::setVisible);
  connect(toolBar_, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
}

void CMainFrame::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("statusBar");
  messagePane_ = new QLabel(IdleMessage(), bar);
  messagePane_->setObjectName("messagePane");
  messagePane_->setAccessibleName(QStringLiteral("メッセージ"));
  bar->addWidget(messagePane_, 1);
  indicators_ = new LockKeyIndicators(*bar);
  QAction* toggle = Command(kToggleStatusBar);
  toggle->setCheckable(true);
  toggle->setChecked(true);
  connect(toggle, &QAction::toggled, bar, &QWidget::setVisible);
}

void CMainFrame::CreatePanes() {
  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setObjectName("paneSplitter");
  splitter_->setChildrenCollapsible(false);
  list_ = new CDudOdeView(context_.access.book, session_);
  tree_ = new CTreeV(session_, *list_);
  splitter_->addWidget(tree_);
  splitter_->addWidget(list_);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({kTreeWidth, kInitialGeometry.width() - kTreeWidth});
  setCentralWidget(splitter_);
  entryDlg_ = new CEntryDlg(context_, *list_, this);
  connect(list_, &CDudOdeView::editRequested, this, &CMainFrame::OnEditEntry);
  connect(list_, &CDudOdeView::deleteRequested, this, &CMainFrame::OnDeleteEntry);
  connect(list_, &CDudOdeView::doubleClickEditRequested, this,
          [this] { EditEntryInOwnDialog(context_, *list_, this); });

  auto* next = new QShortcut(QKeySequence(Qt::Key_F6), this);
  connect(next, &QShortcut::activated, this, [this] { MoveFocusBetweenPanes(1); });
  auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this);
  connect(previous, &QShortcut::activated, this, [this] { MoveFocusBetweenPanes(-1); });
}

void CMainFrame::MoveFocusBetweenPanes(int step) {
  const int panes = splitter_->count();
  int current = 0;
  for (int i = 0; i < panes; ++i) {
    if (splitter_->widget(i)->isAncestorOf(focusWidget()) || splitter_->widget(i) == focusWidget()) {
      current = i;
    }
  }
  splitter_->widget(((current + step) % panes + panes) % panes)->setFocus(Qt::ShortcutFocusReason);
}

// Status texts of highlighted commands go to the message pane; without one it says ready.
bool CMainFrame::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
    messagePane_->setText(tip.isEmpty() ? IdleMessage() : tip);
    return true;
  }
  if (event->type() == QEvent::WindowActivate || event->type() == QEvent::KeyRelease) {
    indicators_->Update();
  }
  return QMainWindow::event(event);
}

void CMainFrame::SaveColumnTable() {
  SaveColumns(context_.paths.columnIniPath, session_.columns.table, session_.columns.count);
}

void CMainFrame::OnSave() {
  SaveBook(context_.access);
  SaveColumnTable();
}

void CMainFrame::OnReadAdapter() {
  if (!MergeFromAdapter(context_.access, context_.adapter)) {
    context_.access.prompter.Tell(kBookLoadFailedMessage, PromptIcon::Warning);
  }
  list_->RefreshList();
}

CMainFrame::~CMainFrame() = default;

// The new-entry command opens an empty dialog even when a row was chosen before.
void CMainFrame::OnNewEntry() {
  entryDlg_->DoModal(OpenRequest::NewEntry());
}

// Enter on a selected row and the context menu's "編集": the current row when the list says
// the user chose it (Enter has just said so; the context menu leaves the flag as the last
// mouse press set it), else a new entry.
void CMainFrame::OnEditEntry() {
  entryDlg_->DoModal(RequestForCurrentRow(*list_));
}

void CMainFrame::OnDeleteEntry() {
  entryDlg_->DeleteCurrentEntry();
}

void CMainFrame::OnColumnSettings() {
  CColumnDlg dialog(session_.columns, *list_, context_.access.prompter, this);
  dialog.exec();
}

// The search's edit button opens the shared edit dialog on each entry it stands for.
void CMainFrame::OnSearch() {
  CSearchDlg dialog(
      context_, session_.searchCondition,
      [this](int entryIndex) { entryDlg_->DoModal(OpenRequest::ForIndex(entryIndex)); }, this);
  dialog.exec();
}

void CMainFrame::OnAbout() {
  AboutDialog about(this);
  about.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  SaveColumnTable();
  if (!CloseDown(context_.access, context_.adapter)) {
    event->ignore();
    return;
  }
  event->accept();
}
