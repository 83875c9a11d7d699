#include "gui/list/cell_fitting.h"

#include "gui/common/qt_text.h"
#include "platform/cp932.h"
#include "listing/text_fitting.h"

namespace {

// The number of characters in a code page 932 text: what one QString character stands for.
int CharacterCount(std::string_view cp932, std::size_t bytes) {
  int count = 0;
  for (std::size_t i = 0; i < bytes; ++count) {
    i += cp932::IsLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size() ? 2 : 1;
  }
  return count;
}

}  // namespace

FittedCell FitCellText(std::string_view bytes, const QFontMetrics& metrics, int width, int offset) {
  // Each text is converted once; a prefix of whole characters is a prefix of the QString.
  const QString text = FromCp932(bytes);
  const FittedText fit = ShortenToWidth(
      bytes, width, offset, metrics.horizontalAdvance(QStringLiteral("...")),
      [&](std::size_t prefix) {
        return metrics.horizontalAdvance(text.left(CharacterCount(bytes, prefix)));
      });
  if (!fit.Shortened(bytes.size())) return {text, false};
  return {FromCp932(FittedBytes(bytes, fit)), true};
}
