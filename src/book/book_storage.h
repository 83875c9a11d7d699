// The book's traffic with the CallDir library: the first load, a delete, and the hand-over
// of the whole book after a change. Each shows the library's message when a call fails.
#pragma once

#include <functional>
#include <string>

#include "book/phone_book.h"

class CallDirLibrary;
class Prompter;

// What the primitives that talk to the CallDir library work with.
struct BookAccess {
  PhoneBook& book;
  CallDirLibrary& callDir;
  Prompter& prompter;
  std::string bookPath;
};

// Reads the book at start and prepares its keys. `whileOpen` runs while the book file is
// still open (the merge from the adapter, when the adapter is usable). False, with the
// library's message shown and the book left empty, when the book file cannot be opened.
bool LoadBook(BookAccess& access, const std::function<void()>& whileOpen = {});

// Marks entry `index` deleted and tells the library; shows the library's message when that
// fails. The entry stays deleted in memory either way.
void MarkDeleted(BookAccess& access, int index);

// Gives the whole book to the library after an append or replace. False, with the
// library's message shown, when the library could not write it; the change stays in memory.
bool HandOverBook(BookAccess& access);
