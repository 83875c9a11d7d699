// CP932 conversion on Windows: the system's own tables for code page 932.
#include <windows.h>

#include <string>

#include "platform/cp932.h"

namespace cp932 {
namespace {

// Byte offset in `utf8` of the first UTF-8 character that does not survive the round trip.
std::size_t FirstUnconvertible(std::string_view utf8, const std::wstring& wide) {
  std::size_t offset = 0;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const int units = (wide[i] >= 0xD800 && wide[i] <= 0xDBFF) ? 2 : 1;
    BOOL lossy = FALSE;
    char buffer[8];
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wide[i], units, buffer, sizeof buffer, nullptr,
                        &lossy);
    if (lossy) return offset;
    offset += static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, &wide[i], units, nullptr, 0, nullptr, nullptr));
    i += static_cast<std::size_t>(units - 1);
  }
  return utf8.size();
}

// What Linux-style input gives for these characters, as the code points that code page 932
// maps them from on Windows, so that no best-fit guessing is needed.
void UseWindowsCodePoints(std::wstring& wide) {
  for (wchar_t& c : wide) {
    switch (c) {
      case 0x301C:
        c = 0xFF5E;
        break;  // wave dash
      case 0x2212:
        c = 0xFF0D;
        break;  // minus sign
      case 0x2016:
        c = 0x2225;
        break;  // double vertical line
      case 0x2014:
        c = 0x2015;
        break;  // em dash
      case 0x00A2:
        c = 0xFFE0;
        break;  // cent sign
      case 0x00A3:
        c = 0xFFE1;
        break;  // pound sign
      case 0x00AC:
        c = 0xFFE2;
        break;  // not sign
      default:
        break;
    }
  }
}

}  // namespace

Conversion FromUtf8(std::string_view utf8) {
  Conversion result;
  const int size = static_cast<int>(utf8.size());
  const int wideLength =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (size > 0 && wideLength == 0) return result;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), wideLength);
  UseWindowsCodePoints(wide);

  BOOL lossy = FALSE;
  const int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength,
                                         nullptr, 0, nullptr, &lossy);
  result.text.resize(static_cast<std::size_t>(length));
  WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, result.text.data(),
                      length, nullptr, nullptr);
  result.ok = !lossy;
  result.failedAt = lossy ? FirstUnconvertible(utf8, wide) : utf8.size();
  return result;
}

Conversion ToUtf8(std::string_view cp932) {
  Conversion result;
  const int size = static_cast<int>(cp932.size());
  const int wideLength =
      MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, cp932.data(), size, nullptr, 0);
  if (size > 0 && wideLength == 0) return result;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(932, 0, cp932.data(), size, wide.data(), wideLength);
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  result.text.resize(static_cast<std::size_t>(length));
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, result.text.data(), length, nullptr,
                      nullptr);
  result.ok = true;
  result.failedAt = cp932.size();
  return result;
}

}  // namespace cp932
