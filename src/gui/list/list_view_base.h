// CListV: the report list the phone-book list builds on. Single selection of whole rows,
// the highlight of the selected row reaching the right edge of the window, headings that
// end in "..." as the cells do, columns never dragged narrower than 20 pixels, and dragged
// widths carried into the column table.
#pragma once

#include "gui/list/row_table_view.h"

struct ListColumns;

class CListV : public RowTableView {
  Q_OBJECT

 public:
  // The widths the user drags go to `columns`.
  explicit CListV(ListColumns& columns, QWidget* parent = nullptr);

  // A column dragged narrower than this keeps its last accepted width.
  static constexpr int kMinColumnWidth = 20;

 protected:
  void paintEvent(QPaintEvent* event) override;

  // Gives column `column` the width the column table stores, narrow or not: the 20-pixel
  // rule refuses only the user's own narrowing of a heading.
  void SetStoredColumnWidth(int column, int width);

 private:
  void OnSectionResized(int column, int oldWidth, int newWidth);
  void PaintBeyondLastColumn();

  ListColumns& columns_;
  bool settingWidth_ = false;
};
