#include "listing/list_state.h"

int32_t g_currentRow = 0;
int32_t g_rowChosen = 0;
std::array<int32_t, kMaxColumns> g_sortDir = [] {
  std::array<int32_t, kMaxColumns> all{};
  all.fill(kSortAscending);
  return all;
}();

int32_t ToggleSortDirection(int column) {
  int32_t& direction = g_sortDir.at(static_cast<std::size_t>(column));
  direction = direction == kSortAscending ? kSortDescending : kSortAscending;
  return direction;
}
