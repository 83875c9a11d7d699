// What the phone-book list shows in its cells and how a heading click orders its rows.
// Texts are code page 932 bytes, exactly as the book holds them.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "book/phone_book.h"

// The marks of the adapter columns, in code page 932.
inline constexpr std::string_view kMarkYes = "\x81\x9b";  // "○"
inline constexpr std::string_view kMarkNo = "\x81\x7e";   // "×"
inline constexpr std::string_view kMarkBlank = " ";

// The text of the cell in column position `position` showing field `fieldId`. The number
// appears only in the first column; a field id of 0 elsewhere, or one outside the table,
// gives an empty cell.
std::string_view CellText(const BookEntry& entry, int position, int32_t fieldId);

// The live entries of the display list, in display-list order: for j below `count`, the
// entry that the viewSlot of slot j names, unless it is deleted.
std::vector<int> ListedEntries(const PhoneBook& book, int count);

// Orders `rows` (book indexes) by the cells of column position `position`: the cell text
// cut to 89 bytes on a character boundary, every "-" removed, compared byte by byte as
// unsigned values; descending when `direction` is kSortDescending. Equal keys keep their
// order. Keys are made once per sort.
void SortRows(const PhoneBook& book, std::vector<int>& rows, int position, int32_t fieldId,
              int32_t direction);
