#include <windows.h>
// after windows.h, whose types it uses
#include <imm.h>

#include <QLineEdit>

#include "gui/search/search_input_mode.h"
#include "index/search_match.h"

// Windows switches the input method itself: closed for numbers, half-width katakana left
// closed for the user to open, hiragana opened. The romaji bit stays as the user set it.
void ApplySearchInputMode(QLineEdit* input, int condition) {
  const HWND window = reinterpret_cast<HWND>(input->window()->winId());
  const HIMC context = ImmGetContext(window);
  if (context == nullptr) return;  // no input method installed
  DWORD conversion = 0;
  DWORD sentence = 0;
  ImmGetConversionStatus(context, &conversion, &sentence);
  const DWORD roman = conversion & IME_CMODE_ROMAN;
  switch (condition) {
    case kSearchByRegisteredName:
      ImmSetConversionStatus(context, IME_CMODE_NATIVE | IME_CMODE_KATAKANA | roman,
                             IME_SMODE_NONE);
      ImmSetOpenStatus(context, TRUE);
      ImmSetOpenStatus(context, FALSE);
      break;
    case kSearchByNameKana:
      ImmSetConversionStatus(context, IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE | roman,
                             sentence == IME_SMODE_NONE ? IME_SMODE_PHRASEPREDICT : sentence);
      ImmSetOpenStatus(context, TRUE);
      break;
    default:
      ImmSetOpenStatus(context, FALSE);
      break;
  }
  ImmReleaseContext(window, context);
}
