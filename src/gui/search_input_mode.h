// The input mode that suits what each search condition asks for. Qt offers hints rather
// than the input-method modes themselves; docs/architecture.md says how each is mapped.
#pragma once

class QLineEdit;

// Sets `input` up for `condition`: phone characters typed directly with the input method
// off (0), the input method on without prediction for half-width katakana (1), and on with
// prediction for hiragana (2).
void ApplySearchInputMode(QLineEdit* input, int condition);
