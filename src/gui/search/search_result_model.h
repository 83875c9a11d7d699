// The search dialog's result rows: copies of the matching entries taken when the search ran,
// so the rows keep showing what was found while the edit dialog changes the book.
#pragma once

#include <QAbstractTableModel>
#include <string_view>
#include <vector>

#include "book/phone_book.h"

class SearchResultModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Shows the entries `indices` of `book` under `condition`, whose columns it takes.
  void SetResults(const PhoneBook& book, const std::vector<int>& indices, int condition);

  // The text of a cell, code page 932; empty outside the rows.
  std::string_view CellBytes(int row, int column) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::vector<BookEntry> rows_;  // at most the book's capacity
  int condition_ = 0;
};
