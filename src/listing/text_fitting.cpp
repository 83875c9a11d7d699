#include "listing/text_fitting.h"

#include "platform/cp932.h"
#include "platform/text_bytes.h"

namespace {

// One byte, or two for a double-byte character.
std::size_t FirstCharacterLength(std::string_view text) {
  return cp932::IsLeadByte(static_cast<unsigned char>(text[0])) && text.size() > 1 ? 2 : 1;
}

}  // namespace

FittedText ShortenToWidth(std::string_view text, int width, int offset, int dotsWidth,
                          const PrefixMeasure& measure) {
  if (text.empty() || measure(text.size()) + offset <= width) return {text.size(), false};
  const auto fits = [&](std::size_t bytes) {
    return measure(text_bytes::BoundaryLength(text, bytes)) + dotsWidth + offset <= width;
  };
  // The largest byte count in 1..n-1 that fits. Widths grow with the prefix, so a binary
  // search finds the same count as a walk down from n-1, in a few measurements.
  std::size_t low = 0;
  std::size_t high = text.size() - 1;
  while (low < high) {
    const std::size_t mid = (low + high + 1) / 2;
    if (fits(mid)) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  if (low == 0) return {FirstCharacterLength(text), false};
  return {text_bytes::BoundaryLength(text, low), true};
}

std::string FittedBytes(std::string_view text, const FittedText& fit) {
  std::string shown(text.substr(0, fit.length));
  if (fit.dots) shown += "...";
  return shown;
}
