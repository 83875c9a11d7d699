// The one in-memory phone book. Entries never move: a deleted entry keeps its slot, so an
// index names the same entry for the whole run. The book keeps compact lookup keys beside
// its entries (each number without separators, hashed, and each reading's first two bytes),
// so every write of an entry goes through its methods: the keys cannot drift.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "calldir/calldir.h"

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

class PhoneBook {
 public:
  PhoneBook();  // zero-filled, allocated once

  const BookEntry& operator[](int index) const { return entries_[static_cast<std::size_t>(index)]; }
  int32_t entryCount() const { return entryCount_; }  // slots in use, deleted entries included
  bool IsFull() const { return entryCount_ >= BOOK_CAPACITY; }
  bool IsValidIndex(int index) const { return index >= 0 && index < entryCount_; }

  // The whole array, contiguous, as the book file's library reads and writes it.
  const BookEntry* data() const { return entries_.get(); }

  // Fills the book from slot 0: `count` (at most the capacity) entries that `read` writes
  // into the array, each then listed at its own place with its keys made.
  void Load(int count, const std::function<void(BookEntry* entries)>& read);

  // Puts `entry` as it is into slot `index`, which is in the book or the next free slot
  // (the book then grows by it): how a generated book or a test fills the book.
  void SetEntry(int index, const BookEntry& entry);

  // Adds the thirteen texts and `inAdapter` of `w` at the end, live and listed at its own
  // place. False, changing nothing, when the book is full.
  bool AppendEntry(const BookEntry& w);

  // Overwrites the thirteen texts and `inAdapter` of entry `index` with those of `w` and
  // brings it back if it was deleted. False, changing nothing, for an index outside the book.
  bool ReplaceEntry(int index, const BookEntry& w);

  // The flags and the adapter's name, none of which the keys depend on.
  void SetDeleted(int index, bool deleted);
  void SetInAdapter(int index, bool inAdapter);
  void SetAdapterWanted(int index, bool wanted);
  void SetCallAccepted(int index, bool accepted);
  void SetIllumination(int index, int pattern);  // 0 to 3
  void SetRegisteredName(int index, std::string_view registeredName);

  // Empties the name, reading, FAX number, address, postal code, company, company address
  // and e-mail of entry `index`, leaving its number, adapter settings and flags.
  void ClearDetails(int index);

  // Slot `slot` of the display list shows entry `entryIndex` (the viewSlot field). Inline:
  // the kana filter writes every slot on each refresh.
  void SetViewSlot(int slot, int32_t entryIndex) {
    if (slot >= 0 && slot < BOOK_CAPACITY) entries_[static_cast<std::size_t>(slot)].viewSlot = entryIndex;
  }

  // The keys of every entry in the book as its number and reading give them. Checked in
  // debug builds after each change and before each pass.
  bool KeysMatchEntries() const;

  // The number without any phone separator, hashed (PhoneKey), and the reading's first
  // two bytes (LeadingPair): the lookups and the filter read these, not the entries.
  uint64_t NumberKey(int index) const { return numberKeys_[static_cast<std::size_t>(index)]; }
  uint16_t ReadingLead(int index) const { return readingLeads_[static_cast<std::size_t>(index)]; }

 private:
  BookEntry& At(int index) { return entries_[static_cast<std::size_t>(index)]; }
  void RefreshKeys(int index);

  std::unique_ptr<BookEntry[]> entries_;
  int32_t entryCount_ = 0;
  std::unique_ptr<uint64_t[]> numberKeys_;
  std::unique_ptr<uint16_t[]> readingLeads_;
};
