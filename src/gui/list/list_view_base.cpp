#include "gui/list/list_view_base.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include "gui/list/cell_fitting.h"
#include "gui/common/qt_text.h"
#include "listing/column_table.h"

namespace {

// Headings shortened as the cells are: ending in "...", never splitting a character.
class ListHeader final : public QHeaderView {
 public:
  explicit ListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

 protected:
  void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override {
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, option, this);
    int width = sectionSize(logicalIndex) - 2 * margin;
    if (option->sortIndicator != QStyleOptionHeader::None) {
      width -= style()->pixelMetric(QStyle::PM_HeaderMarkSize, option, this) + margin;
    }
    option->text = FitCellText(ToCp932(option->text), option->fontMetrics, width, 0).text;
  }
};

}  // namespace

CListV::CListV(ListColumns& columns, QWidget* parent) : RowTableView(parent), columns_(columns) {
  setHorizontalHeader(new ListHeader(this));
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setMinimumSectionSize(1);  // the 20-pixel rule is kept below
  horizontalHeader()->setSectionsClickable(true);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, &CListV::OnSectionResized);
}

void CListV::SetStoredColumnWidth(int column, int width) {
  settingWidth_ = true;
  horizontalHeader()->resizeSection(column, width);
  settingWidth_ = false;
}

void CListV::OnSectionResized(int column, int oldWidth, int newWidth) {
  if (settingWidth_) return;
  if (newWidth < kMinColumnWidth) {
    SetStoredColumnWidth(column, oldWidth);
    return;
  }
  if (column >= 0 && column < columns_.count) {
    columns_.table[static_cast<std::size_t>(column)].width = newWidth;
  }
}

void CListV::paintEvent(QPaintEvent* event) {
  RowTableView::paintEvent(event);
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
