#include "gui/list/row_painter.h"

#include <QPainter>

#include "gui/list/book_list_model.h"
#include "gui/list/cell_fitting.h"

RowPainter::RowPainter(const BookListModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

void RowPainter::paint(QPainter* painter, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const {
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  const QPalette& palette = option.palette;
  painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());

  const std::string_view bytes = model_.CellBytes(index.row(), index.column());
  if (bytes.empty()) return;
  const bool firstColumn = index.column() == 0;
  QRect cell = option.rect;
  if (firstColumn) cell.setRight(cell.right() - kStateImageWidth);

  const FittedCell shown = FitCellText(bytes, QFontMetrics(option.font), cell.width(), kFitOffset);

  Qt::Alignment alignment = Qt::AlignLeft;
  if (!firstColumn && !shown.shortened) alignment = model_.ColumnAlignment(index.column());
  painter->save();
  painter->setFont(option.font);
  painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
  const QRect textArea = cell.adjusted(kCellInset, 0, -kCellInset, 0);
  if (!firstColumn) painter->setClipRect(textArea);  // the first column is drawn unclipped
  painter->drawText(textArea, static_cast<int>(alignment | Qt::AlignVCenter | Qt::TextSingleLine),
                    shown.text);
  painter->restore();
}
