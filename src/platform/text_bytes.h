// Byte strings in code page 932: lengths and cuts that never split a double-byte character.
// This is the one place that fills fixed-width fields.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text_bytes {

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

}  // namespace text_bytes
