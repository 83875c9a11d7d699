// A dialog's push button, named for tests and screen readers. Enter presses the button that
// has the focus (each is an auto-default button, as in any dialog); the default button takes
// Enter only where no button has the focus.
#pragma once

#include <QPushButton>

inline QPushButton* MakeButton(const QString& text, const char* objectName, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(objectName);
  return button;
}
