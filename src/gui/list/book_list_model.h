// The phone-book list's model: one row per live entry of the display list, one column per
// row of the column table. Cells are read from the book when asked for, so a refill copies
// nothing and only the rows on screen are ever converted.
#pragma once

#include <QAbstractTableModel>
#include <string_view>
#include <vector>

#include "book/phone_book.h"
#include "listing/column_table.h"

class BookListModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  BookListModel(const PhoneBook& book, const ListColumns& columns, QObject* parent = nullptr);

  // Rebuilds the columns from the column table and the rows from the first `count` slots
  // of the display list, in display-list order.
  void Fill(int count);

  // Orders the rows by the cells of column position `position`, in `direction`.
  void SortByColumn(int position, int32_t direction);

  // The book index of the entry row `row` shows, or -1.
  int EntryIndexOfRow(int row) const;

  // The code page 932 text of a cell, as the list keeps it.
  std::string_view CellBytes(int row, int position) const;

  // The alignment the column table gives column position `position`.
  Qt::Alignment ColumnAlignment(int position) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const ColumnDef& Column(int position) const;

  const PhoneBook& book_;
  const ListColumns& columns_;
  std::vector<int> rows_;  // book indexes, in the order shown
  int columnCount_ = 0;
};
