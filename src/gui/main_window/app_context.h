// What the windows and dialogs work on: the one book with the CallDir library and the
// message path, the adapter library, the program folder's files and whether the adapter
// may be used. The application object owns them; tests build their own with fakes.
#pragma once

#include "book/book_storage.h"
#include "platform/program_folder.h"

class AdapterLibrary;

struct AppContext {
  BookAccess access;  // the book, the CallDir library, the Prompter, the book file's path
  AdapterLibrary& adapter;
  ProgramPaths paths{};
  // Decided once at start: false while VIZAZED runs or when the port failed to open; the
  // adapter is then never called.
  bool adapterEnabled = false;
};
