// CMainFrame: the program's one top-level window. Menu, toolbar, status bar and a splitter
// with the kana index tree on the left and the phone-book list on the right; it carries out
// the commands no pane or dialog handles, and on closing saves the columns and the book and
// releases the adapter.
#pragma once

#include <QMainWindow>
#include <map>

#include "app/session.h"
#include "gui/main_window/app_context.h"

class CDudOdeDoc;
class CDudOdeView;
class CEntryDlg;
class CTreeV;
class LockKeyIndicators;
class QAction;
class QLabel;
class QSplitter;

class CMainFrame final : public QMainWindow {
  Q_OBJECT

 public:
  CMainFrame(AppContext& context, CDudOdeDoc& document, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CDudOdeView& listView() const { return *list_; }
  CTreeV& treeView() const { return *tree_; }
  // The shared edit dialog, which lives as long as the frame.
  CEntryDlg& entryDialog() const { return *entryDlg_; }

  // The action of command `id` (32788 Save, 32772 read the adapter, ...), or null.
  QAction* Command(int id) const;

  // The frame's initial position and size.
  static constexpr QRect kInitialGeometry{100, 100, 600, 400};
  static constexpr int kTreeWidth = 100;

  // The commands, also reached from the list and the application object.
  void OnSave();
  void OnReadAdapter();
  void OnNewEntry();
  void OnEditEntry();
  void OnDeleteEntry();
  void OnColumnSettings();
  void OnSearch();
  void OnAbout();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QAction* AddCommand(int id, const QString& text, const QString& prompt, const char* icon = nullptr);
  void CreateCommands();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void CreatePanes();
  void MoveFocusBetweenPanes(int step);
  void SaveColumnTable();

  AppContext& context_;
  CDudOdeDoc& document_;
  Session session_;
  std::map<int, QAction*> commands_;
  QSplitter* splitter_ = nullptr;
  CDudOdeView* list_ = nullptr;
  CTreeV* tree_ = nullptr;
  CEntryDlg* entryDlg_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QLabel* messagePane_ = nullptr;
  LockKeyIndicators* indicators_ = nullptr;
};
