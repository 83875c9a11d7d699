// Reading the adapter's entries into the book: the adapter's list decides which entries
// are marked for it, and numbers the book does not know yet are added.
#pragma once

#include "book/book_storage.h"

class AdapterLibrary;

// Shown while the adapter is read, which takes seconds when no adapter answers.
inline constexpr const char* kReadingAdapterNote = "ZEF-P1を確認しています…";

// Reads the adapter three times in a row (only the last result counts; a note says what the
// program waits for, and is gone before any message), tells the user how
// many adapter slots the entries take, clears every entry's adapter marks, marks the
// entries the adapter holds (bringing deleted ones back) and appends the numbers the book
// lacks, then hands the book to the CallDir library. On a failed read it shows the
// library's message, changes nothing and returns false.
bool MergeFromAdapter(BookAccess& access, AdapterLibrary& adapter);
