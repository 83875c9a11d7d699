// What the phone-book list remembers between events: the row the user picked and each
// column position's sort direction. Plain values the list, the edit dialog and the delete
// operation share on the one GUI thread.
#pragma once

#include <array>
#include <cstdint>

#include "listing/column_table.h"

inline constexpr int32_t kSortAscending = 1;
inline constexpr int32_t kSortDescending = 2;

// The list row the edit dialog and the delete operation act on: the row the user selected
// last. It keeps its value across a refill.
extern int32_t g_currentRow;

// 1 when the user has picked a row (a click on a row, Enter, Delete); 0 after a click beside
// the rows. The edit dialog reads it to choose between the current entry and a new one.
extern int32_t g_rowChosen;

// The sort direction of each column position; each starts ascending, so the first click on
// a heading sorts it descending.
extern std::array<int32_t, kMaxColumns> g_sortDir;

// Flips the direction of column position `column` and returns the new one.
int32_t ToggleSortDirection(int column);
