// Saving and deleting an entry: the adapter, the book, the hand-over to the CallDir
// library and the list's refresh, decided without a window.
#pragma once

#include <functional>

#include "messages/prompter.h"
#include "book/book_storage.h"
#include "editor/entry_form.h"

class AdapterLibrary;

// What a save or a delete works with.
struct EntryFlowContext {
  BookAccess& access;
  AdapterLibrary& adapter;
  bool adapterEnabled = false;        // the adapter may be called (g_adapterEnabled is 1)
  // Rebuilds the list under the kana filter, then puts the row of book entry `savedEntry`
  // (the entry a save stored; -1 for none) in sight, selected.
  std::function<void(int savedEntry)> refreshList;
  // Once the message of a field rule is closed: the user is to correct `field` (may be empty).
  std::function<void(EntryField field)> showRefusedField;
};

enum class SaveResult { StayOpen, Close };

// The update button. Checks the form, then, for a number the book already holds (hyphens
// aside), asks before replacing that entry, else appends; the adapter is updated before
// the book, and a failure there changes nothing. A new entry for a full book is refused.
// After a completed save the book is handed over and the list refreshed with the saved
// entry in sight. Boxes about the form are owned by `dialog`. Close when the dialog should
// end.
SaveResult SaveEntry(EntryFlowContext& flow, const EntryForm& form, PromptOwner dialog);

// Deletes book entry `index`, the one the list's current row shows (-1 when the row shows
// none), after the user agreed; for an entry wanted in the adapter, asks whether to delete
// it there too. The list is refreshed whenever the book changed.
void DeleteEntry(EntryFlowContext& flow, int index);
