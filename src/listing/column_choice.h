// What the column-setting dialog stores when the user confirms a choice of columns.
// Headings are code page 932.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "listing/column_table.h"

// Stores `headings` (the shown columns, in order, at most 12 taken) as the first rows of
// `table` and returns how many it stored. Widths belong to positions: row j keeps its width,
// but one below 5 (a row that never held a column) becomes 60. Each row takes the field its
// heading names among the default columns, and the alignment that goes with the name:
// right for the FAX number and the postal code, left for every other column.
int32_t StoreChosenColumns(ColumnTable& table, const std::vector<std::string>& headings);

// Readies `table` for a choice of all twelve columns: rows from `count` on, not in use yet,
// take the default rows, so columns placed there get the default widths; the rows in use
// keep the widths the user gave them.
void PrepareAllColumns(ColumnTable& table, int32_t count);

// What the column-setting dialog does when the user acts on its lists, decided over plain
// lists: the headings shown (code page 932, in order) and the row of the available list
// that is selected (its row in DefaultColumns, -1 for none). Each act keeps its own order of
// checks, as the dialog always had it.
enum class ColumnRefusal { None, AlreadyShown, CannotAdd, CannotRemove };

struct ColumnStep {
  ColumnRefusal refusal = ColumnRefusal::None;  // the message to show, if any
  bool appends = false;                          // the selected heading goes to the end
  std::optional<bool> addEnabled;                // the add button's new state; none: as it is
};

// The selection moves in the available list.
ColumnStep SelectAvailable(const std::vector<std::string>& shown, int availableRow);

// A double-click on the selected available heading.
ColumnStep AddByDoubleClick(const std::vector<std::string>& shown, int availableRow);

// The add button.
ColumnStep AddByButton(const std::vector<std::string>& shown, int availableRow);

// The remove button or a double-click in the shown list, on shown row `shownRow` (-1 for
// none): the top row is never removed. `removes` says whether the row goes.
struct RemoveStep {
  ColumnRefusal refusal = ColumnRefusal::None;
  bool removes = false;
  bool addEnabled = false;
};
RemoveStep RemoveShown(int shownRow, int availableRow);

// Whether the remove button is enabled with shown row `shownRow` selected.
bool CanRemoveShown(int shownRow);
