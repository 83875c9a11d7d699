// Fitting a cell's text to its column: a text that does not fit ends in "..." and never
// splits a double-byte character.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// The width in pixels of the first `bytes` bytes of the text being fitted (always a whole
// number of characters), in the font the cell is drawn with.
using PrefixMeasure = std::function<int(std::size_t bytes)>;

// What to draw of a text: its first `length` bytes, then "..." when `dots` is set.
struct FittedText {
  std::size_t length = 0;
  bool dots = false;

  bool Shortened(std::size_t textLength) const { return dots || length < textLength; }
};

// All of `text` when its width plus `offset` is at most `width`. Otherwise its longest
// prefix whose width plus the dots' plus `offset` fits, cut before a double-byte character
// it would split, followed by the dots; or, when not even one byte fits so, the first
// character alone without dots.
FittedText ShortenToWidth(std::string_view text, int width, int offset, int dotsWidth,
                          const PrefixMeasure& measure);

// The text to draw for `fit`.
std::string FittedBytes(std::string_view text, const FittedText& fit);
