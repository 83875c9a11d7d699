// A code page 932 text fitted to a width on screen: the cells of the list and its headings
// end in "..." the same way, never splitting a double-byte character.
#pragma once

#include <QFontMetrics>
#include <QString>
#include <string_view>

struct FittedCell {
  QString text;            // what to draw
  bool shortened = false;  // cut and ended in "..." (or cut to its first character)
};

// `bytes` as it fits `width` pixels in the font of `metrics`, leaving `offset` pixels spare.
FittedCell FitCellText(std::string_view bytes, const QFontMetrics& metrics, int width, int offset);
