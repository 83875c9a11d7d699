// Each column position's sort direction, which the list keeps for the whole run.
#pragma once

#include <array>
#include <cstdint>

#include "listing/column_table.h"

inline constexpr int32_t kSortAscending = 1;
inline constexpr int32_t kSortDescending = 2;

class SortDirections {
 public:
  // Each starts ascending, so the first click on a heading sorts it descending.
  SortDirections() { directions_.fill(kSortAscending); }

  // Flips the direction of column position `column` and returns the new one.
  int32_t Toggle(int column);

  int32_t Of(int column) const { return directions_.at(static_cast<std::size_t>(column)); }

 private:
  std::array<int32_t, kMaxColumns> directions_;
};
