#include "gui/qt_text.h"

#include "platform/cp932.h"

QString FromCp932(std::string_view cp932) {
  return FromUtf8(cp932::ToUtf8(cp932).text);
}

std::string ToCp932(const QString& text) {
  return cp932::FromUtf8(text.toStdString()).text;
}
