// Small helpers to build entries and books in tests.
#pragma once

#include <string_view>

#include "book/phone_book.h"
#include "platform/text_bytes.h"

inline BookEntry MakeEntry(std::string_view number, std::string_view nameKana = "",
                           std::string_view name = "") {
  BookEntry entry{};
  text_bytes::FillField(entry.number, number);
  text_bytes::FillField(entry.nameKana, nameKana);
  text_bytes::FillField(entry.name, name);
  text_bytes::FillField(entry.callAccept, "1");
  text_bytes::FillField(entry.adapterWanted, "0");
  text_bytes::FillField(entry.illumination, "0");
  return entry;
}

// Fills the book with `count` blank entries from its first free slot on.
inline void PutBlankEntries(PhoneBook& book, int count) {
  while (count-- > 0) book.SetEntry(book.entryCount(), BookEntry{});
}

// Appends an entry as it is, as a load would.
inline int Put(PhoneBook& book, const BookEntry& entry) {
  const int index = book.entryCount();
  book.SetEntry(index, entry);
  book.SetViewSlot(index, index);
  return index;
}
