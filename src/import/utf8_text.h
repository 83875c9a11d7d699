// The few UTF-8 steps the import needs: checking, stepping through code points, writing
// one. Readers of contacts files work in UTF-8 and convert to code page 932 at the end.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace utf8_text {

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValid(std::string_view text);

// True when every byte is ASCII: such a text is the same in code page 932.
bool IsAscii(std::string_view text);

// The code point that starts at `at`, which then moves past it. A byte that starts no
// well-formed sequence comes back as U+FFFD and is passed over alone.
char32_t Next(std::string_view text, std::size_t& at);

void Append(std::string& out, char32_t codePoint);

// `text` without the spaces (ASCII and ideographic) at its ends.
std::string_view Trim(std::string_view text);

}  // namespace utf8_text
