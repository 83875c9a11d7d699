// What the column-setting dialog stores when the user confirms a choice of columns.
// Headings are code page 932.
#pragma once

#include <cstdint>
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
