// Edit fields that hold code page 932 text: a typing limit counted in bytes, and the
// conversions between a field and the CP932 bytes the program keeps.
#pragma once

#include <string>
#include <string_view>

class QLineEdit;

// The hint shown at a field that refused a character code page 932 cannot hold.
inline constexpr const char* kUnsupportedCharHint = "この文字は入力できません。";

// Limits what the user types, pastes or commits through an input method into `edit` to
// `maxBytes` bytes of code page 932, a double-byte character counting two. Input that
// does not fit is cut on a character boundary, dropping the characters just before the
// cursor (the ones that came in last). A character code page 932 cannot hold is refused
// with a tool tip at the field. A text the program sets with setText is left whole.
void LimitCp932Bytes(QLineEdit* edit, int maxBytes);

// The field's text as code page 932 bytes. A character that code page 932 cannot hold
// (only a program's own setText can put one there) ends the text.
std::string Cp932Text(const QLineEdit* edit);

// Shows CP932 bytes in the field. Bytes that are not code page 932 end the text.
void SetCp932Text(QLineEdit* edit, std::string_view cp932Text);
