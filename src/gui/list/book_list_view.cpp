#include "gui/list/book_list_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "book/phone_book.h"
#include "gui/list/book_list_model.h"
#include "gui/list/row_painter.h"
#include "index/kana_filter.h"
#include "platform/program_folder.h"
#include "listing/column_table.h"
#include "listing/list_state.h"

CDudOdeView* g_listView = nullptr;

CDudOdeView::CDudOdeView(PhoneBook& book, QWidget* parent)
    : CListV(parent),
      book_(book),
      model_(new BookListModel(book, this)),
      painter_(new RowPainter(*model_, this)) {
  setObjectName("phoneBookList");
  setAccessibleName(QStringLiteral("電話帳一覧"));
  setModel(model_);
  setItemDelegate(painter_);
  connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CDudOdeView::SortOnColumn);
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { OnCurrentRowChanged(current); });
}

void CDudOdeView::OnInitialUpdate() {
  g_columnCount = LoadColumns(g_columnIniPath, g_columns);
  FillList(book_.entryCount());  // the display list is still the whole book in book order
}

void CDudOdeView::FillList(int count) {
  model_->Fill(count);
  horizontalHeader()->setSortIndicatorShown(false);
  for (int i = 0; i < g_columnCount; ++i) {
    SetStoredColumnWidth(i, g_columns[static_cast<std::size_t>(i)].width);
  }
  clearSelection();
  scrollToTop();  // as a list emptied and filled again
}

void CDudOdeView::RefreshList() {
  FillList(ApplyKanaFilter(book_, g_kanaFilter));
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
  const int32_t direction = ToggleSortDirection(column);
  model_->SortByColumn(column);
  horizontalHeader()->setSortIndicator(
      column, direction == kSortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
  horizontalHeader()->setSortIndicatorShown(true);
}

// The current row follows the selection the user makes, never what was painted; a refill
// that clears the selection leaves it as it was.
void CDudOdeView::OnCurrentRowChanged(const QModelIndex& current) {
  if (current.isValid()) g_currentRow = current.row();
}

void CDudOdeView::mousePressEvent(QMouseEvent* event) {
  const bool onRow = indexAt(event->position().toPoint()).isValid();
  g_rowChosen = onRow ? 1 : 0;
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
  if (HasSelectedRow() && RowCount() > 0) {
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        g_rowChosen = 1;
        Q_EMIT editRequested();
        break;
      case Qt::Key_Delete:
        Q_EMIT deleteRequested();
        g_rowChosen = 1;
        break;
      default: break;
    }
  }
  CListV::keyPressEvent(event);
}
