#include "book/phone_book.h"

#include <algorithm>
#include <cassert>

#include "app/library_errors.h"
#include "app/prompter.h"
#include "book/calldir_library.h"
#include "book/phone_match.h"
#include "platform/text_bytes.h"

namespace {

// The thirteen texts an edit carries into the book, each cut to its field and terminated.
void CopyTexts(BookEntry& to, const BookEntry& from) {
  using text_bytes::FieldText;
  using text_bytes::FillField;
  FillField(to.number, FieldText(from.number));
  FillField(to.name, FieldText(from.name));
  FillField(to.nameKana, FieldText(from.nameKana));
  FillField(to.address, FieldText(from.address));
  FillField(to.fax, FieldText(from.fax));
  FillField(to.postalCode, FieldText(from.postalCode));
  FillField(to.company, FieldText(from.company));
  FillField(to.companyAddress, FieldText(from.companyAddress));
  FillField(to.email, FieldText(from.email));
  FillField(to.registeredName, FieldText(from.registeredName));
  FillField(to.adapterWanted, FieldText(from.adapterWanted));
  FillField(to.callAccept, FieldText(from.callAccept));
  FillField(to.illumination, FieldText(from.illumination));
}

}  // namespace

PhoneBook::PhoneBook()
    : slots(new BookEntry[BOOK_CAPACITY]()),
      numberKeys_(new uint64_t[BOOK_CAPACITY]),
      readingLeads_(new uint16_t[BOOK_CAPACITY]()) {
  // Every slot holds an empty number until it is filled.
  std::fill_n(numberKeys_.get(), BOOK_CAPACITY, PhoneKey(slots[0].number));
}

void PhoneBook::SetEntry(int index, const BookEntry& entry) {
  if (index < 0 || index > entryCount || index >= BOOK_CAPACITY) return;
  slots[static_cast<std::size_t>(index)] = entry;
  if (index == entryCount) entryCount += 1;
  RefreshKeys(index);
  assert(KeysMatchEntries());
}

void PhoneBook::RefreshKeys(int index) {
  const auto i = static_cast<std::size_t>(index);
  numberKeys_[i] = PhoneKey(slots[i].number);
  readingLeads_[i] = LeadingPair(slots[i].nameKana);
}

bool PhoneBook::KeysMatchEntries() const {
  for (std::size_t i = 0; i < static_cast<std::size_t>(entryCount); ++i) {
    if (numberKeys_[i] != PhoneKey(slots[i].number)) return false;
    if (readingLeads_[i] != LeadingPair(slots[i].nameKana)) return false;
  }
  return true;
}

bool LoadBook(BookAccess& access, const std::function<void()>& whileOpen) {
  PhoneBook& book = access.book;
  if (access.callDir.Open(access.bookPath.c_str()) == 0) {
    ShowLibraryError(access.prompter, access.callDir.LastError());
    return false;
  }
  // A count the array cannot hold is never trusted: the read fills at most every slot.
  book.entryCount = std::clamp(access.callDir.Count(), 0, BOOK_CAPACITY);
  access.callDir.Read(book.slots.get());
  for (int i = 0; i < book.entryCount; ++i) {
    book[i].viewSlot = i;
    book.RefreshKeys(i);
  }
  assert(book.KeysMatchEntries());
  if (whileOpen) whileOpen();
  access.callDir.Close();
  return true;
}

bool AppendEntry(PhoneBook& book, const BookEntry& w) {
  if (book.IsFull()) return false;
  const int slot = book.entryCount;
  CopyTexts(book[slot], w);
  book[slot].inAdapter = w.inAdapter;
  book[slot].viewSlot = slot;
  book[slot].deleted = 0;
  book.entryCount += 1;
  book.RefreshKeys(slot);
  assert(book.KeysMatchEntries());
  return true;
}

bool ReplaceEntry(PhoneBook& book, int index, const BookEntry& w) {
  if (!book.IsValidIndex(index)) return false;
  CopyTexts(book[index], w);
  book[index].deleted = 0;
  book[index].inAdapter = w.inAdapter;
  book.RefreshKeys(index);
  assert(book.KeysMatchEntries());
  return true;
}

void MarkDeleted(BookAccess& access, int index) {
  if (!access.book.IsValidIndex(index)) return;
  access.book[index].deleted = 1;
  access.callDir.Open(access.bookPath.c_str());
  if (access.callDir.Delete(access.book.slots.get(), index) == 0) {
    ShowLibraryError(access.prompter, access.callDir.LastError());
  }
  access.callDir.Close();
}

bool HandOverBook(BookAccess& access) {
  access.callDir.Open(access.bookPath.c_str());
  const bool written = access.callDir.Write(access.book.slots.get(), access.book.entryCount) != 0;
  if (!written) ShowLibraryError(access.prompter, access.callDir.LastError());
  access.callDir.Close();
  return written;
}
