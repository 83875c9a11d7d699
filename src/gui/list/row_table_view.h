// A table that lists whole rows, as a report list does: single selection of whole rows,
// rows one line of the list's font high, and keys that move between rows, never along the
// columns. Home, End, Ctrl+Home and Ctrl+End go to the first and the last row; Left and
// Right scroll the columns; moving between rows never scrolls sideways. Gaining the focus
// chooses no row, so the first Down selects the first row.
#pragma once

#include <QTableView>

class RowTableView : public QTableView {
  Q_OBJECT

 public:
  explicit RowTableView(QWidget* parent = nullptr);

  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

  // Repaints row `row` across the whole width of the window, past the last column too.
  void UpdateRow(int row);
};
