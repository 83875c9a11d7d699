// The kana rows of the index: row names and, per row, the kana that belong to it.
// Everything is code page 932 bytes.
#pragma once

#include <array>

inline constexpr int kKanaRowCount = 10;
inline constexpr int kKanaSlotsPerRow = 15;

// "あ行" to "わ行".
extern const std::array<const char*, kKanaRowCount> KanaRowNames;

// Per row: its plain kana first (at most five), then in か行, さ行, た行 and は行 the voiced
// forms (slot k+5 voices slot k) and in は行 the semi-voiced ones (slot k+10), then the
// small kana and marks that count for the row. "_" fills a row's unused slots; the last
// slot of the last row is empty (null).
extern const std::array<std::array<const char*, kKanaSlotsPerRow>, kKanaRowCount> KanaRowTable;

// The filler that ends a row's meaningful slots.
bool IsKanaFiller(const char* slot);

// The comparison used between a text and a table slot: at most two bytes, stopping early
// when both end. "あ" matches any text that starts with あ; " " only the text " ".
bool KanaSlotMatches(const char* slot, const char* text);
