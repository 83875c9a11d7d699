// Finding entries by phone number, registered name or kana reading: the checks on the typed
// text, the prefix match with separators ignored, and which entries the edit button opens.
// Texts are code page 932; messages are UTF-8.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "book/phone_book.h"

// The search conditions, in the order the condition box lists them (its item index).
enum SearchCondition : int32_t {
  kSearchByNumber = 0,
  kSearchByRegisteredName = 1,
  kSearchByNameKana = 2,
};
inline constexpr int kSearchConditionCount = 3;

// `condition` when it is one of the three, else the number: a value from outside (a
// process-wide one) never indexes past a table.
int KnownSearchCondition(int condition);

// The condition box's item for `condition` (UTF-8): "電話番号", "登録名称", "氏名かな".
const char* SearchConditionName(int condition);

// The heading (UTF-8) of result column `column` (0 to 2) under `condition`.
const char* SearchResultHeading(int condition, int column);

// Bytes the search text may hold under `condition`: 22, 20 or 30.
int SearchInputLimit(int condition);

// The message the typed text earns under `condition`, or nullptr when the text may be
// searched for.
const char* SearchInputError(int condition, std::string_view input);

// The live entries whose key field, separators removed, begins with `input` with its
// separators removed, in book order. An input that keeps nothing lists every live entry.
std::vector<int> FindSearchMatches(const PhoneBook& book, int condition, std::string_view input);

// The text of result column `column` (0 to 2) of `entry` under `condition`.
std::string_view SearchResultText(const BookEntry& entry, int condition, int column);

// The live entries, in book order, that the picked row stands for: the number equals
// `col0` (condition 0), or the registered name or reading equals `col0` and the number
// equals `col1`. None when `col0` is empty.
std::vector<int> EntriesOfPickedRow(const PhoneBook& book, int condition, std::string_view col0,
                                    std::string_view col1);
