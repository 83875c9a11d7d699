// The byte-limited CP932 edit field: typing, pasting and input-method commits are cut on a
// character boundary; characters code page 932 cannot hold are refused with a hint.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include "gui/entry/cp932_field.h"
#include "support/qt_typing.h"
#include "support/sjis.h"

class Cp932FieldTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void typingStopsAtTheByteLimitCountingDoubleByteAsTwo() {
    QLineEdit edit;
    LimitCp932Bytes(&edit, 5);
    TypeText(&edit, QStringLiteral("あいう"));
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

  // A cut at the limit, typed or pasted, says so at the field.
  void aCutAtTheLimitIsToldInAToolTip() {
    QLineEdit edit;
    edit.show();
    LimitCp932Bytes(&edit, 4);
    edit.setFocus();
    QTest::keyClicks(&edit, "0312");
    QToolTip::hideText();
    QTest::keyClick(&edit, Qt::Key_5);
    QCOMPARE(edit.text(), QStringLiteral("0312"));
    QCOMPARE(QToolTip::text(), QStringLiteral("4バイトまでです。入りきらない部分は入力されません。"));
    QToolTip::hideText();
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QApplication::clipboard()->setText(QStringLiteral("あい"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit.text(), QStringLiteral("031"));  // "あ" needs two bytes, one is left
    QVERIFY(QToolTip::text().startsWith(QStringLiteral("4バイトまで")));
  }

  void inputMethodCommitIsCutNotThrownAway() {
    QLineEdit edit;
    LimitCp932Bytes(&edit, 5);
    CommitText(&edit, QStringLiteral("日本語"));
    QCOMPARE(edit.text(), QStringLiteral("日本"));
  }

  void characterOutsideTheCodePageIsRefusedWithAHint() {
    QLineEdit edit;
    edit.show();
    LimitCp932Bytes(&edit, 20);
    QTest::keyClicks(&edit, "a");
    CommitText(&edit, QString::fromUtf8("\xF0\x9F\x98\x80") +
                          QStringLiteral("〜"));  // an emoji, the wave dash
    QCOMPARE(edit.text(), QStringLiteral("a〜"));
    QCOMPARE(QToolTip::text(),
             QString::fromUtf8(kUnsupportedCharHint) + " " + QString::fromUtf8("\xF0\x9F\x98\x80"));
    QCOMPARE(Cp932Text(&edit), "a" + Sjis("～"));
  }

  // A text the program put in may be longer than the limit: keys the user presses never
  // remove what they did not touch, and an insertion gets only the room that is left.
  void aTextOverTheLimitLosesNothingTheUserDidNotTouch() {
    QLineEdit edit;
    LimitCp932Bytes(&edit, 20);
    SetCp932Text(&edit, "03-1234-5678-9012-3456");  // 22 bytes
    edit.show();
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("03-1234-5678-9012-345"));
    edit.setCursorPosition(3);
    QTest::keyClick(&edit, Qt::Key_9);  // 21 bytes: no room
    QCOMPARE(edit.text(), QStringLiteral("03-1234-5678-9012-345"));
    QTest::keyClick(&edit, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&edit, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&edit, Qt::Key_9);  // replaces "12": room for one
    QCOMPARE(edit.text(), QStringLiteral("03-934-5678-9012-345"));
    QTest::keyClick(&edit, Qt::Key_Delete);
    TypeText(&edit, QStringLiteral("あ"));  // two bytes where one is left
    QCOMPARE(edit.text(), QStringLiteral("03-94-5678-9012-345"));
    QTest::keyClick(&edit, Qt::Key_7);
    QCOMPARE(edit.text(), QStringLiteral("03-974-5678-9012-345"));
    QCOMPARE(Cp932Text(&edit), "03-974-5678-9012-345");
  }

  // Bytes that are not code page 932 are shown with a mark, cannot be edited, and come
  // back exactly as they were given; so do bytes that convert to other bytes and back.
  void aStoredTextComesBackByteForByteUnlessEdited() {
    QLineEdit edit;
    LimitCp932Bytes(&edit, 40);
    const std::string stray = Sjis("東京") + "\x80" + Sjis("都");
    SetCp932Text(&edit, stray);
    QCOMPARE(edit.text(), QStringLiteral("東京\uFFFD都"));
    QVERIFY(edit.isReadOnly());
    QCOMPARE(edit.toolTip(), QString::fromUtf8(kNotShownWholeHint));
    QCOMPARE(Cp932Text(&edit), stray);

    const std::string necRoman = "\x87\x54";  // Ⅰ, which converts back as 0x87 0x54 or not
    SetCp932Text(&edit, necRoman + "\xed\x40");  // and a character of the NEC-selected rows
    QVERIFY(!edit.isReadOnly());
    QVERIFY(edit.toolTip().isEmpty());
    QCOMPARE(Cp932Text(&edit), necRoman + "\xed\x40");
    edit.show();
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_A);
    QCOMPARE(QString::fromStdString(cp932::ToUtf8(Cp932Text(&edit)).text).back(), QChar('a'));
    SetCp932Text(&edit, "");
    QCOMPARE(Cp932Text(&edit), "");
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
