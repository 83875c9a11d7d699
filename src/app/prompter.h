// The one path for every message box, so the core can tell the user something and a test
// can answer from a script. Texts are UTF-8.
#pragma once

#include <string>

enum class PromptIcon { Information, Warning, Error, Question };
enum class PromptButtons { Ok, OkCancel, YesNo };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// The caption of the main window's messages.
inline constexpr const char* kAppTitle = "- 電話帳 -";

class Prompter {
 public:
  virtual ~Prompter() = default;

  // Shows a message box and returns the button the user chose.
  virtual PromptAnswer Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                           PromptButtons buttons) = 0;

  // Shows or hides the wait cursor around a long operation.
  virtual void SetBusy(bool busy) = 0;

  // An application message with an OK button.
  void Tell(const std::string& text, PromptIcon icon = PromptIcon::Warning) {
    Ask(text, kAppTitle, icon, PromptButtons::Ok);
  }
};

// Shows the wait cursor for as long as it lives.
class BusyScope {
 public:
  explicit BusyScope(Prompter& prompter) : prompter_(prompter) { prompter_.SetBusy(true); }
  ~BusyScope() { prompter_.SetBusy(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Prompter& prompter_;
};
