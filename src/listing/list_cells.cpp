#include "listing/list_cells.h"

#include <algorithm>
#include <string>

#include "book/phone_match.h"
#include "listing/column_table.h"
#include "listing/sort_directions.h"

namespace {

using text_bytes::FieldText;

// A cell's sort key holds at most this many bytes of its text.
constexpr std::size_t kSortKeyBytes = 89;

std::string_view FieldOf(const BookEntry& entry, int32_t fieldId) {
  switch (fieldId) {
    case kFieldNumber: return FieldText(entry.number);
    case kFieldInAdapterMark: return entry.inAdapter == 1 ? kMarkYes : kMarkBlank;
    case kFieldCallAcceptMark:
      if (entry.inAdapter == 0) return kMarkBlank;
      return FieldText(entry.callAccept) == "1" ? kMarkYes : kMarkNo;
    case kFieldName: return FieldText(entry.name);
    case kFieldNameKana: return FieldText(entry.nameKana);
    case kFieldFax: return FieldText(entry.fax);
    case kFieldAddress: return FieldText(entry.address);
    case kFieldRegisteredName: return FieldText(entry.registeredName);
    case kFieldPostalCode: return FieldText(entry.postalCode);
    case kFieldCompany: return FieldText(entry.company);
    case kFieldCompanyAddress: return FieldText(entry.companyAddress);
    case kFieldEmail: return FieldText(entry.email);
    default: return {};
  }
}

}  // namespace

std::string_view CellText(const BookEntry& entry, int position, int32_t fieldId) {
  if (fieldId == kFieldNumber && position != 0) return {};
  return FieldOf(entry, fieldId);
}

std::vector<int> ListedEntries(const PhoneBook& book, int count) {
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int j = 0; j < count; ++j) {
    const int index = book[j].viewSlot;
    if (book.IsValidIndex(index) && book[index].deleted != 1) rows.push_back(index);
  }
  return rows;
}

void SortRows(const PhoneBook& book, std::vector<int>& rows, int position, int32_t fieldId,
              int32_t direction) {
  struct Keyed {
    std::string key;
    int index;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(rows.size());
  for (const int index : rows) {
    const std::string_view cell = CellText(book[index], position, fieldId);
    const std::string_view cut = cell.substr(0, text_bytes::BoundaryLength(cell, kSortKeyBytes));
    keyed.push_back({std::string(StripHyphens(cut).view()), index});
  }
  // std::string compares its bytes as unsigned char, as strcmp does.
  const bool descending = direction == kSortDescending;
  std::stable_sort(keyed.begin(), keyed.end(), [descending](const Keyed& a, const Keyed& b) {
    return descending ? b.key < a.key : a.key < b.key;
  });
  for (std::size_t r = 0; r < rows.size(); ++r) rows[r] = keyed[r].index;
}
