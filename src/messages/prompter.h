// The one path for every message box, so the core can tell the user something and a test
// can answer from a script. Texts are UTF-8.
#pragma once

#include <string>

enum class PromptIcon { None, Information, Warning, Error, Question };
// YesNoDefaultNo: Yes and No with No as the default, for a question whose Yes loses data.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoDefaultNo };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// The window a box belongs to: the main window, no window at all (a free-standing box), or
// a dialog that the GUI names by its own handle. The core only passes it through.
struct PromptOwner {
  enum class Kind { MainWindow, None, Window };
  Kind kind = Kind::MainWindow;
  const void* window = nullptr;  // the dialog, for Kind::Window

  static PromptOwner MainWindow() { return {}; }
  static PromptOwner NoWindow() { return {Kind::None, nullptr}; }
  static PromptOwner Of(const void* window) { return {Kind::Window, window}; }
};

// The caption of the main window's messages.
inline constexpr const char* kAppTitle = "- 電話帳 -";

class Prompter {
 public:
  virtual ~Prompter() = default;

  // Shows a message box and returns the button the user chose.
  virtual PromptAnswer Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                           PromptButtons buttons, PromptOwner owner) = 0;

  // A box owned by the main window.
  PromptAnswer Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                   PromptButtons buttons) {
    return Ask(text, caption, icon, buttons, PromptOwner::MainWindow());
  }

  // Shows or hides the wait cursor around a long operation.
  virtual void SetBusy(bool busy) = 0;

  // Shows a small note saying what a wait is for, with no buttons, until HideNote; where
  // nothing is on a screen there is nothing to show.
  virtual void ShowNote(const std::string& /*text*/) {}
  virtual void HideNote() {}

  // An application message with an OK button.
  void Tell(const std::string& text, PromptIcon icon = PromptIcon::Warning) {
    Ask(text, kAppTitle, icon, PromptButtons::Ok);
  }
};

// Shows a note saying what a wait is for, for as long as it lives.
class NoteScope {
 public:
  NoteScope(Prompter& prompter, const std::string& text) : prompter_(prompter) {
    prompter_.ShowNote(text);
  }
  ~NoteScope() { prompter_.HideNote(); }
  NoteScope(const NoteScope&) = delete;
  NoteScope& operator=(const NoteScope&) = delete;

 private:
  Prompter& prompter_;
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
