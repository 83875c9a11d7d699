#include "book/adapter_merge.h"

#include <algorithm>
#include <array>
#include <string>

#include "messages/library_errors.h"
#include "messages/prompter.h"
#include "book/adapter_library.h"
#include "book/book_storage.h"
#include "book/phone_match.h"
#include "platform/text_bytes.h"

namespace {

using text_bytes::FieldText;
using text_bytes::FillField;

constexpr const char* kUnexpectedError =
    "予期せぬエラーが発生しました。アプリケーションを終了してください。";

// An adapter number of exactly this length is stored without its hyphens.
constexpr std::size_t kHyphenFreeLength = 22;

// A registered name longer than this takes a second slot in the adapter.
constexpr std::size_t kOneSlotNameLength = 8;

using AdapterList = std::array<AdapterEntry, ADAPTER_CAPACITY>;

std::string SlotCountMessage(int slots) {
  return "現在ZEF-P1には" + std::to_string(slots) + "件分登録されています。";
}

std::string SkippedMessage(int skipped) {
  return "電話帳が満杯のため、ZEF-P1の" + std::to_string(skipped) +
         "件を電話帳に追加できませんでした。";
}

// Counts the adapter slots the entries take and drops the hyphens of 22-byte numbers.
int PrepareEntries(AdapterList& entries, int count) {
  int slots = 0;
  for (int k = 0; k < count; ++k) {
    AdapterEntry& entry = entries[static_cast<std::size_t>(k)];
    slots += FieldText(entry.registeredName).size() > kOneSlotNameLength ? 2 : 1;
    if (FieldText(entry.number).size() == kHyphenFreeLength) {
      FillField(entry.number, StripHyphens(FieldText(entry.number)).view());
    }
  }
  return slots;
}

void ClearAdapterMarks(PhoneBook& book) {
  for (int i = 0; i < book.entryCount(); ++i) {
    book.SetAdapterWanted(i, false);
    book.SetCallAccepted(i, true);
    book.SetInAdapter(i, false);
  }
}

// The adapter's settings of an entry, as the adapter holds them.
void SetAdapterMarks(BookEntry& entry, const AdapterEntry& held) {
  FillField(entry.adapterWanted, "1");
  const char pattern[2] = {static_cast<char>('0' + held.illumination), '\0'};
  FillField(entry.illumination, pattern);
  FillField(entry.callAccept, held.callAccept != 0 ? "1" : "0");
  FillField(entry.registeredName, FieldText(held.registeredName));
  entry.inAdapter = 1;
}

// The same marks on an entry of the book. A deleted entry the adapter still holds comes
// back with its number and adapter marks only.
void MarkHeldEntry(PhoneBook& book, int index, const AdapterEntry& held) {
  book.SetAdapterWanted(index, true);
  book.SetIllumination(index, held.illumination);
  book.SetCallAccepted(index, held.callAccept != 0);
  book.SetRegisteredName(index, FieldText(held.registeredName));
  book.SetInAdapter(index, true);
  if (book[index].deleted == 1) {
    book.ClearDetails(index);
    book.SetDeleted(index, false);
  }
}

// Marks or appends each adapter entry; returns how many did not fit into a full book.
int MergeEntries(PhoneBook& book, const AdapterList& entries, int count) {
  int skipped = 0;
  for (int k = 0; k < count; ++k) {
    const AdapterEntry& held = entries[static_cast<std::size_t>(k)];
    const int e = FindEntryByPhone(book, FieldText(held.number));
    if (e >= 0) {
      MarkHeldEntry(book, e, held);
      continue;
    }
    BookEntry added{};
    FillField(added.number, FieldText(held.number));
    SetAdapterMarks(added, held);
    if (!book.AppendEntry(added)) ++skipped;  // the book is full
  }
  return skipped;
}

}  // namespace

bool MergeFromAdapter(BookAccess& access, AdapterLibrary& adapter) {
  BusyScope busy(access.prompter);
  AdapterList entries{};
  int32_t count = 0;
  // Three reads in a row, and only the last one decides; the library serves the repeats
  // from its cache while the adapter's list has not changed.
  bool read = false;
  {
    NoteScope note(access.prompter, kReadingAdapterNote);
    adapter.ReadAll(entries.data(), &count);
    adapter.ReadAll(entries.data(), &count);
    read = adapter.ReadAll(entries.data(), &count) != 0;
  }
  if (!read) {
    const int code = adapter.LastError();
    if (code == 0) access.prompter.Tell(kUnexpectedError, PromptIcon::Error);
    ShowLibraryError(access.prompter, code);
    return false;
  }
  count = std::clamp<int32_t>(count, 0, ADAPTER_CAPACITY);  // never trusted beyond 50

  access.prompter.Tell(SlotCountMessage(PrepareEntries(entries, count)), PromptIcon::Information);
  ClearAdapterMarks(access.book);
  const int skipped = MergeEntries(access.book, entries, count);
  if (skipped > 0) access.prompter.Tell(SkippedMessage(skipped));

  // A book file that cannot be written is the user's to hear about; the merge itself worked.
  HandOverBook(access);
  return true;
}
