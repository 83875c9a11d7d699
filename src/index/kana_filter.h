// The kana filter: builds the list's display list from the book and the text of the node
// selected in the kana index tree.
#pragma once

#include <cstddef>
#include <string_view>

#include "book/phone_book.h"

// The tree's root text, "電話帳" in code page 932: it lists every entry.
inline constexpr std::string_view kKanaRootText = "\x93\x64\x98\x62\x92\xa0";

// The filter text is a tree node's text: at most 7 bytes and the terminator.
inline constexpr std::size_t kKanaFilterSize = 8;

// Selects the entries whose reading matches `filterText` (the root text, a row name such as
// "か行", or a plain kana such as "か") and writes the display list: for j below the result,
// the viewSlot of entry j holds the index of the j-th selected entry, in book order.
// Under the root text deleted entries are listed too; the list leaves them out.
int ApplyKanaFilter(PhoneBook& book, std::string_view filterText);
