// The status bar's indicators for kana mode, caps lock, num lock and scroll lock. Qt has no
// call for a lock key's state, so it is read from the X keyboard extension where the
// window system offers it; an indicator whose state cannot be known is hidden, never
// guessed.
#pragma once

#include <QObject>
#include <array>

class QLabel;
class QStatusBar;

class LockKeyIndicators final : public QObject {
  Q_OBJECT

 public:
  // Adds the four indicators to `bar`, each shown only while its state can be read.
  explicit LockKeyIndicators(QStatusBar& bar);

  // Reads every state again; called as keys are pressed and when the window is activated.
  void Update();

 private:
  struct Indicator {
    const char* text;     // what the status bar shows while the key is on
    const char* ledName;  // the keyboard extension's name of the indicator
  };
  static constexpr std::array<Indicator, 4> kIndicators = {{
      {"ｶﾅ", "Kana"},
      {"CAP", "Caps Lock"},
      {"NUM", "Num Lock"},
      {"SCRL", "Scroll Lock"},
  }};

  std::array<QLabel*, 4> labels_{};
};
