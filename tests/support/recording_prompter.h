// A Prompter for tests: records every message and answers from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "messages/prompter.h"

class RecordingPrompter : public Prompter {
 public:
  struct Message {
    std::string text;
    std::string caption;
    PromptIcon icon;
    PromptButtons buttons;
    PromptOwner owner;
  };

  // The answers to give, in order; once they run out every message is answered Ok/Yes.
  std::deque<PromptAnswer> answers;
  std::vector<Message> messages;
  int busyDepth = 0;
  int busyCalls = 0;
  std::vector<std::string> notes;  // every note shown
  bool noteShowing = false;
  int messagesOverANote = 0;       // messages asked while a note was up

  using Prompter::Ask;
  PromptAnswer Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                   PromptButtons buttons, PromptOwner owner) override {
    messages.push_back({text, caption, icon, buttons, owner});
    if (noteShowing) ++messagesOverANote;
    if (answers.empty()) return IsYesNo(buttons) ? PromptAnswer::Yes : PromptAnswer::Ok;
    const PromptAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  void SetBusy(bool busy) override {
    busyDepth += busy ? 1 : -1;
    ++busyCalls;
  }

  void ShowNote(const std::string& text) override {
    notes.push_back(text);
    noteShowing = true;
  }
  void HideNote() override { noteShowing = false; }

  static bool IsYesNo(PromptButtons buttons) {
    return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoDefaultNo;
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages) texts.push_back(m.text);
    return texts;
  }
};
