// The input mode that suits what each search condition asks for: on Windows the input
// method's own modes, elsewhere the nearest Qt hints (docs/architecture.md maps them).
#pragma once

class QLineEdit;

// Sets `input` up for `condition`: the input method closed for a number (0), set to
// half-width katakana without prediction (1), or open for hiragana with prediction (2).
void ApplySearchInputMode(QLineEdit* input, int condition);
