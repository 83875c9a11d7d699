#include "gui/list_view_base.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include "views/column_table.h"

CListV::CListV(QWidget* parent) : QTableView(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(false);
  setWordWrap(false);
  setTabKeyNavigation(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setMinimumSectionSize(1);  // the 20-pixel rule is kept below
  horizontalHeader()->setSectionsClickable(true);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, &CListV::OnSectionResized);
}

void CListV::OnSectionResized(int column, int oldWidth, int newWidth) {
  if (restoringWidth_) return;
  if (newWidth < kMinColumnWidth) {
    restoringWidth_ = true;
    horizontalHeader()->resizeSection(column, oldWidth);
    restoringWidth_ = false;
    return;
  }
  if (column >= 0 && column < g_columnCount) {
    g_columns[static_cast<std::size_t>(column)].width = newWidth;
  }
}

void CListV::paintEvent(QPaintEvent* event) {
  QTableView::paintEvent(event);
  PaintBeyondLastColumn();
}

// The selected row's highlight runs on past the last column to the window's right edge,
// with the focus frame around all of it.
void CListV::PaintBeyondLastColumn() {
  const QModelIndex current = selectionModel() ? selectionModel()->currentIndex() : QModelIndex();
  const QModelIndexList selected =
      selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
  QPainter painter(viewport());
  const int columnsEnd = horizontalHeader()->length() - horizontalHeader()->offset();
  for (const QModelIndex& row : selected) {
    const QRect first = visualRect(row.siblingAtColumn(0));
    if (!first.isValid() || columnsEnd >= viewport()->width()) continue;
    painter.fillRect(QRect(columnsEnd, first.top(), viewport()->width() - columnsEnd,
                           first.height()),
                     palette().highlight());
  }
  if (!hasFocus() || !current.isValid()) return;
  const QRect first = visualRect(current.siblingAtColumn(0));
  QStyleOptionFocusRect frame;
  frame.initFrom(this);
  frame.rect = QRect(first.left(), first.top(), std::max(columnsEnd, viewport()->width()) - first.left(),
                     first.height());
  frame.backgroundColor = palette().highlight().color();
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}
