#include "editor/entry_flows.h"

#include <string>
#include <string_view>

#include "messages/library_errors.h"
#include "book/adapter_library.h"
#include "book/book_storage.h"
#include "book/phone_match.h"
#include "editor/field_rules.h"
#include "platform/cp932.h"
#include "platform/text_bytes.h"

namespace {

using text_bytes::FieldText;

constexpr const char* kUpdateQuestion = "更新してもよろしいですか？";
constexpr const char* kNotInBookMessage = "電話帳には%sの番号は見当たりません。";
constexpr const char* kDeleteQuestion = "電話帳から%sの番号を削除してもよろしいですか?";
constexpr const char* kAdapterDeleteQuestion =
    "%sはZEF-P1に登録されていますが削除してもよろしいですか?";

// `pattern` with an entry's number (code page 932) in place of its "%s".
std::string WithNumber(std::string_view pattern, std::string_view number) {
  std::string text(pattern);
  text.replace(text.find("%s"), 2, cp932::ToUtf8(number).text);
  return text;
}

bool IsWantedInAdapter(const BookEntry& entry) {
  return FieldText(entry.adapterWanted) == "1";
}

AdapterEntry ToAdapterEntry(const BookEntry& w) {
  AdapterEntry entry{};
  text_bytes::FillField(entry.number, FieldText(w.number));
  text_bytes::FillField(entry.registeredName, FieldText(w.registeredName));
  entry.callAccept = static_cast<uint8_t>(text_bytes::ParseInt(FieldText(w.callAccept)));
  entry.illumination = static_cast<uint8_t>(text_bytes::ParseInt(FieldText(w.illumination)));
  return entry;
}

// The adapter takes a number as a zero-filled buffer of 24 bytes.
bool DeleteFromAdapter(AdapterLibrary& adapter, std::string_view number) {
  char buffer[sizeof(AdapterEntry::number)];
  text_bytes::FillField(buffer, number);
  return adapter.Delete(buffer) != 0;
}

bool FailWithAdapterError(EntryFlowContext& flow) {
  ShowLibraryError(flow.access.prompter, flow.adapter.LastError());
  return false;
}

// The adapter's part of a save, run before the book changes: register the entry when it
// is wanted there, else delete its number. `replaced` is the entry the save overwrites.
bool UpdateAdapter(EntryFlowContext& flow, BookEntry& w, const BookEntry* replaced) {
  if (!flow.adapterEnabled) return true;  // inAdapter stays 0; the next start's merge mends it
  // The adapter compares numbers byte for byte: a copy held under the stored spelling would
  // outlive the change. Deleting it first also frees its place in a full adapter.
  if (replaced && replaced->inAdapter == 1 && FieldText(replaced->number) != FieldText(w.number) &&
      !DeleteFromAdapter(flow.adapter, FieldText(replaced->number))) {
    return FailWithAdapterError(flow);
  }
  if (IsWantedInAdapter(w)) {
    if (flow.adapter.Register(ToAdapterEntry(w)) == 0) return FailWithAdapterError(flow);
    w.inAdapter = 1;
  } else {
    if (!DeleteFromAdapter(flow.adapter, FieldText(w.number))) return FailWithAdapterError(flow);
    w.inAdapter = 0;
  }
  return true;
}

}  // namespace

SaveResult SaveEntry(EntryFlowContext& flow, const EntryForm& form, PromptOwner dialog) {
  Prompter& prompter = flow.access.prompter;
  PhoneBook& book = flow.access.book;
  EntryField refused{};
  std::optional<BookEntry> w = ValidateEntry(form, prompter, dialog, &refused);
  if (!w) {
    if (flow.showRefusedField) flow.showRefusedField(refused);
    return SaveResult::StayOpen;
  }

  const int index = FindSameNumber(book, FieldText(w->number));
  int saved = -1;
  if (index != -1) {
    const PromptAnswer answer =
        prompter.Ask(kUpdateQuestion, kAppTitle, PromptIcon::None, PromptButtons::YesNo, dialog);
    if (answer == PromptAnswer::Yes) {
      if (!UpdateAdapter(flow, *w, &book[index])) return SaveResult::StayOpen;
      book.ReplaceEntry(index, *w);
      saved = index;
    }
  } else {
    // Refused before the adapter step, so the adapter never holds an entry the book lacks.
    if (book.IsFull()) {
      prompter.Ask(kBookFullMessage, kAppTitle, PromptIcon::Warning, PromptButtons::Ok, dialog);
      return SaveResult::StayOpen;
    }
    if (!UpdateAdapter(flow, *w, nullptr)) return SaveResult::StayOpen;
    book.AppendEntry(*w);
    saved = book.entryCount() - 1;
  }
  if (book.IsFull()) prompter.Tell(kBookFullMessage);
  HandOverBook(flow.access);
  flow.refreshList(saved);
  return SaveResult::Close;
}

void DeleteEntry(EntryFlowContext& flow, int index) {
  Prompter& prompter = flow.access.prompter;
  PhoneBook& book = flow.access.book;
  if (!book.IsValidIndex(index)) {
    prompter.Ask(WithNumber(kNotInBookMessage, ""), kAppTitle, PromptIcon::None, PromptButtons::Ok);
    return;
  }
  const BookEntry& entry = book[index];
  const std::string_view number = FieldText(entry.number);
  if (prompter.Ask(WithNumber(kDeleteQuestion, number), kAppTitle, PromptIcon::None,
                   PromptButtons::YesNo) != PromptAnswer::Yes) {
    return;
  }
  MarkDeleted(flow.access, index);

  bool adapterFailed = false;
  int adapterError = 0;
  if (IsWantedInAdapter(entry) &&
      prompter.Ask(WithNumber(kAdapterDeleteQuestion, number), kAppTitle, PromptIcon::None,
                   PromptButtons::YesNo) == PromptAnswer::Yes) {
    if (DeleteFromAdapter(flow.adapter, number)) {
      book.SetInAdapter(index, false);
    } else {
      adapterFailed = true;
      adapterError = flow.adapter.LastError();
    }
  }
  // The entry is gone from the book and the file whatever the adapter answered: the list
  // must not keep showing it.
  flow.refreshList(-1);
  if (adapterFailed) ShowLibraryError(prompter, adapterError);
}
