#include "gui/common/qt_text.h"

#include "platform/cp932.h"

QString FromCp932(std::string_view cp932) {
  QString shown;
  while (true) {
    const cp932::Conversion converted = cp932::ToUtf8(cp932);
    shown += FromUtf8(converted.text);
    if (converted.ok || converted.failedAt >= cp932.size()) return shown;
    shown += QChar::ReplacementCharacter;
    cp932.remove_prefix(converted.failedAt + 1);
  }
}

bool IsWholeCp932(std::string_view cp932) {
  return cp932::ToUtf8(cp932).ok;
}

std::string ToCp932(const QString& text) {
  return cp932::FromUtf8(text.toStdString()).text;
}
