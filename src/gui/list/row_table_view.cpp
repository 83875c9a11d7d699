#include "gui/list/row_table_view.h"

#include <QHeaderView>
#include <QScrollBar>

RowTableView::RowTableView(QWidget* parent) : QTableView(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(false);
  setWordWrap(false);
  setTabKeyNavigation(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}

void RowTableView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  // The current cell's column means nothing in a list of rows: only rows scroll into view.
  const int sideways = horizontalScrollBar()->value();
  QTableView::scrollTo(index, hint);
  horizontalScrollBar()->setValue(sideways);
}

QModelIndex RowTableView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const int rows = model() != nullptr ? model()->rowCount(rootIndex()) : 0;
  const int column = std::max(currentIndex().column(), 0);
  switch (action) {
    case MoveHome: return rows > 0 ? model()->index(0, column, rootIndex()) : QModelIndex();
    case MoveEnd: return rows > 0 ? model()->index(rows - 1, column, rootIndex()) : QModelIndex();
    case MoveLeft:
    case MoveRight: {
      QScrollBar* bar = horizontalScrollBar();
      bar->setValue(bar->value() + (action == MoveLeft ? -bar->singleStep() : bar->singleStep()));
      return currentIndex();
    }
    default: return QTableView::moveCursor(action, modifiers);
  }
}

void RowTableView::focusInEvent(QFocusEvent* event) {
  const bool hadCurrent = currentIndex().isValid();
  QTableView::focusInEvent(event);
  // Qt makes the first row current when the list gains the focus without one; the focus
  // alone must not choose a row.
  if (!hadCurrent && currentIndex().isValid()) selectionModel()->clearCurrentIndex();
  viewport()->update();  // the focus frame appears
}

void RowTableView::focusOutEvent(QFocusEvent* event) {
  QTableView::focusOutEvent(event);
  viewport()->update();  // the focus frame goes
}

void RowTableView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  // Qt repaints only the cells of the two indexes; the focus frame runs across the row.
  if (previous.isValid()) UpdateRow(previous.row());
  if (current.isValid()) UpdateRow(current.row());
}

void RowTableView::selectionChanged(const QItemSelection& selected,
                                    const QItemSelection& deselected) {
  QTableView::selectionChanged(selected, deselected);
  for (const QItemSelection* ranges : {&selected, &deselected}) {
    for (const QItemSelectionRange& range : *ranges) {
      for (int row = range.top(); row <= range.bottom(); ++row) UpdateRow(row);
    }
  }
}

void RowTableView::UpdateRow(int row) {
  viewport()->update(QRect(0, rowViewportPosition(row), viewport()->width(), rowHeight(row)));
}
