#include "gui/row_painter.h"

#include <QPainter>

#include "gui/book_list_model.h"
#include "gui/qt_text.h"
#include "platform/cp932.h"
#include "views/text_fitting.h"

namespace {

// The number of characters in a code page 932 text: what one QString character stands for.
int CharacterCount(std::string_view cp932, std::size_t bytes) {
  int count = 0;
  for (std::size_t i = 0; i < bytes; ++count) {
    i += cp932::IsLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size() ? 2 : 1;
  }
  return count;
}

}  // namespace

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

  // Each cell is converted once; a prefix of whole characters is a prefix of the QString.
  const QString text = FromCp932(bytes);
  const QFontMetrics metrics(option.font);
  const FittedText fit = ShortenToWidth(
      bytes, cell.width(), kFitOffset, metrics.horizontalAdvance(QStringLiteral("...")),
      [&](std::size_t prefix) {
        return metrics.horizontalAdvance(text.left(CharacterCount(bytes, prefix)));
      });
  const QString shown = fit.Shortened(bytes.size()) ? FromCp932(FittedBytes(bytes, fit)) : text;

  Qt::Alignment alignment = Qt::AlignLeft;
  if (!firstColumn && !fit.Shortened(bytes.size())) alignment = model_.ColumnAlignment(index.column());
  painter->save();
  painter->setFont(option.font);
  painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
  const QRect textArea = cell.adjusted(kCellInset, 0, -kCellInset, 0);
  if (!firstColumn) painter->setClipRect(textArea);  // the first column is drawn unclipped
  painter->drawText(textArea, static_cast<int>(alignment | Qt::AlignVCenter | Qt::TextSingleLine),
                    shown);
  painter->restore();
}
