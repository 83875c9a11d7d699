#include "gui/list/book_list_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "app/session.h"
#include "book/phone_book.h"
#include "gui/list/book_list_model.h"
#include "gui/list/row_painter.h"
#include "index/kana_filter.h"
#include "listing/column_table.h"

namespace {

// Shift+F10 and the Menu key: the context menu, as a right click on the current row.
bool IsContextMenuKey(const QKeyEvent& event) {
  return event.key() == Qt::Key_Menu ||
         (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier);
}

}  // namespace

CDudOdeView::CDudOdeView(PhoneBook& book, Session& session, QWidget* parent)
    : CListV(session.columns, parent),
      book_(book),
      session_(session),
      model_(new BookListModel(book, session.columns, this)),
      painter_(new RowPainter(*model_, this)) {
  setObjectName("phoneBookList");
  setAccessibleName(QStringLiteral("電話帳一覧"));
  setModel(model_);
  setItemDelegate(painter_);
  connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CDudOdeView::SortOnColumn);
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { OnCurrentRowChanged(current); });
}

void CDudOdeView::OnInitialUpdate(const std::string& columnIniPath) {
  session_.columns.count = LoadColumns(columnIniPath, session_.columns.table);
  FillList(book_.entryCount());  // the display list is still the whole book in book order
}

void CDudOdeView::FillList(int count) {
  model_->Fill(count);
  horizontalHeader()->setSortIndicatorShown(false);
  for (int i = 0; i < session_.columns.count; ++i) {
    SetStoredColumnWidth(i, session_.columns.table[static_cast<std::size_t>(i)].width);
  }
  clearSelection();
  scrollToTop();  // as a list emptied and filled again
}

void CDudOdeView::RefreshList() {
  FillList(ApplyKanaFilter(book_, session_.kanaFilter));
}

void CDudOdeView::ShowEntry(int entryIndex) {
  for (int row = 0; row < RowCount(); ++row) {
    if (EntryIndexOfRow(row) != entryIndex) continue;
    const QModelIndex cell = model_->index(row, 0);
    selectionModel()->setCurrentIndex(
        cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(cell);
    return;
  }
}

bool CDudOdeView::HasSelectedRow() const {
  return selectionModel()->hasSelection();
}

int CDudOdeView::RowCount() const {
  return model_->rowCount();
}

int CDudOdeView::EntryIndexOfRow(int row) const {
  return model_->EntryIndexOfRow(row);
}

void CDudOdeView::SortOnColumn(int column) {
  RefreshList();
  const int32_t direction = sortDirections_.Toggle(column);
  model_->SortByColumn(column, direction);
  horizontalHeader()->setSortIndicator(
      column, direction == kSortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
  horizontalHeader()->setSortIndicatorShown(true);
}

// The current row follows the selection the user makes, never what was painted; a refill
// that clears the selection leaves it as it was.
void CDudOdeView::OnCurrentRowChanged(const QModelIndex& current) {
  if (current.isValid()) currentRow_ = current.row();
}

void CDudOdeView::mousePressEvent(QMouseEvent* event) {
  const bool onRow = indexAt(event->position().toPoint()).isValid();
  rowChosen_ = onRow;
  CListV::mousePressEvent(event);
  if (event->button() == Qt::RightButton && onRow) ShowContextMenu(event->position().toPoint());
}

void CDudOdeView::ShowContextMenu(const QPoint& at) {
  QMenu menu(this);
  menu.setObjectName("listContextMenu");
  menu.addAction(QStringLiteral("削除"), this, &CDudOdeView::deleteRequested);
  menu.addAction(QStringLiteral("編集"), this, &CDudOdeView::editRequested);
  menu.exec(viewport()->mapToGlobal(at));
}

void CDudOdeView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (indexAt(event->position().toPoint()).isValid()) Q_EMIT doubleClickEditRequested();
  CListV::mouseDoubleClickEvent(event);
}

void CDudOdeView::keyPressEvent(QKeyEvent* event) {
  if (IsContextMenuKey(*event)) {
    if (HasSelectedRow()) {
      rowChosen_ = true;
      const QRect firstCell = visualRect(model_->index(currentRow_, 0));
      ShowContextMenu(firstCell.bottomLeft());
    }
    return;
  }
  if (HasSelectedRow() && RowCount() > 0) {
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        rowChosen_ = true;
        Q_EMIT editRequested();
        break;
      case Qt::Key_Delete:
        Q_EMIT deleteRequested();
        rowChosen_ = true;
        break;
      default: break;
    }
  }
  CListV::keyPressEvent(event);
}
