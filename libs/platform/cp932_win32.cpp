// CP932 conversion on Windows: the system's own tables for code page 932, a character at
// a time.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/cp932.h"

namespace cp932 {
namespace {

// One character's bytes converted, or false when it cannot be.
using CharacterConversion = bool (*)(std::string_view character, std::string& out);

// Converts `input` a character at a time, so that a failure knows where it happened and
// keeps what came before it, as the header promises. `lengthAt` gives the byte length of
// the character at an offset; a byte that starts none is taken alone, and fails.
template <typename LengthAt>
Conversion ConvertEach(std::string_view input, LengthAt lengthAt, CharacterConversion convert) {
  Conversion result;
  std::size_t at = 0;
  while (at < input.size()) {
    const std::size_t length = std::min(lengthAt(input, at), input.size() - at);
    if (!convert(input.substr(at, length), result.text)) {
      result.failedAt = at;
      return result;
    }
    at += length;
  }
  result.ok = true;
  result.failedAt = input.size();
  return result;
}

std::wstring Widened(UINT codePage, std::string_view character) {
  wchar_t wide[4];
  const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, character.data(),
                                         static_cast<int>(character.size()), wide, 4);
  return std::wstring(wide, static_cast<std::size_t>(length));
}

bool AppendNarrowed(UINT codePage, const std::wstring& wide, std::string& out) {
  char bytes[8];
  BOOL lossy = FALSE;
  const int length =
      WideCharToMultiByte(codePage, codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS, wide.data(),
                          static_cast<int>(wide.size()), bytes, sizeof bytes, nullptr,
                          codePage == CP_UTF8 ? nullptr : &lossy);
  if (length == 0 || lossy) return false;
  out.append(bytes, static_cast<std::size_t>(length));
  return true;
}

// What Linux-style input gives for these characters, as the code points that code page 932
// maps them from on Windows, so that no best-fit guessing is needed.
wchar_t WindowsCodePoint(wchar_t c) {
  switch (c) {
    case 0x301C:
      return 0xFF5E;  // wave dash
    case 0x2212:
      return 0xFF0D;  // minus sign
    case 0x2016:
      return 0x2225;  // double vertical line
    case 0x2014:
      return 0x2015;  // em dash
    case 0x00A2:
      return 0xFFE0;  // cent sign
    case 0x00A3:
      return 0xFFE1;  // pound sign
    case 0x00AC:
      return 0xFFE2;  // not sign
    default:
      return c;
  }
}

std::size_t Utf8LengthAt(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  return 1;
}

std::size_t Cp932LengthAt(std::string_view text, std::size_t at) {
  return IsLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
}

bool Utf8CharacterToCp932(std::string_view character, std::string& out) {
  std::wstring wide = Widened(CP_UTF8, character);
  if (wide.empty()) return false;
  for (wchar_t& c : wide) c = WindowsCodePoint(c);
  return AppendNarrowed(932, wide, out);
}

bool Cp932CharacterToUtf8(std::string_view character, std::string& out) {
  const std::wstring wide = Widened(932, character);
  return !wide.empty() && AppendNarrowed(CP_UTF8, wide, out);
}

}  // namespace

Conversion FromUtf8(std::string_view utf8) {
  return ConvertEach(utf8, Utf8LengthAt, Utf8CharacterToCp932);
}

Conversion ToUtf8(std::string_view cp932) {
  return ConvertEach(cp932, Cp932LengthAt, Cp932CharacterToUtf8);
}

}  // namespace cp932
