#include "gui/search/search_input_mode.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QLineEdit>

#include "index/search_match.h"

void ApplySearchInputMode(QLineEdit* input, int condition) {
  const bool byNumber = condition == kSearchByNumber;
  // Numbers are typed straight from the keys: with the input method off nothing can
  // come out full-width.
  input->setAttribute(Qt::WA_InputMethodEnabled, !byNumber);
  Qt::InputMethodHints hints = Qt::ImhNone;
  if (byNumber) {
    hints = Qt::ImhDialableCharactersOnly | Qt::ImhNoPredictiveText;
  } else if (condition == kSearchByRegisteredName) {
    hints = Qt::ImhNoPredictiveText;  // a registered name is spelt out, never converted
  }
  input->setInputMethodHints(hints);
  if (input->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImHints);
}
