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

namespace {

// The top available heading is the number, which every list shows first and no one adds.
constexpr int kNumberRow = 0;

bool IsFull(const std::vector<std::string>& shown) {
  return shown.size() >= kMaxColumns;
}

std::string_view HeadingOfRow(int availableRow) {
  return text_bytes::FieldText(DefaultColumns()[static_cast<std::size_t>(availableRow)].heading);
}

bool IsShown(const std::vector<std::string>& shown, int availableRow) {
  return std::find(shown.begin(), shown.end(), HeadingOfRow(availableRow)) != shown.end();
}

bool IsNoneOrNumber(int availableRow) {
  return availableRow < 0 || availableRow >= kMaxColumns || availableRow == kNumberRow;
}

}  // namespace

ColumnStep SelectAvailable(const std::vector<std::string>& shown, int availableRow) {
  if (IsNoneOrNumber(availableRow)) return {ColumnRefusal::None, false, false};
  if (IsFull(shown)) return {ColumnRefusal::AlreadyShown, false, std::nullopt};
  if (IsShown(shown, availableRow)) return {ColumnRefusal::AlreadyShown, false, false};
  return {ColumnRefusal::None, false, true};
}

ColumnStep AddByDoubleClick(const std::vector<std::string>& shown, int availableRow) {
  if (availableRow < 0 || availableRow >= kMaxColumns) return {};
  if (availableRow == kNumberRow) return {ColumnRefusal::CannotAdd, false, std::nullopt};
  if (IsFull(shown) || IsShown(shown, availableRow)) {
    return {ColumnRefusal::AlreadyShown, false, std::nullopt};
  }
  return {ColumnRefusal::None, true, std::nullopt};
}

ColumnStep AddByButton(const std::vector<std::string>& shown, int availableRow) {
  if (IsFull(shown)) return {ColumnRefusal::AlreadyShown, false, std::nullopt};
  if (IsNoneOrNumber(availableRow)) return {ColumnRefusal::None, false, false};
  if (IsShown(shown, availableRow)) return {ColumnRefusal::AlreadyShown, false, false};
  return {ColumnRefusal::None, true, true};
}

RemoveStep RemoveShown(int shownRow, int availableRow) {
  RemoveStep step;
  if (shownRow == 0) step.refusal = ColumnRefusal::CannotRemove;
  step.removes = shownRow > 0;
  step.addEnabled = availableRow != kNumberRow;
  return step;
}

bool CanRemoveShown(int shownRow) {
  return shownRow != 0;
}
