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

// Appends an entry as it is, as a load would.
inline int Put(PhoneBook& book, const BookEntry& entry) {
  const int index = book.entryCount;
  book.SetEntry(index, entry);
  book[index].viewSlot = index;
  return index;
}
