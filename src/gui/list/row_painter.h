// Paints the cells of the phone-book list: the whole row highlighted when selected, texts
// shortened with "..." to their column without splitting a double-byte character, the
// first column always left-aligned and the others by their column's alignment unless
// shortened.
#pragma once

#include <QStyledItemDelegate>

class BookListModel;

class RowPainter final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit RowPainter(const BookListModel& model, QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

  // The horizontal margin inside a cell and the extra room a text must leave, in pixels.
  static constexpr int kCellInset = 2;
  static constexpr int kFitOffset = 4;
  // The first column gives up the width of the list's (invisible) one-pixel state image.
  static constexpr int kStateImageWidth = 1;

 private:
  const BookListModel& model_;
};
