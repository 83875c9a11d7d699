// Phone numbers are typed with separators in many ways; every comparison removes them
// from both sides first. The book never stores a canonical form.
#pragma once

#include <cstddef>
#include <string_view>

#include "book/phone_book.h"

// A result of fixed capacity: at most N-1 bytes and a terminator, never more.
template <std::size_t N>
struct FixedText {
  char bytes[N] = {};
  std::size_t length = 0;
  std::string_view view() const { return {bytes, length}; }
  const char* c_str() const { return bytes; }
};

// `text` without "-". Holds up to 89 bytes: the list's sort passes cell texts too.
FixedText<90> StripHyphens(std::string_view text);

// `text` without "/", "-", ",", space and tab. Holds up to 23 bytes, a number's worth.
FixedText<24> NormalizePhone(std::string_view text);

// The first entry (deleted ones included) whose number equals `key` once "-" is removed
// from both; -1 when none. Other separators count.
int FindSameNumber(const PhoneBook& book, std::string_view key);

// The first entry (deleted ones included) whose number equals `key` once every separator
// is removed from both; -1 when none.
int FindEntryByPhone(const PhoneBook& book, std::string_view key);
