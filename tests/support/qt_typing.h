// Typing into widgets in Qt tests: Japanese text key by key, and an input method's
// composition and commit. (QTest::keyClicks aborts outside Latin-1.)
#pragma once

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <QWidget>

inline void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), {});
  }
}

inline void CommitText(QWidget* widget, const QString& text) {
  QInputMethodEvent composing(text, {});
  QApplication::sendEvent(widget, &composing);
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QApplication::sendEvent(widget, &commit);
}
