// The program's Prompter: a message box for every message, the wait cursor for long work.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "messages/prompter.h"

class MessageBoxPrompter final : public Prompter {
 public:
  // Boxes owned by the main window are owned by `mainWindow` once it is set.
  void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }

  using Prompter::Ask;
  PromptAnswer Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                   PromptButtons buttons, PromptOwner owner) override;
  void SetBusy(bool busy) override;
  void ShowNote(const std::string& text) override;
  void HideNote() override;

 private:
  QWidget* OwnerWindow(PromptOwner owner) const;

  QPointer<QWidget> mainWindow_;
  std::unique_ptr<QWidget> note_;  // the note on screen, if any
};
