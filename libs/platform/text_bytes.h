// Byte strings in code page 932: lengths and cuts that never split a double-byte character.
// This is the one place that fills fixed-width fields.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text_bytes {

// A result of fixed capacity: at most N-1 bytes and a terminator, never more.
template <std::size_t N>
struct FixedText {
  char bytes[N] = {};
  std::size_t length = 0;
  std::string_view view() const { return {bytes, length}; }
  const char* c_str() const { return bytes; }
};

// The longest prefix of `text`, at most `maxBytes` long, that ends on a character boundary.
std::size_t BoundaryLength(std::string_view text, std::size_t maxBytes);

// `text` cut on a character boundary to fit a buffer of `capacity` bytes with its terminator.
std::string CutToCapacity(std::string_view text, std::size_t capacity);

// Copies `text` into a field of `width` bytes: cut on a character boundary, always
// terminated, the rest of the field zero-filled.
void FillField(char* field, std::size_t width, std::string_view text);

template <std::size_t N>
void FillField(char (&field)[N], std::string_view text) {
  FillField(field, N, text);
}

// The text a fixed-width field holds, up to its terminator or its end, never beyond.
template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
  std::size_t length = 0;
  while (length < N && field[length] != '\0') ++length;
  return {field, length};
}

// The decimal number at the start of `text`, as C's atoi reads it (leading blanks, a sign,
// digits), but clamped to int's range instead of overflowing. 0 when there is none.
int ParseInt(std::string_view text);

// `text` (up to its first NUL) without the bytes in `removed`, byte by byte: callers remove
// only bytes below 0x40, which are never the second byte of a character. A result longer
// than N-1 bytes is cut on a character boundary.
template <std::size_t N>
FixedText<N> RemoveBytes(std::string_view text, std::string_view removed) {
  FixedText<N> result;
  // Gathers one byte more than fits, so the cut can see whether the last one starts a
  // character that goes on.
  char gathered[N + 1];
  std::size_t length = 0;
  for (std::size_t i = 0; i < text.size() && text[i] != '\0' && length <= N - 1; ++i) {
    if (removed.find(text[i]) == std::string_view::npos) gathered[length++] = text[i];
  }
  result.length = length > N - 1 ? BoundaryLength({gathered, length}, N - 1) : length;
  for (std::size_t i = 0; i < result.length; ++i) result.bytes[i] = gathered[i];
  result.bytes[result.length] = '\0';
  return result;
}

}  // namespace text_bytes
