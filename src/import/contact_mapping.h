// What a vCard's properties become in an entry: the name, its reading, one record per
// phone number, FAX, the home and work addresses, the company and the e-mail address.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "import/import_record.h"
#include "import/vcard_reader.h"

class ReadingDeriver;

// A number as the book keeps it: full-width digits made plain, spaces, parentheses and
// dots dropped, "+81" and the number after it made "0" and that number without its own
// leading 0. `foreign` when another country code leads it.
struct MappedNumber {
  std::string text;  // UTF-8
  bool foreign = false;
};
MappedNumber MapNumber(std::string_view telValue);

// The records of one card: one per voice, cell, home, work or untyped TEL, each with the
// card's other fields; one skipped record when it has no such number or is malformed.
// Every record carries the card's line. `deriver` may be null.
std::vector<ImportRecord> MapCard(const VCard& card, ReadingDeriver* deriver);
