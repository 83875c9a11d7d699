#include "gui/search/search_result_model.h"

#include <array>

#include "gui/common/qt_text.h"
#include "index/search_match.h"

namespace {

constexpr int kResultColumns = 3;

}  // namespace

void SearchResultModel::SetResults(const PhoneBook& book, const std::vector<int>& indices,
                                   int condition) {
  beginResetModel();
  rows_.clear();
  for (int index : indices) {
    if (book.IsValidIndex(index)) rows_.push_back(book[index]);
  }
  condition_ = KnownSearchCondition(condition);
  endResetModel();
}

std::string_view SearchResultModel::CellBytes(int row, int column) const {
  if (row < 0 || row >= rowCount()) return {};
  return SearchResultText(rows_[static_cast<std::size_t>(row)], condition_, column);
}

int SearchResultModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SearchResultModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kResultColumns;
}

QVariant SearchResultModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  return FromCp932(CellBytes(index.row(), index.column()));
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kResultColumns) {
    return {};
  }
  return QString::fromUtf8(SearchResultHeading(condition_, section));
}
