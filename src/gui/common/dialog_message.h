// A dialog's own message box: owned by the dialog, with the application's title, an OK
// button and no icon.
#pragma once

#include <QWidget>
#include <string>

#include "messages/prompter.h"

inline void TellInDialog(Prompter& prompter, const QWidget& dialog, const std::string& text) {
  prompter.Ask(text, kAppTitle, PromptIcon::None, PromptButtons::Ok, PromptOwner::Of(&dialog));
}
