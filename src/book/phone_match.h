// Phone numbers are typed with separators in many ways; every comparison removes them
// from both sides first. The book never stores a canonical form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "book/phone_book.h"
#include "platform/text_bytes.h"

// `text` without "-". Holds up to 89 bytes: the list's sort passes cell texts too.
text_bytes::FixedText<90> StripHyphens(std::string_view text);

// `text` without "/", "-", ",", space and tab. Holds up to 23 bytes, a number's worth.
text_bytes::FixedText<24> NormalizePhone(std::string_view text);

// A number's bytes without "/", "-", ",", space and tab, up to its terminator or the
// field's end, hashed: the key the book keeps per entry. Numbers that the lookups below
// match always have the same key, so an entry with another key is passed over at once.
uint64_t PhoneKey(const char (&number)[24]);

// The first entry (deleted ones included) whose number equals `key` once "-" is removed
// from both; -1 when none. Other separators count.
int FindSameNumber(const PhoneBook& book, std::string_view key);

// The first entry (deleted ones included) whose number equals `key` once every separator
// is removed from both; -1 when none.
int FindEntryByPhone(const PhoneBook& book, std::string_view key);
