// Readings as the entry rules want them: hiragana. Contacts files carry readings in
// half-width katakana (feature phones), full-width katakana or hiragana (phones and
// address books); the reading analyser answers in katakana.
#pragma once

#include <string>
#include <string_view>

// `utf8` with full- and half-width katakana turned into hiragana: a half-width (or a
// combining) voiced or semi-voiced mark joins the kana before it, the long-vowel mark
// stays (ｰ becomes ー), spaces stay (an ideographic one becomes a plain one) and a middle
// dot becomes a space. ヴ, ヵ and ヶ stay katakana: code page 932 has no hiragana for them.
// Everything else is left as it is, for the entry rules to point out.
std::string ToHiraganaReading(std::string_view utf8);

// Whether `utf8` held in code page 932 is a reading the entry rules accept.
bool IsAcceptedReading(std::string_view utf8);
