#include "book/book_storage.h"

#include <cassert>

#include "messages/library_errors.h"
#include "messages/prompter.h"
#include "book/calldir_library.h"

bool LoadBook(BookAccess& access, const std::function<void()>& whileOpen) {
  if (access.callDir.Open(access.bookPath.c_str()) == 0) {
    ShowLibraryError(access.prompter, access.callDir.LastError());
    return false;
  }
  // A count the array cannot hold is never trusted: the book takes at most every slot.
  access.book.Load(access.callDir.Count(),
                   [&](BookEntry* entries) { access.callDir.Read(entries); });
  assert(access.book.KeysMatchEntries());
  if (whileOpen) whileOpen();
  access.callDir.Close();
  return true;
}

void MarkDeleted(BookAccess& access, int index) {
  if (!access.book.IsValidIndex(index)) return;
  access.book.SetDeleted(index, true);
  access.callDir.Open(access.bookPath.c_str());
  if (access.callDir.Delete(access.book.data(), index) == 0) {
    ShowLibraryError(access.prompter, access.callDir.LastError());
  }
  access.callDir.Close();
}

bool HandOverBook(BookAccess& access) {
  access.callDir.Open(access.bookPath.c_str());
  const bool written = access.callDir.Write(access.book.data(), access.book.entryCount()) != 0;
  if (!written) ShowLibraryError(access.prompter, access.callDir.LastError());
  access.callDir.Close();
  return written;
}
