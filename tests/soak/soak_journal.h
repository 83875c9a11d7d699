// What the soak writes down while it runs: every call to the two libraries that can fail,
// with its result, and every message box, in the order they happened. The real libraries
// sit behind the journaling ones, so the program runs its own code on them.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "messages/prompter.h"
#include "book/adapter_library.h"
#include "book/calldir_library.h"

struct JournalEvent {
  enum class Kind { CallDirCall, AdapterCall, Message };
  Kind kind;
  std::string what;  // the call's name, or the message's text
  bool ok = true;    // for a call
  int error = 0;     // for a failed call: the library's error number
};

using Journal = std::vector<JournalEvent>;

class JournalingCallDir final : public CallDirLibrary {
 public:
  explicit JournalingCallDir(Journal& journal) : journal_(journal) {}
  int Open(const char* path) override { return real_.Open(path); }
  void Close() override { real_.Close(); }
  int Count() override { return real_.Count(); }
  int Read(BookEntry* book) override { return real_.Read(book); }
  int Write(const BookEntry* book, int count) override {
    return Note("Write", real_.Write(book, count));
  }
  int Delete(const BookEntry* book, int index) override {
    return Note("Delete", real_.Delete(book, index));
  }
  int Save(const char* path, int count) override { return Note("Save", real_.Save(path, count)); }
  int LastError() override { return real_.LastError(); }

 private:
  // The calls that store the book file: each failure must reach the user.
  int Note(const char* call, int result) {
    journal_.push_back(
        {JournalEvent::Kind::CallDirCall, call, result != 0, result != 0 ? 0 : real_.LastError()});
    return result;
  }

  Journal& journal_;
  LinkedCallDirLibrary real_;
};

class JournalingAdapter final : public AdapterLibrary {
 public:
  explicit JournalingAdapter(Journal& journal) : journal_(journal) {}
  int Open(const char* portName, const AdapterParams& params) override {
    return Note("Open", real_.Open(portName, params));
  }
  void Close() override { real_.Close(); }
  int ReadAll(AdapterEntry* entries, int32_t* count) override {
    return Note("ReadAll", real_.ReadAll(entries, count));
  }
  int Delete(const char* number) override { return Note("Delete", real_.Delete(number)); }
  int Register(const AdapterEntry& entry) override {
    return Note("Register", real_.Register(entry));
  }
  int LastError() override { return real_.LastError(); }

 private:
  int Note(const char* call, int result) {
    journal_.push_back(
        {JournalEvent::Kind::AdapterCall, call, result != 0, result != 0 ? 0 : real_.LastError()});
    return result;
  }

  Journal& journal_;
  LinkedAdapterLibrary real_;
};

// Every message box of the run: written down and answered at once. The user says Yes to
// every question but now and then No to deleting an entry.
class JournalingPrompter final : public Prompter {
 public:
  JournalingPrompter(Journal& journal, std::mt19937& random) : journal_(journal), random_(random) {}

  using Prompter::Ask;
  PromptAnswer Ask(const std::string& text, const std::string&, PromptIcon, PromptButtons buttons,
                   PromptOwner) override {
    journal_.push_back({JournalEvent::Kind::Message, text});
    if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    if (buttons == PromptButtons::OkCancel) return PromptAnswer::Ok;
    const bool declines = text.find("削除してもよろしいですか") != std::string::npos &&
                          std::uniform_int_distribution<int>(0, 9)(random_) == 0;
    return declines ? PromptAnswer::No : PromptAnswer::Yes;
  }
  void SetBusy(bool) override {}

 private:
  Journal& journal_;
  std::mt19937& random_;
};
