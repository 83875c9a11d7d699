// The plain baseline of the passes over the book: reading two bytes of one field of
// every entry, the least a pass that looks at each entry can do.
#pragma once

#include <cstddef>

#include "calldir/calldir.h"

namespace baseline {

// A pass reading two bytes of one field of every entry: the first entry whose field starts
// with `pair`, else -1.
template <std::size_t N>
int FirstWithLeadingPair(const BookEntry* book, int count, const char (BookEntry::*field)[N],
                         const char* pair) {
  for (int i = 0; i < count; ++i) {
    const char* text = book[i].*field;
    if (text[0] == pair[0] && text[1] == pair[1]) return i;
  }
  return -1;
}

}  // namespace baseline
