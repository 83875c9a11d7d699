// CDudOdeView: the phone-book list in the main window's right pane. It shows the live
// entries of the display list with the session's columns under its kana filter, sorts on a
// heading click, keeps the row the user picked and each column's sort direction, and asks
// the frame to edit or delete on mouse, key and context-menu input.
#pragma once

#include <string>

#include "gui/list/book_list.h"
#include "gui/list/list_view_base.h"
#include "listing/sort_directions.h"

class BookListModel;
class PhoneBook;
class RowPainter;
struct Session;

class CDudOdeView final : public CListV, public BookListView {
  Q_OBJECT

 public:
  // The list of `book` with the columns and the kana filter of `session`.
  CDudOdeView(PhoneBook& book, Session& session, QWidget* parent = nullptr);

  // Loads the columns from `columnIniPath` (DUDODE.ini) and shows the whole book, as at
  // the first display.
  void OnInitialUpdate(const std::string& columnIniPath);

  // Rebuilds the columns and shows the first `count` slots of the display list; no row is
  // selected and the rows are in display-list order afterwards.
  void FillList(int count);

  void RefreshList() override;
  void ShowEntry(int entryIndex) override;
  bool HasSelectedRow() const override;
  int RowCount() const override;
  int EntryIndexOfRow(int row) const override;
  int CurrentRow() const override { return currentRow_; }
  bool RowChosen() const override { return rowChosen_; }
  void SetRowChosen(bool chosen) override { rowChosen_ = chosen; }

  // Orders the rows by column position `column` after re-applying the kana filter, in the
  // column's next direction; what a heading click does.
  void SortOnColumn(int column);

  BookListModel& model() const { return *model_; }

 Q_SIGNALS:
  // The shared edit dialog is to run (Enter, the context menu's "編集").
  void editRequested();
  // The delete operation is to run on the current row (Delete, the context menu's "削除").
  void deleteRequested();
  // A double-click on a row: a fresh edit dialog of its own is to run.
  void doubleClickEditRequested();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowContextMenu(const QPoint& at);
  void OnCurrentRowChanged(const QModelIndex& current);

  PhoneBook& book_;
  Session& session_;
  BookListModel* model_;
  RowPainter* painter_;
  SortDirections sortDirections_;
  int currentRow_ = 0;      // the row selected last; a refill keeps it
  bool rowChosen_ = false;  // the user picked a row
};
