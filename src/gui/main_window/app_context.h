// What the windows and dialogs work on: the one book with the CallDir library and the
// message path, and the adapter library. The application object owns them; tests build
// their own with fakes.
#pragma once

#include "book/book_storage.h"

class AdapterLibrary;

struct AppContext {
  BookAccess access;  // the book, the CallDir library, the Prompter, the book file's path
  AdapterLibrary& adapter;
};
