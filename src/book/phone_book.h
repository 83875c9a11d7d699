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

// The first two bytes of a text as one number (the second is 0 when the first ends the
// text). A kana table slot and a reading match exactly when these agree; the book keeps
// this per entry for the kana filter.
inline uint16_t LeadingPair(const char* text) {
  const auto first = static_cast<unsigned char>(text[0]);
  const auto second = first == 0 ? 0 : static_cast<unsigned char>(text[1]);
  return static_cast<uint16_t>(first << 8 | second);
}

// Numbers and readings change only through the book's primitives (LoadBook, AppendEntry,
// ReplaceEntry, SetEntry): they keep the keys the lookups and the kana filter read in step
// with the entries. The other fields may be written directly.
struct PhoneBook {
  PhoneBook();  // zero-filled, allocated once

  BookEntry& operator[](int index) { return slots[static_cast<std::size_t>(index)]; }
  const BookEntry& operator[](int index) const { return slots[static_cast<std::size_t>(index)]; }
  bool IsFull() const { return entryCount >= BOOK_CAPACITY; }
  bool IsValidIndex(int index) const { return index >= 0 && index < entryCount; }

  // Puts `entry` as it is into slot `index`, which is in the book or the next free slot
  // (the book then grows by it): how a generated book or a test fills the book.
  void SetEntry(int index, const BookEntry& entry);

  // Recomputes the keys of entry `index` from its number and reading; the primitives call
  // it after every change of them.
  void RefreshKeys(int index);

  // The keys of every entry in the book as its number and reading give them. Checked in
  // debug builds after each change and before each pass, so that a number written behind
  // the book's back is found.
  bool KeysMatchEntries() const;

  // The number without any phone separator, hashed (PhoneKey), and the reading's first
  // two bytes (LeadingPair): the lookups and the filter read these, not the entries.
  uint64_t NumberKey(int index) const { return numberKeys_[static_cast<std::size_t>(index)]; }
  uint16_t ReadingLead(int index) const { return readingLeads_[static_cast<std::size_t>(index)]; }

  std::unique_ptr<BookEntry[]> slots;
  int32_t entryCount = 0;  // slots in use, deleted entries included

 private:
  std::unique_ptr<uint64_t[]> numberKeys_;
  std::unique_ptr<uint16_t[]> readingLeads_;
};

// What the primitives that talk to the CallDir library work with.
struct BookAccess {
  PhoneBook& book;
  CallDirLibrary& callDir;
  Prompter& prompter;
  std::string bookPath;
};

// Reads the book at start and prepares its keys. `whileOpen` runs while the book file is still open (the merge
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
