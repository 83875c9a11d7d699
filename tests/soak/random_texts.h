// Random texts as a user types them into the entry dialog: numbers, names, readings,
// the adapter's half-width katakana names and addresses.
#pragma once

#include <QString>
#include <random>

// Random texts as a user types them.
class TextMaker {
 public:
  explicit TextMaker(std::mt19937& random) : random_(random) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int percent) { return Below(100) < percent; }

  QString Number() {
    QString number = "0";
    const int digits = 9 + Below(2);
    for (int i = 0; i < digits; ++i) {
      if (Chance(10) && i > 1 && i < digits - 1 && !number.endsWith('-')) number += '-';
      number += QChar('0' + Below(10));
    }
    return number;
  }
  QString Pick(const QString& letters, int min, int max) {
    QString text;
    const int length = min + Below(max - min + 1);
    for (int i = 0; i < length; ++i) text += letters[Below(static_cast<int>(letters.size()))];
    return text;
  }
  QString Name() {
    return Pick(QStringLiteral("佐藤鈴木高橋田中伊渡辺山本中村小林加松井上木"), 2, 6);
  }
  QString Kana() {
    return Pick(QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむ"
                               "めもやゆよらりるれろわをんがぎぐばぱゃょっー"),
                2, 10);
  }
  QString RegisteredName() {
    return Pick(QStringLiteral("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝﾞﾟｰ"), 1, 8);
  }
  QString Address() {
    return Pick(QStringLiteral("東京都大阪府横浜市北区南町一二三丁目番地号"), 4, 30);
  }

 private:
  std::mt19937& random_;
};
