// CListV: the report list the phone-book list builds on. Single selection of whole rows,
// the highlight of the selected row reaching the right edge of the window, columns never
// narrower than 20 pixels, and dragged widths carried into the column table.
#pragma once

#include <QTableView>

class CListV : public QTableView {
  Q_OBJECT

 public:
  explicit CListV(QWidget* parent = nullptr);

  // A column dragged narrower than this keeps its last accepted width.
  static constexpr int kMinColumnWidth = 20;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void OnSectionResized(int column, int oldWidth, int newWidth);
  void PaintBeyondLastColumn();

  bool restoringWidth_ = false;
};
