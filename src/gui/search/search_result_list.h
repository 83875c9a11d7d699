// The search dialog's result rows. A row is picked by a click on it or by a key that moves
// the current row; gaining the focus picks nothing.
#pragma once

#include "gui/list/row_table_view.h"

class SearchResultList final : public RowTableView {
  Q_OBJECT

 public:
  explicit SearchResultList(QWidget* parent);

 Q_SIGNALS:
  // A key moved the current row to `row`.
  void rowPickedByKey(int row);
  // Any key was pressed in the list.
  void keyPressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
