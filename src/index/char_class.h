// Character-class tests on code page 932 byte strings, shared by the entry editor and the
// search. Each reads its argument up to the terminator and never past it.
#pragma once

#include <string_view>

#include "platform/text_bytes.h"

// No byte of the text begins a double-byte character. True for the empty text.
bool IsSingleByteText(std::string_view text);

// Every byte is half-width katakana (0xA2-0xDF) or a space or control byte.
bool IsHalfKanaText(std::string_view text);

// Every byte is a digit "0"-"9" or one of "-", "#", "*".
bool IsPhoneText(std::string_view text);

// The text holds a double-byte character and, once spaces and commas are removed, consists
// only of kana of the index rows (hiragana, small kana and the long-vowel mark).
bool IsHiraganaReading(std::string_view text);

// The text without spaces and commas; at most 127 bytes.
text_bytes::FixedText<128> StripBlanksCommas(std::string_view text);
