#include "book/phone_book.h"

#include <algorithm>

#include "app/library_errors.h"
#include "app/prompter.h"
#include "book/calldir_library.h"
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

bool LoadBook(BookAccess& access, const std::function<void()>& whileOpen) {
  PhoneBook& book = access.book;
  if (access.callDir.Open(access.bookPath.c_str()) == 0) {
    ShowLibraryError(access.prompter, access.callDir.LastError());
    return false;
  }
  // A count the array cannot hold is never trusted: the read fills at most every slot.
  book.entryCount = std::clamp(access.callDir.Count(), 0, BOOK_CAPACITY);
  access.callDir.Read(book.slots.get());
  for (int i = 0; i < book.entryCount; ++i) book[i].viewSlot = i;
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
  return true;
}

bool ReplaceEntry(PhoneBook& book, int index, const BookEntry& w) {
  if (!book.IsValidIndex(index)) return false;
  CopyTexts(book[index], w);
  book[index].deleted = 0;
  book[index].inAdapter = w.inAdapter;
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
