// A deterministic book of realistic entries for benchmarks, demos and tests.
#pragma once

#include <cstdint>

#include "book/phone_book.h"

struct BookShape {
  int count = BOOK_CAPACITY;  // entries to generate, at most 10,000
  uint32_t seed = 1;
  int deletedPercent = 3;   // share of entries marked deleted
  int adapterEntries = 40;  // live entries marked as held by the adapter (at most 50)
};

// Fills `book` from slot 0 with `shape.count` entries; the same shape gives the same bytes.
// Readings cover every kana row, with voiced, semi-voiced and small kana, the long-vowel
// mark and leading spaces among them; numbers are written with and without separators.
void GenerateBook(PhoneBook& book, const BookShape& shape);
