// Conversion between the book's code page 932 bytes and Qt's strings, at the GUI boundary.
#pragma once

#include <QString>
#include <string>
#include <string_view>

// A code page 932 text for display, whole: a byte that is not code page 932 (which a book
// file written elsewhere can hold) shows as the replacement mark U+FFFD, and the text goes on.
QString FromCp932(std::string_view cp932);

// True when every byte of `cp932` is code page 932, so FromCp932 shows it unchanged.
bool IsWholeCp932(std::string_view cp932);

// A Qt string as code page 932; characters the code page cannot hold are left out (the
// program's fields refuse them as they are typed).
std::string ToCp932(const QString& text);

// A UTF-8 message text (the program's own literals) as a QString.
inline QString FromUtf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
