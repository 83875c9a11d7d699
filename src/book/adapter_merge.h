// Reading the adapter's entries into the book: the adapter's list decides which entries
// are marked for it, and numbers the book does not know yet are added.
#pragma once

#include "book/book_storage.h"

class AdapterLibrary;

// Reads the adapter three times in a row (only the last result counts), tells the user how
// many adapter slots the entries take, clears every entry's adapter marks, marks the
// entries the adapter holds (bringing deleted ones back) and appends the numbers the book
// lacks, then hands the book to the CallDir library. On a failed read it shows the
// library's message, changes nothing and returns false.
bool MergeFromAdapter(BookAccess& access, AdapterLibrary& adapter);
