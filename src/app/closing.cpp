#include "app/closing.h"

#include "messages/library_errors.h"
#include "messages/prompter.h"
#include "app/startup.h"
#include "book/adapter_library.h"
#include "book/calldir_library.h"
#include "book/book_storage.h"
#include "platform/named_mutex.h"

bool SaveBook(BookAccess& access) {
  if (access.callDir.Save(access.bookPath.c_str(), access.book.entryCount()) != 0) return true;
  ShowLibraryError(access.prompter, access.callDir.LastError());
  return false;
}

bool CloseDown(BookAccess& access, AdapterLibrary& adapter) {
  const bool vizazedRuns = NamedMutex::IsHeld(kVizazedMutexName);
  if (!SaveBook(access) &&
      access.prompter.Ask(kQuitUnsavedQuestion, kAppTitle, PromptIcon::Warning,
                          PromptButtons::YesNoDefaultNo) != PromptAnswer::Yes) {
    return false;
  }
  if (!vizazedRuns) adapter.Close();
  return true;
}
