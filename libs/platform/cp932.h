// Code page 932 (Shift-JIS): byte classes and conversion to and from UTF-8.
// Every text the program keeps is CP932 bytes; conversion happens only at the GUI boundary.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cp932 {

// 0x81-0x9F and 0xE0-0xFC begin a double-byte character.
bool IsLeadByte(unsigned char byte);

// The letter class of the code page: ASCII letters and the half-width katakana letters.
bool IsAlpha(unsigned char byte);

// Letters and the decimal digits "0" to "9".
bool IsAlphaNumeric(unsigned char byte);

// The outcome of a conversion. On failure `text` holds what converted before the
// offending character and `failedAt` is that character's byte offset in the input.
struct Conversion {
  bool ok = false;
  std::string text;
  std::size_t failedAt = 0;
};

// UTF-8 to CP932. A character CP932 cannot hold fails the conversion; nothing is dropped
// or replaced. The wave dash, minus sign, double vertical line, em dash, cent, pound and
// not signs that Linux input methods type become the CP932 characters users mean.
Conversion FromUtf8(std::string_view utf8);

// CP932 to UTF-8. A byte sequence that is not CP932 (a lone lead byte, say) fails.
Conversion ToUtf8(std::string_view cp932);

}  // namespace cp932
