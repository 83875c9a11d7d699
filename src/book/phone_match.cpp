#include "book/phone_match.h"

#include <array>
#include <cassert>

#include "platform/text_bytes.h"

namespace {

constexpr std::string_view kHyphen = "-";
constexpr std::string_view kPhoneSeparators = "/-, \t";

// kPhoneSeparators as a table: the keys are hashed over every number the book loads.
constexpr std::array<bool, 256> kIsPhoneSeparator = [] {
  std::array<bool, 256> table{};
  for (const char byte : kPhoneSeparators) table[static_cast<unsigned char>(byte)] = true;
  return table;
}();

bool IsPhoneSeparator(char byte) {
  return kIsPhoneSeparator[static_cast<unsigned char>(byte)];
}

// FNV-1a over the bytes that are not phone separators, up to a terminator or `size`.
uint64_t HashWithoutSeparators(const char* text, std::size_t size) {
  uint64_t hash = 14695981039346656037ull;
  for (std::size_t i = 0; i < size && text[i] != '\0'; ++i) {
    if (IsPhoneSeparator(text[i])) continue;
    hash = (hash ^ static_cast<unsigned char>(text[i])) * 1099511628211ull;
  }
  return hash;
}

// Whether the number in `field`, with the bytes of `separators` removed, is exactly `key`
// (which holds none of them). Only entries whose key agrees get this far.
template <std::size_t N>
bool EqualsWithoutSeparators(const char (&field)[N], std::string_view key,
                             std::string_view separators) {
  std::size_t k = 0;
  for (std::size_t i = 0; i < N && field[i] != '\0'; ++i) {
    const char byte = field[i];
    if (k < key.size() && key[k] == byte) {
      ++k;  // the byte is the next one of the key
    } else if (separators.find(byte) == std::string_view::npos) {
      return false;
    }
  }
  return k == key.size();
}

// `key` holds none of `separators`, which are all phone separators: a number equal to it
// without them has its phone key, so the book's keys pick the few entries to compare.
int FindFirst(const PhoneBook& book, std::string_view key, std::string_view separators) {
  assert(book.KeysMatchEntries());
  const uint64_t wanted = HashWithoutSeparators(key.data(), key.size());
  for (int i = 0; i < book.entryCount(); ++i) {
    if (book.NumberKey(i) == wanted && EqualsWithoutSeparators(book[i].number, key, separators)) {
      return i;
    }
  }
  return -1;
}

}  // namespace

text_bytes::FixedText<90> StripHyphens(std::string_view text) {
  return text_bytes::RemoveBytes<90>(text, kHyphen);
}

text_bytes::FixedText<24> NormalizePhone(std::string_view text) {
  return text_bytes::RemoveBytes<24>(text, kPhoneSeparators);
}

uint64_t PhoneKey(const char (&number)[24]) {
  return HashWithoutSeparators(number, sizeof number);
}

int FindSameNumber(const PhoneBook& book, std::string_view key) {
  return FindFirst(book, StripHyphens(key).view(), kHyphen);
}

int FindEntryByPhone(const PhoneBook& book, std::string_view key) {
  return FindFirst(book, NormalizePhone(key).view(), kPhoneSeparators);
}
