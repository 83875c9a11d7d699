// The one in-memory phone book and the primitives that change it. Entries never move:
// a deleted entry keeps its slot, so an index names the same entry for the whole run.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "calldir/calldir.h"

class CallDirLibrary;
class Prompter;

// Shown when the book holds 10,000 entries and cannot take another.
inline constexpr const char* kBookFullMessage = "登録件数が1万件です。これ以上は登録できません。";

struct PhoneBook {
  PhoneBook() : slots(new BookEntry[BOOK_CAPACITY]()) {}  // zero-filled, allocated once

  BookEntry& operator[](int index) { return slots[static_cast<std::size_t>(index)]; }
  const BookEntry& operator[](int index) const { return slots[static_cast<std::size_t>(index)]; }
  bool IsFull() const { return entryCount >= BOOK_CAPACITY; }
  bool IsValidIndex(int index) const { return index >= 0 && index < entryCount; }

  std::unique_ptr<BookEntry[]> slots;
  int32_t entryCount = 0;  // slots in use, deleted entries included
};

// What the primitives that talk to the CallDir library work with.
struct BookAccess {
  PhoneBook& book;
  CallDirLibrary& callDir;
  Prompter& prompter;
  std::string bookPath;
};

// Reads the book at start. `whileOpen` runs while the book file is still open (the merge
// from the adapter, when the adapter is usable). False, with the library's message shown
// and the book left empty, when the book file cannot be opened.
bool LoadBook(BookAccess& access, const std::function<void()>& whileOpen = {});

// Adds `w` at the end. False, changing nothing, when the book is full.
bool AppendEntry(PhoneBook& book, const BookEntry& w);

// Overwrites entry `index` with `w` and brings it back if it was deleted.
// False, changing nothing, for an index outside the book.
bool ReplaceEntry(PhoneBook& book, int index, const BookEntry& w);

// Marks entry `index` deleted and tells the library; shows the library's message when that
// fails. The entry stays deleted in memory either way.
void MarkDeleted(BookAccess& access, int index);

// Gives the whole book to the library after an append or replace. False, with the
// library's message shown, when the library could not write it; the change stays in memory.
bool HandOverBook(BookAccess& access);
