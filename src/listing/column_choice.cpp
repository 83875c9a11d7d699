#include "listing/column_choice.h"

#include <algorithm>
#include <string_view>

#include "platform/text_bytes.h"

namespace {

constexpr int32_t kNarrowestWidth = 5;  // pixels; narrower means the row never held a column
constexpr int32_t kNewColumnWidth = 60;

// The default column's field for `heading`. A heading that names none (only a hand-edited
// DUDODE.ini can bring one) shows the number, as the column table reads such a column.
int32_t FieldOfHeading(std::string_view heading) {
  const ColumnTable& defaults = DefaultColumns();
  for (const ColumnDef& column : defaults) {
    if (text_bytes::FieldText(column.heading) == heading) return column.fieldId;
  }
  return kFieldNumber;
}

int32_t AlignmentOfField(int32_t fieldId) {
  return fieldId == kFieldFax || fieldId == kFieldPostalCode ? kAlignRight : kAlignLeft;
}

}  // namespace

int32_t StoreChosenColumns(ColumnTable& table, const std::vector<std::string>& headings) {
  const auto count = static_cast<int32_t>(std::min<std::size_t>(headings.size(), kMaxColumns));
  for (int32_t j = 0; j < count; ++j) {
    ColumnDef& row = table[static_cast<std::size_t>(j)];
    text_bytes::FillField(row.heading, headings[static_cast<std::size_t>(j)]);
    row.fieldId = FieldOfHeading(text_bytes::FieldText(row.heading));
    row.format = AlignmentOfField(row.fieldId);
    if (row.width < kNarrowestWidth) row.width = kNewColumnWidth;
  }
  return count;
}

void PrepareAllColumns(ColumnTable& table, int32_t count) {
  const ColumnTable& defaults = DefaultColumns();
  for (int32_t j = std::max(count, 0); j < kMaxColumns; ++j) {
    table[static_cast<std::size_t>(j)] = defaults[static_cast<std::size_t>(j)];
  }
}
