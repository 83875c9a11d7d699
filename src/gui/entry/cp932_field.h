// Edit fields that hold code page 932 text: a typing limit counted in bytes, and the
// conversions between a field and the CP932 bytes the program keeps.
#pragma once

#include <string>
#include <string_view>

class QLineEdit;

// The hint shown at a field that refused characters code page 932 cannot hold; the
// characters follow it.
inline constexpr const char* kUnsupportedCharHint = "この文字は入力できません:";

// The hint shown at a field that cut what came in at its byte limit; "%1" is the limit.
inline constexpr const char* kByteLimitHint = "%1バイトまでです。入りきらない部分は入力されません。";

// The tool tip of a field whose stored text holds bytes that are not code page 932.
inline constexpr const char* kNotShownWholeHint =
    "この欄には表示できない文字が含まれているため、変更できません。保存しても元のまま残ります。";

// Limits what the user types, pastes or commits through an input method into `edit` to
// `maxBytes` bytes of code page 932, a double-byte character counting two, as a typing
// limit does: what comes in is cut on a character boundary to the room left, nothing that
// was there before is removed, and deletions always pass (also while a text the program
// set is longer than the limit). A cut says so in a tool tip at the field; characters code
// page 932 cannot hold are left out, and the tool tip names them. A text the program sets
// is left whole.
void LimitCp932Bytes(QLineEdit* edit, int maxBytes);

// The field's text as code page 932 bytes: exactly the bytes SetCp932Text gave it while the
// user has not edited it, else its text converted (a character code page 932 cannot hold,
// which only a program's own setText can put there, ends the text).
std::string Cp932Text(const QLineEdit* edit);

// Shows CP932 bytes in the field. A text that is not all code page 932 is shown with a
// replacement mark for each stray byte and made read-only, with a tool tip saying why.
void SetCp932Text(QLineEdit* edit, std::string_view cp932Text);
