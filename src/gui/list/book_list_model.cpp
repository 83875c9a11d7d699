#include "gui/list/book_list_model.h"

#include "gui/common/qt_text.h"
#include "listing/list_cells.h"
#include "platform/text_bytes.h"

BookListModel::BookListModel(const PhoneBook& book, const ListColumns& columns, QObject* parent)
    : QAbstractTableModel(parent), book_(book), columns_(columns) {}

const ColumnDef& BookListModel::Column(int position) const {
  return columns_.table[static_cast<std::size_t>(position)];
}

void BookListModel::Fill(int count) {
  beginResetModel();
  columnCount_ = columns_.count;
  rows_ = ListedEntries(book_, count);
  endResetModel();
}

void BookListModel::SortByColumn(int position, int32_t direction) {
  if (position < 0 || position >= columnCount_) return;
  Q_EMIT layoutAboutToBeChanged();
  SortRows(book_, rows_, position, Column(position).fieldId, direction);
  Q_EMIT layoutChanged();
}

int BookListModel::EntryIndexOfRow(int row) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return -1;
  return rows_[static_cast<std::size_t>(row)];
}

std::string_view BookListModel::CellBytes(int row, int position) const {
  const int index = EntryIndexOfRow(row);
  if (index < 0 || position < 0 || position >= columnCount_) return {};
  return CellText(book_[index], position, Column(position).fieldId);
}

Qt::Alignment BookListModel::ColumnAlignment(int position) const {
  if (position < 0 || position >= columnCount_) return Qt::AlignLeft;
  switch (Column(position).format) {
    case kAlignRight: return Qt::AlignRight;
    case kAlignCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

int BookListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BookListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columnCount_;
}

QVariant BookListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: return FromCp932(CellBytes(index.row(), index.column()));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(ColumnAlignment(index.column()) | Qt::AlignVCenter);
    default: return {};
  }
}

QVariant BookListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount_) return {};
  switch (role) {
    case Qt::DisplayRole: return FromCp932(text_bytes::FieldText(Column(section).heading));
    case Qt::TextAlignmentRole: {
      // The first column is always left-aligned, its heading as its cells.
      const Qt::Alignment alignment = section == 0 ? Qt::AlignLeft : ColumnAlignment(section);
      return QVariant::fromValue(alignment | Qt::AlignVCenter);
    }
    default: return {};
  }
}
