// The byte-limited CP932 edit field: typing, pasting and input-method commits are cut on a
// character boundary; characters code page 932 cannot hold are refused with a hint.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include "gui/cp932_field.h"
#include "support/sjis.h"

namespace {

void TypeText(QLineEdit& edit, const QString& text) {
  for (const QChar c : text)
    QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, QString(c), {});
}

void Commit(QLineEdit& edit, const QString& text) {
  QInputMethodEvent composing(text, {});
  QApplication::sendEvent(&edit, &composing);
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QApplication::sendEvent(&edit, &commit);
}

}  // namespace

class Cp932FieldTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void typingStopsAtTheByteLimitCountingDoubleByteAsTwo() {
    QLineEdit edit;
    LimitCp932Bytes(&edit, 5);
    TypeText(edit, QStringLiteral("あいう"));
    QCOMPARE(edit.text(), QStringLiteral("あい"));
    QTest::keyClicks(&edit, "ab");
    QCOMPARE(edit.text(), QStringLiteral("あいa"));
  }

  void pasteInTheMiddleKeepsTheTextAfterTheCursor() {
    QLineEdit edit;
    LimitCp932Bytes(&edit, 7);
    QTest::keyClicks(&edit, "abcd");
    edit.setCursorPosition(2);
    QApplication::clipboard()->setText(QStringLiteral("電話番号"));
    edit.paste();
    QCOMPARE(edit.text(), QStringLiteral("ab電cd"));
    QCOMPARE(edit.cursorPosition(), 3);
  }

  void inputMethodCommitIsCutNotThrownAway() {
    QLineEdit edit;
    LimitCp932Bytes(&edit, 5);
    Commit(edit, QStringLiteral("日本語"));
    QCOMPARE(edit.text(), QStringLiteral("日本"));
  }

  void characterOutsideTheCodePageIsRefusedWithAHint() {
    QLineEdit edit;
    edit.show();
    LimitCp932Bytes(&edit, 20);
    QTest::keyClicks(&edit, "a");
    Commit(edit, QString::fromUtf8("\xF0\x9F\x98\x80") +
                     QStringLiteral("〜"));  // an emoji, the wave dash
    QCOMPARE(edit.text(), QStringLiteral("a〜"));
    QCOMPARE(QToolTip::text(), QString::fromUtf8(kUnsupportedCharHint));
    QCOMPARE(Cp932Text(&edit), "a" + Sjis("～"));
  }

  void programTextIsNotCutAndConvertsBothWays() {
    QLineEdit edit;
    LimitCp932Bytes(&edit, 4);
    const std::string number = Sjis("０３-1234-5678");
    SetCp932Text(&edit, number);
    QCOMPARE(edit.text(), QStringLiteral("０３-1234-5678"));
    QCOMPARE(Cp932Text(&edit), number);
  }
};

QTEST_MAIN(Cp932FieldTest)
#include "cp932_field_test.moc"
