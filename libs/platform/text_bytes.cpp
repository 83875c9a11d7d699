#include "platform/text_bytes.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/cp932.h"

namespace text_bytes {

std::size_t BoundaryLength(std::string_view text, std::size_t maxBytes) {
  std::size_t length = 0;
  while (length < text.size()) {
    const bool doubleByte =
        cp932::IsLeadByte(static_cast<unsigned char>(text[length])) && length + 1 < text.size();
    const std::size_t step = doubleByte ? 2 : 1;
    if (length + step > maxBytes) break;
    length += step;
  }
  return length;
}

std::string CutToCapacity(std::string_view text, std::size_t capacity) {
  if (capacity == 0) return {};
  return std::string(text.substr(0, BoundaryLength(text, capacity - 1)));
}

void FillField(char* field, std::size_t width, std::string_view text) {
  if (width == 0) return;
  const std::size_t end = text.find('\0');
  if (end != std::string_view::npos) text = text.substr(0, end);
  const std::size_t length = BoundaryLength(text, width - 1);
  std::memcpy(field, text.data(), length);
  std::memset(field + length, 0, width - length);
}

int ParseInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  // The magnitude may reach one past INT_MAX, so that INT_MIN reads back as itself.
  constexpr long long kMaxMagnitude = -static_cast<long long>(INT_MIN);
  long long magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = std::min<long long>(magnitude * 10 + (text[i] - '0'), kMaxMagnitude);
  }
  return static_cast<int>(
      std::clamp<long long>(negative ? -magnitude : magnitude, INT_MIN, INT_MAX));
}

}  // namespace text_bytes
