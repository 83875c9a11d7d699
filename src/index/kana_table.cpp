#include "index/kana_table.h"

#include <cstring>

// Code page 932 bytes; the comments give the characters.
const std::array<const char*, kKanaRowCount> KanaRowNames = {
    "\x82\xa0\x8ds",  // あ行
    "\x82\xa9\x8ds",  // か行
    "\x82\xb3\x8ds",  // さ行
    "\x82\xbd\x8ds",  // た行
    "\x82\xc8\x8ds",  // な行
    "\x82\xcd\x8ds",  // は行
    "\x82\xdc\x8ds",  // ま行
    "\x82\xe2\x8ds",  // や行
    "\x82\xe7\x8ds",  // ら行
    "\x82\xed\x8ds",  // わ行
};

// clang-format off
const std::array<std::array<const char*, kKanaSlotsPerRow>, kKanaRowCount> KanaRowTable = {{
    // あ い う え お ␣ ぁ ぃ ぅ ぇ ぉ
    {"\x82\xa0", "\x82\xa2", "\x82\xa4", "\x82\xa6", "\x82\xa8", " ", "\x82\x9f", "\x82\xa1",
     "\x82\xa3", "\x82\xa5", "\x82\xa7", "_", "_", "_", "_"},
    // か き く け こ が ぎ ぐ げ ご
    {"\x82\xa9", "\x82\xab", "\x82\xad", "\x82\xaf", "\x82\xb1", "\x82\xaa", "\x82\xac", "\x82\xae",
     "\x82\xb0", "\x82\xb2", "_", "_", "_", "_", "_"},
    // さ し す せ そ ざ じ ず ぜ ぞ
    {"\x82\xb3", "\x82\xb5", "\x82\xb7", "\x82\xb9", "\x82\xbb", "\x82\xb4", "\x82\xb6", "\x82\xb8",
     "\x82\xba", "\x82\xbc", "_", "_", "_", "_", "_"},
    // た ち つ て と だ ぢ づ で ど ␣ っ
    {"\x82\xbd", "\x82\xbf", "\x82\xc2", "\x82\xc4", "\x82\xc6", "\x82\xbe", "\x82\xc0", "\x82\xc3",
     "\x82\xc5", "\x82\xc7", " ", "\x82\xc1", "_", "_", "_"},
    // な に ぬ ね の
    {"\x82\xc8", "\x82\xc9", "\x82\xca", "\x82\xcb", "\x82\xcc", "_", "_", "_", "_", "_", "_", "_",
     "_", "_", "_"},
    // は ひ ふ へ ほ ば び ぶ べ ぼ ぱ ぴ ぷ ぺ ぽ
    {"\x82\xcd", "\x82\xd0", "\x82\xd3", "\x82\xd6", "\x82\xd9", "\x82\xce", "\x82\xd1", "\x82\xd4",
     "\x82\xd7", "\x82\xda", "\x82\xcf", "\x82\xd2", "\x82\xd5", "\x82\xd8", "\x82\xdb"},
    // ま み む め も
    {"\x82\xdc", "\x82\xdd", "\x82\xde", "\x82\xdf", "\x82\xe0", "_", "_", "_", "_", "_", "_", "_",
     "_", "_", "_"},
    // や ゆ よ ␣ ゃ ゅ ょ
    {"\x82\xe2", "\x82\xe4", "\x82\xe6", " ", "\x82\xe1", "\x82\xe3", "\x82\xe5", "_", "_", "_", "_",
     "_", "_", "_", "_"},
    // ら り る れ ろ
    {"\x82\xe7", "\x82\xe8", "\x82\xe9", "\x82\xea", "\x82\xeb", "_", "_", "_", "_", "_", "_", "_",
     "_", "_", "_"},
    // わ を ん ␣ ゎ ー␣ ␣␣
    {"\x82\xed", "\x82\xf0", "\x82\xf1", " ", "\x82\xec", "\x81[ ", "  ", "_", "_", "_", "_", "_",
     "_", "_", nullptr},
}};
// clang-format on

bool IsKanaFiller(const char* slot) {
  return slot == nullptr || std::strcmp(slot, "_") == 0;
}

bool KanaSlotMatches(const char* slot, const char* text) {
  return slot != nullptr && std::strncmp(slot, text, 2) == 0;
}
