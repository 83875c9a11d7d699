// What the main window keeps for the whole run besides the book: the list's columns, the
// kana filter the list is shown under, and the search's last condition, which outlives the
// search dialog. The frame owns it and hands each part to the widget that uses it.
#pragma once

#include <cstdint>

#include "index/kana_filter.h"
#include "index/search_match.h"
#include "listing/column_table.h"

struct Session {
  ListColumns columns;
  // The text of the kana tree's node selected last (code page 932); empty until the first
  // selection, when a refresh lists nothing.
  char kanaFilter[kKanaFilterSize] = {};
  int32_t searchCondition = kSearchByNumber;
};
