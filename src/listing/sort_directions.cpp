#include "listing/sort_directions.h"

int32_t SortDirections::Toggle(int column) {
  int32_t& direction = directions_.at(static_cast<std::size_t>(column));
  direction = direction == kSortAscending ? kSortDescending : kSortAscending;
  return direction;
}
